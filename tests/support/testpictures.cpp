#include "testpictures.h"

#include <QFile>
#include <QImageWriter>
#include <QLinearGradient>
#include <QList>
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

static void put16(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

static QByteArray pixelBytes(QRgb c, int bits, bool grey)
{
    QByteArray out;
    if (grey) {
        out.append(char(qRed(c)));
        if (bits == 16)
            out.append(char(qAlpha(c)));
    } else if (bits == 15 || bits == 16) {
        put16(out, (qAlpha(c) > 127 ? 0x8000 : 0) | ((qRed(c) >> 3) << 10) |
                       ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
    } else {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        if (bits == 32)
            out.append(char(qAlpha(c)));
    }
    return out;
}

QByteArray encodeTga(const QImage &source, const TgaLayout &layout)
{
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    const bool mapped = layout.type == 1 || layout.type == 9;
    const bool grey = layout.type == 3 || layout.type == 11;
    const bool rle = layout.type >= 9;
    QList<QRgb> palette;
    QByteArray header;
    header.append(char(layout.idLength));
    header.append(char(mapped ? 1 : 0));
    header.append(char(layout.type));
    QByteArray stream; // pixels in file order, as written values
    QList<QByteArray> pixels;
    for (int row = 0; row < picture.height(); ++row) {
        const int y = layout.topToBottom ? row : picture.height() - 1 - row;
        for (int column = 0; column < picture.width(); ++column) {
            const int x = layout.rightToLeft ? picture.width() - 1 - column : column;
            const QRgb c = picture.pixel(x, y);
            if (mapped) {
                if (!palette.contains(c))
                    palette << c;
                QByteArray index;
                const int i = int(palette.indexOf(c)) + layout.mapFirstEntry;
                if (layout.bits == 8)
                    index.append(char(i));
                else
                    put16(index, i);
                pixels << index;
            } else {
                pixels << pixelBytes(c, layout.bits, grey);
            }
        }
    }
    put16(header, mapped ? layout.mapFirstEntry : 0);
    put16(header, mapped ? int(palette.size()) : 0);
    header.append(char(mapped ? layout.mapBits : 0));
    put16(header, 0);
    put16(header, 0);
    put16(header, picture.width());
    put16(header, picture.height());
    header.append(char(layout.bits));
    header.append(char(layout.attributeBits | (layout.rightToLeft ? 0x10 : 0) |
                       (layout.topToBottom ? 0x20 : 0)));
    QByteArray out = header + QByteArray(layout.idLength, 'i');
    for (QRgb c : palette)
        out += pixelBytes(c, layout.mapBits, false);
    if (!rle) {
        for (const QByteArray &p : pixels)
            out += p;
    } else {
        for (qsizetype i = 0; i < pixels.size();) {
            qsizetype run = 1;
            while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i])
                ++run;
            if (run > 1) {
                out.append(char(0x80 | (run - 1)));
                out += pixels[i];
                i += run;
            } else {
                qsizetype raw = 1;
                while (i + raw < pixels.size() && raw < 128 &&
                       (i + raw + 1 >= pixels.size() || pixels[i + raw] != pixels[i + raw + 1]))
                    ++raw;
                out.append(char(raw - 1));
                for (qsizetype k = 0; k < raw; ++k)
                    out += pixels[i + k];
                i += raw;
            }
        }
    }
    if (layout.footer) {
        out += QByteArray(8, '\0');
        out += QByteArray("TRUEVISION-XFILE.", 17);
        out.append('\0');
    }
    return out;
}

QString writeTga(const QString &path, const QImage &picture)
{
    TgaLayout layout;
    layout.topToBottom = true;
    layout.footer = true;
    QFile file(path);
    const QByteArray bytes = encodeTga(picture, layout);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

QImage noisePicture(QSize size, quint32 variant)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(variant);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(picture.scanLine(y));
        random.fillRange(line, size.width());
        for (int x = 0; x < size.width(); ++x)
            line[x] |= 0xff000000;
    }
    return picture;
}

QImage photoLikePicture(QSize size, quint32 variant)
{
    QRandomGenerator random(variant);
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
