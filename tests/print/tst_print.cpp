#include "app/quorvel.h"
#include "print/calibration.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <pwd.h>
#include <unistd.h>

using namespace testsupport;

// The Print button, against a real printing system: a private CUPS server whose cups-pdf queue
// turns each job into a PDF file, which is then measured.
class PrintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void emptyOutputListIsToldBeforeAnyDialog();
    void missingOrUnreadableSheetIsTold();
    void printsTheFirstSheetOnOnePage_data();
    void printsTheFirstSheetOnOnePage();
    void cancelledDialogPrintsNothing();
    void noPrinterIsTold();
    void correctionScalesTheSheet_data();
    void correctionScalesTheSheet();
    void calibrationSheetScalesMeasure200mm();
    void calibrationDialogStoresWhatIsTyped();

private:
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<ModalGuard> guard;
    QString destination;
    Quorvel *dialog = nullptr;
    QListWidget *output() { return dialog->findChild<QListWidget *>("lstPrintFilesOutput"); }
    void showSheets();
    QString testPrinter(QString *why);
};

// The private queue's name into `printer`, or the case skipped where there is no printing
// system; CI sets QUORVEL_REQUIRE_PRINTER so that a missing one fails instead.
#define NEED_TEST_PRINTER(printer)                                                                 \
    do {                                                                                           \
        QString why;                                                                               \
        (printer) = testPrinter(&why);                                                             \
        if ((printer).isEmpty() && qEnvironmentVariableIntValue("QUORVEL_REQUIRE_PRINTER"))        \
            QFAIL(qPrintable(why));                                                                \
        if ((printer).isEmpty())                                                                   \
            QSKIP(qPrintable(why));                                                                \
    } while (false)

namespace {
// A sheet in four coloured quarters: red top-left, green top-right, blue bottom-left, yellow
// bottom-right, so that its placement and turn can be read off a rendered page.
QImage quarteredSheet(QSize size)
{
    QImage sheet(size, QImage::Format_RGB32);
    const int w = size.width() / 2, h = size.height() / 2;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            sheet.setPixel(x, y,
                           y < h ? (x < w ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                 : (x < w ? qRgb(0, 0, 255) : qRgb(255, 255, 0)));
    return sheet;
}

QString colourName(QRgb pixel)
{
    const int r = qRed(pixel) > 128, g = qGreen(pixel) > 128, b = qBlue(pixel) > 128;
    if (r && !g && !b)
        return "red";
    if (!r && g && !b)
        return "green";
    if (!r && !g && b)
        return "blue";
    if (r && g && !b)
        return "yellow";
    if (r && g && b)
        return "white";
    return "other";
}

// The folder where cups-pdf writes: the job owner's home folder, as the user database names it.
QDir pdfFolder()
{
    return QDir(QString::fromLocal8Bit(getpwuid(getuid())->pw_dir) + "/PDF");
}

// Waits for a PDF written after `pressed` that has stopped growing. Every private server
// numbers its jobs from 1 again, so cups-pdf reuses names: only the time tells a new file.
QString waitForNewPdf(const QDateTime &pressed)
{
    const QDir folder = pdfFolder();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        for (const QFileInfo &file : folder.entryInfoList({"*.pdf"}, QDir::Files)) {
            if (file.lastModified() < pressed)
                continue;
            const QString path = file.filePath();
            const qint64 size = QFileInfo(path).size();
            QTest::qWait(300);
            if (size > 0 && QFileInfo(path).size() == size)
                return path;
        }
        QTest::qWait(200);
    }
    return QString();
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}
} // namespace

void PrintTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void PrintTest::init()
{
    sandbox->clearSettings();
    destination = sandbox->makeFolder("sheets");
    guard = std::make_unique<ModalGuard>();
    dialog = new Quorvel;
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(destination);
    dialog->show();
}

void PrintTest::cleanup()
{
    delete dialog;
    QCOMPARE(guard->closed(), QStringList());
    guard.reset();
}

void PrintTest::showSheets()
{
    dialog->fillImageList(destination, output());
}

// The queue of the private CUPS server; empty, with the reason in *why, when there is none.
QString PrintTest::testPrinter(QString *why)
{
    const QString queue = qEnvironmentVariable("QUORVEL_TEST_PRINTER");
    if (!queue.isEmpty() && QPrinterInfo::availablePrinterNames().contains(queue))
        return queue;
    *why = queue.isEmpty() ? QString("no CUPS test printer is named: run the tests through ctest "
                                     "as root, which starts a private CUPS server")
                           : QString("the CUPS test printer %1 is not reachable").arg(queue);
    return QString();
}

void PrintTest::emptyOutputListIsToldBeforeAnyDialog()
{
    showSheets();
    QCOMPARE(output()->count(), 0);
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages[0].title, "Nothing to Print");
    QCOMPARE(recorder.messages[0].text, "The output list holds no sheet to print.");
}

void PrintTest::missingOrUnreadableSheetIsTold()
{
    writePicture(destination + "/01.jpg", quarteredSheet({40, 60}), "jpeg");
    showSheets();
    QFile::remove(destination + "/01.jpg");
    output()->item(0)->setText("<003> 01.jpg");
    {
        MessageRecorder recorder;
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].title, "Nothing to Print");
        QCOMPARE(recorder.messages[0].text,
                 "The sheet " + destination + "/01.jpg cannot be printed: file not found");
    }
    QFile garbage(destination + "/01.jpg");
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("\xFF\xD8\xFF\xE0 not really a picture");
    garbage.close();
    {
        MessageRecorder recorder;
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.messages[0].text.startsWith("The sheet " + destination + "/01.jpg"));
    }
}

void PrintTest::printsTheFirstSheetOnOnePage_data()
{
    QTest::addColumn<QSize>("sheet");
    QTest::addColumn<bool>("crop");
    // Rendered at 30 dpi: colour names at (60, 80), (200, 80), (60, 280), (200, 280), then at
    // two spots that tell the page's edges.
    QTest::addColumn<QStringList>("colours");
    QTest::newRow("A4 sheet, crop")
        << QSize(2480, 3506) << true
        << QStringList{"red", "green", "blue", "yellow", "white@2,2", "yellow@240,340"};
    QTest::newRow("wide sheet turned, crop")
        << QSize(3506, 2480) << true
        << QStringList{"green", "yellow", "red", "blue", "white@2,2", "blue@240,340"};
    QTest::newRow("own size") << QSize(600, 1200) << false
                              << QStringList{"yellow",      "white",       "white",
                                             "white",       "white@2,2",   "red@20,30",
                                             "green@50,30", "blue@20,100", "white@70,60"};
}

void PrintTest::printsTheFirstSheetOnOnePage()
{
    QFETCH(QSize, sheet);
    QFETCH(bool, crop);
    QFETCH(QStringList, colours);
    QString printer;
    NEED_TEST_PRINTER(printer);

    writePicture(destination + "/01.jpg", quarteredSheet(sheet), "jpeg");
    writePicture(destination + "/02.jpg", solidPicture({600, 600}, Qt::black), "jpeg");
    showSheets();
    output()->setCurrentRow(1); // selected or not, the first sheet is the one printed
    dialog->findChild<QCheckBox *>("chkFitToPage")->setChecked(crop);

    bool answered = false;
    answerNextModal<QPrintDialog>([&](QPrintDialog *printDialog) {
        auto *printers = printDialog->findChild<QComboBox *>("printers");
        printers->setCurrentIndex(printers->findText(printer));
        // Three copies asked for, one printed.
        if (auto *copies = printDialog->findChild<QSpinBox *>("copies"))
            copies->setValue(3);
        answered = true;
        printDialog->accept();
    });
    const QDateTime pressed = QDateTime::currentDateTime();
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    QVERIFY(answered);

    const QString pdf = waitForNewPdf(pressed);
    QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF within a minute");
    const QString info = run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? pts")),
             qPrintable(info));
    const QString prefix = sandbox->path("page");
    run("pdftoppm", {"-r", "30", "-png", "-singlefile", pdf, prefix});
    QFile::remove(pdf);
    const QImage page(prefix + ".png");
    QCOMPARE(page.size(), QSize(248, 351));

    const QPoint quarters[] = {{60, 80}, {200, 80}, {60, 280}, {200, 280}};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(colourName(page.pixel(quarters[i])), colours[i]);
    for (int i = 4; i < colours.size(); ++i) {
        const QStringList spot = colours[i].split('@');
        const QStringList xy = spot[1].split(',');
        QCOMPARE(colourName(page.pixel(xy[0].toInt(), xy[1].toInt())), spot[0]);
    }
}

void PrintTest::cancelledDialogPrintsNothing()
{
    writePicture(destination + "/01.jpg", quarteredSheet({60, 40}), "jpeg");
    showSheets();
    bool shown = false;
    answerNextModal<QPrintDialog>([&](QPrintDialog *printDialog) {
        shown = true;
        printDialog->reject();
    });
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    QVERIFY(shown);
    QVERIFY(recorder.messages.isEmpty());
}

void PrintTest::noPrinterIsTold()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("printers are installed here; this case runs with the printing system out of reach");
    writePicture(destination + "/01.jpg", quarteredSheet({60, 40}), "jpeg");
    showSheets();
    // The dialog offers only printing to a file, named after the home folder: nothing can
    // start on it.
    answerNextModal<QPrintDialog>([](QPrintDialog *printDialog) { printDialog->accept(); });
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages[0].title, "Not Printed");
    QCOMPARE(recorder.messages[0].text, "The sheet " + destination +
                                            "/01.jpg was not printed: the printer could not take "
                                            "the job.");
}

void PrintTest::correctionScalesTheSheet_data()
{
    QTest::addColumn<QString>("calibrated"); // the printer given a correction of 197.2 / 201.6
    QTest::addColumn<bool>("removed");       // and then removed again
    QTest::addColumn<double>("across");      // the factors the printed sheet must show
    QTest::addColumn<double>("down");
    QTest::newRow("no correction") << "" << false << 1.0 << 1.0;
    QTest::newRow("corrected") << "the test printer" << false << 200 / 197.2 << 200 / 201.6;
    QTest::newRow("another printer's correction") << "OtherPrinter" << false << 1.0 << 1.0;
    QTest::newRow("correction removed") << "the test printer" << true << 1.0 << 1.0;
}

// A printer with a stored correction prints the sheet scaled by 200 / measured, from the
// printable area's corner; other printers print it at its own size. Measured on the page
// cups-pdf wrote, rendered at 600 dpi: a black 2 x 4 inch sheet is 1200 x 2400 pixels there.
void PrintTest::correctionScalesTheSheet()
{
    QFETCH(QString, calibrated);
    QFETCH(bool, removed);
    QFETCH(double, across);
    QFETCH(double, down);
    QString printer;
    NEED_TEST_PRINTER(printer);
    {
        QSettings settings("Morvane", "Quorvel");
        if (!calibrated.isEmpty()) {
            const QString name = calibrated == "the test printer" ? printer : calibrated;
            storeCalibration(settings, name, {197.2, 201.6});
            if (removed)
                QVERIFY(removeCalibration(settings, name));
        }
    }
    writePicture(destination + "/01.jpg", solidPicture({600, 1200}, Qt::black), "jpeg");
    showSheets();
    dialog->findChild<QCheckBox *>("chkFitToPage")->setChecked(false);
    QString told;
    answerNextModal<QPrintDialog>([&](QPrintDialog *printDialog) {
        auto *printers = printDialog->findChild<QComboBox *>("printers");
        printers->setCurrentIndex(printers->findText(printer));
        told = printDialog->findChild<QLabel *>("calibrationTab")->text();
        printDialog->accept();
    });
    const QDateTime pressed = QDateTime::currentDateTime();
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    // The print dialog's tab tells whether a correction applies to the printer chosen.
    QCOMPARE(told, across == 1.0 ? "No correction: sheets print at their own size."
                                 : "Sheets on this printer are printed at 101.42 % across and "
                                   "99.21 % down.");
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

// quorvel --print-calibration-sheet prints, through the printing system, a page whose two
// scales' main lines measure 200 mm, to 0.3 mm: the longest dark runs across and down the page
// rendered at 600 dpi, where 200 mm is 4724.4 pixels.
void PrintTest::calibrationSheetScalesMeasure200mm()
{
    QString printer;
    NEED_TEST_PRINTER(printer);
    {
        // A correction does not apply to the page it is measured from.
        QSettings settings("Morvane", "Quorvel");
        storeCalibration(settings, printer, {195.0, 205.0});
    }
    const QDateTime pressed = QDateTime::currentDateTime();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", sandbox->path("settings"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(QUORVEL_PROGRAM, {"--print-calibration-sheet", printer});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    const QString pdf = waitForNewPdf(pressed);
    QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF within a minute");
    const QString prefix = sandbox->path("calibration");
    run("pdftoppm", {"-r", "600", "-gray", "-png", "-singlefile", pdf, prefix});
    QFile::remove(pdf);
    const QImage page = QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8);
    QVERIFY(!page.isNull());
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

// The printer calibration, opened from the logo's menu: the lengths typed, the correction shown
// as percentages, stored for the printer chosen and removed again; a length out of range
// stores nothing.
void PrintTest::calibrationDialogStoresWhatIsTyped()
{
    QString printer;
    NEED_TEST_PRINTER(printer);
    QStringList shown;
    bool storable = true;
    QString afterRemove;
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
        store->click();
        shown << result->text();
        {
            QSettings settings("Morvane", "Quorvel");
            shown << settings.value("Calibration/" + printer + "/Across").toString() + " " +
                         settings.value("Calibration/" + printer + "/Down").toString();
        }
        window->findChild<QPushButton *>("calibrationRemove")->click();
        afterRemove = result->text();
        window->reject();
    });
    chooseInContextMenu(dialog->findChild<QPushButton *>("pushButton"), QPoint(1, 1),
                        "Printer calibration");
    const QString corrected =
        "Sheets on this printer are printed at 101.42 % across and 99.21 % down.";
    QCOMPARE(shown, QStringList({"No correction: sheets print at their own size.",
                                 "Type each length in millimetres, from 190 to 210.", corrected,
                                 corrected, "197.2 201.6"}));
    QVERIFY(!storable);
    QCOMPARE(afterRemove, "No correction: sheets print at their own size.");
    QSettings settings("Morvane", "Quorvel");
    QVERIFY(!settings.contains("Calibration/" + printer + "/Across"));
}

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
