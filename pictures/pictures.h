#pragma once

#include "pictures/pictureheader.h"

#include <QImage>
#include <QImageIOHandler>
#include <QSize>
#include <QString>
#include <functional>

class QFile;

// Qt refuses to allocate pictures over 128 MB by default, which a 8000 x 6000 photo exceeds.
// Called once at start, before any picture is read.
void raiseImageAllocationLimit();

// How much of a file is looked at before it is handed to the decoder.
enum class PictureCheck {
    Header,    // the header alone: enough to tell the size
    WholeFile, // also that the picture reaches its end (see wholeness.h)
};

// One picture file, as the program reads every picture: its format detected from its content,
// not its name (JPEG, PNG and TIFF by their signatures; content none of them claims goes to
// the program's own TGA reader); refused, before anything is decoded, when it is of another
// format (an ICNS or WebP file named ".jpg"), when its header claims a picture beyond the size
// limits and, checking the whole file, when it is cut off before its end. Read pictures come
// as they are to be viewed: turned as their orientation tag (EXIF, PNG eXIf, TIFF Orientation)
// says, and in sRGB (see colour.h). Running out of memory refuses the picture; nothing is
// thrown.
class PictureFile
{
public:
    explicit PictureFile(const QString &path, PictureCheck check = PictureCheck::WholeFile);

    bool isReadable() const { return refusal.isEmpty(); }
    // Why the file cannot be read; empty when it can.
    QString whyNot() const { return refusal; }
    // Whether the file itself could not be opened (missing, no permission), as opposed to its
    // content being refused.
    bool isUnopenable() const { return unopenable; }
    // Whether it was refused for what the file holds: not when it could not be opened, when
    // memory ran out reading it, or when it changed under the reader; the same file may read
    // another time.
    bool isRefusedForItsContent() const
    {
        return !isReadable() && !unopenable && !lackOfMemory && !changed;
    }
    // The size as viewed, from the header: turned when the orientation turns the picture.
    QSize size() const;

    // Decodes the picture as viewed, scaled to `wanted` (a viewed size) when that is valid,
    // decoding straight to it where the format can. A null image, with whyNot() saying why,
    // when the decoder fails, and when the file holds a picture of another size or orientation
    // than its header told when this was made (it was replaced since).
    QImage read(QSize wanted = QSize());

    // Whether readRows can decode the picture: a JPEG viewed as stored (no turn to apply).
    bool canReadRows() const;
    // Decodes the picture at full size, handing each row (sRGB, three bytes a pixel: red,
    // green, blue) to `row` as soon as it is decoded, top to bottom, so that the whole picture
    // is never held. False, with whyNot() saying why, when it cannot (see canReadRows), when
    // the decoder fails, before any row is handed over when the file no longer holds a picture
    // of this size and orientation, and after the last row when the file ended early.
    using RowCallback = std::function<void(int y, const uchar *row)>;
    bool readRows(const RowCallback &row);

private:
    bool openForDecoding(QFile &file);
    // Whether a decoded picture is the one the header told of.
    bool holds(const PictureHeader &decoded) const;

    enum class Format { None, Jpeg, Png, Tiff, Tga };
    QString path;
    Format format = Format::None;
    QSize stored;
    QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone;
    QString refusal;
    bool unopenable = false;
    bool lackOfMemory = false;
    bool changed = false;
};

// The size of a picture file as viewed, read from its header without decoding; an invalid
// size when the file is missing, refused or cannot tell its size.
QSize viewedPictureSize(const QString &path);

// Decodes a whole picture file as viewed. A null image when the file cannot be read, with the
// reason in *whyNot.
QImage readPicture(const QString &path, QString *whyNot = nullptr);
