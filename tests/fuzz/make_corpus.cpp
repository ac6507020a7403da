// Writes the fuzzer's starting corpus: small, valid pictures of every listed format, each
// prefixed with the byte that gives it its own suffix.
#include "testpictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("start");
    QDir().mkpath(folder);
    const QImage picture = photoLikePicture({48, 32}, 7);
    auto write = [&](const QString &name, char selector, const QByteArray &bytes) {
        QFile file(folder + "/" + name);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(1, selector) + bytes);
    };
    const char *formats[] = {"jpeg", "png", "tiff"};
    for (int selector = 0; selector < 3; ++selector) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, formats[selector]).write(picture);
        write(QString("start.%1").arg(formats[selector]), char(selector), buffer.data());
    }
    for (int type : {1, 2, 3, 9, 10, 11}) {
        TgaLayout layout;
        layout.type = type;
        layout.bits = type == 3 || type == 11 || type == 1 || type == 9 ? 8 : 24;
        layout.footer = type > 3;
        write(QString("start-%1.tga").arg(type), 3, encodeTga(picture, layout));
    }
    return 0;
}
