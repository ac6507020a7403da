#pragma once

// The pieces of the TIFF reader (tiff.h) that its ways of reading share: libtiff reading
// through a QIODevice, and the first page's layout of samples.

#include "pictures/picturelimits.h"

#include <QString>
#include <memory>
#include <tiffio.h>

class QByteArray;
class QIODevice;
class PictureRows;

// No buffer of a read, nor any single allocation inside libtiff, beyond what a band of the
// largest picture allowed needs at four 16-bit samples a pixel.
constexpr qint64 MaxBufferBytes = MaxPicturePixels * 8;

// libtiff reads through the device, its offsets counted from where the file starts.
struct DeviceFile
{
    QIODevice *device;
    qint64 start;
    QString error;           // libtiff's first error since it was last cleared
    bool endReached = false; // a read asked for bytes past the end of the file
};

struct TiffCloser
{
    void operator()(TIFF *tiff) const { TIFFClose(tiff); }
};
using Tiff = std::unique_ptr<TIFF, TiffCloser>;

// Opens the file for libtiff; every handle on the same file reports its errors into it.
Tiff openTiff(DeviceFile &file);

// How the first page's samples are laid out, checked against the picture it belongs to.
struct Layout
{
    int width = 0;
    int height = 0;
    int samples = 1; // a pixel
    int bits = 8;    // a sample
    bool planar = false;
    bool floating = false;
    bool tiled = false;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t inkSet = INKSET_CMYK;
    int alphaSample = -1; // which sample is alpha; -1 for none
    bool associatedAlpha = false;
    uint32_t bandRows = 1; // rows a strip, or the tile length
    uint32_t tileWidth = 0;

    bool grey() const
    {
        return photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
    }
    bool cmyk() const { return photometric == PHOTOMETRIC_SEPARATED; }
    int planes() const { return planar ? samples : 1; }
    int samplesInPlane() const { return planar ? 1 : samples; }
    // Bytes of one row of one plane, and of one row with every sample interleaved.
    qint64 planeRowBytes() const { return (qint64(width) * samplesInPlane() * bits + 7) / 8; }
    qint64 pixelRowBytes() const { return (qint64(width) * samples * bits + 7) / 8; }
};

// Reads the page sample by sample (see readsBySamples): rows of strips as scanlines, every plane
// of a planar file through a handle of its own, tiles a row of tiles at a time.
bool readBySamples(DeviceFile &file, TIFF *tiff, const Layout &s, const QByteArray &profile,
                   PictureRows &picture, QString *why);

// Reads the page through libtiff's RGBA interface, band by band.
bool readThroughRgba(TIFF *tiff, const Layout &s, const QByteArray &profile, PictureRows &picture,
                     QString *why);
