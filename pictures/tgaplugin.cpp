#include "pictures/tgaplugin.h"

#include "pictures/tga.h"

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QVariant>

bool TgaHandler::canRead(QIODevice *device)
{
    if (!device)
        return false;
    TgaHeader header;
    return parseTgaHeader(device->peek(TgaHeaderSize), &header, nullptr);
}

bool TgaHandler::canRead() const
{
    if (!canRead(device()))
        return false;
    setFormat(QuorvelTgaFormat);
    return true;
}

bool TgaHandler::read(QImage *image)
{
    QString error;
    *image = decodeTga(device()->readAll(), scaledSize, &error);
    return !image->isNull();
}

bool TgaHandler::supportsOption(ImageOption option) const
{
    return option == Size || option == ScaledSize;
}

QVariant TgaHandler::option(ImageOption option) const
{
    TgaHeader header;
    if (option == ScaledSize)
        return scaledSize;
    if (!device() || !parseTgaHeader(device()->peek(TgaHeaderSize), &header, nullptr))
        return QVariant();
    if (option == Size)
        return QSize(header.width, header.height);
    return QVariant();
}

void TgaHandler::setOption(ImageOption option, const QVariant &value)
{
    if (option == ScaledSize)
        scaledSize = value.toSize();
}

QImageIOPlugin::Capabilities TgaPlugin::capabilities(QIODevice *, const QByteArray &format) const
{
    if (format == QuorvelTgaFormat)
        return CanRead;
    return Capabilities();
}

QImageIOHandler *TgaPlugin::create(QIODevice *device, const QByteArray &format) const
{
    auto *handler = new TgaHandler;
    handler->setDevice(device);
    handler->setFormat(format);
    return handler;
}
