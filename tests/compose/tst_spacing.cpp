#include "app/quorvel.h"
#include "compose/spacing.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// The logo button's hidden prompts for margins and gutters, and its plain click.
class SpacingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void actionByModifiers_data();
    void actionByModifiers();
    void promptsStoreWhatIsTyped_data();
    void promptsStoreWhatIsTyped();
    void emptyOrCancelledPromptKeepsTheValue();
    void ctrlShiftRevealsCropImage();
    void otherClicksOpenTheWebPage_data();
    void otherClicksOpenTheWebPage();

private:
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<ModalGuard> guard;
    Quorvel *dialog = nullptr;
    QPushButton *logo() { return dialog->findChild<QPushButton *>("pushButton"); }
    // Clicks the logo with `modifiers`; answers the prompt with `answer` (null: cancel) and
    // returns what the prompt showed as title, label and text.
    // Clicks the logo with `modifiers` held, or, with `menuEntry`, chooses that entry of its
    // context menu opened by keyboard, and answers the prompt with `answer` (null: cancel).
    QStringList clickAndAnswer(Qt::KeyboardModifiers modifiers, const QString &answer,
                               const QString &menuEntry = QString());
};

void SpacingTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void SpacingTest::init()
{
    sandbox->clearSettings();
    guard = std::make_unique<ModalGuard>();
    dialog = new Quorvel;
    dialog->show();
}

void SpacingTest::cleanup()
{
    delete dialog;
    QCOMPARE(guard->closed(), QStringList());
    guard.reset();
}

QStringList SpacingTest::clickAndAnswer(Qt::KeyboardModifiers modifiers, const QString &answer,
                                        const QString &menuEntry)
{
    QStringList shown;
    answerNextModal<QInputDialog>([&](QInputDialog *prompt) {
        shown << prompt->windowTitle() << prompt->labelText() << prompt->textValue();
        if (answer.isNull()) {
            prompt->reject();
        } else {
            prompt->setTextValue(answer);
            prompt->accept();
        }
    });
    if (menuEntry.isEmpty()) {
        clickWithModifiers(logo(), modifiers);
    } else {
        chooseInContextMenu(logo(), logo()->rect().center(), menuEntry);
    }
    return shown;
}

void SpacingTest::actionByModifiers_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("action");
    const Qt::KeyboardModifier ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier,
                               alt = Qt::AltModifier, meta = Qt::MetaModifier;
    QTest::newRow("shift") << Qt::KeyboardModifiers(shift) << int(LogoAction::LeftMargin);
    QTest::newRow("ctrl") << Qt::KeyboardModifiers(ctrl) << int(LogoAction::TopMargin);
    QTest::newRow("ctrl+shift") << (ctrl | shift) << int(LogoAction::RevealCrop);
    QTest::newRow("shift+alt") << (shift | alt) << int(LogoAction::GutterWidth);
    QTest::newRow("ctrl+alt") << (ctrl | alt) << int(LogoAction::GutterHeight);
    QTest::newRow("none") << Qt::KeyboardModifiers() << int(LogoAction::WebPage);
    QTest::newRow("alt") << Qt::KeyboardModifiers(alt) << int(LogoAction::WebPage);
    QTest::newRow("ctrl+shift+alt") << (ctrl | shift | alt) << int(LogoAction::WebPage);
    QTest::newRow("shift+meta") << (shift | meta) << int(LogoAction::WebPage);
}

void SpacingTest::actionByModifiers()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, action);
    QCOMPARE(int(logoActionFor(modifiers)), action);
}

void SpacingTest::promptsStoreWhatIsTyped_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("menuEntry"); // the logo's menu entry that opens the same prompt
    QTest::newRow("left margin") << Qt::KeyboardModifiers(Qt::ShiftModifier) << "Enter Left Margin"
                                 << "Left Margin (in Pixels):"
                                 << "LastLeftPadding"
                                 << "15"
                                 << "Left margin";
    QTest::newRow("top margin, not a number")
        << Qt::KeyboardModifiers(Qt::ControlModifier) << "Enter Top Margin"
        << "Top Margin (in Pixels):"
        << "LastTopPadding"
        << "abc"
        << "Top margin";
    QTest::newRow("gutter width") << (Qt::ShiftModifier | Qt::AltModifier) << "Enter Gutter Width"
                                  << "Gutter Width (in Pixels):"
                                  << "LastGutterWidth"
                                  << "7"
                                  << "Gutter width";
    QTest::newRow("gutter height")
        << (Qt::ControlModifier | Qt::AltModifier) << "Enter Gutter Height"
        << "Gutter Height (in Pixels):"
        << "LastGutterHeight"
        << " 8 "
        << "Gutter height";
}

void SpacingTest::promptsStoreWhatIsTyped()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, title);
    QFETCH(QString, label);
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, menuEntry);
    QCOMPARE(clickAndAnswer(modifiers, typed), QStringList({title, label, "0"}));
    QCOMPARE(QSettings("Morvane", "Quorvel").value(key).toString(), typed);
    // The next click offers what was stored.
    QCOMPARE(clickAndAnswer(modifiers, QString()), QStringList({title, label, typed}));
    // The logo's menu opens the same prompt, by keyboard, and stores what is typed there.
    QCOMPARE(clickAndAnswer(Qt::NoModifier, "21", menuEntry), QStringList({title, label, typed}));
    QCOMPARE(QSettings("Morvane", "Quorvel").value(key).toString(), "21");
}

void SpacingTest::emptyOrCancelledPromptKeepsTheValue()
{
    QSettings("Morvane", "Quorvel").setValue("LastLeftPadding", "40");
    clickAndAnswer(Qt::ShiftModifier, "");
    QCOMPARE(QSettings("Morvane", "Quorvel").value("LastLeftPadding").toString(), "40");
    clickAndAnswer(Qt::ShiftModifier, QString());
    QCOMPARE(QSettings("Morvane", "Quorvel").value("LastLeftPadding").toString(), "40");
}

void SpacingTest::ctrlShiftRevealsCropImage()
{
    auto *crop = dialog->findChild<QCheckBox *>("chkFitToPage");
    QVERIFY(crop->isHidden());
    clickWithModifiers(logo(), Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(crop->isVisible());
    QVERIFY(crop->isChecked());
    clickWithModifiers(logo(), Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(crop->isVisible());
    QVERIFY(crop->isChecked());
    // The logo's menu shows it too.
    crop->hide();
    chooseInContextMenu(logo(), QPoint(1, 1), "Show Crop Image option");
    QVERIFY(crop->isVisible());
}

void SpacingTest::otherClicksOpenTheWebPage_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("plain") << Qt::KeyboardModifiers();
    QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("ctrl+shift+alt") << (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
}

void SpacingTest::otherClicksOpenTheWebPage()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    UrlRecorder browser("https");
    clickWithModifiers(logo(), modifiers);
    QCOMPARE(browser.urls, QList<QUrl>{QUrl("https://www.morvane.com/")});
    QVERIFY(QSettings("Morvane", "Quorvel").allKeys().isEmpty());
}

QTEST_MAIN(SpacingTest)
#include "tst_spacing.moc"
