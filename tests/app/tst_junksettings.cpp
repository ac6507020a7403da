#include "../pictures/craftedfiles.h"
#include "app/quorvel.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// A settings store holding junk, or none that can be read: the program starts as on a first
// start, and takes what it can.
class JunkSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void junkSettingsStartNormally_data();
    void junkSettingsStartNormally();
    void unreadableSettingsFile();

private:
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<ModalGuard> guard;
    Quorvel *dialog = nullptr;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
};

void JunkSettingsTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void JunkSettingsTest::init()
{
    sandbox->clearSettings();
    guard = std::make_unique<ModalGuard>();
}

void JunkSettingsTest::cleanup()
{
    delete dialog;
    dialog = nullptr;
    QCOMPARE(guard->closed(), QStringList());
    guard.reset();
}

void JunkSettingsTest::junkSettingsStartNormally_data()
{
    QTest::addColumn<QString>("margin");
    QTest::addColumn<int>("top");
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("-50") << "-50" << -50;
    QTest::newRow("too large for a number") << "99999999999" << 0;
}

void JunkSettingsTest::junkSettingsStartNormally()
{
    QFETCH(QString, margin);
    QFETCH(int, top);
    const QString pictures = sandbox->makeFolder("junk-source");
    writePicture(pictures + "/red.png", solidPicture({2400, 600}, Qt::red));
    const QString fileInsteadOfFolder = sandbox->path("a file");
    writeBytes(fileInsteadOfFolder, "not a folder");
    {
        QSettings store("Morvane", "Quorvel");
        store.setValue("LastTopPadding", margin);
        store.setValue("LastLeftPadding", margin);
        store.setValue("LastSourcePath", pictures);
        store.setValue("LastDestinationPath", fileInsteadOfFolder);
        store.setValue("LastOPWidth", "\x01junk");
    }
    dialog = new Quorvel;
    QCOMPARE(input()->count(), 1);
    QCOMPARE(dialog->findChild<QListWidget *>("lstPrintFilesOutput")->count(), 0);
    QCOMPARE(dialog->findChild<QLineEdit *>("lineOPWidth")->text(), "8.27");

    // Generation takes the margins as whole numbers, anything else as 0.
    const QString destination = sandbox->makeFolder("junk-sheets");
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(destination);
    dialog->findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(0);
    input()->item(0)->setSelected(true);
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnGenerate"), Qt::LeftButton);
    QCOMPARE(recorder.messages.size(), 1);
    const QImage sheet(destination + "/01.jpg");
    QCOMPARE(sheet.size(), QSize(2480, 3506));
    // The 2400 x 600 picture ends 2400 and 600 pixels past the margins, whatever their sign.
    const auto isRed = [&](int x, int y) {
        const QRgb pixel = sheet.pixel(x, y);
        return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
    };
    const int right = top + 2400, bottom = top + 600;
    QVERIFY(isRed(right - 10, 300));
    QVERIFY(!isRed(right + 10, 300));
    QVERIFY(isRed(100, bottom - 10));
    QVERIFY(!isRed(100, bottom + 10));
}

void JunkSettingsTest::unreadableSettingsFile()
{
    // The store's file is a folder: nothing can be read from it or written to it.
    const QString file = sandbox->path("settings/Morvane/Quorvel.conf");
    QFile::remove(file);
    QDir().mkpath(file);
    dialog = new Quorvel;
    QCOMPARE(dialog->findChild<QLineEdit *>("lineSourcePath")->text(), "");
    QCOMPARE(dialog->findChild<QLineEdit *>("lineOPHeight")->text(), "11.69");
    delete dialog;
    dialog = nullptr;
    QDir(file).removeRecursively();

    // A store cut short in the middle of a line.
    writeBytes(file, "[General]\nLastSourcePath=/nowhere\nLastTopPadd");
    dialog = new Quorvel;
    QCOMPARE(dialog->findChild<QLineEdit *>("lineSourcePath")->text(), "/nowhere");
    QCOMPARE(input()->count(), 0);
}

QTEST_MAIN(JunkSettingsTest)
#include "tst_junksettings.moc"
