#include "print/printsheet.h"

#include <QTest>

// Turning and placing a sheet on the printed page.
class PrintGeometryTest : public QObject
{
    Q_OBJECT

private slots:
    void turn_data();
    void turn();
    void turnIsCounterClockwise();
    void target_data();
    void target();
    void overhangIsSplitEqually();
};

void PrintGeometryTest::turn_data()
{
    QTest::addColumn<QSize>("sheet");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("turned");
    const int portrait = QPageLayout::Portrait, landscape = QPageLayout::Landscape;
    QTest::newRow("tall on portrait") << QSize(2480, 3506) << portrait << false;
    QTest::newRow("tall on landscape") << QSize(2480, 3506) << landscape << true;
    QTest::newRow("wide on portrait") << QSize(3506, 2480) << portrait << true;
    QTest::newRow("wide on landscape") << QSize(3506, 2480) << landscape << false;
    QTest::newRow("square on portrait") << QSize(1000, 1000) << portrait << false;
    QTest::newRow("square on landscape") << QSize(1000, 1000) << landscape << false;
}

void PrintGeometryTest::turn()
{
    QFETCH(QSize, sheet);
    QFETCH(int, orientation);
    QFETCH(bool, turned);
    QCOMPARE(sheetNeedsTurn(sheet, QPageLayout::Orientation(orientation)), turned);
}

void PrintGeometryTest::turnIsCounterClockwise()
{
    // Top row red: a counter-clockwise quarter turn takes it to the left edge.
    QImage sheet(300, 200, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int x = 0; x < 300; ++x)
        sheet.setPixel(x, 0, qRgb(255, 0, 0));
    sheet.setPixel(299, 199, qRgb(0, 0, 255));
    const QImage turned = turnForPaper(sheet);
    QCOMPARE(turned.size(), QSize(200, 300));
    for (int y = 0; y < 300; ++y)
        QCOMPARE(turned.pixel(0, y), qRgb(255, 0, 0));
    // The bottom-right corner goes to the top-right.
    QCOMPARE(turned.pixel(199, 0), qRgb(0, 0, 255));
}

void PrintGeometryTest::target_data()
{
    QTest::addColumn<QSizeF>("sheet");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<bool>("crop");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("paper size, crop")
        << QSizeF(2480, 3506) << QSizeF(2480, 3506) << true << QRectF(0.5, 0.5, 2480, 3506);
    QTest::newRow("half size, crop")
        << QSizeF(1240, 1753) << QSizeF(2480, 3506) << true << QRectF(0.5, 0.5, 2480, 3506);
    QTest::newRow("too tall, crop")
        << QSizeF(1000, 2000) << QSizeF(2480, 3506) << true << QRectF(0.5, -726.5, 2480, 4960);
    QTest::newRow("too wide, crop")
        << QSizeF(2000, 1000) << QSizeF(2480, 3506) << true << QRectF(-2265.5, 0.5, 7012, 3506);
    QTest::newRow("own size") << QSizeF(600, 1200) << QSizeF(2479, 3508) << false
                              << QRectF(0, 0, 600, 1200);
    QTest::newRow("own size, larger than paper")
        << QSizeF(3000, 4000) << QSizeF(2479, 3508) << false << QRectF(0, 0, 3000, 4000);
}

void PrintGeometryTest::target()
{
    QFETCH(QSizeF, sheet);
    QFETCH(QSizeF, paper);
    QFETCH(bool, crop);
    QFETCH(QRectF, expected);
    QCOMPARE(printTarget(sheet, paper, crop), expected);
}

void PrintGeometryTest::overhangIsSplitEqually()
{
    const QSizeF paper(2479, 3508);
    const QRectF target = printTarget(QSizeF(2480, 3000), paper, true);
    QVERIFY(target.width() >= paper.width());
    QCOMPARE(target.height(), paper.height());
    QCOMPARE(target.width() / target.height(), 2480.0 / 3000.0);
    // Beyond the area of W + 1 by H + 1 device pixels, as much on the left as on the right.
    const double left = -target.left();
    const double right = target.right() - (paper.width() + 1);
    QVERIFY(left > 0);
    QCOMPARE(left, right);
    QCOMPARE(target.top(), 0.5);
}

QTEST_MAIN(PrintGeometryTest)
#include "tst_printgeometry.moc"
