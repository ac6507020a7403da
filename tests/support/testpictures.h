#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures made at run time for the tests and the benchmarks.

// A picture of the given size in one colour, optionally with its top row in `topEdge` (to see
// where the top edge went after turning).
QImage solidPicture(QSize size, QColor fill, QColor topEdge = QColor());
// Noise that JPEG cannot compress much, for sheets of a predictable large size.
QImage noisePicture(QSize size, quint32 variant);
// Photo-like content: soft gradients, overlapping translucent shapes and sensor-like noise, so
// that file sizes and decode times resemble camera pictures rather than flat colour.
QImage photoLikePicture(QSize size, quint32 variant);

// Writes a picture with Qt's writer for `format` ("jpeg", "png", "tiff"; from the suffix when
// null), warning when it cannot. Returns the path.
QString writePicture(const QString &path, const QImage &picture, const char *format = nullptr,
                     int quality = -1);
// Writes an uncompressed 24-bit TGA file with the TGA 2.0 footer, which Qt cannot write.
QString writeTga(const QString &path, const QImage &picture);

// How a hand-built file is laid out.
struct TgaLayout
{
    int type = 2;
    int bits = 24;
    bool topToBottom = false;
    bool rightToLeft = false;
    int attributeBits = 0;
    int idLength = 0;
    bool footer = false;
    int mapBits = 24;
    int mapFirstEntry = 0;
};

// A TGA writer independent of the program's reader: any type, depth and origin; run-length
// packets are written across row ends, as the first version of the format allows.
QByteArray encodeTga(const QImage &picture, const TgaLayout &layout);
