#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QPainter;

// Sheets are composed at 300 dots per inch.
inline constexpr int SheetDotsPerInch = 300;
inline constexpr int SheetDotsPerMetre = 11811;

// Sheet pixels for a length in inches written as decimal text: the exact product with 300,
// truncated toward zero, so 8.27 gives 2480 (a double product would round up to 2481). Text
// that is no number, or a length too large for a picture, gives 0.
int inchesToPixels(const QString &inches);

// How copies line up: one column from the top margin, or one row from the left margin with
// every picture turned a quarter turn clockwise. The values are the direction box's indices.
enum class CopyDirection { TopToBottom = 0, RotateLeftToRight = 1 };

struct SheetLayout
{
    SheetLayout() = default;
    SheetLayout(QSize size, QPoint margins, CopyDirection direction)
        : size(size), margins(margins), direction(direction)
    {}
    QSize size;     // sheet pixels
    QPoint margins; // left, top
    CopyDirection direction = CopyDirection::TopToBottom;
    // Copies that do not fit continue in the next column (the next row, turned), then on further
    // sheets, instead of being left out; the columns this far apart (the rows: the height).
    bool moreSheets = false;
    QSize gutter;
};

// One selected picture and how many copies of it are wanted.
struct SheetRequest
{
    QString name;
    int copies = 1;
};

// Loads a picture by name; a null image, with the reason in *whyNot, when it cannot be read.
using PictureLoader = std::function<QImage(const QString &name, QString *whyNot)>;

struct SheetOutcome
{
    // The composed sheets, in order, when composed in memory (composeSheet); the Go writes them
    // to files and keeps none.
    QVector<QImage> sheets;
    int sheetCount = 0; // sheets holding copies
    int placedCopies = 0;
    QStringList unreadable; // "name (reason)" of every picture skipped unread
    int copiesLeftOut =
        0; // copies not placed: the sheet was full, too small, or they lay outside it
    int copiesOutside = 0; // of those, the copies the margins put wholly outside the sheet
    QPoint margins;        // left, top, as the layout had them
    // The first picture that did not fit even on an empty sheet, with its size and the room
    // there was inside the margins; an empty name when there was none.
    struct
    {
        QString name;
        QSize size;
        QSize room;
    } firstTooLarge;
    bool sheetUnusable = false;
};

// The picture turned a quarter turn clockwise: its top edge becomes its right edge.
QImage turnForRow(const QImage &picture);

// Marks a copy's leading edge (top in a column, left in a row) with a white and a black
// dash-dot line.
void drawCuttingLine(QPainter &painter, const QRect &copy, CopyDirection direction);

// Lays the requested copies edge to edge, unscaled, from the margins onto white sheets in
// memory, in request order, loading each picture once. On one sheet it stops at the first copy
// that does not fit in the direction of travel (the other direction is cut off at the sheet's
// edge), and later copies are counted as left out; with more sheets they continue in further
// columns and sheets (see CopyPlacer). Copies the margins put wholly outside the sheet are left
// out too. Pictures that cannot be read are skipped and named.
SheetOutcome composeSheet(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                          const PictureLoader &load);

// The text the operator reads after a run, for sheets that were written (telling how many with
// more sheets, and that there is such a choice when copies were left out without it)...
QString completionReport(const SheetOutcome &outcome, bool moreSheets);
// ...and for a run that placed nothing, so wrote nothing.
QString nothingPlacedReport(const SheetOutcome &outcome, const QVector<SheetRequest> &requests);
