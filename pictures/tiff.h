#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

// Reading TIFF files through libtiff as studios' editors write them: everything libtiff's RGBA
// interface decodes (RGB, greyscale, palette, YCbCr, CIELab, bilevel and fax; 8 and 16 bits a
// sample; contiguous or planar; strips or tiles; every compression libtiff was built with;
// associated or unassociated alpha), and what it declines, read sample by sample: CMYK of 8
// or 16 bits, 12-bit greyscale, and 32-bit floating-point greyscale or RGB. Only the first
// page of a multi-page file is read. libtiff's messages never reach the terminal; its error
// text becomes the reason a file is refused.

struct TiffHeader
{
    QSize size;          // as stored
    int orientation = 1; // the Orientation tag, 1 to 8
    QByteArray profile;  // the embedded ICC profile, if any
};

// Whether `head`, a file's first bytes, starts like a TIFF (classic or BigTIFF).
bool looksLikeTiff(const QByteArray &head);

// Reads the first directory of the TIFF file on `device`, from its current position.
bool readTiffHeader(QIODevice *device, TiffHeader *header, QString *error);

// Decodes the first page, as stored (its orientation is not applied), in sRGB: through the
// embedded profile when there is a usable one, the plain conversion for CMYK without one.
// With a valid `scaledSize` the picture is scaled to it. The size limits are checked before
// any pixel is allocated.
QImage decodeTiff(QIODevice *device, QSize scaledSize, QString *error);
