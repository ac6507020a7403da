#pragma once

#include "pictures/pictureheader.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

// Reading PNG files: the pixels through Qt's PNG reader (libpng); what stands before them
// (the size, the eXIf orientation, the iCCP profile) read here, as Qt 6.4 ignores eXIf and
// parses only some profiles.

bool looksLikePng(const QByteArray &head);

// Reads the chunks before the picture data from the device's current position.
bool readPngHeader(QIODevice *device, PictureHeader *header, bool withProfile, QString *why);

// Decodes the picture as stored, in sRGB through its iCCP profile (or, without one, the
// colours its gAMA and cHRM chunks describe), scaled to a valid `scaledSize`. *decoded
// receives the header of what was decoded.
QImage decodePng(QIODevice *device, QSize scaledSize, QString *why, PictureHeader *decoded);
