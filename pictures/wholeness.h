#pragma once

class QIODevice;

// Decoders make up what is missing from a picture cut short (libjpeg fills it with grey) and
// the header alone outlives the cut, so wholeness is decided by walking the stream from its
// start to its end marker. Whatever follows that end (the video of a phone's motion photo, a
// second picture, a stray newline) is not looked at. Both read sequentially from the device's
// current position with bounded memory.

// A JPEG: its segments by their lengths, then each scan's entropy-coded data (stuffed bytes,
// restart markers, the further scans of a progressive file) up to the end-of-image marker.
bool jpegReachesItsEnd(QIODevice &device);

// A PNG: its chunks by their lengths, up to and including the IEND chunk.
bool pngReachesItsEnd(QIODevice &device);
