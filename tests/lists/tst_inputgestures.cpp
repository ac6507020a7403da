#include "accessreports.h"
#include "app/quorvel.h"
#include "sourcefixture.h"
#include "testsupport.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

using namespace testsupport;

// The input pictures by keyboard and to a screen reader: their gestures as keys and as a
// context menu, and their place on the sheet shown as a badge and told.
class InputGesturesTest : public SourceFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void gesturesByKeyboardAndMenu_data();
    void gesturesByKeyboardAndMenu();
    void menusShowTheirKeys_data();
    void menusShowTheirKeys();
    void placesOnTheSheetAreShownAndTold();
    void arrowedPictureIsToldWithItsDescription();
    void enteringTheListTellsItsPicture_data();
    void enteringTheListTellsItsPicture();
    void everyMenuTellsItsEntries_data();
    void everyMenuTellsItsEntries();
    void sizeFieldsAreToldAsReadOnly();
};

void InputGesturesTest::initTestCase()
{
    makeSource();
}

void InputGesturesTest::init()
{
    openWindow();
}

void InputGesturesTest::cleanup()
{
    QCOMPARE(closeWindow(), QStringList());
}

void InputGesturesTest::gesturesByKeyboardAndMenu_data()
{
    QTest::addColumn<QString>("how");    // a key, or the menu's entry after "menu:"
    QTest::addColumn<QString>("handed"); // what the desktop is handed; empty: the copies prompt;
                                         // "-": nothing happens
    QTest::newRow("F2") << "F2"
                        << "";
    QTest::newRow("Return") << "Return"
                            << "";
    QTest::newRow("Enter") << "Enter"
                           << "";
    // With Shift or Alt held, the keys are another's: nothing is asked or handed over.
    QTest::newRow("Shift+F2") << "Shift+F2"
                              << "-";
    QTest::newRow("Alt+Return") << "Alt+Return"
                                << "-";
    QTest::newRow("Shift+Enter") << "Shift+Enter"
                                 << "-";
    QTest::newRow("menu: Copies") << "menu:Copies"
                                  << "";
    QTest::newRow("Shift+F10 menu: Copies") << "Shift+F10:Copies"
                                            << "";
    QTest::newRow("menu: Open in viewer") << "menu:Open in viewer"
                                          << "beach.jpg";
    QTest::newRow("menu: Open folder") << "menu:Open folder"
                                       << ".";
}

// Each gesture on a picture is there by keyboard too, on the current picture, and the
// selection stays as it was.
void InputGesturesTest::gesturesByKeyboardAndMenu()
{
    QFETCH(QString, how);
    QFETCH(QString, handed);
    QListWidgetItem *beach = itemNamed("beach.jpg");
    input()->selectionModel()->setCurrentIndex(input()->indexFromItem(beach),
                                               QItemSelectionModel::NoUpdate);
    const QList<QListWidgetItem *> selected = input()->selectedItems();
    input()->setFocus();
    QString asked;
    // A prompt where none is due is closed by the window's guard and fails the case.
    if (handed.isEmpty())
        answerNextModal<QInputDialog>([&asked](QInputDialog *prompt) {
            asked = prompt->windowTitle();
            prompt->setTextValue("4");
            prompt->accept();
        });
    UrlRecorder desktop;
    if (how.startsWith("menu:")) {
        chooseInContextMenu(input()->viewport(), input()->visualItemRect(beach).center(),
                            how.mid(5));
    } else if (how.startsWith("Shift+F10:")) {
        // A key of the window's own: it must be the active one.
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        chooseInNextMenu(how.section(':', 1));
        QTest::keyClick(input(), Qt::Key_F10, Qt::ShiftModifier);
    } else {
        const QString key = how.section('+', -1);
        QTest::keyClick(input(),
                        key == "F2"       ? Qt::Key_F2
                        : key == "Return" ? Qt::Key_Return
                                          : Qt::Key_Enter,
                        how.startsWith("Shift+") ? Qt::ShiftModifier
                        : how.startsWith("Alt+") ? Qt::AltModifier
                                                 : Qt::NoModifier);
    }
    if (handed == "-") {
        QCOMPARE(beach->text(), "beach.jpg");
        QVERIFY(desktop.urls.isEmpty());
    } else if (handed.isEmpty()) {
        QCOMPARE(asked, "beach.jpg");
        QCOMPARE(beach->text(), "<004> beach.jpg");
        QVERIFY(desktop.urls.isEmpty());
    } else {
        const QString path = handed == "." ? source : source + "/" + handed;
        QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
        QCOMPARE(beach->text(), "beach.jpg");
    }
    QCOMPARE(input()->selectedItems(), selected);
}

void InputGesturesTest::menusShowTheirKeys_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QStringList>("entries"); // text, and the key beside it after "|"
    QTest::newRow("input list") << "lstPrintFiles"
                                << QStringList{"Copies…|F2", "Open in viewer|", "Open folder|"};
    QTest::newRow("output list") << "lstPrintFilesOutput"
                                 << QStringList{"Open in viewer|", "Open folder|", "Print|Ctrl+P"};
    QTest::newRow("logo") << "pushButton"
                          << QStringList{"Left margin…\tShift+click|",
                                         "Top margin…\tCtrl+click|",
                                         "Gutter width…\tAlt+Shift+click|",
                                         "Gutter height…\tCtrl+Alt+click|",
                                         "Show Crop Image option\tCtrl+Shift+click|",
                                         "|",
                                         "Printer calibration…\tCtrl+Shift+P|"};
}

// Shift+F10 opens the menu of what has the focus, and each entry shows the key that does the
// same beside it, where there is one.
void InputGesturesTest::menusShowTheirKeys()
{
    QFETCH(QString, widget);
    QFETCH(QStringList, entries);
    QStringList shown;
    answerNextModal<QMenu>([&shown](QMenu *menu) {
        for (const QAction *action : menu->actions())
            shown << action->text() + "|" +
                         (action->isShortcutVisibleInContextMenu() ? action->shortcut().toString()
                                                                   : QString());
        menu->close();
    });
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto *focus = dialog->findChild<QWidget *>(widget);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(shown, entries);
}

// The order of picking is the order on the sheet: each selected picture shows its place as a
// badge and tells it, with its copies, to screen readers; the picture the operator is on also
// tells how many are selected. (The change events reach only a real accessibility bridge,
// which the offscreen platform has not.)
void InputGesturesTest::placesOnTheSheetAreShownAndTold()
{
    input()->clearSelection();
    itemNamed("two words.jpg")->setSelected(true);
    input()->setCurrentItem(itemNamed("beach.jpg"), QItemSelectionModel::Select);
    answerNextModal<QInputDialog>([](QInputDialog *prompt) {
        prompt->setTextValue("3");
        prompt->accept();
    });
    input()->setFocus();
    QTest::keyClick(input(), Qt::Key_F2);

    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(input());
    auto told = [&](const QString &text) {
        const int row = input()->row(itemNamed(text));
        return list->child(row)->text(QAccessible::Description);
    };
    QCOMPARE(told("two words.jpg"), "1 copy, 1st on the sheet");
    QCOMPARE(told("<003> beach.jpg"), "3 copies, 2nd on the sheet; 2 pictures selected");
    QCOMPARE(told("<draft>.jpg"), "1 copy");
    // Unselected, the first loses its place and the second moves up.
    itemNamed("two words.jpg")->setSelected(false);
    QCOMPARE(told("two words.jpg"), "1 copy");
    QCOMPARE(told("<003> beach.jpg"), "3 copies, 1st on the sheet; 1 picture selected");

    // The badge: the dark blue of its face just inside its left end, on placed pictures only.
    dialog->resize(1366, 1000);
    input()->scrollToTop();
    QCoreApplication::processEvents();
    const QImage shown = input()->viewport()->grab().toImage();
    auto badgeAt = [&](const QString &text) {
        const QRect row = input()->visualItemRect(itemNamed(text));
        if (!shown.rect().contains(row))
            return false;
        const QRgb pixel = shown.pixel(row.left() + 8, row.top() + 14);
        return qRed(pixel) < 40 && qGreen(pixel) < 70 && qBlue(pixel) > 80 && qBlue(pixel) < 140;
    };
    QVERIFY(input()->viewport()->height() >= 3 * 200);
    QVERIFY(badgeAt("<003> beach.jpg"));
    QVERIFY(!badgeAt("two words.jpg"));
    QVERIFY(!badgeAt("<draft>.jpg"));
}

// Arrowing to a picture tells it with its description as it is then: its copies and place,
// and how many pictures are selected.
void InputGesturesTest::arrowedPictureIsToldWithItsDescription()
{
    NEED_ACCESSIBILITY_BRIDGE();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    input()->clearSelection();
    itemNamed("beach.jpg")->setSelected(true);
    itemNamed("two words.jpg")->setSelected(true);
    input()->setCurrentItem(itemNamed("<draft>.jpg"), QItemSelectionModel::NoUpdate);
    input()->setFocus();
    AccessReports reports;
    QTest::keyClick(input(), Qt::Key_Down);
    const int row = input()->row(itemNamed("beach.jpg"));
    QCOMPARE(input()->currentRow(), row);
    QVERIFY(!reports.focus.isEmpty());
    QCOMPARE(reports.focus.first().child, row);
    QCOMPARE(reports.focus.first().description, "1 copy, 1st on the sheet; 2 pictures selected");
}

void InputGesturesTest::enteringTheListTellsItsPicture_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Tab") << "Tab";
    QTest::newRow("back from the copies prompt") << "prompt";
}

// The keys coming to the list tell the list, then the picture they are on.
void InputGesturesTest::enteringTheListTellsItsPicture()
{
    NEED_ACCESSIBILITY_BRIDGE();
    QFETCH(QString, how);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    const int row = input()->row(itemNamed("beach.jpg"));
    input()->setCurrentRow(row, QItemSelectionModel::NoUpdate);
    std::unique_ptr<AccessReports> reports;
    if (how == "Tab") {
        dialog->findChild<QWidget *>("lineSourcePath")->setFocus();
        reports = std::make_unique<AccessReports>();
        input()->setFocus(Qt::TabFocusReason);
    } else {
        input()->setFocus();
        answerNextModal<QInputDialog>([&reports](QInputDialog *prompt) {
            // The keys go to the prompt first (on a slow machine the window shows, and even counts
            // as active, before they have left the list), so that closing it brings them back.
            prompt->activateWindow();
            QTRY_VERIFY(QApplication::focusWidget() &&
                        QApplication::focusWidget()->window() == prompt);
            prompt->setTextValue("2");
            reports = std::make_unique<AccessReports>();
            prompt->accept();
        });
        QTest::keyClick(input(), Qt::Key_F2);
        // The window manager gives the window its focus back; a bare X display has none.
        dialog->activateWindow();
        QTRY_VERIFY(input()->hasFocus());
    }
    QVERIFY(reports);
    QTRY_COMPARE(reports->childrenOf(input()).mid(0, 2), QList<int>({-1, row}));
}

void InputGesturesTest::everyMenuTellsItsEntries_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QList<int>>("told"); // the entries told after Down twice
    QTest::newRow("input list") << "lstPrintFiles" << QList<int>{0, 1};
    // No sheet is listed: "Open in viewer" is skipped.
    QTest::newRow("output list") << "lstPrintFilesOutput" << QList<int>{1, 2};
    QTest::newRow("logo") << "pushButton" << QList<int>{0, 1};
}

// Moving through a menu opened by the keys tells each entry the keys come to.
void InputGesturesTest::everyMenuTellsItsEntries()
{
    NEED_ACCESSIBILITY_BRIDGE();
    QFETCH(QString, widget);
    QFETCH(QList<int>, told);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    AccessReports reports;
    QMenu *shown = nullptr;
    QList<int> moved;
    answerNextModal<QMenu>([&](QMenu *menu) {
        shown = menu;
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        moved = reports.childrenOf(menu);
        menu->close();
    });
    auto *focus = dialog->findChild<QWidget *>(widget);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(shown);
    QCOMPARE(moved, told);
}

// The four size fields take no keys, and are told so: read-only, with no editing interface,
// their value readable.
void InputGesturesTest::sizeFieldsAreToldAsReadOnly()
{
    input()->setCurrentItem(itemNamed("beach.jpg"));
    for (const char *name : {"lineIPWidth", "lineIPHeight", "lineOPWidth", "lineOPHeight"}) {
        auto *field = dialog->findChild<QLineEdit *>(name);
        QVERIFY(!field->text().isEmpty());
        QAccessibleInterface *told = QAccessible::queryAccessibleInterface(field);
        QVERIFY2(told->state().readOnly && !told->state().editable, name);
        QVERIFY2(!told->editableTextInterface(), name);
        QCOMPARE(told->textInterface()->text(0, told->textInterface()->characterCount()),
                 field->text());
        QCOMPARE(told->text(QAccessible::Value), field->text());
        QVERIFY(!told->text(QAccessible::Name).isEmpty());
    }
}

QTEST_MAIN(InputGesturesTest)
#include "tst_inputgestures.moc"
