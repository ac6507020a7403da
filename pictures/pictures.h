#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;

// Qt refuses to allocate pictures over 128 MB by default, which a 8000 x 6000 photo exceeds.
// Called once at start, before any picture is read.
void raiseImageAllocationLimit();

// True for the formats the tool lists: JPEG, PNG, TIFF and TGA.
bool isListedPictureFormat(const QByteArray &format);

// Points a reader at a picture file and detects what the file really holds; TGA files are
// read by the program's own TGA reader. A file whose content is another format (an ICNS or
// WebP file named ".jpg"), or whose header claims a picture beyond the size limits, is
// refused before anything decodes it.
bool openPictureReader(QImageReader &reader, const QString &path);

// The stored pixel size of a picture file, read from its header without decoding; an invalid
// size when the file is missing, refused or cannot tell its size.
QSize storedPictureSize(const QString &path);

// Decodes a whole picture file, as stored (no orientation metadata applied). A null image
// when the file cannot be read, with the reason in *whyNot.
QImage readPicture(const QString &path, QString *whyNot = nullptr);
