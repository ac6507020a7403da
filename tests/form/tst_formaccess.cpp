#include "form/quorvelform.h"
#include "formfixture.h"
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
    QCOMPARE(controls, 20);
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
        // Its background just inside the border, its text the colour farthest from that.
        const double background = luminance(pixels.pixel(3, 3));
        double farthest = background;
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 3; x < pixels.width() - 3; ++x) {
                const double l = luminance(pixels.pixel(x, y));
                if (std::abs(l - background) > std::abs(farthest - background))
                    farthest = l;
            }
        const double contrast =
            (std::max(background, farthest) + 0.05) / (std::min(background, farthest) + 0.05);
        QVERIFY2(contrast >= 4.5, qPrintable(QString("%1: %2:1").arg(name).arg(contrast)));
        QToolTip::hideText();
    }
}

QTEST_MAIN(FormAccessTest)
#include "tst_formaccess.moc"
