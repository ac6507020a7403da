#include "pictures/pictures.h"

#include "pictures/picturelimits.h"
#include "pictures/tgaplugin.h"
#include "pictures/wholeness.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QtPlugin>

Q_IMPORT_PLUGIN(TgaPlugin)

void raiseImageAllocationLimit()
{
    QImageReader::setAllocationLimit(512);
}

namespace {
// Checks that walk the file, for the formats whose headers outlive a cut.
bool isWhole(const QByteArray &format, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (format == "jpeg")
        return jpegReachesItsEnd(file);
    if (format == "png")
        return pngReachesItsEnd(file);
    return true;
}

QString beyondLimits(QSize claimed)
{
    return QStringLiteral("%1 x %2 pixels is beyond the limits of %3 pixels a side and %4 "
                          "megapixels")
        .arg(claimed.width())
        .arg(claimed.height())
        .arg(MaxPictureSide)
        .arg(MaxPicturePixels / 1'000'000);
}

bool refuse(QString *whyNot, const QString &reason)
{
    if (whyNot)
        *whyNot = reason;
    return false;
}
} // namespace

bool openPictureReader(QImageReader &reader, const QString &path, QString *whyNot,
                       PictureCheck check)
{
    reader.setFileName(path);
    reader.setDecideFormatFromContent(true);
    QByteArray format = reader.format();
    // TGA files carry no signature, so their reader takes only what the others leave, and
    // only with a header it can decode.
    if (format != "jpeg" && format != "png" && format != "tiff") {
        reader.setDecideFormatFromContent(false);
        reader.setFileName(path);
        reader.setFormat(QuorvelTgaFormat);
        format = reader.canRead() ? QByteArray(QuorvelTgaFormat) : QByteArray();
    }
    if (format.isEmpty())
        return refuse(whyNot, QStringLiteral("not a JPEG, PNG, TIFF or TGA picture"));
    // The header's claim is checked before anything is decoded: a few kilobytes can claim
    // a picture of gigabytes.
    const QSize claimed = reader.size();
    if (!withinPictureLimits(claimed))
        return refuse(whyNot, claimed.isValid() ? beyondLimits(claimed)
                                                : QStringLiteral("its header tells no size"));
    if (check == PictureCheck::WholeFile && !isWhole(format, path))
        return refuse(whyNot, QStringLiteral("cut off before its end"));
    return true;
}

QSize storedPictureSize(const QString &path)
{
    QImageReader reader;
    if (!openPictureReader(reader, path, nullptr, PictureCheck::Header) ||
        !reader.supportsOption(QImageIOHandler::Size))
        return QSize();
    return reader.size();
}

QImage readPicture(const QString &path, QString *whyNot)
{
    if (!QFileInfo(path).isFile()) {
        refuse(whyNot, QStringLiteral("file not found"));
        return QImage();
    }
    QImageReader reader;
    if (!openPictureReader(reader, path, whyNot))
        return QImage();
    QImage picture = reader.read();
    if (picture.isNull())
        refuse(whyNot, reader.errorString());
    return picture;
}
