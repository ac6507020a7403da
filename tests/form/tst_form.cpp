#include "form/quorvelform.h"
#include "testsupport.h"

#include <QAccessible>
#include <QApplication>
#include <QGradient>
#include <QSpacerItem>
#include <QTest>
#include <QToolTip>
#include <cmath>

// The form as built: widget tree, texts and the properties the rest of the program relies on.
class FormTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layoutOutline();
    void layoutSpacingAndMargins();
    void widgetClassesAndParents_data();
    void widgetClassesAndParents();
    void texts_data();
    void texts();
    void fonts();
    void buttonPalettes_data();
    void buttonPalettes();
    void styleSheets();
    void sizesAndPolicies();
    void interactionProperties();
    void cursorsOnlyOnTheThreeButtons();
    void logoResource();
    void dialogNaming();
    void presetButtonsAreExclusive();
    void inputListTogglesEachItem();
    void everyControlHasAnAccessibleName();
    void focusAndTooltipsAreSeen();

private:
    QDialog *dialog = nullptr;
    QuorvelForm *form = nullptr;
    template <typename T = QWidget> T *widget(const char *name)
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
};

void FormTest::init()
{
    dialog = new QDialog;
    form = new QuorvelForm;
    form->buildForm(dialog);
}

void FormTest::cleanup()
{
    delete form;
    delete dialog;
}

namespace {
QString spacerKind(QSpacerItem *spacer)
{
    const QSize hint = spacer->sizeHint();
    const QSizePolicy policy = spacer->sizePolicy();
    if (hint == QSize(40, 20) && policy.horizontalPolicy() == QSizePolicy::Expanding &&
        policy.verticalPolicy() == QSizePolicy::Minimum)
        return "stretch";
    if (hint == QSize(20, 40) && policy.horizontalPolicy() == QSizePolicy::Minimum &&
        policy.verticalPolicy() == QSizePolicy::Expanding)
        return "vstretch";
    if (hint == QSize(10, 20) && policy.horizontalPolicy() == QSizePolicy::Fixed &&
        policy.verticalPolicy() == QSizePolicy::Minimum)
        return "gap";
    return "spacer?";
}

// Writes a layout as name[item,item,...], a widget with a layout of its own as name{layout}.
QString outline(QLayout *layout)
{
    QStringList items;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (QSpacerItem *spacer = item->spacerItem())
            items << spacerKind(spacer);
        else if (QLayout *inner = item->layout())
            items << outline(inner);
        else if (QWidget *child = item->widget())
            items << (child->layout() ? child->objectName() + "{" + outline(child->layout()) + "}"
                                      : child->objectName());
    }
    return layout->objectName() + "[" + items.join(",") + "]";
}
} // namespace

void FormTest::layoutOutline()
{
    const QString expected =
        "verticalLayout_4["
        "frame_3{horizontalLayout_7[label_5,stretch,pushButton]},"
        "horizontalLayout_8["
        /**/ "frame{verticalLayout["
        /**/ "horizontalLayout_5[stretch,label_3,stretch],"
        /**/ "horizontalLayout[label,lineSourcePath,btnBrowseSourcePath,btnRefreshSrc],"
        /**/ "groupBox_2{horizontalLayout_10[label_8,lineIPWidth,label_9,lineIPHeight,stretch,"
        /**/ "labelWarning,cmbCopyDirection]},"
        /**/ "lstPrintFiles,label_10]},"
        /**/ "verticalLayout_3[vstretch,horizontalLayout_3[gap,btnGenerate,gap],vstretch],"
        /**/ "frame_2{verticalLayout_2["
        /**/ "horizontalLayout_6[stretch,label_4,stretch],"
        /**/ "horizontalLayout_2[label_2,lineDestPath,btnBrowseDestPath,btnRefreshDest],"
        /**/ "groupBox{horizontalLayout_9[label_6,lineOPWidth,label_7,lineOPHeight,stretch,"
        /**/ "btnA4,btnA3]},"
        /**/ "lstPrintFilesOutput,btnPrint,chkFitToPage,label_11]}"
        "],"
        "horizontalLayout_4[stretch,btnClose]]";
    QCOMPARE(dialog->layout(), form->verticalLayout_4);
    QCOMPARE(outline(dialog->layout()), expected);
}

void FormTest::layoutSpacingAndMargins()
{
    struct Expected
    {
        QLayout *layout;
        int spacing;
        QMargins margins; // (-1, ...) when the toolkit default applies
    };
    const QMargins none(-1, -1, -1, -1);
    const Expected rows[] = {
        {form->verticalLayout_4, 3, {2, 2, 2, 2}},
        {form->horizontalLayout_7, 6, {11, 11, 11, 11}},
        {form->horizontalLayout_8, 3, none},
        {form->verticalLayout, 3, {3, 3, 3, 3}},
        {form->horizontalLayout_5, 6, none},
        {form->horizontalLayout, 3, none},
        {form->horizontalLayout_10, 6, {11, 11, 11, 11}},
        {form->verticalLayout_3, 3, none},
        {form->horizontalLayout_3, 0, none},
        {form->verticalLayout_2, 3, {3, 3, 3, 3}},
        {form->horizontalLayout_6, 6, none},
        {form->horizontalLayout_2, 3, none},
        {form->horizontalLayout_9, 6, {11, 11, 11, 11}},
        {form->horizontalLayout_4, 3, none},
    };
    for (const Expected &row : rows) {
        QCOMPARE(row.layout->spacing(), row.spacing);
        if (row.margins != none)
            QCOMPARE(row.layout->contentsMargins(), row.margins);
    }
    QCOMPARE(form->horizontalLayout_4->contentsMargins().right(), 3);
    QCOMPARE(form->horizontalLayout_4->contentsMargins().bottom(), 3);
}

void FormTest::widgetClassesAndParents_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    const char *rows[][3] = {
        {"frame_3", "QFrame", "Quorvel"},
        {"label_5", "QLabel", "frame_3"},
        {"pushButton", "QPushButton", "frame_3"},
        {"frame", "QFrame", "Quorvel"},
        {"label_3", "QLabel", "frame"},
        {"label", "QLabel", "frame"},
        {"lineSourcePath", "QLineEdit", "frame"},
        {"btnBrowseSourcePath", "QPushButton", "frame"},
        {"btnRefreshSrc", "QPushButton", "frame"},
        {"groupBox_2", "QGroupBox", "frame"},
        {"label_8", "QLabel", "groupBox_2"},
        {"lineIPWidth", "QLineEdit", "groupBox_2"},
        {"label_9", "QLabel", "groupBox_2"},
        {"lineIPHeight", "QLineEdit", "groupBox_2"},
        {"labelWarning", "QLabel", "groupBox_2"},
        {"cmbCopyDirection", "QComboBox", "groupBox_2"},
        {"lstPrintFiles", "QListWidget", "frame"},
        {"label_10", "QLabel", "frame"},
        {"btnGenerate", "QPushButton", "Quorvel"},
        {"frame_2", "QFrame", "Quorvel"},
        {"label_4", "QLabel", "frame_2"},
        {"label_2", "QLabel", "frame_2"},
        {"lineDestPath", "QLineEdit", "frame_2"},
        {"btnBrowseDestPath", "QPushButton", "frame_2"},
        {"btnRefreshDest", "QPushButton", "frame_2"},
        {"groupBox", "QGroupBox", "frame_2"},
        {"label_6", "QLabel", "groupBox"},
        {"lineOPWidth", "QLineEdit", "groupBox"},
        {"label_7", "QLabel", "groupBox"},
        {"lineOPHeight", "QLineEdit", "groupBox"},
        {"btnA4", "QPushButton", "groupBox"},
        {"btnA3", "QPushButton", "groupBox"},
        {"lstPrintFilesOutput", "QListWidget", "frame_2"},
        {"btnPrint", "QPushButton", "frame_2"},
        {"chkFitToPage", "QCheckBox", "frame_2"},
        {"label_11", "QLabel", "frame_2"},
        {"btnClose", "QPushButton", "Quorvel"},
    };
    QCOMPARE(int(std::size(rows)), 37);
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[1] << row[2];
}

void FormTest::widgetClassesAndParents()
{
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QWidget *w = widget(QTest::currentDataTag());
    QVERIFY(w);
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
    QCOMPARE(w->parentWidget()->objectName(), parentName);
    QVERIFY(!w->isHidden());
    QVERIFY(w->isEnabled());
}

void FormTest::texts_data()
{
    QTest::addColumn<QString>("text");
    const QString inputNote =
        "Note: \n\n* Double-Click on the File Name to change the No of Copies\n"
        "* Keep Ctrl key pressed & Double Click the Filel Name to Open the File (in external "
        "viewer)\n* Keep Ctrl + Shift key pressed & Double Click on the File Name to open the "
        "Path (in Explorer)";
    const QString outputNote =
        "Note: \n\n* Keep Ctrl key pressed & Double Click the Filel Name to Open the File (in "
        "external viewer)\n* Keep Ctrl + Shift key pressed & Double Click on the File Name to "
        "open the Path (in Explorer)";
    QTest::newRow("label_5") << "Morvane-Quorvel";
    QTest::newRow("pushButton") << "";
    QTest::newRow("label_3") << "Input";
    QTest::newRow("label") << "Path :";
    QTest::newRow("btnBrowseSourcePath") << "...";
    QTest::newRow("btnRefreshSrc") << "R";
    QTest::newRow("groupBox_2") << "Print Size in Inches 300 dpi";
    QTest::newRow("label_8") << "Width :";
    QTest::newRow("label_9") << "Height :";
    QTest::newRow("labelWarning") << "No of File(s)";
    QTest::newRow("label_10") << inputNote;
    QTest::newRow("btnGenerate") << "Go";
    QTest::newRow("label_4") << "Output";
    QTest::newRow("label_2") << "Path :";
    QTest::newRow("btnBrowseDestPath") << "...";
    QTest::newRow("btnRefreshDest") << "R";
    QTest::newRow("groupBox") << "Print Size in Inches 300 dpi";
    QTest::newRow("label_6") << "Width :";
    QTest::newRow("label_7") << "Height :";
    QTest::newRow("btnA4") << "A4";
    QTest::newRow("btnA3") << "A3";
    QTest::newRow("btnPrint") << "Print";
    QTest::newRow("chkFitToPage") << "Crop Image";
    QTest::newRow("label_11") << outputNote;
    QTest::newRow("btnClose") << "Close";
}

void FormTest::texts()
{
    QFETCH(QString, text);
    QWidget *w = widget(QTest::currentDataTag());
    QVERIFY(w);
    QString shown;
    if (auto *label = qobject_cast<QLabel *>(w))
        shown = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        shown = button->text();
    else if (auto *group = qobject_cast<QGroupBox *>(w))
        shown = group->title();
    QCOMPARE(shown, text);
}

void FormTest::fonts()
{
    const QFont title = widget("label_5")->font();
    QCOMPARE(title.pointSize(), 20);
    QVERIFY(title.bold());
    QVERIFY(!title.underline());
    for (const char *name : {"label_3", "label_4"}) {
        QCOMPARE(widget(name)->font().pointSize(), 12);
        QVERIFY(widget(name)->font().bold());
    }
    const QFont count = widget("labelWarning")->font();
    QCOMPARE(count.pointSize(), 12);
    QVERIFY(!count.bold());
    QVERIFY(!count.italic());
    for (const char *name : {"lstPrintFiles", "lstPrintFilesOutput"})
        QCOMPARE(widget(name)->font().pointSize(), 16);
    for (const char *name : {"label_10", "label_11"}) {
        QVERIFY(widget(name)->font().italic());
        QCOMPARE(widget(name)->font().pointSize(), dialog->font().pointSize());
    }
}

void FormTest::buttonPalettes_data()
{
    QTest::addColumn<QColor>("stop0");
    QTest::addColumn<QColor>("stop1");
    QTest::newRow("btnGenerate") << QColor(0, 0, 100) << QColor(100, 100, 200);
    QTest::newRow("btnPrint") << QColor(0, 100, 0) << QColor(120, 210, 93);
}

void FormTest::buttonPalettes()
{
    QFETCH(QColor, stop0);
    QFETCH(QColor, stop1);
    const QPalette palette = widget(QTest::currentDataTag())->palette();
    const QGradientStops stops = {{0.0, stop0}, {0.9375, stop1}};
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role : {QPalette::Button, QPalette::Base, QPalette::Window}) {
            const QGradient *gradient = palette.brush(group, role).gradient();
            QVERIFY(gradient);
            QCOMPARE(gradient->type(), QGradient::LinearGradient);
            QCOMPARE(gradient->spread(), QGradient::ReflectSpread);
            QCOMPARE(gradient->coordinateMode(), QGradient::ObjectBoundingMode);
            const auto *linear = static_cast<const QLinearGradient *>(gradient);
            QCOMPARE(linear->start(), QPointF(0, 1));
            QCOMPARE(linear->finalStop(), QPointF(0, 0));
            QCOMPARE(gradient->stops(), stops);
        }
        const QColor text = group == QPalette::Disabled ? QColor(127, 127, 127) : Qt::white;
        QCOMPARE(palette.color(group, QPalette::ButtonText), text);
        QCOMPARE(palette.color(group, QPalette::WindowText), text);
        QCOMPARE(palette.color(group, QPalette::Text), text);
        QCOMPARE(palette.color(group, QPalette::Mid), QColor(170, 170, 170));
        QCOMPARE(palette.color(group, QPalette::Dark), QColor(127, 127, 127));
        QCOMPARE(palette.color(group, QPalette::ToolTipBase), QColor(255, 255, 220));
        QCOMPARE(palette.color(group, QPalette::Shadow), QColor(Qt::black));
    }
}

void FormTest::styleSheets()
{
    // The buttons' own looks, for the buttons alone: their tooltips keep the tooltip's colours.
    QCOMPARE(widget("btnGenerate")->styleSheet(),
             "QPushButton { background-color: qlineargradient(spread:reflect, x1:0, y1:1, x2:0, "
             "y2:0, stop:0 rgba(0, 0, 100, 255), stop:0.9375 rgba(100, 100, 200, 255));\n"
             "border-radius: 10px;\nfont: 75 15pt \"MS Shell Dlg 2\"; }\n");
    QCOMPARE(widget("btnPrint")->styleSheet(),
             "QPushButton { background-color: qlineargradient(spread:reflect, x1:0, y1:1, x2:0, "
             "y2:0, stop:0 rgba(0, 100, 0, 255), stop:0.9375 rgba(120, 210, 93, 255));\nfont: 75 "
             "15pt \"MS Shell Dlg 2\";\nborder-radius: 10px; }\n");
    QCOMPARE(widget("lineIPWidth")->styleSheet(), "background-color: rgba(255,255,255,0)");
    QCOMPARE(widget("lineIPHeight")->styleSheet(), "background-color: rgba(255,255,255,0)");
    QCOMPARE(widget("labelWarning")->styleSheet(), "color: rgb(0, 0, 255);");
    QCOMPARE(widget("label_10")->styleSheet(), "color: rgb(90, 90, 90);");
    QCOMPARE(widget("label_11")->styleSheet(), "color: rgb(97, 97, 97);");
}

void FormTest::sizesAndPolicies()
{
    QCOMPARE(dialog->size(), QSize(1087, 417));
    for (const char *name : {"label", "btnBrowseSourcePath", "btnRefreshSrc", "lineIPWidth",
                             "lineIPHeight", "btnGenerate", "label_2", "btnBrowseDestPath",
                             "btnRefreshDest", "lineOPWidth", "lineOPHeight"}) {
        const QSizePolicy policy = widget(name)->sizePolicy();
        QCOMPARE(policy.horizontalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(policy.verticalPolicy(), QSizePolicy::Fixed);
    }
    QCOMPARE(widget("lineSourcePath")->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(widget("btnBrowseSourcePath")->maximumSize(), QSize(23, 23));
    QCOMPARE(widget("btnRefreshSrc")->minimumSize(), QSize(23, 23));
    QCOMPARE(widget("btnRefreshDest")->maximumSize(), QSize(23, 23));
    QCOMPARE(widget("lineIPWidth")->maximumSize(), QSize(30, QWIDGETSIZE_MAX));
    QCOMPARE(widget("lineOPHeight")->maximumSize(), QSize(40, QWIDGETSIZE_MAX));
    QCOMPARE(widget("btnA3")->minimumSize(), QSize(30, 0));
    QCOMPARE(widget("btnA4")->maximumSize(), QSize(30, QWIDGETSIZE_MAX));
    QCOMPARE(widget("btnPrint")->minimumSize(), QSize(0, 30));
    QCOMPARE(widget("btnPrint")->maximumSize(), QSize(QWIDGETSIZE_MAX, 30));
    auto *go = widget<QPushButton>("btnGenerate");
    QCOMPARE(go->minimumSize(), QSize(50, 50));
    QCOMPARE(go->maximumSize(), QSize(50, 50));
    QCOMPARE(go->baseSize(), QSize(50, 50));
    QCOMPARE(go->iconSize(), QSize(70, 70));
    QCOMPARE(widget<QPushButton>("pushButton")->iconSize(), QSize(100, 45));
}

void FormTest::interactionProperties()
{
    QVERIFY(widget<QLineEdit>("lineIPWidth")->isReadOnly());
    QVERIFY(widget<QLineEdit>("lineIPHeight")->isReadOnly());
    QVERIFY(widget<QLineEdit>("lineIPWidth")->hasFrame());
    for (const char *name : {"lineSourcePath", "lineDestPath", "lineOPWidth", "lineOPHeight"})
        QVERIFY(!widget<QLineEdit>(name)->isReadOnly());
    QCOMPARE(widget<QListWidget>("lstPrintFiles")->selectionMode(),
             QAbstractItemView::MultiSelection);
    QCOMPARE(widget<QListWidget>("lstPrintFilesOutput")->selectionMode(),
             QAbstractItemView::SingleSelection);
    for (const char *name : {"btnA4", "btnA3"}) {
        QVERIFY(widget<QPushButton>(name)->isCheckable());
        QVERIFY(widget<QPushButton>(name)->autoExclusive());
        QVERIFY(!widget<QPushButton>(name)->isChecked());
    }
    for (const char *name : {"btnGenerate", "btnPrint"}) {
        QCOMPARE(widget(name)->focusPolicy(), Qt::NoFocus);
        QVERIFY(widget(name)->hasMouseTracking());
    }
    // No button is the dialog's default: Return clicks none of them.
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
    QVERIFY(widget<QPushButton>("btnGenerate")->isFlat());
    QVERIFY(widget<QPushButton>("pushButton")->isFlat());
    QVERIFY(!widget<QPushButton>("pushButton")->icon().isNull());
    QVERIFY(widget<QCheckBox>("chkFitToPage")->isChecked());
    // Both notes wrap, so that longer languages leave the lists their width.
    QVERIFY(widget<QLabel>("label_10")->wordWrap());
    QVERIFY(widget<QLabel>("label_11")->wordWrap());
    auto *direction = widget<QComboBox>("cmbCopyDirection");
    QCOMPARE(direction->count(), 2);
    QCOMPARE(direction->itemText(0), "Top to Bottom");
    QCOMPARE(direction->itemText(1), "Rotate & Left to Right");
    QCOMPARE(direction->currentIndex(), 0);
    QCOMPARE(dialog->windowTitle(), "Morvane-Quorvel");
}

void FormTest::cursorsOnlyOnTheThreeButtons()
{
    const QStringList pointing = {"pushButton", "btnGenerate", "btnPrint"};
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty())
            continue;
        const bool expected = pointing.contains(w->objectName());
        QCOMPARE(w->cursor().shape() == Qt::PointingHandCursor, expected);
    }
}

void FormTest::logoResource()
{
    const QImage logo(":/new/Images/PoweredByMorvane.png");
    QCOMPARE(logo.size(), QSize(210, 94));
    QVERIFY(logo.hasAlphaChannel());
}

void FormTest::dialogNaming()
{
    QCOMPARE(dialog->objectName(), "Quorvel");
    QDialog named;
    named.setObjectName("AlreadyNamed");
    QuorvelForm other;
    other.buildForm(&named);
    QCOMPARE(named.objectName(), "AlreadyNamed");
}

void FormTest::presetButtonsAreExclusive()
{
    dialog->show();
    auto *a4 = widget<QPushButton>("btnA4");
    auto *a3 = widget<QPushButton>("btnA3");
    QTest::mouseClick(a3, Qt::LeftButton);
    QVERIFY(a3->isChecked());
    QVERIFY(!a4->isChecked());
    QTest::mouseClick(a4, Qt::LeftButton);
    QVERIFY(a4->isChecked());
    QVERIFY(!a3->isChecked());
    QTest::mouseClick(a4, Qt::LeftButton);
    QVERIFY(a4->isChecked());
}

void FormTest::inputListTogglesEachItem()
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
void FormTest::everyControlHasAnAccessibleName()
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

// The keyboard focus shows on the logo (where focus starts) and on both lists, and every
// tooltip's text stands out from its background by 4.5:1 at least.
void FormTest::focusAndTooltipsAreSeen()
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

QTEST_MAIN(FormTest)
#include "tst_form.moc"
