#include "compose/placement.h"

#include <algorithm>
#include <climits>

namespace {
// The sheet less its margins; a side is 0 or less when a margin reaches past the sheet.
QSize roomInsideMargins(const SheetLayout &layout)
{
    auto side = [](int sheet, int margin) {
        return int(std::clamp<qint64>(qint64(sheet) - margin, INT_MIN, INT_MAX));
    };
    return QSize(side(layout.size.width(), layout.margins.x()),
                 side(layout.size.height(), layout.margins.y()));
}
} // namespace

CopyPlacer::CopyPlacer(const SheetLayout &layout, SheetOutcome &outcome)
    : layout(layout), outcome(outcome), inColumn(layout.direction == CopyDirection::TopToBottom)
{
    startLane(across(QSize(layout.margins.x(), layout.margins.y())));
}

int CopyPlacer::along(QSize size) const
{
    return inColumn ? size.height() : size.width();
}

int CopyPlacer::across(QSize size) const
{
    return inColumn ? size.width() : size.height();
}

void CopyPlacer::startLane(qint64 at)
{
    laneStart = at;
    laneExtent = 0;
    laneEmpty = true;
    laneDrawn = false;
    next = along(QSize(layout.margins.x(), layout.margins.y()));
}

bool CopyPlacer::fits(QSize size) const
{
    if (next + along(size) > along(layout.size))
        return false;
    // A later column must fit across too; the first is cut off at the sheet's edge, as a
    // single column is.
    const qint64 firstLane = across(QSize(layout.margins.x(), layout.margins.y()));
    return laneStart == firstLane || laneStart + across(size) <= across(layout.size);
}

bool CopyPlacer::wants(const SheetRequest &request)
{
    if (request.copies > 0 && full)
        outcome.copiesLeftOut += request.copies;
    return request.copies > 0 && !full;
}

QVector<PlacedCopy> CopyPlacer::place(const QString &name, QSize size, int copies)
{
    const qint64 firstLane = across(QSize(layout.margins.x(), layout.margins.y()));
    const qint64 room =
        along(layout.size) - qint64(along(QSize(layout.margins.x(), layout.margins.y())));
    QVector<PlacedCopy> placed;
    for (int copy = 0; copy < copies; ++copy) {
        // Too long for an empty column, so for every column of every sheet.
        const bool tooLarge = layout.moreSheets && along(size) > room;
        if (!tooLarge && !fits(size) && layout.moreSheets) {
            startLane(laneStart + laneExtent + std::max(0, across(layout.gutter)));
            if (!fits(size)) {
                ++sheet;
                startLane(firstLane);
            }
        }
        if (tooLarge || !fits(size)) {
            if (outcome.firstTooLarge.name.isEmpty() &&
                (outcome.placedCopies == 0 || layout.moreSheets))
                outcome.firstTooLarge = {name, size, roomInsideMargins(layout)};
            outcome.copiesLeftOut += copies - copy;
            // On one sheet it is full; with more sheets the next picture goes on.
            full = !layout.moreSheets;
            break;
        }
        const qint64 x = inColumn ? laneStart : next;
        const qint64 y = inColumn ? next : laneStart;
        const bool onSheet = x < layout.size.width() && x + size.width() > 0 &&
                             y < layout.size.height() && y + size.height() > 0;
        if (onSheet) {
            // On the sheet, so both coordinates are within a picture's side of it.
            const QRect area(int(x), int(y), size.width(), size.height());
            placed << PlacedCopy{sheet, area};
            ++outcome.placedCopies;
            outcome.sheetCount = sheet + 1;
            if (layout.moreSheets) {
                if (laneDrawn)
                    placedLanes.last().area |= area;
                else
                    placedLanes << Lane{sheet, area};
                laneDrawn = true;
            }
        } else {
            ++outcome.copiesOutside;
            ++outcome.copiesLeftOut;
        }
        laneEmpty = false;
        laneExtent = std::max(laneExtent, across(size));
        next += along(size);
    }
    return placed;
}
