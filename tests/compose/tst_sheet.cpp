#include "compose/sheet.h"
#include "compose/sheetrun.h"
#include "gatedpictures.h"
#include "pictures/pictures.h"
#include "testsupport.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QTest>
#include <QTransform>
#include <QtPlugin>
#include <future>

Q_IMPORT_PLUGIN(GatedPlugin)

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
    void rowTurnsEveryPictureClockwise();
    void marginsMoveTheFirstCopy();
    void cuttingLinesMarkLeadingEdges_data();
    void cuttingLinesMarkLeadingEdges();
    void unreadablePicturesAreSkippedAndNamed();
    void firstCopyLargerThanTheSpaceIsReported();
    void overhangAcrossTheTravelIsCutOff();
    void marginsBeyondTheSheet_data();
    void marginsBeyondTheSheet();
    void copiesMatchPaintingThePicture_data();
    void copiesMatchPaintingThePicture();
    void transparentPicturesShowTheWhiteSheet();
    void eachPictureIsLoadedOnce();
    void reports();
    void goMatchesComposingThenSaving_data();
    void goMatchesComposingThenSaving();
    void goPlacesWhatAReplacedPictureHoldsNow_data();
    void goPlacesWhatAReplacedPictureHoldsNow();

private:
    std::unique_ptr<testsupport::Sandbox> sandbox;
    QString files; // pictures written once for the Go rows
};

namespace {
const QSize A4(2480, 3506);

// A picture whose every pixel differs from its neighbours, so that a copy placed one pixel
// off, or turned the wrong way, cannot match.
QImage patternPicture(QSize size, int tag)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7 + tag * 40) % 251, (y * 5 + tag * 13) % 241, tag * 50 % 256);
    }
    return picture;
}

struct Pictures
{
    QHash<QString, QImage> byName;
    QStringList loads;
    PictureLoader loader()
    {
        return [this](const QString &name, QString *whyNot) {
            loads << name;
            if (!byName.contains(name))
                *whyNot = "file not found";
            return byName.value(name);
        };
    }
};

// True when the sheet shows `picture` unchanged over `area` (in picture coordinates) with
// the picture's top-left corner at `at`.
bool showsPicture(const QImage &sheet, QPoint at, const QImage &picture, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (sheet.pixel(at.x() + x, at.y() + y) != picture.pixel(x, y))
                return false;
        }
    }
    return true;
}

bool isWhite(const QImage &sheet, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (sheet.pixel(x, y) != qRgb(255, 255, 255))
                return false;
        }
    }
    return true;
}

// The copy's picture area that no cutting line touches: all but its two leading rows (column)
// or columns (row), and the trailing one, where the next copy's white line may fall.
QRect untouchedArea(QSize size, CopyDirection direction)
{
    return direction == CopyDirection::TopToBottom ? QRect(0, 2, size.width(), size.height() - 3)
                                                   : QRect(2, 0, size.width() - 3, size.height());
}
} // namespace

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
    QCOMPARE(three.sheet.size(), A4);
    QCOMPARE(three.sheet.dotsPerMeterX(), 11811);
    QCOMPARE(three.sheet.dotsPerMeterY(), 11811);
    const QImage &wide = pictures.byName["wide"];
    const QRect area = untouchedArea(wide.size(), layout.direction);
    QVERIFY(showsPicture(three.sheet, {0, 0}, wide, area));
    QVERIFY(showsPicture(three.sheet, {0, 1200}, wide, area));
    QVERIFY(isWhite(three.sheet, QRect(0, 2402, 2480, 3506 - 2402)));
    QVERIFY(isWhite(three.sheet, QRect(2401, 2, 79, 2398)));

    const SheetOutcome two = composeSheet(layout, {{"wide", 2}}, pictures.loader());
    QCOMPARE(two.placedCopies, 2);
    QCOMPARE(two.copiesLeftOut, 0);
    QCOMPARE(two.sheet, three.sheet);
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
    QVERIFY(showsPicture(outcome.sheet, {0, 1200}, pictures.byName["A"],
                         untouchedArea({1000, 1200}, layout.direction)));
    // C would fit below A's copies but the run stopped at B.
    QVERIFY(isWhite(outcome.sheet, QRect(0, 2402, 2480, 1104)));
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
    QVERIFY(showsPicture(middle.sheet, {0, 400}, pictures.byName["B"],
                         untouchedArea({600, 400}, layout.direction)));
    QVERIFY(!pictures.loads.contains("Z"));

    const SheetOutcome last = composeSheet(layout, {{"A", 1}, {"Z", 0}}, pictures.loader());
    QCOMPARE(last.placedCopies, 1);

    const QVector<SheetRequest> none{{"Z", 0}, {"A", 0}};
    const SheetOutcome nothing = composeSheet(layout, none, pictures.loader());
    QCOMPARE(nothing.placedCopies, 0);
    QVERIFY(nothingPlacedReport(nothing, none).contains("Every selected picture is set to 0"));
}

void SheetTest::rowTurnsEveryPictureClockwise()
{
    // A picture whose top row is pure red: turned clockwise, the red ends up on the right.
    QImage landscape = patternPicture({1800, 1200}, 1);
    for (int x = 0; x < landscape.width(); ++x)
        landscape.setPixel(x, 0, qRgb(255, 0, 0));
    const QImage turned = turnForRow(landscape);
    QCOMPARE(turned.size(), QSize(1200, 1800));
    for (int y = 0; y < turned.height(); y += 97)
        QCOMPARE(turned.pixel(1199, y), qRgb(255, 0, 0));
    QCOMPARE(turned.pixel(1199 - 5, 7), landscape.pixel(7, 5));

    Pictures pictures;
    pictures.byName["land"] = landscape;
    pictures.byName["portrait"] = patternPicture({1000, 1200}, 2);
    const SheetLayout layout{A4, {0, 25}, CopyDirection::RotateLeftToRight};
    const SheetOutcome outcome =
        composeSheet(layout, {{"land", 1}, {"portrait", 1}}, pictures.loader());
    QCOMPARE(outcome.placedCopies, 2);
    QVERIFY(showsPicture(outcome.sheet, {0, 25}, turned,
                         untouchedArea(turned.size(), layout.direction)));
    // Every picture is turned in a row, whatever its shape: the portrait lies 1200 wide.
    const QImage portraitTurned = turnForRow(pictures.byName["portrait"]);
    QCOMPARE(portraitTurned.size(), QSize(1200, 1000));
    QVERIFY(showsPicture(outcome.sheet, {1200, 25}, portraitTurned,
                         untouchedArea(portraitTurned.size(), layout.direction)));
    QVERIFY(isWhite(outcome.sheet, QRect(0, 0, 2480, 24)));
    QVERIFY(isWhite(outcome.sheet, QRect(0, 25 + 1801, 2480, 3506 - 1826)));
    QVERIFY(isWhite(outcome.sheet, QRect(2402, 0, 78, 3506)));
}

void SheetTest::marginsMoveTheFirstCopy()
{
    Pictures pictures;
    pictures.byName["p"] = patternPicture({400, 300}, 4);
    const SheetLayout layout{A4, {50, 100}, CopyDirection::TopToBottom};
    const SheetOutcome outcome = composeSheet(layout, {{"p", 2}}, pictures.loader());
    QVERIFY(showsPicture(outcome.sheet, {50, 100}, pictures.byName["p"],
                         untouchedArea({400, 300}, layout.direction)));
    QVERIFY(showsPicture(outcome.sheet, {50, 400}, pictures.byName["p"],
                         untouchedArea({400, 300}, layout.direction)));
    QVERIFY(isWhite(outcome.sheet, QRect(0, 0, 2480, 98)));
    QVERIFY(isWhite(outcome.sheet, QRect(0, 102, 48, 3000)));
    QVERIFY(isWhite(outcome.sheet, QRect(452, 102, 2000, 3000)));
}

void SheetTest::cuttingLinesMarkLeadingEdges_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("column") << 0;
    QTest::newRow("row") << 1;
}

void SheetTest::cuttingLinesMarkLeadingEdges()
{
    QFETCH(int, direction);
    const bool column = direction == 0;
    // Flat colours, so any line pixel on a copy shows.
    Pictures pictures;
    pictures.byName["red"] = solidPicture({300, 200}, Qt::red);
    const SheetLayout layout{A4, {40, 60}, CopyDirection(direction)};
    const SheetOutcome outcome = composeSheet(layout, {{"red", 3}}, pictures.loader());
    QCOMPARE(outcome.placedCopies, 3);
    const QImage &sheet = outcome.sheet;
    const int step = column ? 200 : 200; // the turned copy is 200 wide in a row
    const int length = 300;

    // Walks across the direction of travel: `along` runs along the edge, `across` across it.
    auto at = [&](int across, int along) {
        return column ? sheet.pixel(layout.margins.x() + along, layout.margins.y() + across)
                      : sheet.pixel(layout.margins.x() + across, layout.margins.y() + along);
    };
    const QRgb red = qRgb(255, 0, 0), black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    for (int copy = 0; copy < 3; ++copy) {
        const int edge = copy * step;
        int blackOnEdge = 0, redOnEdge = 0;
        // The two leading rows (or columns) of each copy carry the black dash-dot line, with
        // the picture showing through its gaps.
        for (int offset : {0, 1}) {
            for (int along = 0; along < length; ++along) {
                const QRgb pixel = at(edge + offset, along);
                QVERIFY(pixel == black || pixel == red);
                blackOnEdge += pixel == black;
                redOnEdge += pixel == red;
            }
        }
        QVERIFY2(blackOnEdge > length, "the black line is missing");
        QVERIFY2(redOnEdge > 0, "the line is not dashed");
        // Just before the edge, the white line: white dashes over the previous copy.
        if (copy > 0) {
            int whiteBefore = 0;
            for (int along = 0; along < length; ++along) {
                const QRgb pixel = at(edge - 1, along);
                QVERIFY(pixel == white || pixel == red);
                whiteBefore += pixel == white;
            }
            QVERIFY2(whiteBefore > length / 2, "the white line is missing");
        }
        // No line anywhere else on the copy.
        for (int across = edge + 2; across < edge + step - 1; ++across)
            for (int along = 0; along < length; along += 7)
                QCOMPARE(at(across, along), red);
    }
    // No line after the trailing edge of the last copy.
    for (int along = 0; along < length; ++along)
        QCOMPARE(at(3 * step - 1, along), red);
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
    QVERIFY(showsPicture(outcome.sheet, {0, 10}, pictures.byName["good"],
                         untouchedArea({500, 500}, layout.direction)));
    QCOMPARE(completionReport(outcome),
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
    QCOMPARE(outcome.sheet.pixel(2479, 200), qRgb(0, 0, 255));
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
    const QImage &sheet = outcome.sheet;
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

void SheetTest::copiesMatchPaintingThePicture_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("margins");
    QTest::addColumn<QSize>("size");
    QTest::newRow("column") << 0 << QPoint(13, 7) << QSize(301, 203);
    QTest::newRow("row") << 1 << QPoint(5, 11) << QSize(301, 203);
    QTest::newRow("column, cut off at the right") << 0 << QPoint(2300, 0) << QSize(301, 203);
    QTest::newRow("row, cut off at the bottom") << 1 << QPoint(0, 3400) << QSize(301, 203);
    QTest::newRow("negative margins") << 1 << QPoint(-40, -30) << QSize(301, 203);
}

// The sheet is written without the painter where it can be; it must look exactly as if every
// copy had been painted.
void SheetTest::copiesMatchPaintingThePicture()
{
    QFETCH(int, direction);
    QFETCH(QPoint, margins);
    QFETCH(QSize, size);
    Pictures pictures;
    pictures.byName["p"] = patternPicture(size, 3);
    pictures.byName["grey"] =
        patternPicture({170, 90}, 4).convertToFormat(QImage::Format_Grayscale8);
    const SheetLayout layout{A4, margins, CopyDirection(direction)};
    const QVector<SheetRequest> requests{{"p", 3}, {"grey", 2}};
    const SheetOutcome outcome = composeSheet(layout, requests, pictures.loader());
    QCOMPARE(outcome.placedCopies, 5);

    QImage expected(A4, QImage::Format_RGB888);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    QPoint at = margins;
    for (const SheetRequest &request : requests) {
        QImage picture = pictures.byName[request.name];
        if (direction == 1)
            picture = turnForRow(picture);
        for (int copy = 0; copy < request.copies; ++copy) {
            painter.drawImage(at, picture);
            drawCuttingLine(painter, QRect(at, picture.size()), layout.direction);
            (direction == 0 ? at.ry() : at.rx()) +=
                direction == 0 ? picture.height() : picture.width();
        }
    }
    painter.end();
    expected.setColorSpace(QColorSpace::SRgb);
    QCOMPARE(outcome.sheet.convertToFormat(QImage::Format_RGB888), expected);
}

void SheetTest::transparentPicturesShowTheWhiteSheet()
{
    QImage clear(200, 100, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    for (int x = 0; x < 200; ++x)
        clear.setPixel(x, 50, qRgb(0, 0, 255));
    Pictures pictures;
    pictures.byName["clear"] = clear;
    for (int direction : {0, 1}) {
        const SheetLayout layout{A4, {0, 0}, CopyDirection(direction)};
        const SheetOutcome outcome = composeSheet(layout, {{"clear", 1}}, pictures.loader());
        QCOMPARE(outcome.placedCopies, 1);
        // Turned in a row, the blue line of row 50 becomes column 100 - 1 - 50.
        const QPoint blue = direction == 0 ? QPoint(120, 50) : QPoint(49, 120);
        QCOMPARE(outcome.sheet.pixel(blue), qRgb(0, 0, 255));
        QCOMPARE(
            outcome.sheet.pixel(blue + QPoint(direction == 0 ? 0 : 10, direction == 0 ? 10 : 0)),
            qRgb(255, 255, 255));
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

void SheetTest::reports()
{
    SheetOutcome full;
    full.placedCopies = 2;
    full.copiesLeftOut = 3;
    QCOMPARE(completionReport(full),
             "Job Completed\n3 copies did not fit on the sheet and were left out.");
    full.copiesLeftOut = 1;
    QCOMPARE(completionReport(full),
             "Job Completed\n1 copy did not fit on the sheet and was left out.");
    full.copiesLeftOut = 0;
    QCOMPARE(completionReport(full), "Job Completed");
    QCOMPARE(nothingPlacedReport(SheetOutcome(), {}),
             "No sheet was written.\nNo picture is selected.");
    SheetOutcome unusable;
    unusable.sheetUnusable = true;
    QCOMPARE(composeSheet({QSize(0, 3506), {}, {}}, {{"a", 1}}, Pictures().loader()).sheetUnusable,
             true);
    QCOMPARE(nothingPlacedReport(unusable, {{"a", 1}}),
             "No sheet was written.\nThe sheet size is not usable.");
}

void SheetTest::goMatchesComposingThenSaving_data()
{
    if (!sandbox) {
        sandbox = std::make_unique<testsupport::Sandbox>();
        files = sandbox->makeFolder("go");
        const struct
        {
            const char *name;
            QSize size;
            const char *format;
        } pictures[] = {{"wide.jpg", {2400, 1200}, "jpeg"},   {"strip.jpg", {2400, 800}, "jpeg"},
                        {"print1.jpg", {1800, 1200}, "jpeg"}, {"print2.jpg", {1800, 1200}, "jpeg"},
                        {"huge.jpg", {3000, 4000}, "jpeg"},   {"small.png", {600, 400}, "png"},
                        {"thin.jpg", {2400, 2}, "jpeg"},      {"hair.jpg", {2400, 1}, "jpeg"}};
        for (const auto &picture : pictures)
            writePicture(files + "/" + picture.name,
                         photoLikePicture(picture.size, quint32(picture.size.width())),
                         picture.format, 92);
        QImage glass = photoLikePicture({504, 300}, 5).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < glass.height(); ++y)
            for (int x = 0; x < glass.width(); ++x)
                glass.setPixel(x, y, (glass.pixel(x, y) & 0x00FFFFFF) | (uint(x % 256) << 24));
        writePicture(files + "/glass.png", glass);
        QImage tagged = photoLikePicture({1200, 900}, 9);
        tagged.setColorSpace(QColorSpace::AdobeRgb);
        writePicture(files + "/adobe.jpg", tagged, "jpeg", 92);
        // Progressive, its second scan naming a component the frame does not have: the header
        // reads, the decoding fails.
        QProcess jpegtran;
        jpegtran.setStandardOutputFile(files + "/broken.jpg");
        jpegtran.start("jpegtran", {"-progressive", files + "/print1.jpg"});
        QVERIFY(jpegtran.waitForFinished());
        QFile broken(files + "/broken.jpg");
        QVERIFY(broken.open(QIODevice::ReadWrite));
        QByteArray bytes = broken.readAll();
        const qsizetype secondScan = bytes.indexOf("\xFF\xDA", bytes.indexOf("\xFF\xDA") + 2);
        QVERIFY(secondScan > 0);
        bytes[secondScan + 5] = char(9);
        broken.seek(0);
        broken.write(bytes);
    }
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("margins");
    QTest::addColumn<QStringList>("names"); // with their copies, as "name:copies"
    // Where the copies go, worked out from the pictures' sizes, as "name@x,y"; a picture with
    // a profile or transparency is placed, but its pixels are not Qt's plain decoding.
    QTest::addColumn<QStringList>("copies");
    const int column = int(CopyDirection::TopToBottom), row = int(CopyDirection::RotateLeftToRight);
    QTest::newRow("column 2400 x 1200 x 2") << column << QPoint() << QStringList{"wide.jpg:2"}
                                            << QStringList{"wide.jpg@0,0", "wide.jpg@0,1200"};
    QTest::newRow("column 2400 x 800 x 4")
        << column << QPoint() << QStringList{"strip.jpg:4"}
        << QStringList{"strip.jpg@0,0", "strip.jpg@0,800", "strip.jpg@0,1600", "strip.jpg@0,2400"};
    // Turned, each 1800 x 1200 picture takes 1200 pixels of the row.
    QTest::newRow("row of 2 turned 1800 x 1200")
        << row << QPoint() << QStringList{"print1.jpg:1", "print2.jpg:1"}
        << QStringList{"print1.jpg@0,0", "print2.jpg@1200,0"};
    QTest::newRow("a picture too large to fit")
        << column << QPoint() << QStringList{"wide.jpg:1", "huge.jpg:1"}
        << QStringList{"wide.jpg@0,0"};
    QTest::newRow("nothing fits: nothing is written")
        << column << QPoint() << QStringList{"huge.jpg:1", "wide.jpg:1"} << QStringList{};
    // 30 + 400 + 400 + 300 + 900 = 2030; a second strip would end at 3630, past 3506.
    QTest::newRow("column of every kind, margins")
        << column << QPoint(40, 30)
        << QStringList{"small.png:2", "glass.png:1", "adobe.jpg:1", "missing.jpg:1", "strip.jpg:3"}
        << QStringList{"small.png@40,30", "small.png@40,430", "glass.png@40,830",
                       "adobe.jpg@40,1130", "strip.jpg@40,2030"};
    // -100 + 1200 + 400 + 400 = 1900, + 300 = 2200: Adobe's 900 would end past 2480.
    QTest::newRow("row of every kind, a negative margin")
        << row << QPoint(-100, 20)
        << QStringList{"print1.jpg:1", "small.png:2", "glass.png:1", "adobe.jpg:1"}
        << QStringList{"print1.jpg@-100,20", "small.png@1100,20", "small.png@1500,20",
                       "glass.png@1900,20"};
    // Each copy's cutting line reaches into the next copy.
    QTest::newRow("copies shorter than a cutting line")
        << column << QPoint() << QStringList{"thin.jpg:3", "wide.jpg:1"}
        << QStringList{"thin.jpg@0,0", "thin.jpg@0,2", "thin.jpg@0,4", "wide.jpg@0,6"};
    // The same in a row: a copy one pixel wide, whose cutting line reaches into the next.
    QTest::newRow("row: a copy one pixel wide before a print")
        << row << QPoint() << QStringList{"hair.jpg:1", "print1.jpg:1"}
        << QStringList{"hair.jpg@0,0", "print1.jpg@1,0"};
    QTest::newRow("row: copies one pixel wide before a transparent one")
        << row << QPoint() << QStringList{"hair.jpg:2", "glass.png:1", "print1.jpg:1"}
        << QStringList{"hair.jpg@0,0", "hair.jpg@1,0", "glass.png@2,0", "print1.jpg@302,0"};
    QTest::newRow("a picture that fails only when decoded")
        << column << QPoint() << QStringList{"broken.jpg:1", "strip.jpg:1"}
        << QStringList{"strip.jpg@0,0"};
}

// A Go composes the sheet that composing first gives, and saves the bytes Qt's JPEG writer
// would write for it, whatever the pictures and wherever the copies go.
void SheetTest::goMatchesComposingThenSaving()
{
    QFETCH(int, direction);
    QFETCH(QPoint, margins);
    QFETCH(QStringList, names);
    QFETCH(QStringList, copies);
    QVector<SheetRequest> requests;
    for (const QString &name : names)
        requests << SheetRequest{name.section(':', 0, 0), name.section(':', 1).toInt()};
    const SheetLayout layout{A4, margins, CopyDirection(direction)};
    const SheetOutcome expected =
        composeSheet(layout, requests, [&](const QString &name, QString *whyNot) {
            return readPicture(files + "/" + name, whyNot);
        });
    const QString path = sandbox->path("01.jpg");
    QFile::remove(path);
    const SheetRun run = composeAndSaveSheet(layout, requests, files, path);
    QCOMPARE(run.saved, expected.placedCopies > 0);
    QVERIFY(run.saveError.isEmpty());
    QCOMPARE(run.outcome.placedCopies, expected.placedCopies);
    QCOMPARE(run.outcome.copiesLeftOut, expected.copiesLeftOut);
    QCOMPARE(run.outcome.unreadable, expected.unreadable);
    QCOMPARE(run.outcome.firstTooLarge.name, expected.firstTooLarge.name);
    QVERIFY(run.outcome.sheet == expected.sheet);
    // Each copy where the sizes put it, showing the picture as Qt decodes it, its leading
    // edge marked dark on its second row (column) where it has one.
    QCOMPARE(run.outcome.placedCopies, copies.size());
    for (const QString &copy : copies) {
        const QString name = copy.section('@', 0, 0);
        const QPoint at(copy.section('@', 1).section(',', 0, 0).toInt(),
                        copy.section(',', 1).toInt());
        QImage picture = QImage(files + "/" + name).convertToFormat(QImage::Format_RGB32);
        if (layout.direction == CopyDirection::RotateLeftToRight)
            picture = picture.transformed(QTransform().rotate(90));
        // Copies thinner than their cutting line have no untouched pixels.
        const QRect untouched = untouchedArea(picture.size(), layout.direction);
        const QRect area = (untouched.isValid() ? untouched : QRect())
                               .intersected(QRect(-at, A4))
                               .intersected(QRect(QPoint(), picture.size()));
        if (name != "adobe.jpg" && name != "glass.png")
            QVERIFY2(showsPicture(run.outcome.sheet, at, picture, area), qPrintable(copy));
        const bool column = layout.direction == CopyDirection::TopToBottom;
        const QPoint line = at + (column ? QPoint(0, 1) : QPoint(1, 0));
        // A copy three pixels or fewer along the way has the next copy's white line there.
        if (QRect(QPoint(), A4).contains(line) && (column ? picture.height() : picture.width()) > 3)
            QVERIFY2(qGray(run.outcome.sheet.pixel(line)) < 60, qPrintable(copy));
    }
    if (!run.saved) {
        QVERIFY(!QFile::exists(path));
        return;
    }

    QBuffer byQt;
    byQt.open(QIODevice::WriteOnly);
    QImageWriter writer(&byQt, "jpeg");
    writer.setQuality(80);
    QVERIFY(writer.write(expected.sheet));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll() == byQt.data());
}

void SheetTest::goPlacesWhatAReplacedPictureHoldsNow_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QSize>("replacement");
    const int column = int(CopyDirection::TopToBottom), row = int(CopyDirection::RotateLeftToRight);
    QTest::newRow("column, narrower") << column << QSize(1000, 1000);
    QTest::newRow("column, taller") << column << QSize(2400, 1200);
    QTest::newRow("row, narrower") << row << QSize(1000, 1000);
    QTest::newRow("row, taller") << row << QSize(2400, 1200);
}

// A picture replaced between the Go's reading of its header and its decoding (an editor
// exporting again, a sync client) is placed as it is now, and nothing of the sheet outside its
// copies is touched.
void SheetTest::goPlacesWhatAReplacedPictureHoldsNow()
{
    QFETCH(int, direction);
    QFETCH(QSize, replacement);
    const testsupport::Sandbox place;
    const QString folder = place.makeFolder("replaced");
    // Read first, and held at the gate while the photo is replaced.
    writePicture(folder + "/gated.png", solidPicture({10, 10}, Qt::green));
    writePicture(folder + "/photo.jpg", solidPicture({2400, 1000}, Qt::red), "jpeg", 100);
    const SheetLayout layout{A4, QPoint(), CopyDirection(direction)};
    const QVector<SheetRequest> requests{{"gated.png", 1}, {"photo.jpg", 2}};

    testsupport::gate().reset();
    auto watchdog = std::async(std::launch::async, [] { testsupport::gate().openAfter(10000); });
    auto go = std::async(std::launch::async, [&] {
        return composeAndSaveSheet(layout, requests, folder, place.path("01.jpg"));
    });
    QVERIFY(QTest::qWaitFor([] { return testsupport::gate().held() == 1; }));
    writePicture(folder + "/photo.jpg", solidPicture(replacement, Qt::blue), "jpeg", 100);
    testsupport::gate().setOpen(true);
    const SheetRun run = go.get();
    watchdog.get();

    QVERIFY(run.saved);
    QCOMPARE(run.outcome.placedCopies, 3);
    const QImage &sheet = run.outcome.sheet;
    const bool turned = direction == int(CopyDirection::RotateLeftToRight);
    const QSize placed = turned ? replacement.transposed() : replacement;
    const QPoint step = turned ? QPoint(placed.width(), 0) : QPoint(0, placed.height());
    const QPoint first = turned ? QPoint(10, 0) : QPoint(0, 10);
    for (const QPoint at : {first, first + step}) {
        const QRect inside = untouchedArea(placed, layout.direction).translated(at);
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                QVERIFY2(qAbs(qBlue(sheet.pixel(x, y)) - 255) < 8 && qRed(sheet.pixel(x, y)) < 8,
                         qPrintable(QString("%1, %2").arg(x).arg(y)));
    }
    // Beyond the copies and their cutting lines' round caps: the white sheet.
    const QPoint end = first + 2 * step;
    const QRect across = turned ? QRect(0, placed.height() + 4, A4.width(), 1)
                                : QRect(placed.width() + 4, 0, 1, A4.height());
    QVERIFY(isWhite(sheet, QRect(across.topLeft(), A4).intersected(QRect(QPoint(), A4))));
    const QRect after = turned ? QRect(end.x() + 4, 0, A4.width(), A4.height())
                               : QRect(0, end.y() + 4, A4.width(), A4.height());
    QVERIFY(isWhite(sheet, after.intersected(QRect(QPoint(), A4))));
}

QTEST_MAIN(SheetTest)
#include "tst_sheet.moc"
