#include "form/quorvelform.h"
#include "formfixture.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGradient>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// How the form reads and looks: its texts, fonts, button colours and style sheets.
class FormLooksTest : public FormFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void texts_data();
    void texts();
    void fonts();
    void buttonPalettes_data();
    void buttonPalettes();
    void styleSheets();
};

void FormLooksTest::init()
{
    buildForm();
}

void FormLooksTest::cleanup()
{
    dropForm();
}

void FormLooksTest::texts_data()
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

void FormLooksTest::texts()
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

void FormLooksTest::fonts()
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

void FormLooksTest::buttonPalettes_data()
{
    QTest::addColumn<QColor>("stop0");
    QTest::addColumn<QColor>("stop1");
    QTest::newRow("btnGenerate") << QColor(0, 0, 100) << QColor(100, 100, 200);
    QTest::newRow("btnPrint") << QColor(0, 100, 0) << QColor(120, 210, 93);
}

void FormLooksTest::buttonPalettes()
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

void FormLooksTest::styleSheets()
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

QTEST_MAIN(FormLooksTest)
#include "tst_formlooks.moc"
