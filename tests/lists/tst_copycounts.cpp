#include "app/quorvel.h"
#include "lists/copycount.h"
#include "sourcefixture.h"
#include "testsupport.h"

#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

// The copy-count tag and the double-click gestures of the input list.
class CopyCountsTest : public SourceFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void parser_data();
    void parser();
    void markForPromptOutcome_data();
    void markForPromptOutcome();
    void promptWritesTheTag_data();
    void promptWritesTheTag();
    void ctrlOpensThePictureNamedWithoutTag();
    void ctrlOpensAFileWhoseNameLooksLikeATag();
    void ctrlShiftOpensTheSourceFolder();
    void missingPictureOrFolderIsReported();
    void emptyFolderTextMeansTheWorkingFolder();
    void ctrlAltPromptsForTheCount();
    void refreshDropsTheTags();
};

void CopyCountsTest::initTestCase()
{
    makeSource();
}

void CopyCountsTest::init()
{
    openWindow();
}

void CopyCountsTest::cleanup()
{
    QCOMPARE(closeWindow(), QStringList());
}

void CopyCountsTest::parser_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("tagged");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << "" << false << 1 << "";
    QTest::newRow("untagged") << "beach.jpg" << false << 1 << "beach.jpg";
    QTest::newRow("tag only") << "<005> " << true << 5 << "";
    QTest::newRow("tag and name") << "<012> beach.jpg" << true << 12 << "beach.jpg";
    QTest::newRow("name with blanks") << "<005> two words.jpg" << true << 5 << "two words.jpg";
    QTest::newRow("leading blank kept") << "<005>  lead.jpg" << true << 5 << " lead.jpg";
    QTest::newRow("zero") << "<000> x.jpg" << true << 0 << "x.jpg";
    QTest::newRow("largest") << "<999> x.jpg" << true << 999 << "x.jpg";
    QTest::newRow("name like a tag") << "<draft>.jpg" << false << 1 << "<draft>.jpg";
    QTest::newRow("one digit") << "<1>a.jpg" << false << 1 << "<1>a.jpg";
    QTest::newRow("two digits") << "<12> x.jpg" << false << 1 << "<12> x.jpg";
    QTest::newRow("four digits") << "<1234> x.jpg" << false << 1 << "<1234> x.jpg";
    QTest::newRow("no blank") << "<005>x.jpg" << false << 1 << "<005>x.jpg";
    QTest::newRow("letter") << "<0a5> x.jpg" << false << 1 << "<0a5> x.jpg";
    QTest::newRow("sign") << "<-05> x.jpg" << false << 1 << "<-05> x.jpg";
    QTest::newRow("cut short") << "<005" << false << 1 << "<005";
    QTest::newRow("not at start") << "x<005> .jpg" << false << 1 << "x<005> .jpg";
}

void CopyCountsTest::parser()
{
    QFETCH(QString, text);
    QFETCH(bool, tagged);
    QFETCH(int, count);
    QFETCH(QString, name);
    int parsed = 1;
    QCOMPARE(parseCopyCountTag(text, parsed), tagged);
    QCOMPARE(parsed, count);
    QCOMPARE(text, name);
}

void CopyCountsTest::markForPromptOutcome_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QColor>("colour");
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("5") << true << "5"
                       << "<005> " << right << QColor(0, 0, 255);
    QTest::newRow("12") << true << "12"
                        << "<012> " << right << QColor(0, 0, 255);
    QTest::newRow("999") << true << "999"
                         << "<999> " << right << QColor(0, 0, 255);
    QTest::newRow("1000 capped") << true << "1000"
                                 << "<999> " << right << QColor(0, 0, 255);
    QTest::newRow("huge capped") << true << "99999999999"
                                 << "<999> " << right << QColor(0, 0, 255);
    QTest::newRow("1") << true << "1"
                       << "" << left << QColor(0, 0, 0);
    QTest::newRow("-3") << true << "-3"
                        << "" << left << QColor(0, 0, 0);
    QTest::newRow("0") << true << "0"
                       << "<000> " << right << QColor(255, 0, 0);
    QTest::newRow("abc") << true << "abc"
                         << "<000> " << right << QColor(255, 0, 0);
    QTest::newRow("2.5") << true << "2.5"
                         << "<000> " << right << QColor(255, 0, 0);
    QTest::newRow("empty") << true << ""
                           << "" << left << QColor(0, 0, 0);
    QTest::newRow("cancelled") << false << "7"
                               << "" << left << QColor(0, 0, 0);
}

void CopyCountsTest::markForPromptOutcome()
{
    QFETCH(bool, accepted);
    QFETCH(QString, entered);
    QFETCH(QString, tag);
    QFETCH(int, alignment);
    QFETCH(QColor, colour);
    const CopyCountMark mark = copyCountMark(accepted, entered);
    QCOMPARE(mark.tag, tag);
    QCOMPARE(int(mark.alignment), alignment);
    QCOMPARE(mark.colour, colour);
    QCOMPARE(mark.colour.alpha(), 255);
    // Whatever the writer writes, the parser reads back.
    QString text = mark.tag + "beach.jpg";
    int count = 1;
    QCOMPARE(parseCopyCountTag(text, count), !tag.isEmpty());
    QCOMPARE(text, "beach.jpg");
}

void CopyCountsTest::promptWritesTheTag_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("initialText");
    QTest::addColumn<QString>("entered"); // a null text cancels the prompt
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QColor>("colour");
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("untagged, 5") << "beach.jpg"
                                 << "1"
                                 << "5"
                                 << "<005> beach.jpg" << right << QColor(Qt::blue);
    QTest::newRow("tagged, cancel") << "<005> beach.jpg"
                                    << "5" << QString() << "beach.jpg" << left << QColor(Qt::black);
    QTest::newRow("tagged, empty") << "<005> beach.jpg"
                                   << "5"
                                   << ""
                                   << "beach.jpg" << left << QColor(Qt::black);
    QTest::newRow("1000") << "beach.jpg"
                          << "1"
                          << "1000"
                          << "<999> beach.jpg" << right << QColor(Qt::blue);
    QTest::newRow("abc") << "beach.jpg"
                         << "1"
                         << "abc"
                         << "<000> beach.jpg" << right << QColor(Qt::red);
    QTest::newRow("-3") << "<012> beach.jpg"
                        << "12"
                        << "-3"
                        << "beach.jpg" << left << QColor(Qt::black);
    QTest::newRow("spaces in name") << "two words.jpg"
                                    << "1"
                                    << "2"
                                    << "<002> two words.jpg" << right << QColor(Qt::blue);
}

void CopyCountsTest::promptWritesTheTag()
{
    QFETCH(QString, before);
    QFETCH(QString, initialText);
    QFETCH(QString, entered);
    QFETCH(QString, after);
    QFETCH(int, alignment);
    QFETCH(QColor, colour);
    QString bareName = before;
    int ignored = 1;
    parseCopyCountTag(bareName, ignored);
    QListWidgetItem *item = itemNamed(bareName);
    QVERIFY(item);
    item->setText(before);

    QString title, label, shownText;
    answerNextModal<QInputDialog>([&](QInputDialog *prompt) {
        title = prompt->windowTitle();
        label = prompt->labelText();
        shownText = prompt->textValue();
        if (entered.isNull()) {
            prompt->reject();
        } else {
            prompt->setTextValue(entered);
            prompt->accept();
        }
    });
    doubleClickItem(input(), item, Qt::NoModifier);
    QCOMPARE(title, bareName);
    QCOMPARE(label, "No Of Copies:");
    QCOMPARE(shownText, initialText);
    QCOMPARE(item->text(), after);
    QCOMPARE(item->data(Qt::TextAlignmentRole).toInt(), alignment);
    QCOMPARE(item->data(Qt::ForegroundRole).value<QColor>(), colour);
}

void CopyCountsTest::ctrlOpensThePictureNamedWithoutTag()
{
    UrlRecorder desktop;
    QListWidgetItem *item = itemNamed("beach.jpg");
    item->setText("<005> beach.jpg");
    doubleClickItem(input(), item, Qt::ControlModifier);
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(source + "/beach.jpg")});
    QCOMPARE(item->text(), "<005> beach.jpg");
}

void CopyCountsTest::ctrlOpensAFileWhoseNameLooksLikeATag()
{
    UrlRecorder desktop;
    doubleClickItem(input(), itemNamed("<draft>.jpg"), Qt::ControlModifier);
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(source + "/<draft>.jpg")});
}

void CopyCountsTest::ctrlShiftOpensTheSourceFolder()
{
    UrlRecorder desktop;
    doubleClickItem(input(), itemNamed("two words.jpg"), Qt::ControlModifier | Qt::ShiftModifier);
    doubleClickItem(input(), itemNamed("beach.jpg"), Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(desktop.urls, QList<QUrl>({QUrl::fromLocalFile(source), QUrl::fromLocalFile(source)}));
}

void CopyCountsTest::missingPictureOrFolderIsReported()
{
    UrlRecorder desktop;
    QFile::copy(source + "/beach.jpg", source + "/gone.jpg");
    dialog->fillImageList(source, input());
    QFile::remove(source + "/gone.jpg");
    MessageSeen message;
    acknowledgeNextMessage(&message);
    doubleClickItem(input(), itemNamed("gone.jpg"), Qt::ControlModifier);
    QVERIFY(message.shown);
    QCOMPARE(message.title, "Test Message");
    QCOMPARE(message.text, source + "/gone.jpg");
    QCOMPARE(message.buttons, int(QMessageBox::Ok));

    const QString missingFolder = sandbox->path("not-there");
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(missingFolder);
    MessageSeen folderMessage;
    acknowledgeNextMessage(&folderMessage);
    doubleClickItem(input(), itemNamed("beach.jpg"), Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(folderMessage.text, missingFolder);
    QVERIFY(desktop.urls.isEmpty());
}

void CopyCountsTest::emptyFolderTextMeansTheWorkingFolder()
{
    UrlRecorder desktop;
    writePicture(sandbox->path("cwd/here.png"), solidPicture({10, 10}, Qt::red));
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText("");
    dialog->fillImageList("", input());
    doubleClickItem(input(), itemNamed("here.png"), Qt::ControlModifier);
    doubleClickItem(input(), itemNamed("here.png"), Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(desktop.urls, QList<QUrl>({QUrl::fromLocalFile(sandbox->path("cwd/here.png")),
                                        QUrl::fromLocalFile(sandbox->path("cwd"))}));
    QFile::remove(sandbox->path("cwd/here.png"));
}

void CopyCountsTest::ctrlAltPromptsForTheCount()
{
    UrlRecorder desktop;
    bool prompted = false;
    answerNextModal<QInputDialog>([&](QInputDialog *prompt) {
        prompted = true;
        prompt->setTextValue("3");
        prompt->accept();
    });
    doubleClickItem(input(), itemNamed("beach.jpg"), Qt::ControlModifier | Qt::AltModifier);
    QVERIFY(prompted);
    QVERIFY(itemNamed("<003> beach.jpg"));
    QVERIFY(desktop.urls.isEmpty());
}

void CopyCountsTest::refreshDropsTheTags()
{
    itemNamed("beach.jpg")->setText("<004> beach.jpg");
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnRefreshSrc"), Qt::LeftButton);
    QVERIFY(itemNamed("beach.jpg"));
    QVERIFY(!itemNamed("<004> beach.jpg"));
}

QTEST_MAIN(CopyCountsTest)
#include "tst_copycounts.moc"
