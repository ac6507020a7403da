#include "app/quorvel.h"
#include "compose/sheet.h"
#include "testsupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// Start sequence, presets and the ways the program ends.
class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void firstStartListsTheWorkingFolder();
    void storedFoldersAreShownAndListed();
    void sheetSizePresets();
    void paperChoiceIsShownAndRemembered_data();
    void paperChoiceIsShownAndRemembered();
    void closeButtonStoresSheetSizeAndExitsWithOne();
    void otherClosingStoresNothing_data();
    void otherClosingStoresNothing();
    void keysActAsTheirButtons_data();
    void keysActAsTheirButtons();

private:
    std::unique_ptr<Sandbox> sandbox;
};

void ShellTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void ShellTest::init()
{
    // Every slot must find its widget and signal by name.
    QTest::failOnWarning(QRegularExpression("connectSlotsByName"));
    // Every style sheet must parse: a rejected colour drops its style with a warning.
    QTest::failOnWarning(QRegularExpression("QCssParser"));
    sandbox->clearSettings();
}

void ShellTest::firstStartListsTheWorkingFolder()
{
    writePicture(sandbox->path("cwd/b.png"), solidPicture({30, 20}, Qt::red));
    writePicture(sandbox->path("cwd/a.jpg"), solidPicture({30, 20}, Qt::blue));
    Quorvel dialog;
    auto *input = dialog.findChild<QListWidget *>("lstPrintFiles");
    auto *output = dialog.findChild<QListWidget *>("lstPrintFilesOutput");
    QCOMPARE(dialog.findChild<QLineEdit *>("lineSourcePath")->text(), "");
    QCOMPARE(dialog.findChild<QLineEdit *>("lineDestPath")->text(), "");
    for (QListWidget *list : {input, output}) {
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), "a.jpg");
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(list->item(0)->isSelected());
    }
    QCOMPARE(dialog.findChild<QLineEdit *>("lineOPWidth")->text(), "8.27");
    QCOMPARE(dialog.findChild<QLineEdit *>("lineOPHeight")->text(), "11.69");
    QVERIFY(dialog.findChild<QPushButton *>("btnA4")->isChecked());
    QVERIFY(dialog.findChild<QCheckBox *>("chkFitToPage")->isHidden());
    QVERIFY(dialog.findChild<QPushButton *>("btnA3")->isHidden());
    QVERIFY(dialog.findChild<QLineEdit *>("lineOPWidth")->isReadOnly());
    QVERIFY(dialog.findChild<QLineEdit *>("lineOPHeight")->isReadOnly());
    QVERIFY(!dialog.isModal());
    QFile::remove(sandbox->path("cwd/b.png"));
    QFile::remove(sandbox->path("cwd/a.jpg"));
}

void ShellTest::storedFoldersAreShownAndListed()
{
    const QString source = sandbox->makeFolder("stored-src");
    const QString destination = sandbox->makeFolder("stored-dst");
    writePicture(source + "/in.png", solidPicture({30, 20}, Qt::red));
    writePicture(destination + "/01.jpg", solidPicture({30, 20}, Qt::blue));
    {
        QSettings store("Morvane", "Quorvel");
        store.setValue("LastSourcePath", source);
        store.setValue("LastDestinationPath", destination);
        store.setValue("LastOPWidth", "4");
        store.setValue("LastOPHeight", "6");
    }
    Quorvel dialog;
    QCOMPARE(dialog.findChild<QLineEdit *>("lineSourcePath")->text(), source);
    QCOMPARE(dialog.findChild<QLineEdit *>("lineDestPath")->text(), destination);
    QCOMPARE(dialog.findChild<QListWidget *>("lstPrintFiles")->item(0)->text(), "in.png");
    QCOMPARE(dialog.findChild<QListWidget *>("lstPrintFilesOutput")->item(0)->text(), "01.jpg");
    // The stored sheet size is never what the window shows: A4 applies at start.
    QCOMPARE(dialog.findChild<QLineEdit *>("lineOPWidth")->text(), "8.27");
}

void ShellTest::sheetSizePresets()
{
    Quorvel dialog;
    dialog.show();
    auto *width = dialog.findChild<QLineEdit *>("lineOPWidth");
    auto *height = dialog.findChild<QLineEdit *>("lineOPHeight");
    auto *a3 = dialog.findChild<QPushButton *>("btnA3");
    a3->show();
    QTest::mouseClick(a3, Qt::LeftButton);
    QCOMPARE(width->text(), "11.69");
    QCOMPARE(height->text(), "16.53");
    QTest::keyClicks(width, "99");
    QCOMPARE(width->text(), "11.69");
    QTest::mouseClick(dialog.findChild<QPushButton *>("btnA4"), Qt::LeftButton);
    QCOMPARE(width->text(), "8.27");
    QCOMPARE(height->text(), "11.69");
    QTest::mouseClick(dialog.findChild<QPushButton *>("btnA4"), Qt::LeftButton);
    QCOMPARE(width->text(), "8.27");
}

void ShellTest::paperChoiceIsShownAndRemembered_data()
{
    QTest::addColumn<QString>("chosen"); // an entry of the paper box, or "width x length unit"
    QTest::addColumn<QString>("name");   // the paper's name as shown and stored
    QTest::addColumn<QSize>("pixels");   // the sheet, inches x 300, truncated
    QTest::addColumn<QString>("width");  // the size fields' texts
    QTest::addColumn<QString>("length");
    QTest::newRow("A4") << "A4"
                        << "A4" << QSize(2480, 3506) << "8.27"
                        << "11.69";
    // Whole tenths of inches are written as the selection summary writes a picture's size.
    QTest::newRow("6 x 8 in") << "6 x 8 in"
                              << "6 x 8 in" << QSize(1800, 2400) << "6.0"
                              << "8.0";
    QTest::newRow("Letter") << "Letter"
                            << "Letter" << QSize(2550, 3300) << "8.5"
                            << "11.0";
    // 100 / 25.4 x 300 = 1181.1, 150 / 25.4 x 300 = 1771.7.
    QTest::newRow("10 x 15 cm") << "10 x 15 cm"
                                << "10 x 15 cm" << QSize(1181, 1771) << ""
                                << "";
    QTest::newRow("a roll of its own") << "24 x 98 in"
                                       << "24 x 98 in" << QSize(7200, 29400) << "24.0"
                                       << "98.0";
    QTest::newRow("millimetres of its own") << "89 x 127 mm"
                                            << "89 x 127 mm" << QSize(1051, 1500) << ""
                                            << "";
}

// The paper chosen, from the box or of the operator's own size, is shown in the size fields
// (inches x 300 the sheet's pixels), remembered, and shown again at the next start.
void ShellTest::paperChoiceIsShownAndRemembered()
{
    QFETCH(QString, chosen);
    QFETCH(QString, name);
    QFETCH(QSize, pixels);
    QFETCH(QString, width);
    QFETCH(QString, length);
    {
        Quorvel dialog;
        dialog.show();
        auto *paper = dialog.findChild<QComboBox *>("cmbPaper");
        int entry = paper->findText(chosen);
        if (entry < 0) {
            // Of the operator's own size: the last entry asks for it.
            entry = paper->count() - 1;
            answerNextModal<QDialog>([&chosen](QDialog *window) {
                const QStringList size = chosen.split(' ');
                window->findChild<QLineEdit *>("customPaperWidth")->setText(size[0]);
                window->findChild<QLineEdit *>("customPaperLength")->setText(size[2]);
                auto *unit = window->findChild<QComboBox *>("customPaperUnit");
                unit->setCurrentIndex(size[3] == "mm" ? 1 : 0);
                window->accept();
            });
        }
        paper->setFocus();
        paper->setCurrentIndex(entry);
        emit paper->activated(entry);
        QCOMPARE(paper->currentText(), name);
        const QString shownWidth = dialog.findChild<QLineEdit *>("lineOPWidth")->text();
        const QString shownLength = dialog.findChild<QLineEdit *>("lineOPHeight")->text();
        if (!width.isEmpty()) {
            QCOMPARE(shownWidth, width);
            QCOMPARE(shownLength, length);
        }
        QCOMPARE(QSize(inchesToPixels(shownWidth), inchesToPixels(shownLength)), pixels);
        QCOMPARE(dialog.findChild<QPushButton *>("btnA4")->isChecked(), name == "A4");
        QSettings stored("Morvane", "Quorvel");
        QCOMPARE(stored.value("LastPaper").toString(), name);
        QCOMPARE(stored.value("LastOPWidth").toString(), shownWidth);
        QCOMPARE(stored.value("LastOPHeight").toString(), shownLength);
    }
    // The next start, in a process of its own, on the same settings.
    const ProbeRun next = runExitProbe(EXIT_PROBE, *sandbox, {"show-paper"},
                                       sandbox->path("settings") + "/Morvane/Quorvel.conf");
    QCOMPARE(next.exitCode, 0);
    QSettings stored("Morvane", "Quorvel");
    QCOMPARE(next.output.trimmed(), QString("%1 x %2, %3")
                                        .arg(stored.value("LastOPWidth").toString(),
                                             stored.value("LastOPHeight").toString(), name));
}

void ShellTest::closeButtonStoresSheetSizeAndExitsWithOne()
{
    const ProbeRun run = runExitProbe(EXIT_PROBE, *sandbox, {"close-button"});
    QCOMPARE(run.exitCode, 1);
    QSettings stored(run.settingsFile, QSettings::IniFormat);
    QCOMPARE(stored.value("LastOPWidth").toString(), "8.27");
    QCOMPARE(stored.value("LastOPHeight").toString(), "11.69");
}

void ShellTest::otherClosingStoresNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("escape") << "escape";
    QTest::newRow("window close") << "window-close";
}

void ShellTest::otherClosingStoresNothing()
{
    QFETCH(QString, how);
    const ProbeRun run = runExitProbe(EXIT_PROBE, *sandbox, {how});
    QCOMPARE(run.exitCode, 0);
    QSettings stored(run.settingsFile, QSettings::IniFormat);
    QVERIFY(!stored.contains("LastOPWidth"));
    QVERIFY(!stored.contains("LastOPHeight"));
}

void ShellTest::keysActAsTheirButtons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focus");  // the widget that has the keyboard focus
    QTest::addColumn<QString>("button"); // whose tooltip names the key; empty for none
    QTest::addColumn<QString>("effect"); // a box shown, or a chooser started at a stored folder
    QTest::addColumn<int>("inputItems"); // after the key, of a picture added since the listing
    QTest::addColumn<int>("outputItems");
    const int ctrl = int(Qt::ControlModifier);
    // Go lists the output folder again, whatever it composes.
    QTest::newRow("Go: Ctrl+Return") << int(Qt::Key_Return) << ctrl << "lstPrintFiles"
                                     << "btnGenerate"
                                     << "message No Sheet Written" << 0 << 1;
    QTest::newRow("Print: Ctrl+P") << int(Qt::Key_P) << ctrl << "lineSourcePath"
                                   << "btnPrint"
                                   << "message Nothing to Print" << 0 << 0;
    QTest::newRow("Refresh both lists: F5") << int(Qt::Key_F5) << 0 << "lstPrintFiles"
                                            << "btnRefreshDest"
                                            << "" << 1 << 1;
    QTest::newRow("source folder: Ctrl+O") << int(Qt::Key_O) << ctrl << "lstPrintFiles"
                                           << "btnBrowseSourcePath"
                                           << "chooser LastSourcePath" << 0 << 0;
    QTest::newRow("destination folder: Ctrl+Shift+O")
        << int(Qt::Key_O) << int(Qt::ControlModifier | Qt::ShiftModifier) << "lineDestPath"
        << "btnBrowseDestPath"
        << "chooser LastDestinationPath" << 0 << 0;
    QTest::newRow("Return in the source path field") << int(Qt::Key_Return) << 0 << "lineSourcePath"
                                                     << ""
                                                     << "" << 1 << 0;
    QTest::newRow("Return in the destination path field")
        << int(Qt::Key_Return) << 0 << "lineDestPath"
        << ""
        << "" << 0 << 1;
    // No button is the default any more: Return clicks none (the logo would open a web page,
    // and with Ctrl the margin prompt).
    QTest::newRow("Return elsewhere") << int(Qt::Key_Return) << 0 << "lineOPWidth"
                                      << ""
                                      << "" << 0 << 0;
}

// Each key does what a click on its button does; the button's tooltip names the key.
void ShellTest::keysActAsTheirButtons()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focus);
    QFETCH(QString, button);
    QFETCH(QString, effect);
    QFETCH(int, inputItems);
    QFETCH(int, outputItems);
    const QString empty = sandbox->makeFolder("keys-empty");
    const QString chosenStart = sandbox->makeFolder("keys-start");
    if (effect.startsWith("chooser "))
        QSettings("Morvane", "Quorvel").setValue(effect.section(' ', 1), chosenStart);
    ModalGuard guard;
    Quorvel dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto *input = dialog.findChild<QListWidget *>("lstPrintFiles");
    auto *output = dialog.findChild<QListWidget *>("lstPrintFilesOutput");
    for (const char *field : {"lineSourcePath", "lineDestPath"})
        dialog.findChild<QLineEdit *>(field)->setText(empty);
    dialog.fillImageList(empty, input);
    dialog.fillImageList(empty, output);
    writePicture(empty + "/new.png", solidPicture({30, 20}, Qt::red));
    if (!button.isEmpty()) {
        auto *pushButton = dialog.findChild<QPushButton *>(button);
        const QString keys = QKeySequence(key | modifiers).toString(QKeySequence::NativeText);
        QVERIFY2(pushButton->toolTip().contains(keys), qPrintable(pushButton->toolTip()));
        // Go and Print, which take no focus, tell screen readers their key as well.
        if (pushButton->focusPolicy() == Qt::NoFocus) {
            QAccessibleActionInterface *actions =
                QAccessible::queryAccessibleInterface(pushButton)->actionInterface();
            QVERIFY(actions);
            QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                     QStringList{QKeySequence(key | modifiers).toString()});
        }
    }

    MessageRecorder messages;
    UrlRecorder web("https");
    QString chooserStart;
    answerNextModal<QFileDialog>(
        [&](QFileDialog *chooser) {
            chooserStart = chooser->directory().path();
            chooser->reject();
        },
        2000);
    auto *target = dialog.findChild<QWidget *>(focus);
    target->setFocus();
    // Keys, shortcuts and the modal dialogs they open are handled within the key press, but a
    // button's own shortcut clicks it as an animated click, a moment later: waited for where
    // something is to happen. Where nothing is, what the key might have posted is handled.
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (effect.startsWith("message "))
        QTRY_VERIFY(!messages.messages.isEmpty());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    const QStringList titles = [&] {
        QStringList result;
        for (const MessageSeen &seen : std::as_const(messages.messages))
            result << seen.title;
        return result;
    }();
    QCOMPARE(titles, effect.startsWith("message ") ? QStringList{effect.mid(8)} : QStringList());
    QCOMPARE(chooserStart, effect.startsWith("chooser ") ? chosenStart : QString());
    QCOMPARE(input->count(), inputItems);
    QCOMPARE(output->count(), outputItems);
    QVERIFY(web.urls.isEmpty());
    QCOMPARE(guard.closed(), QStringList());
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
