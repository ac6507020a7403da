#include "app/languages.h"
#include "app/quorvel.h"
#include "compose/sheet.h"
#include "compose/summary.h"
#include "lists/sheetplaces.h"
#include "testsupport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTranslator>

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
    void dialogTitlesShowWhole();
    void copiesAndPlacesInWords_data();
    void copiesAndPlacesInWords();
    void jobCompletedIsEnglishOnlyInEnglish();
    void listsKeepTheirWidthInEveryLanguage_data();
    void listsKeepTheirWidthInEveryLanguage();

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

// A title bar shows the title beside the window's icon and buttons, in a bold face: a box sized
// to a short message cut a longer translated title, and the copies prompt the picture's name.
void LanguagesTest::dialogTitlesShowWhole()
{
    ModalGuard guard;
    Quorvel dialog;
    QList<QPair<QString, int>> seen; // title, width
    MessageRecorder recorder;
    for (const char *title :
         {"Task Completed", "No Sheet Written", "Nothing to Print", "Not Printed", "Test Message"})
        QMessageBox::warning(&dialog, Quorvel::tr(title), "x");
    for (const MessageSeen &message : std::as_const(recorder.messages))
        seen.append({message.title, message.width});
    QCOMPARE(seen.size(), 5);
    QCOMPARE(seen[0].first, german ? "Auftrag erledigt" : "Task Completed");

    const QString shoot = sandbox->makeFolder("titles");
    writePicture(shoot + "/passport 3.5 x 4.5 cm, second sitting.png",
                 solidPicture({10, 10}, Qt::red));
    dialog.fillImageList(shoot, dialog.findChild<QListWidget *>("lstPrintFiles"));
    answerNextModal<QInputDialog>([&](QInputDialog *prompt) {
        seen.append({prompt->windowTitle(), prompt->width()});
        prompt->reject();
    });
    QTest::keyClick(dialog.findChild<QListWidget *>("lstPrintFiles"), Qt::Key_F2);
    QCOMPARE(seen.size(), 6);
    QCOMPARE(seen[5].first, "passport 3.5 x 4.5 cm, second sitting.png");

    QFont bold = dialog.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (const auto &[title, width] : std::as_const(seen)) {
        const int titleBar = metrics.horizontalAdvance(title) + 6 * metrics.height();
        QVERIFY2(width >= titleBar,
                 qPrintable(QString("%1: %2 < %3").arg(title).arg(width).arg(titleBar)));
    }
    // And no wider: a box of a short title and a one-letter message keeps about that width.
    for (const auto &[title, width] : seen.mid(0, 5)) {
        const int generous = metrics.horizontalAdvance(title) * 3 / 2 + 10 * metrics.height();
        QVERIFY2(width <= generous,
                 qPrintable(QString("%1: %2 > %3").arg(title).arg(width).arg(generous)));
    }
}

void LanguagesTest::copiesAndPlacesInWords_data()
{
    QTest::addColumn<int>("copies");
    // 0: not selected; -1: the selection count instead; -2: the summary line of that count
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");
    QTest::newRow("one copy") << 1 << 0 << "1 copy"
                              << "1 Abzug";
    QTest::newRow("none") << 0 << 0 << "0 copies"
                          << "0 Abzüge";
    QTest::newRow("first") << 1 << 1 << "1 copy, 1st on the sheet"
                           << "1 Abzug, 1. auf dem Bogen";
    QTest::newRow("second") << 3 << 2 << "3 copies, 2nd on the sheet"
                            << "3 Abzüge, 2. auf dem Bogen";
    QTest::newRow("twelfth") << 2 << 12 << "2 copies, 12th on the sheet"
                             << "2 Abzüge, 12. auf dem Bogen";
    QTest::newRow("eleventh") << 2 << 11 << "2 copies, 11th on the sheet"
                              << "2 Abzüge, 11. auf dem Bogen";
    QTest::newRow("thirteenth") << 2 << 13 << "2 copies, 13th on the sheet"
                                << "2 Abzüge, 13. auf dem Bogen";
    QTest::newRow("hundred and eleventh") << 2 << 111 << "2 copies, 111th on the sheet"
                                          << "2 Abzüge, 111. auf dem Bogen";
    QTest::newRow("hundred and twelfth") << 2 << 112 << "2 copies, 112th on the sheet"
                                         << "2 Abzüge, 112. auf dem Bogen";
    QTest::newRow("hundred and thirteenth") << 2 << 113 << "2 copies, 113th on the sheet"
                                            << "2 Abzüge, 113. auf dem Bogen";
    QTest::newRow("twenty-first") << 2 << 21 << "2 copies, 21st on the sheet"
                                  << "2 Abzüge, 21. auf dem Bogen";
    QTest::newRow("twenty-third") << 5 << 23 << "5 copies, 23rd on the sheet"
                                  << "5 Abzüge, 23. auf dem Bogen";
    QTest::newRow("one selected") << 1 << -1 << "1 picture selected"
                                  << "1 Bild ausgewählt";
    QTest::newRow("two selected") << 2 << -1 << "2 pictures selected"
                                  << "2 Bilder ausgewählt";
    QTest::newRow("summary of one") << 1 << -2 << "[1] - File(s)"
                                    << "[1] - Bild ausgewählt";
    QTest::newRow("summary of three") << 3 << -2 << "[3] - File(s)"
                                      << "[3] - Bilder ausgewählt";
    QTest::newRow("summary of none") << 0 << -2 << "[0] - File(s)"
                                     << "[0] - Bilder ausgewählt";
}

// What a screen reader hears of a picture, with the plural forms of each language.
void LanguagesTest::copiesAndPlacesInWords()
{
    QFETCH(int, copies);
    QFETCH(int, place);
    QFETCH(QString, english);
    QFETCH(QString, german);
    const QString told = place == -2   ? selectionSummaryText(copies)
                         : place == -1 ? selectionCountText(copies)
                                       : pictureDescription(copies, place);
    QCOMPARE(told, this->german ? german : english);
}

void LanguagesTest::listsKeepTheirWidthInEveryLanguage_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"en", "de", "fr", "es"})
        QTest::newRow(language) << QString(language);
}

// On a 1366 x 768 screen the notes under the lists wrap in every language, so that both
// lists keep the width the English window gives them.
void LanguagesTest::listsKeepTheirWidthInEveryLanguage()
{
    QFETCH(QString, language);
    const QList<QTranslator *> before = qApp->findChildren<QTranslator *>();
    for (QTranslator *translator : before)
        QCoreApplication::removeTranslator(translator);
    installTranslations(*qApp, QLocale(language));
    const auto restore = qScopeGuard([&] {
        for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            if (!before.contains(translator))
                delete translator;
        }
        for (QTranslator *translator : before)
            QCoreApplication::installTranslator(translator);
    });
    ModalGuard guard;
    Quorvel dialog;
    dialog.resize(1366, 768);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const int input = dialog.findChild<QWidget *>("lstPrintFiles")->width();
    const int output = dialog.findChild<QWidget *>("lstPrintFilesOutput")->width();
    // As in English: the window's width shared evenly.
    QCOMPARE(input, output);
    QVERIFY2(input >= 600, qPrintable(QString::number(input)));
}

// The report's first line, which the program fixes in English, is the operator's language
// elsewhere.
void LanguagesTest::jobCompletedIsEnglishOnlyInEnglish()
{
    const QString report = completionReport(SheetOutcome(), false);
    QCOMPARE(report, german ? "Auftrag abgeschlossen" : "Job Completed");
}

QTEST_MAIN(LanguagesTest)
#include "tst_languages.moc"
