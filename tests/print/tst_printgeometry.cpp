#include "print/calibration.h"
#include "print/printerprofile.h"
#include "print/printsheet.h"
#include "printjobs.h"
#include "standinprofiles.h"
#include "testsupport.h"

#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QSettings>
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
    void measuresAsTyped_data();
    void measuresAsTyped();
    void correctionsAreKeptPerPrinter();
    void commandLine_data();
    void commandLine();
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
    QImage turned(200, 300, QImage::Format_RGB32);
    QPainter painter(&turned);
    painter.setTransform(turnForPaper(sheet.size()));
    painter.drawImage(0, 0, sheet);
    painter.end();
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

void PrintGeometryTest::measuresAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("mm"); // 0: refused
    QTest::newRow("point") << "197.2"
                           << "C" << 197.2;
    QTest::newRow("German comma") << "197,2"
                                  << "de_DE" << 197.2;
    QTest::newRow("French comma, blanks") << " 201,6 "
                                          << "fr_FR" << 201.6;
    QTest::newRow("point where a comma is usual") << "201.6"
                                                  << "de_DE" << 201.6;
    QTest::newRow("comma in C") << "197,2"
                                << "C" << 0.0;
    QTest::newRow("shortest") << "190"
                              << "C" << 190.0;
    QTest::newRow("longest") << "210"
                             << "C" << 210.0;
    QTest::newRow("too short") << "189.9"
                               << "C" << 0.0;
    QTest::newRow("too long") << "210.01"
                              << "C" << 0.0;
    QTest::newRow("in centimetres") << "19.72"
                                    << "C" << 0.0;
    QTest::newRow("no number") << "abc"
                               << "C" << 0.0;
    QTest::newRow("empty") << ""
                           << "C" << 0.0;
    QTest::newRow("not a number") << "nan"
                                  << "C" << 0.0;
}

void PrintGeometryTest::measuresAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, locale);
    QFETCH(double, mm);
    const std::optional<double> measure = parseMeasure(typed, QLocale(locale));
    QCOMPARE(measure.has_value(), mm > 0);
    if (measure)
        QCOMPARE(*measure, mm);
}

// Stored per printer, read back, listed and removed; the factors are 200 / measured; a value
// edited beyond reason by hand is no correction.
void PrintGeometryTest::correctionsAreKeptPerPrinter()
{
    const testsupport::Sandbox sandbox;
    QSettings settings("Morvane", "Quorvel");
    QVERIFY(!storedCalibration(settings, "Office").has_value());
    storeCalibration(settings, "Office", {197.2, 201.6});
    storeCalibration(settings, "Studio_A4", {200.0, 199.0});
    settings.sync();
    QSettings again("Morvane", "Quorvel");
    const auto office = storedCalibration(again, "Office");
    QVERIFY(office.has_value());
    QCOMPARE(office->acrossMm, 197.2);
    QCOMPARE(office->downMm, 201.6);
    QCOMPARE(again.value("Calibration/Office/Across").toString(), "197.2");
    QCOMPARE(again.value("Calibration/Office/Down").toString(), "201.6");
    QCOMPARE(calibratedPrinters(again), QStringList({"Office", "Studio_A4"}));
    const QSizeF scale = calibrationScale(*office);
    QCOMPARE(scale.width(), 200.0 / 197.2);
    QCOMPARE(scale.height(), 200.0 / 201.6);
    QVERIFY(!storedCalibration(again, "Other").has_value());

    QVERIFY(removeCalibration(again, "Office"));
    QVERIFY(!removeCalibration(again, "Office"));
    QVERIFY(!storedCalibration(again, "Office").has_value());
    QCOMPARE(calibratedPrinters(again), QStringList{"Studio_A4"});
    again.setValue("Calibration/Studio_A4/Down", "300");
    QVERIFY(!storedCalibration(again, "Studio_A4").has_value());

    // Printer names are any text: each is a name of its own, whatever the store makes of "/".
    const QStringList names{"HP", "HP/", "/HP", "//", "Office/HP", "A=B; C#\"D\"", "Büro \\ 2"};
    for (int i = 0; i < names.size(); ++i)
        storeCalibration(again, names[i], {190.0 + i, 200.0});
    QStringList listed = calibratedPrinters(again);
    listed.removeOne("Studio_A4");
    QCOMPARE(QSet<QString>(listed.begin(), listed.end()),
             QSet<QString>(names.begin(), names.end()));
    QVERIFY(removeCalibration(again, "HP/"));
    QVERIFY(!removeCalibration(again, "HP/"));
    QVERIFY(removeCalibration(again, "//"));
    for (int i = 0; i < names.size(); ++i) {
        const auto kept = storedCalibration(again, names[i]);
        QCOMPARE(kept.has_value(), names[i] != "HP/" && names[i] != "//");
        if (kept)
            QCOMPARE(kept->acrossMm, 190.0 + i);
    }
}

void PrintGeometryTest::commandLine_data()
{
    // PRINTER: the test printer's name; PRINTER_LOWER: the same in lower case; PROFILE_*: a
    // stand-in printer profile (STANDIN), one of a camera (INPUT), a CMYK printer's (CMYK), a
    // text file (TEXT), no file (GONE). Before each run the printer Studio has a correction and
    // the stand-in profile.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("told");     // on the standard output, or the error
    QTest::addColumn<QString>("stored");   // for the test printer afterwards, key=value
    QTest::addColumn<QStringList>("kept"); // the printers with a correction or profile afterwards
    const QStringList studio{"Studio"}, both{"PRINTER", "Studio"};
    QTest::newRow("store") << QStringList{"--calibrate", "PRINTER", "197.2", "201.6"} << "C" << 0
                           << "PRINTER: across 197.2 mm, down 201.6 mm (printed at 101.42 % "
                              "across, 99.21 % down)"
                           << "Across=197.2 Down=201.6" << both;
    QTest::newRow("store with commas, told in German")
        << QStringList{"--calibrate", "PRINTER", "199,5", "200,25"} << "de_DE.UTF-8" << 0
        << "PRINTER: quer 199,5 mm, längs 200,25 mm"
        << "Across=199.5 Down=200.25" << both;
    // The printing system's names are compared without regard to case; the correction is kept
    // under the system's own spelling, which printing looks it up by.
    QTest::newRow("store under the printing system's spelling")
        << QStringList{"--calibrate", "PRINTER_LOWER", "197.2", "201.6"} << "C" << 0
        << "PRINTER: across 197.2 mm"
        << "Across=197.2 Down=201.6" << both;
    QTest::newRow("refused: a printer the printing system does not know")
        << QStringList{"--calibrate", "NoSuchPrinter", "195", "205"} << "C" << 1
        << "the printing system knows no printer named NoSuchPrinter, only PRINTER, PRINTERPhoto; "
           "nothing was stored"
        << "" << studio;
    QTest::newRow("refused: out of range")
        << QStringList{"--calibrate", "PRINTER", "180", "200"} << "C" << 1 << "nothing was stored"
        << "" << studio;
    QTest::newRow("refused: one measure")
        << QStringList{"--calibrate", "PRINTER", "197.2"} << "C" << 1 << "nothing was stored"
        << "" << studio;
    // The correction alone: the printer's profile stays, and the other way round.
    QTest::newRow("remove") << QStringList{"--calibrate", "Studio", "--remove"} << "C" << 0
                            << "Studio: correction removed"
                            << "" << studio;
    QTest::newRow("remove the profile") << QStringList{"--print-profile", "Studio", "--remove"}
                                        << "C" << 0 << "Studio: profile removed"
                                        << "" << studio;
    QTest::newRow("remove what is not there")
        << QStringList{"--calibrate", "Office", "--remove"} << "C" << 1 << "has no correction"
        << "" << studio;
    // Another name, however the settings store reads a slash: nothing is removed.
    QTest::newRow("remove a name with a slash") << QStringList{"--calibrate", "Studio/", "--remove"}
                                                << "C" << 1 << "Studio/ has no correction to remove"
                                                << "" << studio;
    QTest::newRow("remove two slashes")
        << QStringList{"--calibrate", "//", "--remove"} << "C" << 1 << "has no correction"
        << "" << studio;
    QTest::newRow("calibration sheet for no such printer")
        << QStringList{"--print-calibration-sheet", "NoSuchPrinter"} << "C" << 1
        << "no printer is named NoSuchPrinter"
        << "" << studio;
    QTest::newRow("list") << QStringList{"--calibration"} << "C" << 0
                          << "Studio: across 200 mm, down 199 mm (printed at 100.00 % across, "
                             "100.50 % down)\nStudio: profile PROFILE_STANDIN, relative "
                             "colorimetric, black point compensation off"
                          << "" << studio;
    QTest::newRow("list in German") << QStringList{"--calibration"} << "de_DE.UTF-8" << 0
                                    << "Studio: quer 200 mm, längs 199 mm (gedruckt mit 100,00 % "
                                       "quer, 100,50 % längs)"
                                    << "" << studio;
    QTest::newRow("profile") << QStringList{"--print-profile", "PRINTER", "PROFILE_STANDIN"} << "C"
                             << 0
                             << "PRINTER: profile PROFILE_STANDIN, perceptual, black point "
                                "compensation on"
                             << "BlackPoint=true Intent=perceptual Profile=PROFILE_STANDIN" << both;
    QTest::newRow("profile, relative, without black point compensation")
        << QStringList{"--print-profile", "PRINTER_LOWER", "PROFILE_STANDIN",
                       "--intent",        "relative",      "--no-black-point"}
        << "C" << 0 << "relative colorimetric, black point compensation off"
        << "BlackPoint=false Intent=relative Profile=PROFILE_STANDIN" << both;
    QTest::newRow("refused: no ICC profile")
        << QStringList{"--print-profile", "PRINTER", "PROFILE_TEXT"} << "C" << 1
        << "PROFILE_TEXT is no ICC profile; nothing was stored"
        << "" << studio;
    QTest::newRow("refused: a camera's profile")
        << QStringList{"--print-profile", "PRINTER", "PROFILE_INPUT"} << "C" << 1
        << "PROFILE_INPUT is the profile of a scanner or camera, not of a printer; nothing was "
           "stored"
        << "" << studio;
    QTest::newRow("refused: a CMYK profile")
        << QStringList{"--print-profile", "PRINTER", "PROFILE_CMYK"} << "C" << 1
        << "PROFILE_CMYK is a CMYK profile: Qt 6.4, which draws the print job, hands printers "
           "RGB only; choose the printer's RGB profile; nothing was stored"
        << "" << studio;
    QTest::newRow("refused: no such file")
        << QStringList{"--print-profile", "PRINTER", "PROFILE_GONE"} << "C" << 1
        << "PROFILE_GONE cannot be read: No such file or directory; nothing was stored"
        << "" << studio;
    QTest::newRow("refused: another intent")
        << QStringList{"--print-profile", "PRINTER", "PROFILE_STANDIN", "--intent", "saturation"}
        << "C" << 1 << "as intent perceptual or relative; nothing was stored"
        << "" << studio;
}

// The program's command line, for administrators: what it says, its status, what it stores.
void PrintGeometryTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, lang);
    QFETCH(int, status);
    QFETCH(QString, told);
    QFETCH(QString, stored);
    QFETCH(QStringList, kept);
    QString printer;
    if ((arguments + kept + QStringList(told)).join(' ').contains("PRINTER"))
        NEED_TEST_PRINTER(printer);
    const testsupport::Sandbox sandbox;
    auto named = [&](QString text) {
        return text.replace("PRINTER_LOWER", printer.toLower())
            .replace("PRINTER", printer)
            .replace("PROFILE_", sandbox.path("profile-"));
    };
    for (QString &argument : arguments)
        argument = named(argument);
    for (QString &name : kept)
        name = named(name);
    QVERIFY(writeStandInProfile(named("PROFILE_STANDIN")));
    QVERIFY(writeStandInProfile(named("PROFILE_INPUT"), cmsSigInputClass));
    QVERIFY(writeStandInProfile(named("PROFILE_CMYK"), cmsSigOutputClass, cmsSigCmykData));
    QFile text(named("PROFILE_TEXT"));
    QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a profile\n") > 0);
    text.close();
    {
        QSettings settings("Morvane", "Quorvel");
        storeCalibration(settings, "Studio", {200.0, 199.0});
        storeProfile(settings, "Studio",
                     {named("PROFILE_STANDIN"), RenderingIntent::Relative, false});
    }
    QProcess program;
    QProcessEnvironment environment = programEnvironment(sandbox);
    environment.insert("LANG", lang);
    environment.insert("LC_ALL", lang);
    program.setProcessEnvironment(environment);
    program.start(QUORVEL_PROGRAM, arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), status);
    const QString said =
        QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
    QVERIFY2(said.contains(named(told)), qPrintable(said));
    QSettings settings(sandbox.path("settings") + "/Morvane/Quorvel.conf", QSettings::IniFormat);
    QStringList storedForPrinter;
    settings.beginGroup("Calibration/" + printer);
    for (const QString &key : settings.childKeys())
        storedForPrinter << key + "=" + settings.value(key).toString();
    settings.endGroup();
    QCOMPARE(printer.isEmpty() ? QString() : storedForPrinter.join(' '), named(stored));
    QStringList listed = calibratedPrinters(settings);
    listed.sort();
    kept.sort();
    QCOMPARE(listed, kept);
}

QTEST_MAIN(PrintGeometryTest)
#include "tst_printgeometry.moc"
