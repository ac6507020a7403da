#include "app/languages.h"
#include "app/quorvel.h"
#include "testsupport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

// The window in the operator's language: run under LANG=de_DE.UTF-8, its texts and Qt's own
// dialogs are German; under LANG=C every text is the program's own, with no translator at all.
class LanguagesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowAndMessages_data();
    void windowAndMessages();
    void qtsOwnDialogs();

private:
    std::unique_ptr<Sandbox> sandbox;
    bool german = false;
};

void LanguagesTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    const QLocale::Language language = QLocale::system().language();
    QVERIFY2(language == QLocale::German || language == QLocale::C,
             "run under LANG=de_DE.UTF-8 or LANG=C");
    german = language == QLocale::German;
    installTranslations(*qApp, QLocale::system());
}

void LanguagesTest::windowAndMessages_data()
{
    QTest::addColumn<QString>("button"); // clicked, or whose text is read when not clicked
    QTest::addColumn<bool>("click");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");
    QTest::newRow("Print") << "btnPrint" << false << "Print"
                           << "Drucken";
    QTest::newRow("Close") << "btnClose" << false << "Close"
                           << "Schließen";
    // "Go" is the one text the window never translates.
    QTest::newRow("Go") << "btnGenerate" << false << "Go"
                        << "Go";
    QTest::newRow("a message box") << "btnPrint" << true << "Nothing to Print"
                                   << "Nichts zu drucken";
}

void LanguagesTest::windowAndMessages()
{
    QFETCH(QString, button);
    QFETCH(bool, click);
    QFETCH(QString, english);
    QFETCH(QString, german);
    ModalGuard guard;
    Quorvel dialog;
    dialog.findChild<QLineEdit *>("lineDestPath")->setText(sandbox->makeFolder("no-sheets"));
    QTest::mouseClick(dialog.findChild<QPushButton *>("btnRefreshDest"), Qt::LeftButton);
    QString shown = dialog.findChild<QPushButton *>(button)->text();
    if (click) {
        MessageRecorder recorder;
        QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        shown = recorder.messages[0].title;
    }
    QCOMPARE(shown, this->german ? german : english);
}

void LanguagesTest::qtsOwnDialogs()
{
    ModalGuard guard;
    Quorvel dialog;
    QString cancel;
    answerNextModal<QFileDialog>([&](QFileDialog *chooser) {
        cancel = chooser->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text();
        chooser->reject();
    });
    QTest::mouseClick(dialog.findChild<QPushButton *>("btnBrowseSourcePath"), Qt::LeftButton);
    QCOMPARE(cancel, german ? "Abbrechen" : "Cancel");
}

QTEST_MAIN(LanguagesTest)
#include "tst_languages.moc"
