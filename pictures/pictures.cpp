#include "pictures/pictures.h"

#include "pictures/jpeg.h"
#include "pictures/orientation.h"
#include "pictures/picturelimits.h"
#include "pictures/png.h"
#include "pictures/refusal.h"
#include "pictures/tga.h"
#include "pictures/tiff.h"
#include "pictures/wholeness.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <new>

void raiseImageAllocationLimit()
{
    QImageReader::setAllocationLimit(512);
}

PictureFile::PictureFile(const QString &path, PictureCheck check) : path(path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        refusal = QCoreApplication::translate("Quorvel", "file not found");
        unopenable = true;
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        refusal = file.errorString();
        unopenable = true;
        return;
    }
    const QByteArray head = file.peek(TgaHeaderSize);
    PictureHeader header;
    bool headerRead = true;
    if (looksLikeTiff(head)) {
        format = Format::Tiff;
        headerRead = readTiffHeader(&file, &header, &refusal);
    } else if (looksLikeJpeg(head)) {
        format = Format::Jpeg;
        headerRead = readJpegHeader(&file, &header, &refusal);
    } else if (looksLikePng(head)) {
        format = Format::Png;
        headerRead = readPngHeader(&file, &header, false, &refusal);
    } else {
        // TGA files carry no signature, so their reader takes only what the others leave,
        // and only with a header it can decode.
        TgaHeader tga;
        if (!parseTgaHeader(head, &tga, nullptr)) {
            refusal = notAPictureReason();
            return;
        }
        format = Format::Tga;
        header.size = QSize(tga.width, tga.height);
    }
    if (!headerRead) {
        if (refusal.isEmpty())
            refusal = noSizeReason();
        return;
    }
    stored = header.size;
    turn = transformationForOrientation(header.orientation);
    // The header's claim is checked before anything is decoded: a few kilobytes can claim
    // a picture of gigabytes.
    if (!withinPictureLimits(stored) && !(header.programSheet && withinSheetLimits(stored))) {
        refusal =
            stored.isValid() && !stored.isEmpty() ? beyondPictureLimits(stored) : noSizeReason();
        return;
    }
    if (check == PictureCheck::Header || !file.seek(0))
        return;
    const bool whole = format == Format::Jpeg   ? jpegReachesItsEnd(file)
                       : format == Format::Png  ? pngReachesItsEnd(file)
                       : format == Format::Tiff ? tiffReachesItsEnd(&file)
                                                : true;
    if (!whole)
        refusal = cutOffReason();
}

bool PictureFile::openForDecoding(QFile &file)
{
    if (file.open(QIODevice::ReadOnly))
        return true;
    // Gone or changed since its header was read.
    refusal = file.errorString();
    unopenable = true;
    return false;
}

bool PictureFile::holds(const PictureHeader &decoded) const
{
    return decoded.size == stored && transformationForOrientation(decoded.orientation) == turn;
}

QSize PictureFile::size() const
{
    return viewedSize(stored, turn);
}

QImage PictureFile::read(QSize wanted)
{
    QFile file(path);
    if (!isReadable() || !openForDecoding(file))
        return QImage();
    // Decoders work in stored rows and columns: the same swap turns the wanted size back.
    const QSize scaled = wanted.isValid() ? viewedSize(wanted, turn) : QSize();
    QImage picture;
    PictureHeader decoded;
    memoryRanOut = false;
    try {
        switch (format) {
        case Format::Jpeg:
            picture = decodeJpeg(&file, scaled, &refusal, &decoded);
            break;
        case Format::Png:
            picture = decodePng(&file, scaled, &refusal, &decoded);
            break;
        case Format::Tiff:
            picture = decodeTiff(&file, scaled, &refusal, &decoded);
            break;
        case Format::Tga: {
            const QByteArray bytes = file.readAll();
            TgaHeader tga;
            if (parseTgaHeader(bytes, &tga, nullptr))
                decoded.size = QSize(tga.width, tga.height);
            picture = decodeTga(bytes, scaled, &refusal);
            break;
        }
        case Format::None:
            break;
        }
        // What was decoded must be the picture the header told of: sizes and places were
        // worked out from it.
        if (!picture.isNull() && !holds(decoded)) {
            picture = QImage();
            refusal = changedReason();
            changed = true;
        }
        if (!picture.isNull())
            picture = applyTransformation(picture, turn);
    } catch (const std::bad_alloc &) {
        picture = QImage();
        refusal = outOfMemoryReason();
    }
    if (picture.isNull() && refusal.isEmpty())
        refusal = QCoreApplication::translate("Quorvel", "its picture data cannot be decoded");
    lackOfMemory = picture.isNull() && memoryRanOut;
    return picture;
}

bool PictureFile::canReadRows() const
{
    return isReadable() && format == Format::Jpeg && turn == QImageIOHandler::TransformationNone;
}

bool PictureFile::readRows(const RowCallback &row)
{
    QFile file(path);
    if (!canReadRows() || !openForDecoding(file))
        return false;
    try {
        return decodeJpegRows(&file, stored, turn, row, &refusal);
    } catch (const std::bad_alloc &) {
        refusal = outOfMemoryReason();
        return false;
    }
}

QSize viewedPictureSize(const QString &path)
{
    const PictureFile file(path, PictureCheck::Header);
    return file.isReadable() ? file.size() : QSize();
}

QImage readPicture(const QString &path, QString *whyNot)
{
    PictureFile file(path);
    QImage picture = file.read();
    if (picture.isNull() && whyNot)
        *whyNot = file.whyNot();
    return picture;
}
