#include "pictures/picturerows.h"

#include "pictures/refusal.h"

#include <QImageIOHandler>
#include <algorithm>

// Averages every source pixel into the target pixel whose box holds it, one target row at a
// time, so that only a row of sums is kept. Rows may arrive bottom-up.
class PictureRows::BoxShrink
{
public:
    BoxShrink(QSize source, QImage *target, bool straightAlpha)
        : source(source), target(target), straightAlpha(straightAlpha), row(source.width()),
          sums(size_t(target->width()) * 4), counts(target->width()), column(source.width())
    {
        for (int x = 0; x < source.width(); ++x)
            column[x] = int(qint64(x) * target->width() / source.width());
    }
    QRgb *buffer() { return row.data(); }
    void add(int y)
    {
        const int targetRow = int(qint64(y) * target->height() / source.height());
        if (targetRow != currentRow) {
            flush();
            currentRow = targetRow;
        }
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = straightAlpha ? qPremultiply(row[x]) : row[x];
            quint64 *sum = &sums[size_t(column[x]) * 4];
            sum[0] += qRed(pixel);
            sum[1] += qGreen(pixel);
            sum[2] += qBlue(pixel);
            sum[3] += qAlpha(pixel);
            ++counts[column[x]];
        }
    }
    void flush()
    {
        if (currentRow < 0)
            return;
        auto *out = reinterpret_cast<QRgb *>(target->scanLine(currentRow));
        for (int x = 0; x < target->width(); ++x) {
            const quint64 n = std::max<quint64>(counts[x], 1);
            const quint64 *sum = &sums[size_t(x) * 4];
            out[x] = qRgba(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n),
                           int((sum[2] + n / 2) / n), int((sum[3] + n / 2) / n));
        }
        std::fill(sums.begin(), sums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
    }

private:
    QSize source;
    QImage *target;
    bool straightAlpha;
    std::vector<QRgb> row;
    std::vector<quint64> sums;
    std::vector<quint64> counts;
    std::vector<int> column;
    int currentRow = -1;
};

PictureRows::PictureRows(QSize size, QImage::Format format, QSize wanted)
    : size(size), format(format), wanted(wanted.isValid() && !wanted.isEmpty() ? wanted : QSize())
{}

PictureRows::~PictureRows() = default;

bool PictureRows::allocate(QString *why)
{
    const bool shrinking = wanted.isValid() && wanted.width() <= size.width() &&
                           wanted.height() <= size.height() && wanted != size;
    // Averaged pixels with transparency are kept premultiplied, as averaging needs them.
    const QImage::Format kept =
        shrinking && format == QImage::Format_ARGB32 ? QImage::Format_ARGB32_Premultiplied : format;
    try {
        if (!QImageIOHandler::allocateImage(shrinking ? wanted : size, kept, &picture)) {
            if (why)
                *why = noMemoryForPictureReason(size);
            return false;
        }
        if (shrinking)
            shrink = std::make_unique<BoxShrink>(size, &picture, format == QImage::Format_ARGB32);
    } catch (const std::bad_alloc &) {
        picture = QImage();
        if (why)
            *why = outOfMemoryReason();
        return false;
    }
    return true;
}

QRgb *PictureRows::row(int y)
{
    return shrink ? shrink->buffer() : reinterpret_cast<QRgb *>(picture.scanLine(y));
}

void PictureRows::rowDone(int y)
{
    if (shrink)
        shrink->add(y);
}

QImage PictureRows::take()
{
    if (shrink)
        shrink->flush();
    shrink.reset();
    if (wanted.isValid() && !picture.isNull() && picture.size() != wanted)
        picture = picture.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return std::exchange(picture, QImage());
}
