#include "compose/sheet.h"
#include "compose/sheetfile.h"
#include "compose/sheetrun.h"
#include "pictures/pictures.h"
#include "sheetchecks.h"
#include "testsupport.h"

#include <QTest>

using namespace sheetchecks;

// A Go that continues on more sheets: what it writes, and what it leaves of an earlier Go's.
class GoSheetsTest : public QObject
{
    Q_OBJECT

private slots:
    void goWritesEverySheetAndRemovesOnlyItsOwn();
};

// With more sheets a Go writes each sheet as composing first gives it, marked with its run, its
// number and its paper; the sheets an earlier Go wrote beyond them go, other files of the same
// names stay.
void GoSheetsTest::goWritesEverySheetAndRemovesOnlyItsOwn()
{
    const testsupport::Sandbox place;
    const QString folder = place.makeFolder("pictures");
    const QString sheets = place.makeFolder("sheets");
    writePicture(folder + "/p.jpg", photoLikePicture({1000, 1200}, 3), "jpeg", 92);
    // An earlier Go's sheets 03, 04 and 07 (after a gap), and the operator's own 05.jpg.
    SheetMark earlier = testMark();
    earlier.run = "earlier";
    earlier.sheets = 7;
    for (const int number : {3, 4, 7}) {
        QImage sheet = solidPicture({100, 100}, Qt::red);
        earlier.sheet = number;
        sheet.setText(SheetMarkKey, markText(earlier));
        QVERIFY(sheet.save(sheets + "/" + sheetFileName(number), "jpeg"));
    }
    writePicture(sheets + "/05.jpg", solidPicture({100, 100}, Qt::blue), "jpeg");

    SheetLayout layout{A4, QPoint(50, 40), CopyDirection::TopToBottom};
    layout.moreSheets = true;
    layout.gutter = QSize(30, 30);
    const QVector<SheetRequest> requests{{"p.jpg", 7}};
    SheetMark mark = testMark();
    mark.paper = "Foto; 6 x 8 in=";
    const SheetRun run = composeAndSaveSheets(layout, requests, folder, sheets, mark);
    QVERIFY(run.saved);
    QCOMPARE(run.paths, QStringList({sheets + "/01.jpg", sheets + "/02.jpg"}));
    const SheetOutcome expected =
        composeSheet(layout, requests, [&](const QString &name, QString *whyNot) {
            return readPicture(folder + "/" + name, whyNot);
        });
    QCOMPARE(expected.sheets.size(), 2);
    for (int sheet = 0; sheet < 2; ++sheet)
        QVERIFY(fileBytes(run.paths[sheet]) ==
                writtenByQt(expected.sheets[sheet], sheet + 1, 2, mark));
    const std::optional<SheetMark> second = readSheetMark(run.paths[1]);
    QVERIFY(second);
    QCOMPARE(second->run, mark.run);
    QCOMPARE(second->sheet, 2);
    QCOMPARE(second->sheets, 2);
    QCOMPARE(second->paper, mark.paper);
    QCOMPARE(second->paperMm, QSizeF(210, 297));
    QVERIFY(!readSheetMark(sheets + "/05.jpg"));
    QVERIFY(!QFile::exists(sheets + "/03.jpg"));
    QVERIFY(!QFile::exists(sheets + "/04.jpg"));
    QVERIFY(QFile::exists(sheets + "/05.jpg"));
    QVERIFY(QFile::exists(sheets + "/07.jpg"));
}

QTEST_MAIN(GoSheetsTest)
#include "tst_gosheets.moc"
