#include "app/quorvel.h"
#include "print/calibration.h"
#include "print/calibrationsheet.h"
#include "printjobs.h"
#include "standinprofiles.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>

using namespace testsupport;

// The printer calibration against the private CUPS server: the calibration sheet measured,
// corrected sheets measured, the dialog that stores the corrections.
class CalibrationTest : public PrintDesk
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void correctionScalesTheSheet_data();
    void correctionScalesTheSheet();
    void calibrationSheetScalesMeasure200mm_data();
    void calibrationSheetScalesMeasure200mm();
    void calibrationScalesEndIn200();
    void calibrationDialogStoresWhatIsTyped();
    void profileIsChosenInTheCalibrationDialog();
};

void CalibrationTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void CalibrationTest::init()
{
    openWindow();
}

void CalibrationTest::cleanup()
{
    QCOMPARE(closeWindow(), QStringList());
}

void CalibrationTest::correctionScalesTheSheet_data()
{
    QTest::addColumn<QString>("calibrated"); // the printer given a correction of 197.2 / 201.6
    QTest::addColumn<QString>("removedBy");  // and then removed again by this or another program
    QTest::addColumn<double>("across");      // the factors the printed sheet must show
    QTest::addColumn<double>("down");
    QTest::newRow("no correction") << ""
                                   << "" << 1.0 << 1.0;
    QTest::newRow("corrected") << "the test printer"
                               << "" << 200 / 197.2 << 200 / 201.6;
    QTest::newRow("another printer's correction") << "OtherPrinter"
                                                  << "" << 1.0 << 1.0;
    QTest::newRow("correction removed") << "the test printer"
                                        << "this program" << 1.0 << 1.0;
    // quorvel --calibrate PRINTER --remove while the window is open.
    QTest::newRow("correction removed by another program") << "the test printer"
                                                           << "another program" << 1.0 << 1.0;
}

// A printer with a stored correction prints the sheet scaled by 200 / measured, from the
// printable area's corner; other printers print it at its own size. Measured on the page
// cups-pdf wrote, rendered at 600 dpi: a black 2 x 4 inch sheet is 1200 x 2400 pixels there.
void CalibrationTest::correctionScalesTheSheet()
{
    QFETCH(QString, calibrated);
    QFETCH(QString, removedBy);
    QFETCH(double, across);
    QFETCH(double, down);
    QString printer;
    NEED_TEST_PRINTER(printer);
    {
        QSettings settings("Morvane", "Quorvel");
        if (!calibrated.isEmpty()) {
            const QString name = calibrated == "the test printer" ? printer : calibrated;
            storeCalibration(settings, name, {197.2, 201.6});
            if (removedBy == "this program")
                QVERIFY(removeCalibration(settings, name));
        }
    }
    if (removedBy == "another program") {
        QProcess program;
        program.setProcessEnvironment(programEnvironment(*sandbox));
        program.start(QUORVEL_PROGRAM, {"--calibrate", printer, "--remove"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
    }
    writePicture(destination + "/01.jpg", solidPicture({600, 1200}, Qt::black), "jpeg");
    showSheets();
    dialog->findChild<QCheckBox *>("chkFitToPage")->setChecked(false);
    QString told;
    printOnNextDialog(printer, &told);
    const QDateTime pressed = QDateTime::currentDateTime();
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    // The print dialog's tab tells whether a correction applies to the printer chosen.
    QCOMPARE(told.section('\n', 0, 0), across == 1.0
                                           ? "No correction: sheets print at their own size."
                                           : "Sheets on this printer are printed at 101.42 % "
                                             "across and 99.21 % down.");
    const QString pdf = waitForNewPdf(pressed);
    QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF within a minute");
    const QString prefix = sandbox->path("measured");
    run("pdftoppm", {"-r", "600", "-x", "0", "-y", "0", "-W", "1500", "-H", "2700", "-png",
                     "-singlefile", pdf, prefix});
    QFile::remove(pdf);
    const QImage page(prefix + ".png");
    QVERIFY(!page.isNull());
    // The sheet's extent along a row and a column through it, from the printable area's
    // corner (this queue's margins put it a few millimetres in).
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    auto extent = [&](QPoint from, QPoint step) {
        while (QRect(QPoint(), page.size()).contains(from) && !dark(from.x(), from.y()))
            from += step;
        int length = 0;
        for (; QRect(QPoint(), page.size()).contains(from) && dark(from.x(), from.y());
             from += step)
            ++length;
        return length;
    };
    const int width = extent(QPoint(0, 1000), QPoint(1, 0));
    const int height = extent(QPoint(600, 0), QPoint(0, 1));
    // Within 0.1 %, and the pixel an edge may fall on.
    QVERIFY2(std::abs(width - 1200 * across) <= 1200 * across * 0.001 + 1,
             qPrintable(QString("%1 pixels across, %2 wanted").arg(width).arg(1200 * across)));
    QVERIFY2(std::abs(height - 2400 * down) <= 2400 * down * 0.001 + 1,
             qPrintable(QString("%1 pixels down, %2 wanted").arg(height).arg(2400 * down)));
}

void CalibrationTest::calibrationSheetScalesMeasure200mm_data()
{
    QTest::addColumn<bool>("throughCups"); // or straight to a PDF file
    QTest::addColumn<QString>("paper");
    QTest::newRow("quorvel --print-calibration-sheet, A4") << true << "A4";
    // Scaled to cover Letter paper, the scales would measure 205.6 mm.
    QTest::newRow("to a file, Letter") << false << "Letter";
}

// The calibration sheet is printed at its own size, whatever the paper: its two scales' main
// lines measure 200 mm, to 0.3 mm, as the longest dark runs across and down the page rendered
// at 600 dpi, where 200 mm is 4724.4 pixels.
void CalibrationTest::calibrationSheetScalesMeasure200mm()
{
    QFETCH(bool, throughCups);
    QFETCH(QString, paper);
    QString pdf;
    if (throughCups) {
        QString printer;
        NEED_TEST_PRINTER(printer);
        {
            // A correction does not apply to the page it is measured from.
            QSettings settings("Morvane", "Quorvel");
            storeCalibration(settings, printer, {195.0, 205.0});
        }
        const QDateTime pressed = QDateTime::currentDateTime();
        QProcess program;
        program.setProcessEnvironment(programEnvironment(*sandbox));
        program.start(QUORVEL_PROGRAM, {"--print-calibration-sheet", printer});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        pdf = waitForNewPdf(pressed);
        QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF within a minute");
    } else {
        pdf = sandbox->path("calibration.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        QVERIFY(printCalibrationSheet(printer, nullptr));
    }
    const QString prefix = sandbox->path("calibration");
    run("pdftoppm", {"-r", "600", "-gray", "-png", "-singlefile", pdf, prefix});
    QFile::remove(pdf);
    const QImage page = QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8);
    QVERIFY(!page.isNull());
    QCOMPARE(qRound(page.width() / 600.0 * 72), paper == "A4" ? 595 : 612);
    int across = 0;
    for (int y = 0; y < page.height(); ++y) {
        const uchar *row = page.constScanLine(y);
        for (int x = 0, run = 0; x < page.width(); ++x) {
            run = row[x] < 128 ? run + 1 : 0;
            across = std::max(across, run);
        }
    }
    std::vector<int> runs(size_t(page.width()), 0);
    int down = 0;
    for (int y = 0; y < page.height(); ++y) {
        const uchar *row = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x) {
            runs[size_t(x)] = row[x] < 128 ? runs[size_t(x)] + 1 : 0;
            down = std::max(down, runs[size_t(x)]);
        }
    }
    const double wanted = 200 / 25.4 * 600, slack = 0.3 / 25.4 * 600;
    QVERIFY2(std::abs(across - wanted) <= slack, qPrintable(QString("across %1").arg(across)));
    QVERIFY2(std::abs(down - wanted) <= slack, qPrintable(QString("down %1").arg(down)));
}

// Each scale of the calibration sheet ends in its 200 mm tick, 7 mm long like every tenth, and
// the number 200 beside it: where the test computes them from the sheet's millimetres.
void CalibrationTest::calibrationScalesEndIn200()
{
    const QImage sheet = calibrationSheet("Studio", QDate(2026, 12, 8));
    auto mm = [](double millimetres) { return qRound(millimetres * 300 / 25.4); };
    auto dark = [&](int x, int y) { return qGray(sheet.pixel(x, y)) < 128; };
    const int length = mm(200);
    struct Scale
    {
        QPoint origin, along, across;
        int labelShift; // the number's box, moved off the scale's ticks
    };
    for (const Scale &scale : {Scale{{(sheet.width() - length) / 2, mm(26)}, {1, 0}, {0, 1}, 0},
                               Scale{{mm(22), mm(50)}, {0, 1}, {1, 0}, mm(4)}}) {
        // The last tick: two pixels wide, the scale's last two, 7 mm across it and no further.
        const QPoint tick = scale.origin + scale.along * (length - 2);
        for (int step = 0; step < mm(7); ++step)
            for (int width = 0; width < 2; ++width) {
                const QPoint at = tick + scale.along * width + scale.across * step;
                QVERIFY2(dark(at.x(), at.y()),
                         qPrintable(QString("%1,%2").arg(at.x()).arg(at.y())));
            }
        const QPoint beyond = tick + scale.across * (mm(7) + 2);
        QVERIFY(!dark(beyond.x(), beyond.y()));
        // "200" in its 10 x 4 mm box, 1 mm beyond the tick.
        const QPoint end = scale.origin + scale.along * length + scale.across * (mm(7) + mm(1));
        const QRect label(end.x() - mm(5) + scale.labelShift, end.y() - mm(2), mm(10), mm(4));
        int inked = 0;
        for (int y = label.top(); y <= label.bottom(); ++y)
            for (int x = label.left(); x <= label.right(); ++x)
                inked += dark(x, y);
        QVERIFY2(inked > 100, qPrintable(QString("%1 dark pixels").arg(inked)));
    }
}

// The printer calibration, opened from the logo's menu: the lengths typed, the correction shown
// as percentages, stored for the printer chosen and removed again; a length out of range
// stores nothing.
void CalibrationTest::calibrationDialogStoresWhatIsTyped()
{
    QString printer;
    NEED_TEST_PRINTER(printer);
    QStringList shown;
    bool storable = true;
    QString afterRemove;
    int printedByReturn = -1;
    answerNextModal<QDialog>([&](QDialog *window) {
        if (window->objectName() != "printerCalibration")
            return;
        auto *printers = window->findChild<QComboBox *>("calibrationPrinter");
        printers->setCurrentIndex(printers->findText(printer));
        auto *result = window->findChild<QLabel *>("calibrationResult");
        auto *across = window->findChild<QLineEdit *>("calibrationAcross");
        auto *down = window->findChild<QLineEdit *>("calibrationDown");
        auto *store = window->findChild<QPushButton *>("calibrationStore");
        shown << result->text();
        QTest::keyClicks(across, "180");
        QTest::keyClicks(down, "201.6");
        storable = store->isEnabled();
        shown << result->text();
        across->clear();
        QTest::keyClicks(across, "197.2");
        shown << result->text();
        // Return in a measure stores it, and prints nothing.
        QSignalSpy printed(window->findChild<QPushButton *>("calibrationPrintSheet"),
                           &QPushButton::clicked);
        QTest::keyClick(down, Qt::Key_Return);
        printedByReturn = printed.count();
        shown << result->text();
        // Stored at once: the program started now lists it.
        QProcess program;
        program.setProcessEnvironment(programEnvironment(*sandbox));
        program.start(QUORVEL_PROGRAM, {"--calibration"});
        program.waitForFinished(30000);
        shown << QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed();
        window->findChild<QPushButton *>("calibrationRemove")->click();
        afterRemove = result->text();
        window->reject();
    });
    chooseInContextMenu(dialog->findChild<QPushButton *>("pushButton"), QPoint(1, 1),
                        "Printer calibration");
    const QString corrected =
        "Sheets on this printer are printed at 101.42 % across and 99.21 % down.";
    QCOMPARE(shown,
             QStringList({"No correction: sheets print at their own size.",
                          "Type each length in millimetres, from 190 to 210.", corrected, corrected,
                          printer + ": across 197.2 mm, down 201.6 mm (printed at "
                                    "101.42 % across, 99.21 % down)"}));
    QVERIFY(!storable);
    QCOMPARE(printedByReturn, 0);
    QCOMPARE(afterRemove, "No correction: sheets print at their own size.");
    QSettings settings("Morvane", "Quorvel");
    QVERIFY(!settings.contains("Calibration/" + printer + "/Across"));
}

// The printer profile, chosen in the printer calibration: a profile a printer cannot use is told
// and stores nothing; a printer's RGB profile is stored with the intent and switch shown, a new
// intent at once, and it is removed again.
void CalibrationTest::profileIsChosenInTheCalibrationDialog()
{
    QString printer;
    NEED_TEST_PRINTER(printer);
    const QString photo = sandbox->path("photo.icc"), cmyk = sandbox->path("cmyk.icc");
    QVERIFY(writeStandInProfile(photo));
    QVERIFY(writeStandInProfile(cmyk, cmsSigOutputClass, cmsSigCmykData));
    QStringList shown, refusals;
    QString storedIntent;
    answerNextModal<QDialog>([&](QDialog *window) {
        auto *printers = window->findChild<QComboBox *>("calibrationPrinter");
        printers->setCurrentIndex(printers->findText(printer));
        auto *summary = window->findChild<QLabel *>("calibrationProfileResult");
        auto choose = [&](const QString &file) {
            // Typed into the dialog's name field, as an operator may: selectFile() depends on
            // the dialog's folder having been read.
            answerNextModal<QFileDialog>([file](QFileDialog *files) {
                files->findChild<QLineEdit *>("fileNameEdit")->setText(file);
                static_cast<QDialog *>(files)->accept();
            });
            MessageRecorder recorder;
            window->findChild<QPushButton *>("calibrationChooseProfile")->click();
            for (const MessageSeen &message : recorder.messages)
                refusals << message.title + ": " + message.text;
            shown << summary->text();
        };
        shown << summary->text();
        choose(cmyk);
        choose(photo);
        window->findChild<QComboBox *>("calibrationIntent")->setCurrentIndex(1);
        shown << summary->text();
        storedIntent =
            QSettings("Morvane", "Quorvel").value("Calibration/" + printer + "/Intent").toString();
        window->findChild<QPushButton *>("calibrationRemoveProfile")->click();
        shown << summary->text();
        window->reject();
    });
    chooseInContextMenu(dialog->findChild<QPushButton *>("pushButton"), QPoint(1, 1),
                        "Printer calibration");
    QCOMPARE(refusals, QStringList{"Profile Refused: " + cmyk +
                                   " is a CMYK profile: Qt 6.4, which draws the print job, hands "
                                   "printers RGB only; choose the printer's RGB profile.\n"
                                   "Nothing was stored."});
    const QString none = "No printer profile: colours go to the printer as sRGB.";
    QCOMPARE(shown, QStringList({none, none,
                                 "Colours are converted to the printer profile photo.icc "
                                 "(perceptual, black point compensation on).",
                                 "Colours are converted to the printer profile photo.icc "
                                 "(relative colorimetric, black point compensation on).",
                                 none}));
    QCOMPARE(storedIntent, "relative");
}

QTEST_MAIN(CalibrationTest)
#include "tst_calibration.moc"
