#pragma once

#include "compose/sheet.h"

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QVector>

// The pieces of a composition that composeSheet and the Go run (sheetrun.h) share, so that
// both lay a sheet out alike, pixel for pixel.

// A white sheet of `size` pixels at 300 dpi, tagged sRGB, as 24-bit RGB, which the JPEG writer
// takes as it is; null when it cannot be allocated.
QImage blankSheet(QSize size);

// The rows of a 24-bit sheet, as the composition writes them. Nothing here paints through
// QPainter or converts through QImage at the size of a picture: Qt does either on its own
// thread pool, and waits for ever for work that pool could not start a thread for, so a
// process at its limit of threads would hang in a Go.
struct SheetPixels
{
    explicit SheetPixels(QImage &sheet)
        : bits(sheet.bits()), stride(sheet.bytesPerLine()), size(sheet.size())
    {}
    uchar *bits;
    qsizetype stride;
    QSize size;
};

// The picture in `format`, converted a row at a time on the calling thread.
QImage convertHere(const QImage &picture, QImage::Format format);

// Paints `part` of a premultiplied picture over the sheet with the part's corner at `at`, as
// QPainter would paint it (source over, with its rounding), clipped to the sheet.
void paintOver(const SheetPixels &sheet, const QImage &picture, QPoint at, QRect part);

// Places a picture read whole at each of `corners` on the sheet: opaque pictures are copied,
// and turned in a row, straight into the sheet's rows; those with transparency are turned
// first and painted over it. With `lines`, each copy is followed by its cutting line.
void placeCopies(const SheetPixels &sheet, const SheetLayout &layout, QImage picture,
                 const QVector<QPoint> &corners, bool lines);

// A picture's size on the sheet: turned a quarter turn in a row.
inline QSize placedSize(QSize picture, bool turned)
{
    return turned ? picture.transposed() : picture;
}

// The cutting lines of one copy, stroked once onto a transparent strip: every copy of a picture
// gets the same pixels, shifted, without stroking the dashes again. A stamp reaches Margin
// pixels before the copy's leading edge and Margin + 1 after it.
struct CuttingLineStamp
{
    static constexpr int Margin = 3; // room for the round caps and the white line's outer half
    QImage strip;

    CuttingLineStamp(QSize copy, CopyDirection direction);
    void stamp(const SheetPixels &sheet, QPoint copyCorner) const
    {
        paintOver(sheet, strip, copyCorner - QPoint(Margin, Margin), strip.rect());
    }
    // Only the parts of the stamp inside `within` (sheet pixels).
    void stamp(const SheetPixels &sheet, QPoint copyCorner, const QRegion &within) const;
};

// Where the copies go, picture after picture, edge to edge from the margins: a picture's
// copies continue until one does not fit in the direction of travel, after which the sheet is
// full and every later copy is left out; copies the margins put wholly outside the sheet are
// left out too. Counts both, and the placed copies, in the outcome.
class CopyPlacer
{
public:
    CopyPlacer(const SheetLayout &layout, SheetOutcome &outcome);
    // Whether a request is to be read and placed: not when it asks for no copies, nor once
    // the sheet is full, when its copies are counted as left out.
    bool wants(const SheetRequest &request);
    // The corners of the copies of a picture of `size` (as placed: turned in a row) that land
    // on the sheet, in order.
    QVector<QPoint> place(const QString &name, QSize size, int copies);

private:
    const SheetLayout &layout;
    SheetOutcome &outcome;
    // Margins are whatever the operator typed: positions are worked out in 64 bits, so that no
    // margin can wrap a copy back onto the sheet.
    qint64 nextX;
    qint64 nextY;
    bool full = false;
};
