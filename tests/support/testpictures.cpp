#include "testpictures.h"

#include <QFile>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>

QImage solidPicture(QSize size, QColor fill, QColor topEdge)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(fill);
    if (topEdge.isValid()) {
        for (int x = 0; x < size.width(); ++x)
            picture.setPixelColor(x, 0, topEdge);
    }
    return picture;
}

QString writePicture(const QString &path, const QImage &picture, const char *format, int quality)
{
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(picture))
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
    return path;
}

QString writeTga(const QString &path, const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes(18, '\0');
    bytes[2] = 2; // uncompressed true-colour
    bytes[12] = char(rgb.width() & 0xff);
    bytes[13] = char(rgb.width() >> 8);
    bytes[14] = char(rgb.height() & 0xff);
    bytes[15] = char(rgb.height() >> 8);
    bytes[16] = 24;
    bytes[17] = 0x20; // top-left origin
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar *line = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            bytes.append(char(line[3 * x + 2]));
            bytes.append(char(line[3 * x + 1]));
            bytes.append(char(line[3 * x]));
        }
    }
    bytes.append(QByteArray(8, '\0')); // no extension or developer area
    bytes.append("TRUEVISION-XFILE.");
    bytes.append('\0');
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

QImage noisePicture(QSize size, quint32 seed)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(picture.scanLine(y));
        random.fillRange(line, size.width());
        for (int x = 0; x < size.width(); ++x)
            line[x] |= 0xff000000;
    }
    return picture;
}

QImage photoLikePicture(QSize size, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width() * 0.3, size.height());
    sky.setColorAt(0, QColor::fromHsv(random.bounded(360), 120, 230));
    sky.setColorAt(1, QColor::fromHsv(random.bounded(360), 160, 90));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), random.bounded(255),
                                         random.bounded(255), 60 + random.bounded(120)));
        const int r = size.width() / 40 + random.bounded(size.width() / 6);
        painter.drawEllipse(QPoint(random.bounded(size.width()), random.bounded(size.height())), r,
                            r * (50 + random.bounded(100)) / 100);
    }
    painter.end();
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(random.bounded(13)) - 6;
            const QRgb p = line[x];
            line[x] =
                qRgb(std::clamp(qRed(p) + noise, 0, 255), std::clamp(qGreen(p) + noise, 0, 255),
                     std::clamp(qBlue(p) + noise, 0, 255));
        }
    }
    return picture;
}
