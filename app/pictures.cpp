#include "app/pictures.h"

#include <QImageIOHandler>
#include <QImageReader>

void raiseImageAllocationLimit()
{
    QImageReader::setAllocationLimit(512);
}

bool isListedPictureFormat(const QByteArray &format)
{
    static const QByteArray listed[] = {"jpeg", "jpg", "png", "tiff", "tif", "tga"};
    const QByteArray lower = format.toLower();
    for (const QByteArray &name : listed) {
        if (lower == name)
            return true;
    }
    return false;
}

bool acceptPictureReader(QImageReader &reader)
{
    return isListedPictureFormat(reader.format());
}

QSize storedPictureSize(const QString &path)
{
    QImageReader reader(path);
    if (!acceptPictureReader(reader) || !reader.supportsOption(QImageIOHandler::Size))
        return QSize();
    return reader.size();
}

QImage readPicture(const QString &path, QString *whyNot)
{
    QImageReader reader(path);
    if (!acceptPictureReader(reader)) {
        if (whyNot)
            *whyNot = reader.error() == QImageReader::FileNotFoundError
                          ? QStringLiteral("file not found")
                          : QStringLiteral("not a JPEG, PNG, TIFF or TGA picture");
        return QImage();
    }
    QImage picture = reader.read();
    if (picture.isNull() && whyNot)
        *whyNot = reader.errorString();
    return picture;
}
