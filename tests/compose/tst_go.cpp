#include "../pictures/craftedfiles.h"
#include "compose/sheet.h"
#include "compose/sheetfile.h"
#include "compose/sheetrun.h"
#include "gatedpictures.h"
#include "pictures/pictures.h"
#include "refusedthreads.h"
#include "sheetchecks.h"
#include "testsupport.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QTest>
#include <QThreadPool>
#include <QTransform>
#include <QtPlugin>
#include <chrono>
#include <climits>
#include <future>

Q_IMPORT_PLUGIN(GatedPlugin)

using namespace sheetchecks;

// The Go on picture files: the sheet composed on both cores and saved as it is decoded,
// checked against composing first, against where the sizes put each copy, and against files
// changing under it.
class GoTest : public QObject
{
    Q_OBJECT

private slots:
    void goMatchesComposingThenSaving_data();
    void goMatchesComposingThenSaving();
    void goPlacesWhatAReplacedPictureHoldsNow_data();
    void goPlacesWhatAReplacedPictureHoldsNow();

private:
    std::unique_ptr<testsupport::Sandbox> sandbox;
    QString files; // pictures written once for the Go rows
};

void GoTest::goMatchesComposingThenSaving_data()
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
    // Whether threads can be started, or none (as in a process at its limit of threads)
    QTest::addColumn<bool>("threads");
    const int column = int(CopyDirection::TopToBottom), row = int(CopyDirection::RotateLeftToRight);
    QTest::newRow("column 2400 x 1200 x 2")
        << column << QPoint() << QStringList{"wide.jpg:2"}
        << QStringList{"wide.jpg@0,0", "wide.jpg@0,1200"} << true;
    QTest::newRow("column 2400 x 800 x 4")
        << column << QPoint() << QStringList{"strip.jpg:4"}
        << QStringList{"strip.jpg@0,0", "strip.jpg@0,800", "strip.jpg@0,1600", "strip.jpg@0,2400"}
        << true;
    // Turned, each 1800 x 1200 picture takes 1200 pixels of the row.
    QTest::newRow("row of 2 turned 1800 x 1200")
        << row << QPoint() << QStringList{"print1.jpg:1", "print2.jpg:1"}
        << QStringList{"print1.jpg@0,0", "print2.jpg@1200,0"} << true;
    QTest::newRow("a picture too large to fit")
        << column << QPoint() << QStringList{"wide.jpg:1", "huge.jpg:1"}
        << QStringList{"wide.jpg@0,0"} << true;
    QTest::newRow("nothing fits: nothing is written")
        << column << QPoint() << QStringList{"huge.jpg:1", "wide.jpg:1"} << QStringList{} << true;
    // 30 + 400 + 400 + 300 + 900 = 2030; a second strip would end at 3630, past 3506.
    QTest::newRow("column of every kind, margins")
        << column << QPoint(40, 30)
        << QStringList{"small.png:2", "glass.png:1", "adobe.jpg:1", "missing.jpg:1", "strip.jpg:3"}
        << QStringList{"small.png@40,30", "small.png@40,430", "glass.png@40,830",
                       "adobe.jpg@40,1130", "strip.jpg@40,2030"}
        << true;
    // -100 + 1200 + 400 + 400 = 1900, + 300 = 2200: Adobe's 900 would end past 2480.
    QTest::newRow("row of every kind, a negative margin")
        << row << QPoint(-100, 20)
        << QStringList{"print1.jpg:1", "small.png:2", "glass.png:1", "adobe.jpg:1"}
        << QStringList{"print1.jpg@-100,20", "small.png@1100,20", "small.png@1500,20",
                       "glass.png@1900,20"}
        << true;
    // Each copy's cutting line reaches into the next copy.
    QTest::newRow("copies shorter than a cutting line")
        << column << QPoint() << QStringList{"thin.jpg:3", "wide.jpg:1"}
        << QStringList{"thin.jpg@0,0", "thin.jpg@0,2", "thin.jpg@0,4", "wide.jpg@0,6"} << true;
    // The same in a row: a copy one pixel wide, whose cutting line reaches into the next.
    QTest::newRow("row: a copy one pixel wide before a print")
        << row << QPoint() << QStringList{"hair.jpg:1", "print1.jpg:1"}
        << QStringList{"hair.jpg@0,0", "print1.jpg@1,0"} << true;
    QTest::newRow("row: copies one pixel wide before a transparent one")
        << row << QPoint() << QStringList{"hair.jpg:2", "glass.png:1", "print1.jpg:1"}
        << QStringList{"hair.jpg@0,0", "hair.jpg@1,0", "glass.png@2,0", "print1.jpg@302,0"} << true;
    QTest::newRow("a picture that fails only when decoded")
        << column << QPoint() << QStringList{"broken.jpg:1", "strip.jpg:1"}
        << QStringList{"strip.jpg@0,0"} << true;
    // Qt paints and converts large pictures on its own thread pool, and waits for ever for work
    // it could not start a thread for.
    QTest::newRow("column of every kind, no thread can start")
        << column << QPoint(40, 30)
        << QStringList{"small.png:2", "glass.png:1", "adobe.jpg:1", "strip.jpg:3"}
        << QStringList{"small.png@40,30", "small.png@40,430", "glass.png@40,830",
                       "adobe.jpg@40,1130", "strip.jpg@40,2030"}
        << false;
    QTest::newRow("row of every kind, no thread can start")
        << row << QPoint() << QStringList{"hair.jpg:2", "glass.png:1", "print1.jpg:1"}
        << QStringList{"hair.jpg@0,0", "hair.jpg@1,0", "glass.png@2,0", "print1.jpg@302,0"}
        << false;
}

// A Go composes the sheet that composing first gives, and saves the bytes Qt's JPEG writer
// would write for it, whatever the pictures and wherever the copies go.
void GoTest::goMatchesComposingThenSaving()
{
    QFETCH(int, direction);
    QFETCH(QPoint, margins);
    QFETCH(QStringList, names);
    QFETCH(QStringList, copies);
    QFETCH(bool, threads);
    QVector<SheetRequest> requests;
    for (const QString &name : names)
        requests << SheetRequest{name.section(':', 0, 0), name.section(':', 1).toInt()};
    const SheetLayout layout{A4, margins, CopyDirection(direction)};
    const SheetOutcome expected =
        composeSheet(layout, requests, [&](const QString &name, QString *whyNot) {
            return readPicture(files + "/" + name, whyNot);
        });
    const QString sheets = sandbox->makeFolder("sheets");
    const QString path = sheets + "/01.jpg";
    QFile::remove(path);
    // Qt's pool keeps idle threads for 30 s; without them, whatever wants one must start it.
    QThreadPool::globalInstance()->waitForDone();
    const int refusedBefore = testsupport::threadStartsRefused();
    // On a thread started first, so that a Go that waits for a thread it could not start
    // fails the test rather than hanging it.
    std::future<SheetRun> go = std::async(std::launch::async, [&] {
        testsupport::refuseThreadStarts(threads ? 0 : INT_MAX);
        SheetRun run = composeAndSaveSheets(layout, requests, files, sheets, testMark());
        testsupport::refuseThreadStarts(0);
        return run;
    });
    if (go.wait_for(std::chrono::seconds(60)) != std::future_status::ready)
        qFatal("the Go did not end within a minute");
    const SheetRun run = go.get();
    QCOMPARE(testsupport::threadStartsRefused() > refusedBefore, !threads);
    QCOMPARE(run.saved, expected.placedCopies > 0);
    QVERIFY(run.saveError.isEmpty());
    QCOMPARE(run.outcome.placedCopies, expected.placedCopies);
    QCOMPARE(run.outcome.copiesLeftOut, expected.copiesLeftOut);
    QCOMPARE(run.outcome.unreadable, expected.unreadable);
    QCOMPARE(run.outcome.firstTooLarge.name, expected.firstTooLarge.name);
    // The sheet composed first: each copy where the sizes put it, showing the picture as Qt
    // decodes it, its leading edge marked dark on its second row (column) where it has one.
    const QImage sheet = expected.sheets.value(0);
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
            QVERIFY2(showsPicture(sheet, at, picture, area), qPrintable(copy));
        const bool column = layout.direction == CopyDirection::TopToBottom;
        const QPoint line = at + (column ? QPoint(0, 1) : QPoint(1, 0));
        // A copy three pixels or fewer along the way has the next copy's white line there.
        if (QRect(QPoint(), A4).contains(line) && (column ? picture.height() : picture.width()) > 3)
            QVERIFY2(qGray(sheet.pixel(line)) < 60, qPrintable(copy));
    }
    if (!run.saved) {
        QVERIFY(!QFile::exists(path));
        return;
    }

    // The Go's file is the one Qt writes of that sheet.
    QCOMPARE(run.paths, QStringList{path});
    QVERIFY(fileBytes(path) == writtenByQt(sheet, 1, 1));
}

void GoTest::goPlacesWhatAReplacedPictureHoldsNow_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("format");
    // "narrower", "taller", "turned" (the same stored size, with Orientation 3) or "cut short"
    QTest::addColumn<QString>("change");
    const int column = int(CopyDirection::TopToBottom), row = int(CopyDirection::RotateLeftToRight);
    for (const int direction : {column, row}) {
        const char *way = direction == column ? "column" : "row";
        for (const char *change : {"narrower", "taller", "turned"})
            for (const char *format : {"jpg", "png", "tif"})
                QTest::addRow("%s, %s %s", way, format, change) << direction << format << change;
        // A PNG with an alpha channel, which is read whole.
        for (const char *change : {"narrower", "taller"})
            QTest::addRow("%s, alpha.png %s", way, change) << direction << "alpha.png" << change;
        QTest::addRow("%s, jpg cut short", way) << direction << "jpg"
                                                << "cut short";
    }
}

// A picture replaced between the Go's reading of its header and its decoding (an editor
// exporting again, a sync client) is placed as it is now, turned as it now says; one cut short
// since is refused. Nothing of the sheet outside its copies is touched.
void GoTest::goPlacesWhatAReplacedPictureHoldsNow()
{
    QFETCH(int, direction);
    QFETCH(QString, format);
    QFETCH(QString, change);
    const testsupport::Sandbox place;
    const QString folder = place.makeFolder("replaced");
    const QString photo = folder + "/photo." + format;
    auto write = [&](const QImage &picture, int orientation) {
        writeBytes(photo, format == "jpg"   ? jpegWithOrientation(picture, orientation)
                          : format == "png" ? pngWithOrientation(picture, orientation)
                          : format == "alpha.png"
                              ? pngWithOrientation(picture.convertToFormat(QImage::Format_ARGB32),
                                                   orientation)
                              : tiffWithLeadingDirectory(picture, orientation));
    };
    // Decoded first, on both of the Go's decoding threads, and held at the gate while the
    // photo is replaced: the photo's decoding waits for them.
    for (const char *gated : {"/gated1.png", "/gated2.png"})
        writePicture(folder + gated, solidPicture({10, 10}, Qt::green));
    write(solidPicture({2400, 1000}, Qt::red), 1);
    const SheetLayout layout{A4, QPoint(), CopyDirection(direction)};
    const QVector<SheetRequest> requests{
        {"gated1.png", 1}, {"gated2.png", 1}, {"photo." + format, 2}};

    testsupport::gate().reset();
    auto watchdog = std::async(std::launch::async, [] { testsupport::gate().openAfter(10000); });
    const QString sheets = place.makeFolder("sheets");
    auto go = std::async(std::launch::async, [&] {
        return composeAndSaveSheets(layout, requests, folder, sheets, testMark());
    });
    QVERIFY(QTest::qWaitFor([] { return testsupport::gate().held() == 2; }));
    // What the photo shows now, as the test knows it.
    QImage shown;
    if (change == "cut short") {
        QFile file(photo);
        QVERIFY(file.resize(file.size() * 6 / 10));
    } else if (change == "turned") {
        // Stored blue above green, shown the other way up; the edge between them on a JPEG
        // block's edge, so that neither colour bleeds.
        QImage stored = solidPicture({2400, 1000}, Qt::green);
        QPainter(&stored).fillRect(0, 0, 2400, 512, Qt::blue);
        write(stored, 3);
        shown = stored.transformed(QTransform().rotate(180));
    } else {
        shown =
            solidPicture(change == "narrower" ? QSize(1000, 1000) : QSize(2400, 1200), Qt::blue);
        write(shown, 1);
    }
    testsupport::gate().setOpen(true);
    const SheetRun run = go.get();
    watchdog.get();

    QVERIFY(run.saved);
    // The Go saved what composing from the files as they are now gives; its pixels are checked
    // against what the test knows the photo shows.
    const SheetOutcome now =
        composeSheet(layout, requests, [&](const QString &name, QString *whyNot) {
            return readPicture(folder + "/" + name, whyNot);
        });
    const QImage sheet = now.sheets.value(0);
    QVERIFY(fileBytes(sheets + "/01.jpg") == writtenByQt(sheet, 1, 1));
    const bool turned = direction == int(CopyDirection::RotateLeftToRight);
    const QPoint first = turned ? QPoint(20, 0) : QPoint(0, 20);
    QPoint end = first;
    if (change == "cut short") {
        QCOMPARE(run.outcome.placedCopies, 2);
        QCOMPARE(run.outcome.unreadable, QStringList{"photo.jpg (cut off before its end)"});
    } else {
        QCOMPARE(run.outcome.placedCopies, 4);
        const QImage placed = turned ? shown.transformed(QTransform().rotate(90)) : shown;
        const QPoint step = turned ? QPoint(placed.width(), 0) : QPoint(0, placed.height());
        // JPEG's chroma blurs a colour edge over a pixel or two.
        const QRect whole(QPoint(), placed.size());
        auto nearAnEdge = [&](int x, int y) {
            for (const QPoint by : {QPoint(4, 0), QPoint(0, 4)})
                for (const QPoint near : {QPoint(x, y) - by, QPoint(x, y) + by})
                    if (whole.contains(near) && placed.pixel(near) != placed.pixel(x, y))
                        return true;
            return false;
        };
        for (const QPoint at : {first, first + step}) {
            const QRect inside = untouchedArea(placed.size(), layout.direction);
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x)
                    QUORVEL_VERIFY_PIXEL(
                        nearAnEdge(x, y) ||
                            difference(sheet.pixel(at + QPoint(x, y)), placed.pixel(x, y)) < 8,
                        qPrintable(QString("%1, %2").arg(x).arg(y)));
        }
        end = first + 2 * step;
        // Beside the copies, beyond their cutting lines' round caps: the white sheet.
        const QRect across = turned ? QRect(0, placed.height() + 4, A4.width(), A4.height())
                                    : QRect(placed.width() + 4, 0, A4.width(), A4.height());
        QVERIFY(isWhite(sheet, across.intersected(QRect(QPoint(), A4))));
    }
    // After the copies: the white sheet.
    const QRect after = turned ? QRect(end.x() + 4, 0, A4.width(), A4.height())
                               : QRect(0, end.y() + 4, A4.width(), A4.height());
    QVERIFY(isWhite(sheet, after.intersected(QRect(QPoint(), A4))));
}

QTEST_MAIN(GoTest)
#include "tst_go.moc"
