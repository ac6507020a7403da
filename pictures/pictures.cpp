#include "pictures/pictures.h"

#include "pictures/colour.h"
#include "pictures/orientation.h"
#include "pictures/picturelimits.h"
#include "pictures/tgaplugin.h"
#include "pictures/tiff.h"
#include "pictures/wholeness.h"

#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtPlugin>

Q_IMPORT_PLUGIN(TgaPlugin)

void raiseImageAllocationLimit()
{
    QImageReader::setAllocationLimit(512);
}

namespace {
// Checks that walk the file, for the formats whose headers outlive a cut.
bool isWhole(const QByteArray &format, QFile &file)
{
    if (!file.seek(0))
        return false;
    if (format == "jpeg")
        return jpegReachesItsEnd(file);
    if (format == "png")
        return pngReachesItsEnd(file);
    return true;
}

} // namespace

PictureFile::PictureFile(const QString &path, PictureCheck check) : path(path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        refusal = QStringLiteral("file not found");
        return;
    }
    if (looksLikeTiff(file.peek(4))) {
        TiffHeader header;
        if (!readTiffHeader(&file, &header, &refusal))
            return;
        format = "tiff";
        stored = header.size;
        turn = transformationForOrientation(header.orientation);
    } else {
        QImageReader reader(&file);
        reader.setDecideFormatFromContent(true);
        format = reader.format();
        if (format == "jpeg" || format == "png") {
            stored = reader.size();
            turn = format == "jpeg"
                       ? reader.transformation()
                       : transformationForOrientation(file.seek(0) ? pngOrientation(file) : 0);
        } else {
            // TGA files carry no signature, so their reader takes only what the others leave,
            // and only with a header it can decode.
            file.seek(0);
            QImageReader tga(&file, QuorvelTgaFormat);
            tga.setAutoDetectImageFormat(false);
            format = tga.canRead() ? QByteArray(QuorvelTgaFormat) : QByteArray();
            stored = tga.size();
        }
    }
    if (format.isEmpty()) {
        refusal = QStringLiteral("not a JPEG, PNG, TIFF or TGA picture");
        return;
    }
    // The header's claim is checked before anything is decoded: a few kilobytes can claim
    // a picture of gigabytes.
    if (!withinPictureLimits(stored)) {
        refusal = stored.isValid() ? beyondPictureLimits(stored)
                                   : QStringLiteral("its header tells no size");
        return;
    }
    if (check == PictureCheck::WholeFile && !isWhole(format, file))
        refusal = QStringLiteral("cut off before its end");
}

QSize PictureFile::size() const
{
    return viewedSize(stored, turn);
}

QImage PictureFile::read(QSize wanted)
{
    if (!isReadable())
        return QImage();
    // Decoders work in stored rows and columns: the same swap turns the wanted size back.
    const QSize scaled = wanted.isValid() ? viewedSize(wanted, turn) : QSize();
    QImage picture;
    if (format == "tiff") {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            picture = decodeTiff(&file, scaled, &refusal);
        else
            refusal = file.errorString();
    } else {
        QImageReader reader(path, format);
        // The detected format's reader alone: no other plug-in may step in if it fails.
        reader.setAutoDetectImageFormat(false);
        reader.setAutoTransform(false);
        if (scaled.isValid())
            reader.setScaledSize(scaled);
        picture = reader.read();
        if (picture.isNull())
            refusal = reader.errorString();
        // Qt parses embedded profiles (JPEG APP2, PNG iCCP) but converts no pixels.
        else if (picture.colorSpace().isValid() && picture.colorSpace() != QColorSpace::SRgb)
            convertToSrgb(picture, picture.colorSpace().iccProfile());
    }
    return applyTransformation(picture, turn);
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
