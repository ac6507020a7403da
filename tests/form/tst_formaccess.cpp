#include "form/quorvelform.h"
#include "formfixture.h"
#include "lists/thumbnailfill.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolTip>
#include <cmath>

// The form for everyone: lists that pick pictures in order, a name for every control, focus
// that shows, tooltips that can be read.
class FormAccessTest : public FormFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void inputListTogglesEachItem();
    void everyControlHasAnAccessibleName();
    void focusAndTooltipsAreSeen();
    void picturesReadInEveryState_data();
    void picturesReadInEveryState();
};

namespace {
// WCAG's relative luminance of a colour.
double luminance(QRgb colour)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

// How far the text in `area` stands out: the contrast of the colour farthest from the
// background (taken at `background`) against it.
double textContrast(const QImage &pixels, QRect area, QPoint background)
{
    const double ground = luminance(pixels.pixel(background));
    double farthest = ground;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const double l = luminance(pixels.pixel(x, y));
            if (std::abs(l - ground) > std::abs(farthest - ground))
                farthest = l;
        }
    return (std::max(ground, farthest) + 0.05) / (std::min(ground, farthest) + 0.05);
}
} // namespace

void FormAccessTest::init()
{
    buildForm();
}

void FormAccessTest::cleanup()
{
    dropForm();
}

void FormAccessTest::inputListTogglesEachItem()
{
    dialog->show();
    auto *list = widget<QListWidget>("lstPrintFiles");
    list->addItems({"a.jpg", "b.jpg", "c.jpg"});
    auto click = [list](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    };
    click(0);
    click(2);
    QCOMPARE(list->selectedItems().size(), 2);
    click(0);
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->item(2)});

    auto *output = widget<QListWidget>("lstPrintFilesOutput");
    output->addItems({"01.jpg", "02.jpg"});
    output->item(0)->setSelected(true);
    output->setCurrentRow(1);
    QCOMPARE(output->selectedItems().size(), 1);
}

// Screen readers name every control, including those whose text is a symbol or a letter, or
// that have none (the logo, "...", "R", the lists, the fields, the direction box).
void FormAccessTest::everyControlHasAnAccessibleName()
{
    int controls = 0;
    for (QWidget *child : dialog->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(child) ||
                             qobject_cast<QLineEdit *>(child) ||
                             qobject_cast<QListWidget *>(child) || qobject_cast<QComboBox *>(child);
        if (!control || child->objectName().isEmpty())
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(child);
        QVERIFY(accessible);
        QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(),
                 qPrintable(child->objectName()));
        ++controls;
    }
    QCOMPARE(controls, 22);
}

// The keyboard focus shows on the logo (where focus starts) and on both lists, and every
// tooltip's text stands out from its background by 4.5:1 at least.
void FormAccessTest::focusAndTooltipsAreSeen()
{
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    for (const char *name : {"pushButton", "lstPrintFiles", "lstPrintFilesOutput"}) {
        widget("lineSourcePath")->setFocus();
        const QImage unfocused = widget(name)->grab().toImage();
        widget(name)->setFocus(Qt::TabFocusReason);
        QVERIFY(widget(name)->hasFocus());
        QVERIFY2(widget(name)->grab().toImage() != unfocused, name);
    }
    for (const char *name : {"btnGenerate", "btnPrint", "btnBrowseSourcePath"}) {
        QToolTip::showText(widget(name)->mapToGlobal(QPoint(4, 4)), "Tip: Ctrl+Return",
                           widget(name));
        QWidget *tip = nullptr;
        for (QWidget *shown : QApplication::topLevelWidgets())
            if (shown->inherits("QTipLabel") && shown->isVisible())
                tip = shown;
        QVERIFY(tip);
        const QImage pixels = tip->grab().toImage();
        // Its background just inside the border.
        const double contrast =
            textContrast(pixels, QRect(3, 0, pixels.width() - 6, pixels.height()), QPoint(3, 3));
        QVERIFY2(contrast >= 4.5, qPrintable(QString("%1: %2:1").arg(name).arg(contrast)));
        QToolTip::hideText();
    }
}

void FormAccessTest::picturesReadInEveryState_data()
{
    QTest::addColumn<bool>("focus");    // whether the list has the keyboard focus
    QTest::addColumn<bool>("current");  // whether the picture is the current one
    QTest::addColumn<bool>("selected"); // picked for the sheet
    for (const bool focus : {true, false})
        for (const bool current : {false, true})
            for (const bool selected : {false, true})
                QTest::addRow("%s%s%s", focus ? "focus" : "no focus", current ? ", current" : "",
                              selected ? ", selected" : "")
                    << focus << current << selected;
}

// A picture's name stands out from its row by 4.5:1 in every state of the list, and its
// thumbnail shows its own colours, selected or not.
void FormAccessTest::picturesReadInEveryState()
{
    QFETCH(bool, focus);
    QFETCH(bool, current);
    QFETCH(bool, selected);
    dialog->resize(1366, 1000); // room for both rows
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto *list = widget<QListWidget>("lstPrintFiles");
    list->setIconSize(QSize(200, 200));
    const QIcon red = thumbnailIcon(solidPicture({150, 200}, Qt::red), 200);
    list->addItem(new QListWidgetItem(red, "passport.jpg"));
    list->addItem(new QListWidgetItem(red, "print.jpg"));
    list->setCurrentRow(current ? 0 : 1, QItemSelectionModel::NoUpdate);
    list->item(0)->setSelected(selected);
    (focus ? static_cast<QWidget *>(list) : widget("lineSourcePath"))->setFocus();
    QCOMPARE(list->hasFocus(), focus);

    const QImage pixels = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(list->item(0));
    int redPixels = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x < row.left() + 210; ++x)
            redPixels += pixels.pixel(x, y) == qRgb(255, 0, 0);
    QVERIFY2(redPixels >= 150 * 200 * 95 / 100, qPrintable(QString::number(redPixels)));
    // The name stands right of the thumbnail; the row's far end is its background.
    const QRect name(row.left() + 205, row.top() + 4, row.width() - 215, row.height() - 8);
    const double contrast = textContrast(pixels, name, QPoint(row.right() - 6, row.center().y()));
    QVERIFY2(contrast >= 4.5, qPrintable(QString("%1:1").arg(contrast)));
}

QTEST_MAIN(FormAccessTest)
#include "tst_formaccess.moc"
