#include "form/quorvelform.h"
#include "formfixture.h"
#include "testsupport.h"

#include <QSpacerItem>
#include <QTest>

// The form as built: widget tree, texts and the properties the rest of the program relies on.
class FormTest : public FormFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layoutOutline();
    void layoutSpacingAndMargins();
    void widgetClassesAndParents_data();
    void widgetClassesAndParents();
    void sizesAndPolicies();
    void interactionProperties();
    void cursorsOnlyOnTheThreeButtons();
    void logoResource();
    void dialogNaming();
    void presetButtonsAreExclusive();
};

void FormTest::init()
{
    buildForm();
}

void FormTest::cleanup()
{
    dropForm();
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
        /**/ "cmbPaper,btnA4,btnA3]},"
        /**/ "lstPrintFilesOutput,btnPrint,chkFitToPage,chkMoreSheets,label_11]}"
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
        {"cmbPaper", "QComboBox", "groupBox"},
        {"btnA4", "QPushButton", "groupBox"},
        {"btnA3", "QPushButton", "groupBox"},
        {"lstPrintFilesOutput", "QListWidget", "frame_2"},
        {"btnPrint", "QPushButton", "frame_2"},
        {"chkFitToPage", "QCheckBox", "frame_2"},
        {"chkMoreSheets", "QCheckBox", "frame_2"},
        {"label_11", "QLabel", "frame_2"},
        {"btnClose", "QPushButton", "Quorvel"},
    };
    // 37, and the paper box and the choice of more sheets.
    QCOMPARE(int(std::size(rows)), 39);
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[1] << row[2];
}

void FormTest::widgetClassesAndParents()
{
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QWidget *w = widget(QTest::currentDataTag());
    QVERIFY(w);
    // The picture lists are list widgets of the program's own kind: "is a" is what counts.
    QVERIFY2(w->inherits(qPrintable(className)), w->metaObject()->className());
    QCOMPARE(w->parentWidget()->objectName(), parentName);
    QVERIFY(!w->isHidden());
    QVERIFY(w->isEnabled());
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

QTEST_MAIN(FormTest)
#include "tst_form.moc"
