#include "app/quorvel.h"
#include "print/printercolour.h"
#include "print/printerprofile.h"
#include "printjobs.h"
#include "standinprofiles.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// Colours on paper: sheets converted to a printer's profile through the real printing system,
// and the proof on screen.
class PrintColourTest : public PrintDesk
{
    Q_OBJECT

private slots:
    void initTestCase() { sandbox = std::make_unique<Sandbox>(); }
    void init() { openWindow(); }
    void cleanup() { QCOMPARE(closeWindow(), QStringList()); }
    void coloursAreConvertedOnceToThePrinterProfile_data();
    void coloursAreConvertedOnceToThePrinterProfile();
    void proofMarksWhatThePrinterCannotPrint();
    void conversionIsLittleCmsPixelByPixel_data();
    void conversionIsLittleCmsPixelByPixel();
};

namespace {
// A chart of eight 300-pixel patches, two across and four down: saturated primaries outside the
// stand-in printer's gamut, greys, a skin tone and a dark blue inside it.
const QList<QRgb> ChartColours{qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(0, 0, 255),
                               qRgb(128, 128, 128), qRgb(200, 150, 120), qRgb(30, 60, 90),
                               qRgb(240, 240, 240), qRgb(0, 0, 0)};

QImage colourChart()
{
    QImage chart(600, 1200, QImage::Format_RGB32);
    for (int patch = 0; patch < ChartColours.size(); ++patch)
        QPainter(&chart).fillRect(patch % 2 * 300, patch / 2 * 300, 300, 300, ChartColours[patch]);
    return chart;
}

// The chart's colours as LittleCMS's own calculator converts them from sRGB to `profile`.
QList<QRgb> convertedByTransicc(const QString &profile, const QString &intent, bool blackPoint)
{
    QProcess transicc;
    transicc.start("transicc",
                   QStringList{"-i", "*sRGB", "-o", profile, "-t", intent, "-n", "-s", "-q"} +
                       (blackPoint ? QStringList{"-b"} : QStringList{}));
    for (QRgb colour : ChartColours)
        transicc.write(QString("%1 %2 %3\n")
                           .arg(qRed(colour))
                           .arg(qGreen(colour))
                           .arg(qBlue(colour))
                           .toLatin1());
    transicc.closeWriteChannel();
    transicc.waitForFinished(30000);
    QList<QRgb> converted;
    for (const QString &line : QString::fromLatin1(transicc.readAllStandardOutput()).split('\n')) {
        const QStringList values = line.split(' ', Qt::SkipEmptyParts);
        if (values.size() == 3)
            converted << qRgb(qRound(values[0].toDouble()), qRound(values[1].toDouble()),
                              qRound(values[2].toDouble()));
    }
    return converted;
}

// Whether the private server's latest job asks CUPS to leave its colours as they are: the job's
// attributes, as CUPS keeps them in its spool, hold cm-calibration as the boolean true.
bool latestJobKeepsItsColours()
{
    const QDir spool(QFileInfo(qEnvironmentVariable("CUPS_SERVER")).path() + "/spool");
    // Named c00001 on by the job's number.
    const QFileInfoList jobs =
        spool.entryInfoList({"c*"}, QDir::Files, QDir::Name | QDir::Reversed);
    QFile job(jobs.value(0).filePath());
    if (!job.open(QIODevice::ReadOnly))
        return false;
    // IPP: the boolean tag, the name's length and the name, the value's length and the value.
    static const QByteArray attribute =
        QByteArray("\x22\x00\x0e", 3) + "cm-calibration" + QByteArray("\x00\x01\x01", 3);
    return job.readAll().contains(attribute);
}
} // namespace

void PrintColourTest::coloursAreConvertedOnceToThePrinterProfile_data()
{
    QTest::addColumn<QString>("intent"); // stored for the printer; empty: no profile
    QTest::addColumn<bool>("blackPoint");
    QTest::addColumn<bool>("vanished"); // the profile's file removed before printing
    QTest::newRow("no profile") << "" << true << false;
    QTest::newRow("perceptual with black point compensation") << "perceptual" << true << false;
    QTest::newRow("relative colorimetric without") << "relative" << false << false;
    QTest::newRow("the profile's file gone") << "perceptual" << true << true;
}

// A printer with a profile gets the sheet's colours as LittleCMS converts them to it, and the
// job asks CUPS not to convert them again; without one, the sheet's own colours. A profile that
// has gone is told, and nothing is printed.
void PrintColourTest::coloursAreConvertedOnceToThePrinterProfile()
{
    QFETCH(QString, intent);
    QFETCH(bool, blackPoint);
    QFETCH(bool, vanished);
    QString printer;
    NEED_TEST_PRINTER(printer);
    const QString profile = sandbox->path("standin.icc");
    QVERIFY(writeStandInProfile(profile));
    {
        QSettings settings("Morvane", "Quorvel");
        removeProfile(settings, printer);
        if (!intent.isEmpty())
            storeProfile(settings, printer, {profile, *parseIntent(intent), blackPoint});
    }
    const QList<QRgb> wanted =
        intent.isEmpty()
            ? ChartColours
            : convertedByTransicc(profile, intent == "perceptual" ? "0" : "1", blackPoint);
    QCOMPARE(wanted.size(), ChartColours.size());
    if (vanished)
        QFile::remove(profile);
    writePicture(destination + "/01.jpg", colourChart(), "png");
    showSheets();
    dialog->findChild<QCheckBox *>("chkFitToPage")->setChecked(false);
    QString told;
    printOnNextDialog(printer, &told);
    const QDateTime pressed = QDateTime::currentDateTime();
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    QVERIFY2(told.endsWith(
                 intent.isEmpty()
                     ? "No printer profile: colours go to the printer as sRGB."
                     : QString("Colours are converted to the printer profile "
                               "standin.icc (%1, black point compensation %2).")
                           .arg(intent == "perceptual" ? "perceptual" : "relative colorimetric",
                                blackPoint ? "on" : "off")),
             qPrintable(told));
    if (vanished) {
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].text,
                 "The printer profile of " + printer + " cannot be used: " + profile +
                     " cannot be read: No such file or directory.\nNothing was printed: choose "
                     "its profile again in Printer calibration, or remove it.");
        QVERIFY(waitForNewPdf(pressed, 3000).isEmpty());
        return;
    }
    QVERIFY(recorder.messages.isEmpty());
    const QString pdf = waitForNewPdf(pressed);
    QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF within a minute");
    QCOMPARE(latestJobKeepsItsColours(), !intent.isEmpty());
    const QString prefix = sandbox->path("colours");
    run("pdftoppm", {"-r", "300", "-x", "0", "-y", "0", "-W", "600", "-H", "1200", "-png",
                     "-singlefile", pdf, prefix});
    QFile::remove(pdf);
    const QImage page(prefix + ".png");
    QCOMPARE(page.size(), QSize(600, 1200));
    // Each patch within 2 levels, away from the edges the filters smooth.
    for (int patch = 0; patch < ChartColours.size(); ++patch) {
        const QRect inside(patch % 2 * 300 + 20, patch / 2 * 300 + 20, 260, 260);
        for (int y = inside.top(); y <= inside.bottom(); y += 13)
            for (int x = inside.left(); x <= inside.right(); x += 13) {
                const QRgb got = page.pixel(x, y), want = wanted[patch];
                QVERIFY2(std::abs(qRed(got) - qRed(want)) <= 2 &&
                             std::abs(qGreen(got) - qGreen(want)) <= 2 &&
                             std::abs(qBlue(got) - qBlue(want)) <= 2,
                         qPrintable(QString("patch %1 at %2,%3: %4 printed, %5 wanted")
                                        .arg(patch)
                                        .arg(x)
                                        .arg(y)
                                        .arg(QColor(got).name(), QColor(want).name())));
            }
    }
}

// A printer with a profile is offered a proof of the sheet from the output list's menu: the
// sheet as the printer renders it, and with the switch on, a saturated red outside the stand-in
// printer's gamut marked in magenta while a grey inside it is not.
void PrintColourTest::proofMarksWhatThePrinterCannotPrint()
{
    const QString profile = sandbox->path("photo.icc");
    QVERIFY(writeStandInProfile(profile));
    QSettings settings("Morvane", "Quorvel");
    storeProfile(settings, "Photo Printer", {profile, RenderingIntent::Perceptual, true});
    // Red on the left half, grey on the right.
    QImage sheet = solidPicture({200, 100}, Qt::red);
    QPainter(&sheet).fillRect(100, 0, 100, 100, QColor(128, 128, 128));
    writePicture(destination + "/01.jpg", sheet, "png");
    showSheets();
    QImage shown, marked;
    QString title, share;
    answerNextModal<QDialog>([&](QDialog *window) {
        title = window->windowTitle();
        auto *picture = window->findChild<QLabel *>("proofPicture");
        shown = picture->pixmap().toImage();
        window->findChild<QCheckBox *>("proofGamut")->setChecked(true);
        marked = picture->pixmap().toImage();
        share = window->findChild<QLabel *>("proofGamutShare")->text();
        window->reject();
    });
    chooseInContextMenu(output()->viewport(), output()->visualItemRect(output()->item(0)).center(),
                        "Proof for Photo Printer");
    settings.remove("Calibration");
    QCOMPARE(title, "Proof for Photo Printer");
    QCOMPARE(shown.size(), QSize(200, 100));
    const QRgb magenta = qRgb(255, 0, 255);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            QVERIFY(shown.pixel(x, y) != magenta);
            QCOMPARE(marked.pixel(x, y) == magenta, x < 100);
        }
    QCOMPARE(share, "50.0 % of the sheet lies outside what the printer can print.");
}

void PrintColourTest::conversionIsLittleCmsPixelByPixel_data()
{
    // A printer's profile as a matrix with curves, and as tables.
    QTest::addColumn<bool>("tables");
    QTest::addColumn<int>("intent");
    QTest::newRow("matrix, perceptual") << false << int(RenderingIntent::Perceptual);
    QTest::newRow("tables, perceptual") << true << int(RenderingIntent::Perceptual);
    QTest::newRow("tables, relative") << true << int(RenderingIntent::Relative);
}

// Rows of white paper, colours, near-whites and runs of white of every length, converted in
// place, are what LittleCMS gives each pixel on its own.
void PrintColourTest::conversionIsLittleCmsPixelByPixel()
{
    QFETCH(bool, tables);
    QFETCH(int, intent);
    const QString path = sandbox->path(tables ? "tables.icc" : "matrix.icc");
    QVERIFY(tables ? writeTablePrinterProfile(path) : writeStandInProfile(path));
    QString whyNot;
    const auto colour = PrinterColour::open({path, RenderingIntent(intent), true}, &whyNot);
    QVERIFY2(colour, qPrintable(whyNot));

    const int width = 101; // not a whole number of eight-byte words
    QImage band(width, 6, QImage::Format_RGB888);
    band.fill(Qt::white);
    const QRgb blue = qRgb(30, 60, 90);
    auto paint = [&](int y, int from, int to, QRgb rgb) {
        for (int x = from; x < to; ++x)
            band.setPixel(x, y, rgb);
    };
    // Row 0 all white; row 1 colours around runs of 31, 15 and 16 whites and a run to its end.
    paint(1, 0, 10, blue);
    paint(1, 41, 42, qRgb(255, 0, 0));
    paint(1, 57, 70, blue);
    paint(1, 86, 87, blue);
    // Row 2: a white run of 16 each end, near-whites between; row 3: near-whites at its ends.
    paint(2, 16, 85, qRgb(255, 255, 254));
    paint(2, 40, 41, qRgb(254, 255, 255));
    paint(3, 0, 1, qRgb(255, 254, 255));
    paint(3, 100, 101, qRgb(254, 255, 255));
    // Row 4: every colour once in a while, white between; row 5 starts with a colour alone.
    for (int x = 0; x < width; x += 7)
        paint(4, x, x + 1, qRgb(x * 2, 255 - x, x % 5 * 50));
    paint(5, 0, 1, blue);

    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE printer = cmsOpenProfileFromFile(qPrintable(path), "r");
    cmsHTRANSFORM transform = cmsCreateTransform(
        srgb, TYPE_RGB_8, printer, TYPE_RGB_8,
        intent == int(RenderingIntent::Perceptual) ? INTENT_PERCEPTUAL
                                                   : INTENT_RELATIVE_COLORIMETRIC,
        cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
    QImage wanted = band.copy();
    for (int y = 0; y < band.height(); ++y)
        for (int x = 0; x < width; ++x) {
            uchar *pixel = wanted.scanLine(y) + 3 * x;
            cmsDoTransform(transform, pixel, pixel, 1);
        }
    cmsDeleteTransform(transform);
    cmsCloseProfile(printer);
    cmsCloseProfile(srgb);

    colour->convert(band);
    for (int y = 0; y < band.height(); ++y)
        for (int x = 0; x < width; ++x)
            QUORVEL_VERIFY_PIXEL(band.pixel(x, y) == wanted.pixel(x, y),
                                 qPrintable(QString("%1, %2").arg(x).arg(y)));
}

QTEST_MAIN(PrintColourTest)
#include "tst_printcolour.moc"
