#include "app/pictures.h"

#include "app/tga/tgaplugin.h"

#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QtPlugin>

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

bool openPictureReader(QImageReader &reader, const QString &path)
{
    reader.setFileName(path);
    if (path.endsWith(QLatin1String(".tga"), Qt::CaseInsensitive))
        reader.setFormat(QuorvelTgaFormat);
    return isListedPictureFormat(reader.format());
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
        if (whyNot)
            *whyNot = QStringLiteral("not a JPEG, PNG, TIFF or TGA picture");
        return QImage();
    }
    QImage picture = reader.read();
    if (picture.isNull() && whyNot)
        *whyNot = reader.errorString();
    return picture;
}
