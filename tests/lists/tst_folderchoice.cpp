#include "accessreports.h"
#include "app/quorvel.h"
#include "listsfixture.h"
#include "testsupport.h"

#include <QAccessible>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUrl>

using namespace testsupport;

// Choosing the folders the lists show: by their "..." buttons, typed and listed again, or
// dropped from the file manager.
class FolderChoiceTest : public ListsFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void browseStoresAndListsTheChoice();
    void cancelledBrowseChangesNothing();
    void refreshListsTheTypedFolderWithoutStoring();
    void droppedFoldersAreUsedAsChosen_data();
    void droppedFoldersAreUsedAsChosen();
    void focusIsToldOnlyWhereTheKeysGo_data();
    void focusIsToldOnlyWhereTheKeysGo();
};

void FolderChoiceTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void FolderChoiceTest::init()
{
    openWindow();
}

void FolderChoiceTest::cleanup()
{
    delete dialog;
}

void FolderChoiceTest::browseStoresAndListsTheChoice()
{
    const QString start = sandbox->makeFolder("start");
    const QString chosen = sandbox->makeFolder("chosen");
    writePicture(chosen + "/pick.png", solidPicture({10, 10}, Qt::red));
    QSettings("Morvane", "Quorvel").setValue("LastSourcePath", start);

    QString shownFolder;
    answerNextModal<QFileDialog>([&](QFileDialog *chooser) {
        shownFolder = chooser->directory().path();
        chooser->setDirectory(chosen);
        static_cast<QDialog *>(chooser)->accept();
    });
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnBrowseSourcePath"), Qt::LeftButton);
    QCOMPARE(shownFolder, start);
    QCOMPARE(field("lineSourcePath")->text(), chosen);
    QCOMPARE(QSettings("Morvane", "Quorvel").value("LastSourcePath").toString(), chosen);
    QCOMPARE(texts(input()), QStringList{"pick.png"});

    // The destination side behaves alike and survives a restart.
    answerNextModal<QFileDialog>([&](QFileDialog *chooser) {
        chooser->setDirectory(chosen);
        static_cast<QDialog *>(chooser)->accept();
    });
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnBrowseDestPath"), Qt::LeftButton);
    QCOMPARE(texts(output()), QStringList{"pick.png"});
    Quorvel restarted;
    QCOMPARE(restarted.findChild<QLineEdit *>("lineSourcePath")->text(), chosen);
    QCOMPARE(restarted.findChild<QLineEdit *>("lineDestPath")->text(), chosen);
}

void FolderChoiceTest::cancelledBrowseChangesNothing()
{
    const QString before = sandbox->makeFolder("before");
    writePicture(before + "/kept.png", solidPicture({10, 10}, Qt::red));
    writePicture(sandbox->path("cwd/local.png"), solidPicture({10, 10}, Qt::red));
    QSettings("Morvane", "Quorvel").setValue("LastSourcePath", before);
    field("lineSourcePath")->setText(before);
    dialog->fillImageList(before, input());
    input()->item(0)->setText("<004> kept.png");

    answerNextModal<QFileDialog>([](QFileDialog *chooser) { chooser->reject(); });
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnBrowseSourcePath"), Qt::LeftButton);
    QCOMPARE(field("lineSourcePath")->text(), before);
    QCOMPARE(QSettings("Morvane", "Quorvel").value("LastSourcePath").toString(), before);
    // Not relisted: the copy count the operator set is still there.
    QCOMPARE(texts(input()), QStringList{"<004> kept.png"});
    QFile::remove(sandbox->path("cwd/local.png"));
}

void FolderChoiceTest::refreshListsTheTypedFolderWithoutStoring()
{
    const QString typed = sandbox->makeFolder("typed");
    writePicture(typed + "/t.png", solidPicture({10, 10}, Qt::red));
    field("lineDestPath")->setText(typed);
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnRefreshDest"), Qt::LeftButton);
    QCOMPARE(texts(output()), QStringList{"t.png"});
    field("lineSourcePath")->setText(typed);
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnRefreshSrc"), Qt::LeftButton);
    QCOMPARE(texts(input()), QStringList{"t.png"});
    QSettings store("Morvane", "Quorvel");
    QVERIFY(!store.contains("LastSourcePath"));
    QVERIFY(!store.contains("LastDestinationPath"));
}

void FolderChoiceTest::droppedFoldersAreUsedAsChosen_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("dropped"); // paths in the sandbox, or addresses
    QTest::addColumn<bool>("used");
    QTest::newRow("a folder on the input list")
        << "lstPrintFiles" << QStringList{"dropped"} << true;
    QTest::newRow("a picture on the output list, meaning its folder")
        << "lstPrintFilesOutput" << QStringList{"dropped/d.png"} << true;
    QTest::newRow("two pictures of one folder")
        << "lstPrintFiles" << QStringList{"dropped/d.png", "dropped/e.png"} << true;
    QTest::newRow("pictures of two folders")
        << "lstPrintFiles" << QStringList{"dropped/d.png", "other/o.png"} << false;
    QTest::newRow("a web address")
        << "lstPrintFiles" << QStringList{"https://example.org/"} << false;
}

// A folder dropped from the file manager onto a list does what choosing it does: stored,
// shown in the list's path field and listed. Anything else is refused and changes nothing.
void FolderChoiceTest::droppedFoldersAreUsedAsChosen()
{
    QFETCH(QString, list);
    QFETCH(QStringList, dropped);
    QFETCH(bool, used);
    const QString folder = sandbox->makeFolder("dropped");
    writePicture(folder + "/d.png", solidPicture({10, 10}, Qt::red));
    writePicture(folder + "/e.png", solidPicture({10, 10}, Qt::red));
    writePicture(sandbox->makeFolder("other") + "/o.png", solidPicture({10, 10}, Qt::red));
    const bool input = list == "lstPrintFiles";
    QListWidget *target = input ? this->input() : output();
    QLineEdit *pathField = field(input ? "lineSourcePath" : "lineDestPath");
    pathField->setText("before");

    QList<QUrl> urls;
    for (const QString &item : dropped)
        urls << (item.startsWith("https:") ? QUrl(item) : QUrl::fromLocalFile(sandbox->path(item)));
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target->viewport(), &enter);
    QCOMPARE(enter.isAccepted(), used);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target->viewport(), &drop);

    const char *key = input ? "LastSourcePath" : "LastDestinationPath";
    QCOMPARE(pathField->text(), used ? folder : "before");
    QCOMPARE(QSettings("Morvane", "Quorvel").value(key).toString(), used ? folder : QString());
    QCOMPARE(texts(target), used ? QStringList({"d.png", "e.png"}) : QStringList());
}

void FolderChoiceTest::focusIsToldOnlyWhereTheKeysGo_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("listName");
    QTest::newRow("source folder listed again") << "lineSourcePath"
                                                << "lstPrintFiles";
    QTest::newRow("destination listed again") << "lineDestPath"
                                              << "lstPrintFilesOutput";
}

// A list filled again while the operator types in its folder field moves its current row; a
// screen reader must not be told of a focus the keys do not follow.
void FolderChoiceTest::focusIsToldOnlyWhereTheKeysGo()
{
    NEED_ACCESSIBILITY_BRIDGE();
    QFETCH(QString, fieldName);
    QFETCH(QString, listName);
    const QString folder = sandbox->makeFolder("shoot");
    writePicture(folder + "/a.png", solidPicture({10, 10}, Qt::red));
    writePicture(folder + "/b.png", solidPicture({10, 10}, Qt::blue));
    QLineEdit *typedIn = field(qPrintable(fieldName));
    auto *list = dialog->findChild<QListWidget *>(listName);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    typedIn->setFocus();
    typedIn->setText(folder);

    AccessReports reports;
    QTest::keyClick(typedIn, Qt::Key_Return);
    QCOMPARE(texts(list), QStringList({"a.png", "b.png"}));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(typedIn->hasFocus());
    QCOMPARE(reports.childrenOf(list), QList<int>());

    // Once the keys go to the list, the focus is told: the list and its current row, then
    // each row moved to.
    list->setFocus();
    QTRY_COMPARE(reports.childrenOf(list), QList<int>({-1, 0}));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(reports.childrenOf(list), QList<int>({-1, 0, 1}));
}

QTEST_MAIN(FolderChoiceTest)
#include "tst_folderchoice.moc"
