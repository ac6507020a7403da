#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;

// Qt refuses to allocate pictures over 128 MB by default, which a 8000 x 6000 photo exceeds.
// Called once at start, before any picture is read.
void raiseImageAllocationLimit();

// How much of a file is looked at before it is handed to the decoder.
enum class PictureCheck {
    Header,    // the header alone: enough to tell the size
    WholeFile, // also that the picture reaches its end (see wholeness.h)
};

// Points a reader at a picture file and detects what the file holds from its content, not its
// name: JPEG, PNG and TIFF content first; content none of them claims goes to the program's
// own TGA reader. Refuses, before anything is decoded, a file of another format (an ICNS or
// WebP file named ".jpg"), one whose header claims a picture beyond the size limits and,
// checking the whole file, one cut off before its end. *whyNot says which.
bool openPictureReader(QImageReader &reader, const QString &path, QString *whyNot = nullptr,
                       PictureCheck check = PictureCheck::WholeFile);

// The stored pixel size of a picture file, read from its header without decoding; an invalid
// size when the file is missing, refused or cannot tell its size.
QSize storedPictureSize(const QString &path);

// Decodes a whole picture file, as stored (no orientation metadata applied). A null image
// when the file cannot be read, with the reason in *whyNot.
QImage readPicture(const QString &path, QString *whyNot = nullptr);
