#include "app/quorvel.h"
#include "testsupport.h"
#include "windowfixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
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

QTEST_MAIN(OutputItemsTest)
#include "tst_outputitems.moc"
