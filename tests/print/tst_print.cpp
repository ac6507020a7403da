#include "app/quorvel.h"
#include "printjobs.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
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
    void printsEverySheetOnItsPaper_data();
    void printsEverySheetOnItsPaper();
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

void PrintTest::printsEverySheetOnItsPaper_data()
{
    QTest::addColumn<QString>("queue"); // the test printer, or its photo printer ("Photo")
    QTest::addColumn<QString>("paper"); // an entry of the paper box, or "width x length in"
    QTest::addColumn<int>("copies");    // of a 2 x 2 inch picture, with more sheets
    QTest::addColumn<int>("pages");     // in the one job; 0: refused, with no job
    QTest::addColumn<QSizeF>("points"); // of each page
    QTest::newRow("6 x 8 in on the photo printer") << "Photo"
                                                   << "6 x 8 in" << 1 << 1 << QSizeF(432, 576);
    // Two columns of three copies on a 4 x 6 inch sheet: eight copies take two sheets.
    QTest::newRow("two sheets of 4 x 6 in in one job") << "Photo"
                                                       << "4 x 6 in" << 8 << 2 << QSizeF(288, 432);
    // Wider than the photo printer's 8.5 inches, and not one of its papers.
    QTest::newRow("A3, which the photo printer has not") << "Photo"
                                                         << "A3" << 1 << 0 << QSizeF();
    QTest::newRow("a roll of one's own") << ""
                                         << "8 x 60 in" << 1 << 1 << QSizeF(576, 4320);
}

// Sheets a Go wrote are printed, every one of them on a page of its own in one job, on the
// paper they were laid out for: the printer's own, or a size of one's own where it takes one,
// at true size from the paper's corner. A printer with neither is named with its papers, and
// nothing is printed.
void PrintTest::printsEverySheetOnItsPaper()
{
    QFETCH(QString, queue);
    QFETCH(QString, paper);
    QFETCH(int, copies);
    QFETCH(int, pages);
    QFETCH(QSizeF, points);
    QString printer;
    NEED_TEST_PRINTER(printer);
    printer += queue;

    const QString source = sandbox->makeFolder("source");
    // Red, its bottom-right corner blue, so that the copy's far corner can be found.
    QImage picture = solidPicture({600, 600}, Qt::red);
    QPainter(&picture).fillRect(540, 540, 60, 60, Qt::blue);
    writePicture(source + "/red.png", picture);
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(source);
    auto *input = dialog->findChild<QListWidget *>("lstPrintFiles");
    dialog->fillImageList(source, input);
    input->item(0)->setText(QString("<%1> red.png").arg(copies, 3, 10, QChar('0')));
    input->item(0)->setSelected(true);
    dialog->findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(0);
    dialog->findChild<QCheckBox *>("chkMoreSheets")->setChecked(copies > 1);
    auto *papers = dialog->findChild<QComboBox *>("cmbPaper");
    int entry = papers->findText(paper);
    if (entry < 0) {
        entry = papers->count() - 1; // "Custom size…"
        answerNextModal<QDialog>([&paper](QDialog *window) {
            window->findChild<QLineEdit *>("customPaperWidth")->setText(paper.section(' ', 0, 0));
            window->findChild<QLineEdit *>("customPaperLength")->setText(paper.section(' ', 2, 2));
            window->accept();
        });
    }
    papers->setCurrentIndex(entry);
    emit papers->activated(entry);
    QCOMPARE(papers->currentText(), paper);
    {
        MessageRecorder recorder;
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnGenerate"), Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].title, "Task Completed");
    }

    printOnNextDialog(printer);
    const QDateTime pressed = QDateTime::currentDateTime();
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    if (pages == 0) {
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].title, "Not Printed");
        QVERIFY2(recorder.messages[0].text.startsWith("The printer " + printer + " has no paper " +
                                                      paper + " (297 x 420 mm)"),
                 qPrintable(recorder.messages[0].text));
        QVERIFY(recorder.messages[0].text.contains("4 x 6 in, 6 x 8 in, A4, US Letter"));
        QVERIFY(waitForNewPdf(pressed, 3000).isEmpty());
        return;
    }
    QVERIFY(recorder.messages.isEmpty());
    const QString pdf = waitForNewPdf(pressed);
    QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF within a minute");
    const QString info = run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(pages))),
             qPrintable(info));
    QVERIFY2(
        info.contains(QRegularExpression(QString("Page size:\\s+%1(\\.\\d+)? x %2(\\.\\d+)? pts")
                                             .arg(points.width())
                                             .arg(points.height()))),
        qPrintable(info));
    // The first copy, on the first page: 2 inches square at the paper's corner, within 0.5 %
    // and the pixel its edges may fall on. Rendered no larger than 3600 pixels.
    const int dpi = int(std::min(300.0, 3600 * 72 / points.height()));
    const QString prefix = sandbox->path("paper");
    run("pdftoppm",
        {"-r", QString::number(dpi), "-f", "1", "-l", "1", "-png", "-singlefile", pdf, prefix});
    QFile::remove(pdf);
    const QImage page(prefix + ".png");
    QVERIFY(!page.isNull());
    const double side = 2.0 * dpi;
    const double slack = side * 0.005 + 1.5;
    QRect red, blue; // of the first copy
    for (int y = 0; y < std::min(page.height(), int(side * 1.2)); ++y)
        for (int x = 0; x < std::min(page.width(), int(side * 1.2)); ++x) {
            const QString colour = colourName(page.pixel(x, y));
            if (colour == "red")
                red |= QRect(x, y, 1, 1);
            else if (colour == "blue")
                blue |= QRect(x, y, 1, 1);
        }
    QVERIFY2(red.left() <= 1 && red.top() <= 1,
             qPrintable(QString("%1, %2").arg(red.x()).arg(red.y())));
    QVERIFY2(
        std::abs(blue.right() + 1 - side) <= slack && std::abs(blue.bottom() + 1 - side) <= slack,
        qPrintable(
            QString("%1, %2; %3 wanted").arg(blue.right() + 1).arg(blue.bottom() + 1).arg(side)));
}

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
