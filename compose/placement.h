#pragma once

#include "compose/sheet.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

// One copy on the sheets: the sheet it is on (from 0) and its place there, as placed (turned in
// a row).
struct PlacedCopy
{
    int sheet = 0;
    QRect area;
};

// A column of copies (a row of them in a turned layout) when copies continue in further
// columns: its leading edge (the left, or the top) is marked with a cutting line of its own.
struct Lane
{
    int sheet = 0;
    QRect area; // from its first copy's corner to the far side of its widest copy and its last
};

// Where the copies go, picture after picture, edge to edge from the margins, and the one answer
// every way of composing draws from. On one sheet a picture's copies continue until one does not
// fit in the direction of travel, after which the sheet is full and every later copy is left
// out. With more sheets, a copy that does not fit starts the next column, right of the column's
// widest copy and a gutter apart (the next row, below its tallest copy, in a row), and a
// column that does not fit across starts the next sheet; a picture too large for an empty sheet
// is left out and the next one goes on. Copies the margins put wholly outside the sheet are left
// out too. The outcome counts the placed copies, those left out and the sheets used.
class CopyPlacer
{
public:
    CopyPlacer(const SheetLayout &layout, SheetOutcome &outcome);
    // Whether a request is to be read and placed: not when it asks for no copies, nor once the
    // sheet is full, when its copies are counted as left out.
    bool wants(const SheetRequest &request);
    // The places of the copies of a picture of `size` (as placed: turned in a row) that land on
    // a sheet, in order.
    QVector<PlacedCopy> place(const QString &name, QSize size, int copies);
    // The columns (rows) so far, when copies continue in further ones.
    const QVector<Lane> &lanes() const { return placedLanes; }

private:
    // Along is the direction of travel (down a column, across a row), across the other one.
    int along(QSize size) const;
    int across(QSize size) const;
    void startLane(qint64 at);
    bool fits(QSize size) const;

    const SheetLayout &layout;
    SheetOutcome &outcome;
    const bool inColumn;
    // Margins are whatever the operator typed: positions are worked out in 64 bits, so that no
    // margin can wrap a copy back onto the sheet.
    qint64 next = 0;      // along: where the next copy starts
    qint64 laneStart = 0; // across: where the lane starts
    int laneExtent = 0;   // across: its widest copy so far
    int sheet = 0;
    bool laneEmpty = true;  // no copy has been given a place in it yet
    bool laneDrawn = false; // one of them landed on the sheet: it is among the lanes
    bool full = false;
    QVector<Lane> placedLanes;
};
