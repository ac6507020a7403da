#pragma once

#include <QImageIOHandler>
#include <QImageIOPlugin>

// The name under which the program's own TGA reader is registered with Qt. Qt's bundled TGA
// plug-in, loaded from the system, would otherwise take every ".tga" file: it reads only
// uncompressed true-colour files with the TGA 2.0 footer.
inline constexpr char QuorvelTgaFormat[] = "quorvel-tga";

class TgaHandler : public QImageIOHandler
{
public:
    bool canRead() const override;
    bool read(QImage *image) override;
    bool supportsOption(ImageOption option) const override;
    QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant &value) override;

    // Whether the device starts with a TGA header this reader can decode.
    static bool canRead(QIODevice *device);

private:
    QSize scaledSize;
};

class TgaPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "tga.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override;
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override;
};
