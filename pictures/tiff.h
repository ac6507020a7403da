#pragma once

#include "pictures/pictureheader.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

// Reading TIFF files through libtiff as studios' editors write them. RGB and greyscale of 8,
// 12 (greyscale), 16 and 32 bits (floating point) a sample and CMYK of 8 or 16 bits are read
// sample by sample, a row (or a strip or a row of tiles) at a time, alpha and extra channels
// included; everything else libtiff's RGBA interface decodes (palette, YCbCr, CIELab,
// bilevel and fax, 2 and 4 bits) is read through it, band by band. Contiguous or planar,
// strips or tiles, every compression libtiff was built with. Only the first page of a
// multi-page file is read.
//
// Every buffer is sized from the picture, never from what a strip or tile claims: a tile
// larger than the picture is refused. Any error libtiff reports while decoding refuses the
// file: "cut off before its end" where its data ends early, else libtiff's own words. Its
// messages never reach the terminal.

// Whether `head`, a file's first bytes, starts like a TIFF (classic or BigTIFF).
bool looksLikeTiff(const QByteArray &head);

// Reads the first directory of the TIFF file on `device`, from its current position.
bool readTiffHeader(QIODevice *device, PictureHeader *header, QString *why);

// Whether every strip or tile of the first page lies within the file: a TIFF cut short keeps
// its directory when that stands at the start, as scanners and many editors write it.
bool tiffReachesItsEnd(QIODevice *device);

// Decodes the first page, as stored (its orientation is not applied), in sRGB through the
// embedded profile where there is a usable one. With a valid `scaledSize` the picture is
// decoded straight to that size, averaged row by row, so that the full-size picture is never
// held. *decoded receives the header of what was decoded.
QImage decodeTiff(QIODevice *device, QSize scaledSize, QString *why, PictureHeader *decoded);
