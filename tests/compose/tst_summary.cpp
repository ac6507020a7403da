#include "app/quorvel.h"
#include "compose/summary.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// The selection summary: count, print size of the current picture and the copy direction.
class SummaryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void inchesText_data();
    void inchesText();
    void directionChoice_data();
    void directionChoice();
    void countsSelectedItems();
    void directionFollowsTheSheetTexts_data();
    void directionFollowsTheSheetTexts();
    void taggedItemIsMeasuredByItsFileName();
    void unreadableCurrentPictureLeavesSizesEmpty();
    void editedSourceFolderIsWhereThePictureIsLooked();
    void noCurrentItemShowsOnlyTheCount();
    void firstSummaryComparesWithTheStoredSheetSize();

private:
    std::unique_ptr<Sandbox> sandbox;
    QString source;
    Quorvel *dialog = nullptr;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QComboBox *direction() { return dialog->findChild<QComboBox *>("cmbCopyDirection"); }
    QString text(const char *name) { return dialog->findChild<QLineEdit *>(name)->text(); }
    QString countText() { return dialog->findChild<QLabel *>("labelWarning")->text(); }
    void makeCurrent(const QString &name)
    {
        input()->setCurrentItem(input()->findItems(name, Qt::MatchEndsWith).first());
    }
};

void SummaryTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    source = sandbox->makeFolder("source");
    writePicture(source + "/a4.png", solidPicture({2480, 3508}, Qt::gray));
    writePicture(source + "/six.jpg", solidPicture({1800, 1200}, Qt::gray), "jpeg");
    writePicture(source + "/small.png", solidPicture({600, 300}, Qt::gray));
}

void SummaryTest::init()
{
    sandbox->clearSettings();
    dialog = new Quorvel;
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(source);
    dialog->fillImageList(source, input());
    dialog->show();
}

void SummaryTest::cleanup()
{
    delete dialog;
}

void SummaryTest::inchesText_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("inches");
    QTest::newRow("2480") << 2480 << "8.3";
    QTest::newRow("1800") << 1800 << "6.0";
    QTest::newRow("3508") << 3508 << "11.7";
    QTest::newRow("1") << 1 << "0.0";
    // Exact ties round to the even digit, as C's printf does.
    QTest::newRow("2475 (8.25)") << 2475 << "8.2";
    QTest::newRow("2625 (8.75)") << 2625 << "8.8";
    QTest::newRow("75 (0.25)") << 75 << "0.2";
    QTest::newRow("225 (0.75)") << 225 << "0.8";
    QTest::newRow("3375 (11.25)") << 3375 << "11.2";
}

void SummaryTest::inchesText()
{
    QFETCH(int, pixels);
    QFETCH(QString, inches);
    QCOMPARE(::inchesText(pixels), inches);
}

void SummaryTest::directionChoice_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("sheetWidth"); // or "paper", with the paper chosen after it
    QTest::addColumn<QString>("sheetHeight");
    QTest::addColumn<int>("choice");
    QTest::newRow("width matches") << "6.0"
                                   << "6.0"
                                   << "4.0" << int(DirectionChoice::TopToBottom);
    QTest::newRow("height matches") << "6.0"
                                    << "8.0"
                                    << "6.0" << int(DirectionChoice::RotateLeftToRight);
    QTest::newRow("both match, width wins") << "6.0"
                                            << "6.0"
                                            << "6.0" << int(DirectionChoice::TopToBottom);
    QTest::newRow("text, not number") << "6.0"
                                      << "6"
                                      << "6" << int(DirectionChoice::AskOperator);
    QTest::newRow("no trimming") << "6.0"
                                 << " 6.0"
                                 << "" << int(DirectionChoice::AskOperator);
    QTest::newRow("A4") << "8.3"
                        << "8.27"
                        << "11.69" << int(DirectionChoice::AskOperator);
}

void SummaryTest::directionChoice()
{
    QFETCH(QString, picture);
    QFETCH(QString, sheetWidth);
    QFETCH(QString, sheetHeight);
    QFETCH(int, choice);
    QCOMPARE(int(chooseCopyDirection(picture, sheetWidth, sheetHeight)), choice);
}

void SummaryTest::countsSelectedItems()
{
    for (int row = 0; row < input()->count(); ++row)
        input()->item(row)->setSelected(true);
    QCOMPARE(countText(), "[3] - File(s)");
    input()->item(2)->setText("<005> small.png");
    input()->item(2)->setSelected(false);
    input()->item(2)->setSelected(true);
    QCOMPARE(countText(), "[3] - File(s)");
    makeCurrent("a4.png");
    input()->clearSelection();
    QCOMPARE(countText(), "[0] - File(s)");
    // The current item is still measured although nothing is selected.
    QCOMPARE(text("lineIPWidth"), "8.3");
    QCOMPARE(text("lineIPHeight"), "11.7");
}

void SummaryTest::directionFollowsTheSheetTexts_data()
{
    QTest::addColumn<QString>("sheetWidth");
    QTest::addColumn<QString>("sheetHeight");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("shown");
    QTest::newRow("6.0 wide") << "6.0"
                              << "4.0" << 1 << 0 << false;
    QTest::newRow("6 wide") << "6"
                            << "4" << 1 << 1 << true;
    QTest::newRow("6.0 high") << "8.0"
                              << "6.0" << 0 << 1 << false;
    QTest::newRow("A4") << "8.27"
                        << "11.69" << 1 << 1 << true;
    // Chosen in the paper box: its whole tenths of inches are written as a picture's size is.
    QTest::newRow("6 x 8 in paper") << "paper"
                                    << "6 x 8 in" << 1 << 0 << false;
    QTest::newRow("4 x 6 in paper") << "paper"
                                    << "4 x 6 in" << 0 << 1 << false;
}

void SummaryTest::directionFollowsTheSheetTexts()
{
    QFETCH(QString, sheetWidth);
    QFETCH(QString, sheetHeight);
    QFETCH(int, startIndex);
    QFETCH(int, index);
    QFETCH(bool, shown);
    if (sheetWidth == "paper") {
        auto *paper = dialog->findChild<QComboBox *>("cmbPaper");
        paper->setCurrentIndex(paper->findText(sheetHeight));
        emit paper->activated(paper->currentIndex());
    } else {
        dialog->findChild<QLineEdit *>("lineOPWidth")->setText(sheetWidth);
        dialog->findChild<QLineEdit *>("lineOPHeight")->setText(sheetHeight);
    }
    direction()->setCurrentIndex(startIndex);
    makeCurrent("six.jpg");
    QCOMPARE(text("lineIPWidth"), "6.0");
    QCOMPARE(text("lineIPHeight"), "4.0");
    QCOMPARE(direction()->currentIndex(), index);
    QCOMPARE(direction()->isVisible(), shown);
}

void SummaryTest::taggedItemIsMeasuredByItsFileName()
{
    QListWidgetItem *item = input()->findItems("six.jpg", Qt::MatchExactly).first();
    item->setText("<004> six.jpg");
    input()->setCurrentItem(item);
    QCOMPARE(text("lineIPWidth"), "6.0");
}

void SummaryTest::unreadableCurrentPictureLeavesSizesEmpty()
{
    QFile::copy(source + "/small.png", source + "/gone.png");
    dialog->fillImageList(source, input());
    makeCurrent("six.jpg");
    QFile::remove(source + "/gone.png");
    direction()->show();
    direction()->setCurrentIndex(1);
    makeCurrent("gone.png");
    QCOMPARE(text("lineIPWidth"), "");
    QCOMPARE(text("lineIPHeight"), "");
    QVERIFY(direction()->isHidden());
    QCOMPARE(direction()->currentIndex(), 1);
    QCOMPARE(countText(), QString("[%1] - File(s)").arg(input()->selectedItems().size()));
}

void SummaryTest::editedSourceFolderIsWhereThePictureIsLooked()
{
    const QString other = sandbox->makeFolder("other");
    writePicture(other + "/six.jpg", solidPicture({900, 300}, Qt::gray), "jpeg");
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(other);
    makeCurrent("six.jpg");
    QCOMPARE(text("lineIPWidth"), "3.0");
    QCOMPARE(text("lineIPHeight"), "1.0");
}

void SummaryTest::noCurrentItemShowsOnlyTheCount()
{
    makeCurrent("six.jpg");
    dialog->fillImageList(sandbox->makeFolder("empty"), input());
    QCOMPARE(countText(), "[0] - File(s)");
    QCOMPARE(text("lineIPWidth"), "");
    QVERIFY(direction()->isHidden());
}

void SummaryTest::firstSummaryComparesWithTheStoredSheetSize()
{
    const QString single = sandbox->makeFolder("single");
    writePicture(single + "/six.jpg", solidPicture({1800, 1200}, Qt::gray), "jpeg");
    {
        QSettings store("Morvane", "Quorvel");
        store.setValue("LastSourcePath", single);
        store.setValue("LastOPWidth", "8.0");
        store.setValue("LastOPHeight", "6.0");
    }
    Quorvel started;
    // Measured while the stored sheet size stood in the fields: a turned row.
    QCOMPARE(started.findChild<QComboBox *>("cmbCopyDirection")->currentIndex(), 1);
    QVERIFY(started.findChild<QComboBox *>("cmbCopyDirection")->isHidden());
    QCOMPARE(started.findChild<QLineEdit *>("lineOPWidth")->text(), "8.27");
    QCOMPARE(started.findChild<QLabel *>("labelWarning")->text(), "[1] - File(s)");
}

QTEST_MAIN(SummaryTest)
#include "tst_summary.moc"
