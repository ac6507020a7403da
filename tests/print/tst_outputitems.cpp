#include "app/quorvel.h"
#include "print/printerprofile.h"
#include "standinprofiles.h"
#include "testsupport.h"
#include "windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// Double-clicks on the sheets of the output list.
class OutputItemsTest : public WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void ctrlOpensTheSheet();
    void ctrlShiftOpensTheDestinationFolder();
    void otherModifiersDoNothing_data();
    void otherModifiersDoNothing();
    void missingSheetOrFolderIsReported();
    void menuDoesWhatTheGesturesDo_data();
    void menuDoesWhatTheGesturesDo();
    void proofMarksWhatThePrinterCannotPrint();

private:
    QString destination;
    QListWidget *output() { return dialog->findChild<QListWidget *>("lstPrintFilesOutput"); }
};

void OutputItemsTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    destination = sandbox->makeFolder("sheets");
    writePicture(destination + "/01.jpg", solidPicture({30, 40}, Qt::white), "jpeg");
    writePicture(destination + "/02.jpg", solidPicture({30, 40}, Qt::white), "jpeg");
}

void OutputItemsTest::init()
{
    makeWindow();
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(destination);
    dialog->fillImageList(destination, output());
    dialog->show();
}

void OutputItemsTest::cleanup()
{
    QCOMPARE(closeWindow(), QStringList());
}

void OutputItemsTest::ctrlOpensTheSheet()
{
    UrlRecorder desktop;
    doubleClickItem(output(), output()->item(0), Qt::ControlModifier);
    // A tag on an output item names the file without it.
    output()->item(1)->setText("<003> 02.jpg");
    doubleClickItem(output(), output()->item(1), Qt::ControlModifier);
    QCOMPARE(desktop.urls, QList<QUrl>({QUrl::fromLocalFile(destination + "/01.jpg"),
                                        QUrl::fromLocalFile(destination + "/02.jpg")}));
}

void OutputItemsTest::ctrlShiftOpensTheDestinationFolder()
{
    UrlRecorder desktop;
    doubleClickItem(output(), output()->item(1), Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(destination)});
}

void OutputItemsTest::otherModifiersDoNothing_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("none") << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("ctrl+alt") << (Qt::ControlModifier | Qt::AltModifier);
    QTest::newRow("ctrl+shift+alt") << (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
}

void OutputItemsTest::otherModifiersDoNothing()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    UrlRecorder desktop;
    doubleClickItem(output(), output()->item(0), modifiers);
    QTest::qWait(50);
    QVERIFY(desktop.urls.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(output()->item(0)->text(), "01.jpg");
}

void OutputItemsTest::missingSheetOrFolderIsReported()
{
    UrlRecorder desktop;
    QFile::copy(destination + "/01.jpg", destination + "/03.jpg");
    dialog->fillImageList(destination, output());
    QFile::remove(destination + "/03.jpg");
    MessageSeen sheet;
    acknowledgeNextMessage(&sheet);
    doubleClickItem(output(), output()->item(2), Qt::ControlModifier);
    QCOMPARE(sheet.title, "Test Message");
    QCOMPARE(sheet.text, destination + "/03.jpg");
    QCOMPARE(sheet.buttons, int(QMessageBox::Ok));

    const QString edited = sandbox->path("edited-away");
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(edited);
    MessageSeen folder;
    acknowledgeNextMessage(&folder);
    doubleClickItem(output(), output()->item(0), Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(folder.title, "Test Message");
    QCOMPARE(folder.text, edited);
    QVERIFY(desktop.urls.isEmpty());
}

void OutputItemsTest::menuDoesWhatTheGesturesDo_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("handed"); // to the desktop; empty: the print dialog opens
    QTest::newRow("Open in viewer") << "Open in viewer"
                                    << "01.jpg";
    QTest::newRow("Open folder") << "Open folder"
                                 << ".";
    QTest::newRow("Print") << "Print"
                           << "";
}

// The output list's menu, opened by keyboard on its current sheet, does what the sheet's
// gestures and the Print button do.
void OutputItemsTest::menuDoesWhatTheGesturesDo()
{
    QFETCH(QString, entry);
    QFETCH(QString, handed);
    output()->setCurrentItem(output()->item(0));
    UrlRecorder desktop;
    bool printDialogShown = false;
    if (handed.isEmpty())
        answerNextModal<QPrintDialog>([&printDialogShown](QPrintDialog *print) {
            printDialogShown = true;
            print->reject();
        });
    chooseInContextMenu(output()->viewport(), output()->visualItemRect(output()->item(0)).center(),
                        entry);
    const QString path = handed == "." ? destination : destination + "/" + handed;
    QCOMPARE(desktop.urls,
             handed.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl::fromLocalFile(path)});
    QCOMPARE(printDialogShown, handed.isEmpty());
}

// A printer with a profile is offered a proof of the sheet from the output list's menu: the
// sheet as the printer renders it, and with the switch on, a saturated red outside the stand-in
// printer's gamut marked in magenta while a grey inside it is not.
void OutputItemsTest::proofMarksWhatThePrinterCannotPrint()
{
    const QString profile = sandbox->path("photo.icc");
    QVERIFY(writeStandInProfile(profile));
    QSettings settings("Morvane", "Quorvel");
    storeProfile(settings, "Photo Printer", {profile, RenderingIntent::Perceptual, true});
    // Red on the left half, grey on the right.
    QImage sheet = solidPicture({200, 100}, Qt::red);
    QPainter(&sheet).fillRect(100, 0, 100, 100, QColor(128, 128, 128));
    writePicture(destination + "/03.jpg", sheet, "png");
    dialog->fillImageList(destination, output());
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
    const QRect third = output()->visualItemRect(output()->item(2));
    chooseInContextMenu(output()->viewport(), third.center(), "Proof for Photo Printer");
    settings.remove("Calibration");
    QFile::remove(destination + "/03.jpg");
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

QTEST_MAIN(OutputItemsTest)
#include "tst_outputitems.moc"
