#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class QPrinterInfo;

// The papers a sheet is laid out for and printed on. The size fields show a paper's width and
// length in inches; the sheet is those inches x 300 pixels, truncated, as ever.

// A paper as the operator chooses it: its name as shown, its size as defined (A4 in
// millimetres, Letter in inches, a printer's own in points) and the size fields' texts.
struct Paper
{
    QString name;
    QPageSize size;
    QString widthInches;
    QString lengthInches;
};

// The largest paper: a roll of 100 inches.
inline constexpr double LongestPaperInches = 100.0;

// The papers every studio has: A4 (the presets' texts, 2480 x 3506 pixels), A3, Letter, Legal,
// 4 x 6, 5 x 7, 6 x 8 and 8 x 10 in, 10 x 15 and 13 x 18 cm.
QVector<Paper> standardPapers();
// A paper of the operator's own size, named by it ("24 x 98 in", "100 x 150 mm"); none when a
// side is not above 0, or above 100 inches.
std::optional<Paper> customPaper(double width, double length, QPageSize::Unit unit);
// A custom paper from its name, as customPaper names it; none for another name.
std::optional<Paper> customPaperNamed(const QString &name);
// The papers `printer` offers that are not among `known` (by name or size).
QVector<Paper> printerPapers(const QPrinterInfo &printer, const QVector<Paper> &known);
// A paper of any size the size fields' texts give.
Paper paperOfSize(const QString &name, const QString &widthInches, const QString &lengthInches);

// The inches text for the size fields: the shortest of one to six decimals whose pixels (x 300,
// truncated) are those of `inches`, so that the selection summary's "%.1f" sizes match a paper
// of whole tenths.
QString inchesText(double inches);

// The printer's own paper of `paper`'s size (as the printing system rounds sizes to whole
// points, within a point, either way round), or `paper` itself where the printer takes a custom
// size of it; none when it has neither.
std::optional<QPageSize> printersPaper(const QPrinterInfo &printer, const QPageSize &paper);
// The names of the papers a printer has, for telling the operator.
QStringList paperNames(const QPrinterInfo &printer);
