#pragma once

#include "pictures/pictureheader.h"

#include <QImage>
#include <QImageIOHandler>
#include <QSize>
#include <QString>
#include <functional>

class QIODevice;

// Reading JPEG files through libjpeg-turbo: baseline and progressive, greyscale, YCbCr and
// CMYK (Adobe's inverted form included), with their embedded ICC profile (APP2 chunks, in
// order) and EXIF orientation. Decodes with the library's defaults, so a picture without a
// profile reads exactly as Qt's own JPEG reader reads it.

// Whether `head`, a file's first bytes, starts like a JPEG.
bool looksLikeJpeg(const QByteArray &head);

// Reads the header (up to the first scan) from the device's current position.
bool readJpegHeader(QIODevice *device, PictureHeader *header, QString *why);

// Decodes the picture as stored (its orientation is not applied), in sRGB through its embedded
// profile where there is a usable one; CMYK without one takes the plain conversion. With a
// valid `scaledSize`, libjpeg decodes at the nearest larger eighth of the size and the rest is
// scaled smoothly. *header receives the header of what was decoded. A file that ends before
// its picture does is refused, not filled with libjpeg's grey.
QImage decodeJpeg(QIODevice *device, QSize scaledSize, QString *why, PictureHeader *header);

// Decodes the picture at full size as stored, like decodeJpeg, but hands each row (sRGB, three
// bytes a pixel: red, green, blue) to `row` as soon as it is decoded, top to bottom, without
// ever holding the whole picture. Refuses, before the first row, a picture whose stored size or
// orientation's turn is not the one planned: its rows go into room made for that. Refuses,
// after the last row, a file that ended early (the rows handed over are then not the picture).
using JpegRow = std::function<void(int y, const uchar *row)>;
bool decodeJpegRows(QIODevice *device, QSize size, QImageIOHandler::Transformations turn,
                    const JpegRow &row, QString *why);
