#include "photos.h"

#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

void writeBenchPicture(const QImage &picture, const QString &path, const char *format)
{
    QImageWriter writer(path, format);
    if (qstrcmp(format, "jpeg") == 0)
        writer.setQuality(90);
    if (!writer.write(picture)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        std::exit(1);
    }
}

double medianMs(QList<qint64> nanoseconds)
{
    if (nanoseconds.isEmpty())
        return 0;
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const qsizetype middle = nanoseconds.size() / 2;
    const double median = nanoseconds.size() % 2
                              ? nanoseconds[middle]
                              : (nanoseconds[middle - 1] + nanoseconds[middle]) / 2.0;
    return median / 1e6;
}
