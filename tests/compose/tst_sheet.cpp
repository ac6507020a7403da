#include "compose/sheet.h"
#include "pictures/pictures.h"
#include "sheetchecks.h"
#include "testsupport.h"

#include <QTest>
#include <QTransform>

using namespace sheetchecks;

// Sheet composition on in-memory pictures, checked pixel for pixel.
class SheetTest : public QObject
{
    Q_OBJECT

private slots:
    void inchesToPixels_data();
    void inchesToPixels();
    void columnOfCopiesStopsAtTheFirstThatDoesNotFit();
    void laterSmallerPicturesAreNotPlacedOnceFull();
    void copyEndingOnTheEdgeFits_data();
    void copyEndingOnTheEdgeFits();
    void zeroCopiesPlaceNothing();
    void marginsMoveTheFirstCopy();
    void unreadablePicturesAreSkippedAndNamed();
    void firstCopyLargerThanTheSpaceIsReported();
    void overhangAcrossTheTravelIsCutOff();
    void marginsBeyondTheSheet_data();
    void marginsBeyondTheSheet();
    void eachPictureIsLoadedOnce();
    void moreSheetsContinueInColumnsAndSheets_data();
    void moreSheetsContinueInColumnsAndSheets();
    void reports();
};

void SheetTest::inchesToPixels_data()
{
    QTest::addColumn<QString>("inches");
    QTest::addColumn<int>("pixels");
    QTest::newRow("A4 width") << "8.27" << 2480;
    QTest::newRow("A4 height") << "11.69" << 3506;
    QTest::newRow("A3 height") << "16.53" << 4959;
    QTest::newRow("4") << "4" << 1200;
    QTest::newRow("6") << "6" << 1800;
    QTest::newRow("2.57") << "2.57" << 770;
    QTest::newRow("3.3") << "3.3" << 989;
    QTest::newRow("1.1 just above") << "1.1" << 330;
    QTest::newRow("0.01 just above") << "0.01" << 3;
    QTest::newRow("under one pixel") << "0.00333" << 0;
    QTest::newRow("trailing zeros") << "8.2700" << 2480;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("negative") << "-4" << 0;
    QTest::newRow("absurd") << "1e300" << 0;
}

void SheetTest::inchesToPixels()
{
    QFETCH(QString, inches);
    QFETCH(int, pixels);
    QCOMPARE(::inchesToPixels(inches), pixels);
}

void SheetTest::columnOfCopiesStopsAtTheFirstThatDoesNotFit()
{
    Pictures pictures;
    pictures.byName["wide"] = patternPicture({2400, 1200}, 1);
    const SheetLayout layout{A4, {0, 0}, CopyDirection::TopToBottom};
    const SheetOutcome three = composeSheet(layout, {{"wide", 3}}, pictures.loader());
    QCOMPARE(three.placedCopies, 2);
    QCOMPARE(three.copiesLeftOut, 1);
    QCOMPARE(three.sheets.value(0).size(), A4);
    QCOMPARE(three.sheets.value(0).dotsPerMeterX(), 11811);
    QCOMPARE(three.sheets.value(0).dotsPerMeterY(), 11811);
    const QImage &wide = pictures.byName["wide"];
    const QRect area = untouchedArea(wide.size(), layout.direction);
    QVERIFY(showsPicture(three.sheets.value(0), {0, 0}, wide, area));
    QVERIFY(showsPicture(three.sheets.value(0), {0, 1200}, wide, area));
    QVERIFY(isWhite(three.sheets.value(0), QRect(0, 2402, 2480, 3506 - 2402)));
    QVERIFY(isWhite(three.sheets.value(0), QRect(2401, 2, 79, 2398)));

    const SheetOutcome two = composeSheet(layout, {{"wide", 2}}, pictures.loader());
    QCOMPARE(two.placedCopies, 2);
    QCOMPARE(two.copiesLeftOut, 0);
    QCOMPARE(two.sheets.value(0), three.sheets.value(0));
}

void SheetTest::laterSmallerPicturesAreNotPlacedOnceFull()
{
    Pictures pictures;
    pictures.byName["A"] = patternPicture({1000, 1200}, 1);
    pictures.byName["B"] = patternPicture({1000, 2000}, 2);
    pictures.byName["C"] = patternPicture({1000, 100}, 3);
    const SheetLayout layout{A4, {0, 0}, CopyDirection::TopToBottom};
    const SheetOutcome outcome =
        composeSheet(layout, {{"A", 2}, {"B", 1}, {"C", 1}}, pictures.loader());
    QCOMPARE(outcome.placedCopies, 2);
    QCOMPARE(outcome.copiesLeftOut, 2);
    QVERIFY(showsPicture(outcome.sheets.value(0), {0, 1200}, pictures.byName["A"],
                         untouchedArea({1000, 1200}, layout.direction)));
    // C would fit below A's copies but the run stopped at B.
    QVERIFY(isWhite(outcome.sheets.value(0), QRect(0, 2402, 2480, 1104)));
}

void SheetTest::copyEndingOnTheEdgeFits_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("extra");
    QTest::addColumn<int>("placed");
    QTest::newRow("column, exactly") << 0 << 0 << 1;
    QTest::newRow("column, one over") << 0 << 1 << 0;
    QTest::newRow("row, exactly") << 1 << 0 << 1;
    QTest::newRow("row, one over") << 1 << 1 << 0;
}

void SheetTest::copyEndingOnTheEdgeFits()
{
    QFETCH(int, direction);
    QFETCH(int, extra);
    QFETCH(int, placed);
    const SheetLayout layout{A4, {30, 40}, CopyDirection(direction)};
    Pictures pictures;
    // In a row the picture is turned, so its height runs along the sheet's width.
    pictures.byName["edge"] = direction == 0 ? patternPicture({500, 3506 - 40 + extra}, 1)
                                             : patternPicture({500, 2480 - 30 + extra}, 1);
    QCOMPARE(composeSheet(layout, {{"edge", 1}}, pictures.loader()).placedCopies, placed);
}

void SheetTest::zeroCopiesPlaceNothing()
{
    Pictures pictures;
    pictures.byName["A"] = patternPicture({600, 400}, 1);
    pictures.byName["Z"] = patternPicture({600, 900}, 2);
    pictures.byName["B"] = patternPicture({600, 400}, 3);
    const SheetLayout layout{A4, {0, 0}, CopyDirection::TopToBottom};
    const SheetOutcome middle =
        composeSheet(layout, {{"A", 1}, {"Z", 0}, {"B", 1}}, pictures.loader());
    QCOMPARE(middle.placedCopies, 2);
    QVERIFY(showsPicture(middle.sheets.value(0), {0, 400}, pictures.byName["B"],
                         untouchedArea({600, 400}, layout.direction)));
    QVERIFY(!pictures.loads.contains("Z"));

    const SheetOutcome last = composeSheet(layout, {{"A", 1}, {"Z", 0}}, pictures.loader());
    QCOMPARE(last.placedCopies, 1);

    const QVector<SheetRequest> none{{"Z", 0}, {"A", 0}};
    const SheetOutcome nothing = composeSheet(layout, none, pictures.loader());
    QCOMPARE(nothing.placedCopies, 0);
    QVERIFY(nothingPlacedReport(nothing, none).contains("Every selected picture is set to 0"));
}

void SheetTest::marginsMoveTheFirstCopy()
{
    Pictures pictures;
    pictures.byName["p"] = patternPicture({400, 300}, 4);
    const SheetLayout layout{A4, {50, 100}, CopyDirection::TopToBottom};
    const SheetOutcome outcome = composeSheet(layout, {{"p", 2}}, pictures.loader());
    QVERIFY(showsPicture(outcome.sheets.value(0), {50, 100}, pictures.byName["p"],
                         untouchedArea({400, 300}, layout.direction)));
    QVERIFY(showsPicture(outcome.sheets.value(0), {50, 400}, pictures.byName["p"],
                         untouchedArea({400, 300}, layout.direction)));
    QVERIFY(isWhite(outcome.sheets.value(0), QRect(0, 0, 2480, 98)));
    QVERIFY(isWhite(outcome.sheets.value(0), QRect(0, 102, 48, 3000)));
    QVERIFY(isWhite(outcome.sheets.value(0), QRect(452, 102, 2000, 3000)));
}

void SheetTest::unreadablePicturesAreSkippedAndNamed()
{
    Pictures pictures;
    pictures.byName["good"] = patternPicture({500, 500}, 1);
    const SheetLayout layout{A4, {0, 10}, CopyDirection::TopToBottom};
    const SheetOutcome outcome =
        composeSheet(layout, {{"broken.jpg", 2}, {"good", 1}}, pictures.loader());
    QCOMPARE(outcome.placedCopies, 1);
    QCOMPARE(outcome.unreadable, QStringList{"broken.jpg (file not found)"});
    // The unreadable picture took no room.
    QVERIFY(showsPicture(outcome.sheets.value(0), {0, 10}, pictures.byName["good"],
                         untouchedArea({500, 500}, layout.direction)));
    QCOMPARE(completionReport(outcome, false),
             "Job Completed\nSkipped, could not be read: broken.jpg (file not found)");

    const QVector<SheetRequest> onlyBroken{{"broken.jpg", 1}};
    const SheetOutcome nothing = composeSheet(layout, onlyBroken, pictures.loader());
    QCOMPARE(nothing.placedCopies, 0);
    QCOMPARE(nothingPlacedReport(nothing, onlyBroken),
             "No sheet was written.\nCould not be read: broken.jpg (file not found)");
}

void SheetTest::firstCopyLargerThanTheSpaceIsReported()
{
    Pictures pictures;
    pictures.byName["huge.jpg"] = patternPicture({2000, 3500}, 1);
    pictures.byName["small"] = patternPicture({100, 100}, 2);
    const SheetLayout layout{A4, {0, 100}, CopyDirection::TopToBottom};
    const QVector<SheetRequest> requests{{"huge.jpg", 1}, {"small", 1}};
    const SheetOutcome outcome = composeSheet(layout, requests, pictures.loader());
    QCOMPARE(outcome.placedCopies, 0);
    QCOMPARE(outcome.copiesLeftOut, 2);
    QCOMPARE(nothingPlacedReport(outcome, requests),
             "No sheet was written.\nhuge.jpg (2000 x 3500 pixels) does not fit in the 2480 x "
             "3406 pixels inside the margins.");
}

void SheetTest::overhangAcrossTheTravelIsCutOff()
{
    Pictures pictures;
    pictures.byName["wider"] = solidPicture({3000, 400}, Qt::blue);
    const SheetLayout layout{A4, {0, 0}, CopyDirection::TopToBottom};
    const SheetOutcome outcome = composeSheet(layout, {{"wider", 1}}, pictures.loader());
    QCOMPARE(outcome.placedCopies, 1);
    QCOMPARE(outcome.sheets.value(0).pixel(2479, 200), qRgb(0, 0, 255));
}

void SheetTest::marginsBeyondTheSheet_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("margins");
    QTest::addColumn<int>("placed");
    QTest::addColumn<int>("outside");
    QTest::addColumn<int>("leftOut");
    const int huge = 2147483000;
    // Four copies of a 301 x 1200 picture (1200 x 301 turned in a row).
    QTest::newRow("column, top margin near the int limit") << 0 << QPoint(0, huge) << 0 << 0 << 4;
    QTest::newRow("column, left margin near the int limit") << 0 << QPoint(huge, 0) << 0 << 2 << 4;
    QTest::newRow("row, left margin near the int limit") << 1 << QPoint(huge, 0) << 0 << 0 << 4;
    QTest::newRow("row, top margin near the int limit") << 1 << QPoint(0, huge) << 0 << 2 << 4;
    QTest::newRow("column, left margin past the sheet") << 0 << QPoint(3000, 0) << 0 << 2 << 4;
    QTest::newRow("row, top margin past the sheet") << 1 << QPoint(0, 4000) << 0 << 2 << 4;
    QTest::newRow("column, left margin far negative") << 0 << QPoint(-huge, 0) << 0 << 2 << 4;
    QTest::newRow("column, left margin one width back") << 0 << QPoint(-301, 0) << 0 << 2 << 4;
    QTest::newRow("column, one pixel column on the sheet") << 0 << QPoint(-300, 0) << 2 << 0 << 2;
    QTest::newRow("column, first two copies above the sheet")
        << 0 << QPoint(0, -2400) << 2 << 2 << 2;
    QTest::newRow("column, cut off at the right") << 0 << QPoint(2300, 0) << 2 << 0 << 2;
}

// Copies lie where the margins put them, worked out without overflow; a copy wholly off the
// sheet is not placed, and a run that places nothing says the margins are the reason.
void SheetTest::marginsBeyondTheSheet()
{
    QFETCH(int, direction);
    QFETCH(QPoint, margins);
    QFETCH(int, placed);
    QFETCH(int, outside);
    QFETCH(int, leftOut);
    Pictures pictures;
    pictures.byName["tall"] = patternPicture({301, 1200}, 1);
    const SheetLayout layout{A4, margins, CopyDirection(direction)};
    const QVector<SheetRequest> requests{{"tall", 4}};
    const SheetOutcome outcome = composeSheet(layout, requests, pictures.loader());
    QCOMPARE(outcome.placedCopies, placed);
    QCOMPARE(outcome.copiesOutside, outside);
    QCOMPARE(outcome.copiesLeftOut, leftOut);
    if (placed == 0) {
        QCOMPARE(nothingPlacedReport(outcome, requests),
                 QString("No sheet was written.\nThe margins (left %1, top %2 pixels) put the "
                         "copies outside the sheet.")
                     .arg(margins.x())
                     .arg(margins.y()));
        return;
    }
    // Every copy on the sheet is where the margins and the copies before it put it.
    const QImage &sheet = outcome.sheets.value(0);
    for (int copy = 0; copy < outside + placed; ++copy) {
        const QRect area =
            QRect(margins + QPoint(0, 1200 * copy), QSize(301, 1200)) & QRect(QPoint(0, 0), A4);
        if (area.isEmpty())
            continue;
        const QPoint inside = area.center();
        QCOMPARE(sheet.pixel(inside),
                 pictures.byName["tall"].pixel(inside - margins - QPoint(0, 1200 * copy)));
    }
}

void SheetTest::eachPictureIsLoadedOnce()
{
    Pictures pictures;
    pictures.byName["a"] = patternPicture({100, 100}, 1);
    pictures.byName["b"] = patternPicture({100, 100}, 2);
    const SheetLayout layout{A4, {0, 0}, CopyDirection::RotateLeftToRight};
    composeSheet(layout, {{"a", 5}, {"b", 4}}, pictures.loader());
    QCOMPARE(pictures.loads, QStringList({"a", "b"}));
}

void SheetTest::moreSheetsContinueInColumnsAndSheets_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("margins");
    QTest::addColumn<int>("gutter");
    QTest::addColumn<QStringList>("pictures"); // "name:WxH:copies", as stored
    QTest::addColumn<QStringList>("copies");   // where each lands: "name@sheet:x,y"
    QTest::addColumn<int>("leftOut");
    const int column = int(CopyDirection::TopToBottom), row = int(CopyDirection::RotateLeftToRight);
    // Two a column (40 + 2 x 1200 = 2440; a third would end at 3640); the second column at
    // 50 + 1000 + 30, a third at 2110 would end past 2480: the next sheet.
    QTest::newRow("column over two sheets")
        << column << QPoint(50, 40) << 30 << QStringList{"p:1000x1200:7"}
        << QStringList{"p@0:50,40", "p@0:50,1240", "p@0:1080,40", "p@0:1080,1240",
                       "p@1:50,40", "p@1:50,1240", "p@1:1080,40"}
        << 0;
    // Turned 600 x 1000: four a row (20 + 4 x 600 = 2420), rows 1000 + 25 apart from the top
    // margin; a fourth row at 3105 would end past 3506.
    QTest::newRow("rows over two sheets")
        << row << QPoint(20, 30) << 25 << QStringList{"q:1000x600:14"}
        << QStringList{"q@0:20,30",   "q@0:620,30",   "q@0:1220,30",   "q@0:1820,30",
                       "q@0:20,1055", "q@0:620,1055", "q@0:1220,1055", "q@0:1820,1055",
                       "q@0:20,2080", "q@0:620,2080", "q@0:1220,2080", "q@0:1820,2080",
                       "q@1:20,30",   "q@1:620,30"}
        << 0;
    // The second column starts right of the first's 800; it is then 1200 wide, so a third
    // would start at 2000 and end at 3200: the next sheet.
    QTest::newRow("the next column right of the widest copy")
        << column << QPoint() << 0 << QStringList{"a:800x1500:3", "b:1200x1500:2"}
        << QStringList{"a@0:0,0", "a@0:0,1500", "a@0:800,0", "b@0:800,1500", "b@1:0,0"} << 0;
    // Too long for any sheet: left out, and the next picture goes on.
    QTest::newRow("a picture too large for a sheet")
        << column << QPoint() << 0 << QStringList{"huge:500x4000:1", "s:500x500:2"}
        << QStringList{"s@0:0,0", "s@0:0,500"} << 1;
}

// With more sheets, copies that do not fit continue in the next column (row), a gutter right
// of (below) the widest copy, then on the next sheet; each column's leading edge has its
// cutting line too.
void SheetTest::moreSheetsContinueInColumnsAndSheets()
{
    QFETCH(int, direction);
    QFETCH(QPoint, margins);
    QFETCH(int, gutter);
    QFETCH(QStringList, pictures);
    QFETCH(QStringList, copies);
    QFETCH(int, leftOut);
    Pictures loaded;
    QVector<SheetRequest> requests;
    for (int i = 0; i < pictures.size(); ++i) {
        const QStringList fields = pictures[i].split(':');
        const QStringList size = fields[1].split('x');
        loaded.byName[fields[0]] = patternPicture({size[0].toInt(), size[1].toInt()}, i + 1);
        requests << SheetRequest{fields[0], fields[2].toInt()};
    }
    SheetLayout layout{A4, margins, CopyDirection(direction)};
    layout.moreSheets = true;
    layout.gutter = QSize(gutter, gutter);
    const SheetOutcome outcome = composeSheet(layout, requests, loaded.loader());
    const int sheets = copies.last().section('@', 1).section(':', 0, 0).toInt() + 1;
    QCOMPARE(outcome.sheetCount, sheets);
    QCOMPARE(outcome.sheets.size(), sheets);
    QCOMPARE(outcome.placedCopies, copies.size());
    QCOMPARE(outcome.copiesLeftOut, leftOut);
    const bool column = layout.direction == CopyDirection::TopToBottom;
    for (const QString &copy : copies) {
        const QImage &sheet = outcome.sheets[copy.section('@', 1).section(':', 0, 0).toInt()];
        const QPoint at(copy.section(':', 1).section(',', 0, 0).toInt(),
                        copy.section(',', 1).toInt());
        QImage picture = loaded.byName[copy.section('@', 0, 0)];
        if (!column)
            picture = picture.transformed(QTransform().rotate(90));
        // Less the leading edge's two lines, the column's (row's) along it, and the far side,
        // where the next column's white line may fall.
        const QRect inside =
            untouchedArea(picture.size(), layout.direction)
                .adjusted(column ? 2 : 0, column ? 0 : 2, column ? -1 : 0, column ? 0 : -1);
        QVERIFY2(showsPicture(sheet, at, picture, inside), qPrintable(copy));
        // The column's line, dash-dot: dark over most of the copy's side.
        int dark = 0;
        const int length = column ? picture.height() - 8 : picture.width() - 8;
        for (int along = 4; along < length + 4; ++along)
            dark += qGray(sheet.pixel(at + (column ? QPoint(1, along) : QPoint(along, 1)))) < 60;
        QVERIFY2(dark > length / 3,
                 qPrintable(QString("%1: %2 of %3").arg(copy).arg(dark).arg(length)));
    }
}

void SheetTest::reports()
{
    SheetOutcome full;
    full.placedCopies = 2;
    full.copiesLeftOut = 3;
    full.sheetCount = 1;
    QCOMPARE(completionReport(full, false),
             "Job Completed\n3 copies did not fit on the sheet and were left out.\n"
             "With “More sheets” they continue on further sheets.");
    full.copiesLeftOut = 1;
    QCOMPARE(completionReport(full, false),
             "Job Completed\n1 copy did not fit on the sheet and was left out.\n"
             "With “More sheets” they continue on further sheets.");
    full.copiesLeftOut = 0;
    QCOMPARE(completionReport(full, false), "Job Completed");
    QCOMPARE(completionReport(full, true), "Job Completed\n1 sheet was written: 01.jpg.");
    full.sheetCount = 3;
    QCOMPARE(completionReport(full, true),
             "Job Completed\n3 sheets were written: 01.jpg to 03.jpg.");
    QCOMPARE(nothingPlacedReport(SheetOutcome(), {}),
             "No sheet was written.\nNo picture is selected.");
    SheetOutcome unusable;
    unusable.sheetUnusable = true;
    QCOMPARE(composeSheet({QSize(0, 3506), {}, {}}, {{"a", 1}}, Pictures().loader()).sheetUnusable,
             true);
    QCOMPARE(nothingPlacedReport(unusable, {{"a", 1}}),
             "No sheet was written.\nThe sheet size is not usable.");
}

QTEST_MAIN(SheetTest)
#include "tst_sheet.moc"
