#include "compose/sheet.h"
#include "sheetchecks.h"
#include "testsupport.h"

#include <QColorSpace>
#include <QPainter>
#include <QTest>

using namespace sheetchecks;

// The pixels of composed copies: turned for a row, marked by their cutting lines, the same as
// painting the picture, transparent ones over the white sheet.
class SheetPixelsTest : public QObject
{
    Q_OBJECT

private slots:
    void rowTurnsEveryPictureClockwise();
    void cuttingLinesMarkLeadingEdges_data();
    void cuttingLinesMarkLeadingEdges();
    void copiesMatchPaintingThePicture_data();
    void copiesMatchPaintingThePicture();
    void transparentPicturesShowTheWhiteSheet();
};

void SheetPixelsTest::rowTurnsEveryPictureClockwise()
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
    QVERIFY(showsPicture(outcome.sheets.value(0), {0, 25}, turned,
                         untouchedArea(turned.size(), layout.direction)));
    // Every picture is turned in a row, whatever its shape: the portrait lies 1200 wide.
    const QImage portraitTurned = turnForRow(pictures.byName["portrait"]);
    QCOMPARE(portraitTurned.size(), QSize(1200, 1000));
    QVERIFY(showsPicture(outcome.sheets.value(0), {1200, 25}, portraitTurned,
                         untouchedArea(portraitTurned.size(), layout.direction)));
    QVERIFY(isWhite(outcome.sheets.value(0), QRect(0, 0, 2480, 24)));
    QVERIFY(isWhite(outcome.sheets.value(0), QRect(0, 25 + 1801, 2480, 3506 - 1826)));
    QVERIFY(isWhite(outcome.sheets.value(0), QRect(2402, 0, 78, 3506)));
}

void SheetPixelsTest::cuttingLinesMarkLeadingEdges_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("column") << 0;
    QTest::newRow("row") << 1;
}

void SheetPixelsTest::cuttingLinesMarkLeadingEdges()
{
    QFETCH(int, direction);
    const bool column = direction == 0;
    // Flat colours, so any line pixel on a copy shows.
    Pictures pictures;
    pictures.byName["red"] = solidPicture({300, 200}, Qt::red);
    const SheetLayout layout{A4, {40, 60}, CopyDirection(direction)};
    const SheetOutcome outcome = composeSheet(layout, {{"red", 3}}, pictures.loader());
    QCOMPARE(outcome.placedCopies, 3);
    const QImage &sheet = outcome.sheets.value(0);
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

void SheetPixelsTest::copiesMatchPaintingThePicture_data()
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
void SheetPixelsTest::copiesMatchPaintingThePicture()
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
    QCOMPARE(outcome.sheets.value(0).convertToFormat(QImage::Format_RGB888), expected);
}

void SheetPixelsTest::transparentPicturesShowTheWhiteSheet()
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
        QCOMPARE(outcome.sheets.value(0).pixel(blue), qRgb(0, 0, 255));
        QCOMPARE(outcome.sheets.value(0).pixel(
                     blue + QPoint(direction == 0 ? 0 : 10, direction == 0 ? 10 : 0)),
                 qRgb(255, 255, 255));
    }
}

QTEST_MAIN(SheetPixelsTest)
#include "tst_sheetpixels.moc"
