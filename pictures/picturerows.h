#pragma once

#include "pictures/refusal.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

// The picture the program's own readers (TGA, TIFF) decode into, row by row. Decoding for a
// thumbnail, every source row is averaged into the smaller picture as it arrives (a box
// filter), so the full-size picture is never held: only one row of sums.
class PictureRows
{
public:
    // Rows of a picture of `size` pixels in `format` (RGB32, ARGB32 or its premultiplied
    // form), kept at `wanted` when that is a valid size (smaller: averaged while decoding;
    // larger: enlarged at the end).
    PictureRows(QSize size, QImage::Format format, QSize wanted = QSize());
    ~PictureRows();

    // Allocates the picture through Qt's reader allocation limit, the one limit every reader
    // shares. False, with the reason, when it cannot.
    bool allocate(QString *why);

    // Where picture row `y` (top-down, 0 to the height) is decoded to: `size.width()` words.
    // Rows may come in any order, each once, each followed by rowDone.
    QRgb *row(int y);
    void rowDone(int y);

    // The finished picture, at the wanted size.
    QImage take();

private:
    class BoxShrink;
    QSize size;
    QImage::Format format;
    QSize wanted;
    QImage picture;
    std::unique_ptr<BoxShrink> shrink;
};

// A vector of `count` elements sized from what a file claims, or an empty one with the reason
// when it would exceed `limitBytes` or memory: allocation failures become refusals, never
// exceptions in a decoding thread.
template <typename T>
bool allocateBuffer(std::vector<T> &buffer, qint64 count, qint64 limitBytes, QString *why)
{
    if (count < 0 || count > limitBytes / qint64(sizeof(T))) {
        if (why)
            *why = QCoreApplication::translate("Quorvel", "its data needs a buffer of over %1 MB")
                       .arg(limitBytes >> 20);
        return false;
    }
    try {
        buffer.assign(size_t(count), T());
    } catch (const std::bad_alloc &) {
        if (why)
            *why = outOfMemoryReason();
        return false;
    }
    return true;
}
