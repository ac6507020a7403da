#include "app/quorvel.h"
#include "printjobs.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>

using namespace testsupport;

// The Print button, against a real printing system: a private CUPS server whose cups-pdf queue
// turns each job into a PDF file, which is then measured.
class PrintTest : public PrintDesk
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
};

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

} // namespace

void PrintTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void PrintTest::init()
{
    openWindow();
}

void PrintTest::cleanup()
{
    QCOMPARE(closeWindow(), QStringList());
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
    // Colour names at spots of the page rendered at 300 dpi, as "colour@x,y": the quarters,
    // and the pixels at the sheet's edges. This queue's paper is printable to its corner.
    QTest::addColumn<QStringList>("colours");
    QTest::newRow("A4 sheet, crop")
        << QSize(2480, 3506) << true
        << QStringList{"red@600,800", "green@2000,800", "blue@600,2800", "yellow@2000,2800",
                       "red@0,0",     "green@2479,0",   "blue@0,3507",   "yellow@2479,3507"};
    QTest::newRow("wide sheet turned, crop")
        << QSize(3506, 2480) << true
        << QStringList{"green@600,800", "yellow@2000,800", "red@600,2800", "blue@2000,2800",
                       "green@0,0",     "yellow@2479,0",   "red@0,3507",   "blue@2479,3507"};
    // One sheet pixel on one printed pixel, from the paper's corner; the filters smooth each
    // edge over a pixel or two either side.
    QTest::newRow("own size") << QSize(600, 1200) << false
                              << QStringList{"red@0,0",         "red@296,596", "green@303,0",
                                             "green@596,596",   "blue@0,603",  "blue@296,1196",
                                             "yellow@596,1196", "white@604,0", "white@0,1204",
                                             "white@2000,800"};
}

void PrintTest::printsTheFirstSheetOnOnePage()
{
    QFETCH(QSize, sheet);
    QFETCH(bool, crop);
    QFETCH(QStringList, colours);
    QString printer;
    NEED_TEST_PRINTER(printer);

    // Lossless, so that its edges are sharp (sheets are read by their content, not their name).
    writePicture(destination + "/01.jpg", quarteredSheet(sheet), "png");
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
    run("pdftoppm", {"-r", "300", "-png", "-singlefile", pdf, prefix});
    QFile::remove(pdf);
    const QImage page(prefix + ".png");
    QCOMPARE(page.size(), QSize(2480, 3509)); // 595.3 x 841.9 points, rounded up
    for (const QString &spot : colours) {
        const QStringList xy = spot.section('@', 1).split(',');
        QVERIFY2(colourName(page.pixel(xy[0].toInt(), xy[1].toInt())) == spot.section('@', 0, 0),
                 qPrintable(spot));
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

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
