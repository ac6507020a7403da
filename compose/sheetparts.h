#pragma once

#include "compose/sheet.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

// The pieces of a composition that composeSheet and the Go (sheetrun.h) share, so that both lay
// sheets out alike, pixel for pixel: every copy is drawn, then its cutting line, in the order the
// placer gave them, then the lanes' lines. Nothing here paints through QPainter or converts
// through QImage at the size of a picture: Qt does either on its own thread pool, and waits for
// ever for work that pool could not start a thread for, so a process at its limit of threads
// would hang in a Go.

// A white sheet of `size` pixels at 300 dpi, tagged sRGB, as 24-bit RGB, which the JPEG writer
// takes as it is; null when it cannot be allocated.
QImage blankSheet(QSize size);

// The picture in `format`, converted a row at a time on the calling thread (Qt converts 65536
// pixels or more on its pool; a row of a picture is fewer).
QImage convertHere(const QImage &picture, QImage::Format format);

// Rows of a sheet, three bytes a pixel: rows `top` to `top + rows - 1` of a sheet `width`
// pixels wide, the whole sheet or a band of it. What is drawn is clipped to them.
struct SheetBand
{
    uchar *bits = nullptr;
    qsizetype stride = 0;
    int width = 0;
    int top = 0;
    int rows = 0;
    QRect area() const { return QRect(0, top, width, rows); }
    uchar *at(int x, int y) const { return bits + qsizetype(y - top) * stride + 3 * qsizetype(x); }
};
SheetBand wholeSheet(QImage &sheet);

// A picture's size on the sheet: turned a quarter turn in a row.
inline QSize placedSize(QSize picture, bool turned)
{
    return turned ? picture.transposed() : picture;
}

// A picture as its copies are drawn from it: an opaque one as 24-bit rows as stored (a row of
// copies turns it while copying), one with transparency premultiplied and already turned.
QImage copyPixels(const QImage &decoded, bool turned);
// How many rows of copyPixels' picture a copy at `area` needs for the rows of `band`.
int rowsNeeded(const QImage::Format format, const QRect &area, const SheetBand &band, bool turned);

// Draws the part of a copy at `area` (as placed) inside the band, from copyPixels' picture:
// opaque pictures are copied, turned in a row, transparent ones painted over the sheet as
// QPainter paints them (source over, with its rounding).
void drawCopy(const SheetBand &band, const QImage &pixels, const QRect &area, bool turned);

// The cutting lines of one copy, stroked once onto a transparent strip: every copy of a picture
// gets the same pixels, shifted, without stroking the dashes again. A stamp reaches Margin
// pixels before the copy's leading edge and Margin + 1 after it. The leading edge of a lane (a
// column of copies, or a row) is marked by the stamp of a copy of the lane's size laid the
// other way.
struct CuttingLineStamp
{
    static constexpr int Margin = 3; // room for the round caps and the white line's outer half
    QImage strip;

    CuttingLineStamp(QSize copy, CopyDirection direction);
    // The sheet pixels the stamp of a copy at `area` reaches.
    QRect reach(const QRect &area) const
    {
        return QRect(area.topLeft() - QPoint(Margin, Margin), strip.size());
    }
    void stamp(const SheetBand &band, const QRect &area) const;
};
