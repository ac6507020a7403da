#include "pictures/pictures.h"

#include "pictures/picturelimits.h"
#include "pictures/tgaplugin.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QtPlugin>
#include <algorithm>

Q_IMPORT_PLUGIN(TgaPlugin)

void raiseImageAllocationLimit()
{
    QImageReader::setAllocationLimit(512);
}

bool isListedPictureFormat(const QByteArray &format)
{
    static const QByteArray listed[] = {"jpeg", "jpg", "png",           "tiff",
                                        "tif",  "tga", QuorvelTgaFormat};
    const QByteArray lower = format.toLower();
    for (const QByteArray &name : listed) {
        if (lower == name)
            return true;
    }
    return false;
}

namespace {
// libjpeg decodes a JPEG that was cut short without an error, making up the missing part in
// grey; such a picture would spoil a sheet unnoticed. A whole JPEG ends its last scan with an
// end-of-image marker, which entropy-coded data cannot contain; it is looked for in the last
// megabyte, allowing for data that some cameras append after it.
bool jpegIsWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 longest = std::min<qint64>(file.size(), 1 << 20);
    // Usually the marker is in the last bytes: start small.
    for (qint64 window = std::min<qint64>(longest, 1 << 16);;
         window = std::min(longest, window * 4)) {
        if (!file.seek(file.size() - window))
            return false;
        const QByteArray tail = file.read(window);
        const qsizetype endOfImage = tail.lastIndexOf("\xFF\xD9");
        if (endOfImage >= 0)
            return tail.lastIndexOf("\xFF\xDA") < endOfImage;
        if (window == longest)
            return false;
    }
}

// A PNG that was cut short still has a good header, and only decoding would tell; a whole one
// ends with its IEND chunk.
bool pngIsWhole(const QString &path)
{
    static const QByteArray end("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() >= end.size() &&
           file.seek(file.size() - end.size()) && file.read(end.size()) == end;
}

// Checks that cost a read of a file's last bytes, for the formats whose headers outlive a cut.
bool isWhole(const QByteArray &format, const QString &path)
{
    if (format == "jpeg")
        return jpegIsWhole(path);
    if (format == "png")
        return pngIsWhole(path);
    return true;
}
} // namespace

bool openPictureReader(QImageReader &reader, const QString &path)
{
    reader.setFileName(path);
    if (path.endsWith(QLatin1String(".tga"), Qt::CaseInsensitive))
        reader.setFormat(QuorvelTgaFormat);
    // The header's claim is checked before anything is decoded: a few kilobytes can claim
    // a picture of gigabytes.
    const QByteArray format = reader.format();
    return isListedPictureFormat(format) && withinPictureLimits(reader.size()) &&
           isWhole(format, path);
}

QSize storedPictureSize(const QString &path)
{
    QImageReader reader;
    if (!openPictureReader(reader, path) || !reader.supportsOption(QImageIOHandler::Size))
        return QSize();
    return reader.size();
}

QImage readPicture(const QString &path, QString *whyNot)
{
    if (!QFileInfo(path).isFile()) {
        if (whyNot)
            *whyNot = QStringLiteral("file not found");
        return QImage();
    }
    QImageReader reader;
    if (!openPictureReader(reader, path)) {
        if (whyNot) {
            const QSize claimed = reader.size();
            *whyNot = isListedPictureFormat(reader.format()) && claimed.isValid()
                          ? QStringLiteral("%1 x %2 pixels is larger than a picture may be")
                                .arg(claimed.width())
                                .arg(claimed.height())
                          : QStringLiteral("not a readable JPEG, PNG, TIFF or TGA picture");
        }
        return QImage();
    }
    QImage picture = reader.read();
    if (picture.isNull() && whyNot)
        *whyNot = reader.errorString();
    return picture;
}
