#include "app/quorvel.h"
#include "fillingdisk.h"
#include "testsupport.h"

#include <QColorSpace>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

using namespace testsupport;

// The Go button: the sheet written to disk, what the operator is told, and disk faults.
class GenerateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sheetFollowsThePickingOrder();
    void savedFileIsA300DpiJpeg();
    void marginsComeFromTheSettings_data();
    void marginsComeFromTheSettings();
    void nothingSelectedWritesNothing();
    void unreadablePictureIsNamed();
    void goDuringARunIsIgnored();
    void missingDestinationFolderIsReported();
    void failedSaveKeepsThePreviousSheet_data();
    void failedSaveKeepsThePreviousSheet();

private:
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<ModalGuard> guard;
    QString source;
    QString destination;
    Quorvel *dialog = nullptr;

    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QListWidget *output() { return dialog->findChild<QListWidget *>("lstPrintFilesOutput"); }
    void useFolders(const QString &from, const QString &to);
    void pick(const QStringList &names);
    QList<MessageSeen> pressGo();
};

namespace {
bool near(QRgb actual, QColor expected)
{
    return qAbs(qRed(actual) - expected.red()) < 24 &&
           qAbs(qGreen(actual) - expected.green()) < 24 &&
           qAbs(qBlue(actual) - expected.blue()) < 24;
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}
} // namespace

void GenerateTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    source = sandbox->makeFolder("source");
    writePicture(source + "/blue.png", solidPicture({2400, 1200}, Qt::blue));
    writePicture(source + "/green.png", solidPicture({2400, 1000}, Qt::green));
    writePicture(source + "/red.png", solidPicture({1800, 1200}, Qt::red));
}

void GenerateTest::init()
{
    sandbox->clearSettings();
    destination = sandbox->makeFolder("destination");
    guard = std::make_unique<ModalGuard>();
    dialog = new Quorvel;
    dialog->show();
    useFolders(source, destination);
}

void GenerateTest::cleanup()
{
    delete dialog;
    QCOMPARE(guard->closed(), QStringList());
    guard.reset();
}

void GenerateTest::useFolders(const QString &from, const QString &to)
{
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(from);
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(to);
    dialog->fillImageList(from, input());
    dialog->fillImageList(to, output());
}

void GenerateTest::pick(const QStringList &names)
{
    input()->clearSelection();
    for (const QString &name : names) {
        const auto found = input()->findItems(name, Qt::MatchEndsWith);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        QTest::mouseClick(input()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          input()->visualItemRect(found.first()).center());
    }
}

QList<MessageSeen> GenerateTest::pressGo()
{
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnGenerate"), Qt::LeftButton);
    return recorder.messages;
}

void GenerateTest::sheetFollowsThePickingOrder()
{
    input()->findItems("green.png", Qt::MatchExactly).first()->setText("<002> green.png");
    pick({"red.png", "green.png"});
    dialog->findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(0);
    const QList<MessageSeen> messages = pressGo();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Task Completed");
    QCOMPARE(messages[0].text, "Job Completed");
    QCOMPARE(messages[0].buttons, int(QMessageBox::Ok));

    const QImage sheet(destination + "/01.jpg");
    QCOMPARE(sheet.size(), QSize(2480, 3506));
    // Picked first, placed first: red at the top, then green twice, then white.
    QVERIFY(near(sheet.pixel(900, 600), Qt::red));
    QVERIFY(near(sheet.pixel(2000, 600), Qt::white));
    QVERIFY(near(sheet.pixel(1200, 1700), Qt::green));
    QVERIFY(near(sheet.pixel(1200, 2700), Qt::green));
    QVERIFY(near(sheet.pixel(1200, 3300), Qt::white));
    // The output list shows the folder's contents; the copy counts stay on the input items.
    QCOMPARE(output()->count(), 1);
    QCOMPARE(output()->item(0)->text(), "01.jpg");
    QVERIFY(waitForThumbnails(output()));
    QVERIFY(showsThumbnail(output()->item(0)));
    QCOMPARE(input()->findItems("<002> green.png", Qt::MatchExactly).size(), 1);

    // A second run replaces the sheet.
    pick({"blue.png"});
    dialog->findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(1);
    QCOMPARE(pressGo().size(), 1);
    const QImage second(destination + "/01.jpg");
    QVERIFY(near(second.pixel(600, 1200), Qt::blue)); // turned: 1200 wide, 2400 high
    QVERIFY(near(second.pixel(1800, 1200), Qt::white));
    QCOMPARE(QDir(destination).entryList(QDir::Files), QStringList{"01.jpg"});
}

void GenerateTest::savedFileIsA300DpiJpeg()
{
    pick({"blue.png"});
    pressGo();
    QFile file(destination + "/01.jpg");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(18);
    QCOMPARE(head.left(2), QByteArray("\xFF\xD8"));
    QCOMPARE(head.mid(6, 5), QByteArray("JFIF\0", 5));
    QCOMPARE(int(head[13]), 1); // density in dots per inch
    QCOMPARE((uchar(head[14]) << 8) | uchar(head[15]), 300);
    QCOMPARE((uchar(head[16]) << 8) | uchar(head[17]), 300);
    QImageReader reader(destination + "/01.jpg");
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage sheet = reader.read();
    QCOMPARE(sheet.dotsPerMeterX(), 11811);
    QCOMPARE(sheet.dotsPerMeterY(), 11811);
    // Viewers and printer drivers are told the colours are sRGB.
    QCOMPARE(sheet.colorSpace(), QColorSpace(QColorSpace::SRgb));
}

void GenerateTest::marginsComeFromTheSettings_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("50, 100") << "50"
                             << "100" << QPoint(50, 100);
    QTest::newRow("not numbers") << "abc"
                                 << "12px" << QPoint(0, 0);
}

void GenerateTest::marginsComeFromTheSettings()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, corner);
    {
        QSettings store("Morvane", "Quorvel");
        store.setValue("LastLeftPadding", left);
        store.setValue("LastTopPadding", top);
    }
    pick({"red.png"});
    dialog->findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(0);
    pressGo();
    const QImage sheet(destination + "/01.jpg");
    QVERIFY(near(sheet.pixel(corner.x() + 8, corner.y() + 8), Qt::red));
    QVERIFY(near(sheet.pixel(corner.x() + 1790, corner.y() + 1190), Qt::red));
    QVERIFY(near(sheet.pixel(corner.x() + 1808, corner.y() + 600), Qt::white));
    QVERIFY(near(sheet.pixel(corner.x() + 900, corner.y() + 1208), Qt::white));
    if (corner.x() > 0)
        QVERIFY(near(sheet.pixel(corner.x() - 8, corner.y() + 600), Qt::white));
}

void GenerateTest::nothingSelectedWritesNothing()
{
    writePicture(destination + "/old.jpg", solidPicture({10, 10}, Qt::red), "jpeg");
    input()->clearSelection();
    const QList<MessageSeen> messages = pressGo();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "No Sheet Written");
    QCOMPARE(messages[0].text, "No sheet was written.\nNo picture is selected.");
    QVERIFY(!QFile::exists(destination + "/01.jpg"));
    // The output list was refreshed from the folder.
    QCOMPARE(output()->count(), 1);
    QCOMPARE(output()->item(0)->text(), "old.jpg");
}

void GenerateTest::unreadablePictureIsNamed()
{
    QFile::copy(source + "/red.png", source + "/vanishing.png");
    dialog->fillImageList(source, input());
    QFile::remove(source + "/vanishing.png");
    pick({"vanishing.png", "blue.png"});
    const QList<MessageSeen> messages = pressGo();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Task Completed");
    QVERIFY2(messages[0].text.startsWith("Job Completed\nSkipped, could not be read: "
                                         "vanishing.png ("),
             qPrintable(messages[0].text));
    QVERIFY(QFile::exists(destination + "/01.jpg"));
}

void GenerateTest::goDuringARunIsIgnored()
{
    // The run lists the output folder first, processing events after each item: a second
    // press of Go arrives in there.
    writePicture(destination + "/a.jpg", solidPicture({10, 10}, Qt::red), "jpeg");
    writePicture(destination + "/b.jpg", solidPicture({10, 10}, Qt::red), "jpeg");
    pick({"blue.png"});
    auto *go = dialog->findChild<QPushButton *>("btnGenerate");
    int nestedPresses = 0;
    QTimer::singleShot(0, go, [&] {
        ++nestedPresses;
        go->click();
    });
    const QList<MessageSeen> messages = pressGo();
    QCOMPARE(nestedPresses, 1);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Task Completed");
}

void GenerateTest::missingDestinationFolderIsReported()
{
    const QString missing = sandbox->path("no-such-folder");
    useFolders(source, missing);
    pick({"blue.png"});
    const QList<MessageSeen> messages = pressGo();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Sheet Not Saved");
    QVERIFY2(messages[0].text.startsWith("The sheet could not be saved as " + missing + "/01.jpg"),
             qPrintable(messages[0].text));
    QVERIFY(!QFileInfo::exists(missing));
    QVERIFY(!QFile::exists(sandbox->path("cwd/01.jpg")));
}

void GenerateTest::failedSaveKeepsThePreviousSheet_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");
    // Refused when the sheet's temporary file is made.
    QTest::newRow("read-only folder") << "read-only"
                                      << "is not writable";
    // Refused while it is written: a noisy sheet encodes to far more than the 256 KiB left.
    QTest::newRow("full disk") << "full"
                               << "No space left on device";
    // The disk fills up during the sheet's last write: what fits is written, the rest refused.
    QTest::newRow("disk full in the last bytes") << "last bytes"
                                                 << "No space left on device";
    // Refused only when the whole sheet is to replace the old one: a file mounted over 01.jpg
    // cannot be renamed over.
    QTest::newRow("sheet held by a mount") << "held"
                                           << "Device or resource busy";
}

void GenerateTest::failedSaveKeepsThePreviousSheet()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);
    const QString folder = sandbox->path(how);
    std::unique_ptr<ScratchMount> mount;
    if (how == "last bytes") {
        QVERIFY(QDir().mkpath(folder));
    } else {
        mount = std::make_unique<ScratchMount>(folder, how == "full" ? "256k" : "4m");
        QUORVEL_NEED_MOUNT(*mount);
    }
    writePicture(folder + "/01.jpg", solidPicture({100, 100}, Qt::red), "jpeg");
    const QByteArray before = fileHash(folder + "/01.jpg");
    useFolders(source, folder);
    pick({"blue.png"});
    const auto freed = qScopeGuard([] { freeDisk(); });
    if (how == "read-only") {
        QVERIFY(mount->makeReadOnly());
    } else if (how == "full" || how == "last bytes") {
        const QString noisy = sandbox->makeFolder("noisy");
        writePicture(noisy + "/noise.png", noisePicture({2400, 1200}, 7));
        if (how == "last bytes") {
            // The sheet's size, from a Go elsewhere: the disk fills 200 bytes before its end,
            // within its last write.
            const QString probe = sandbox->makeFolder("probe");
            useFolders(noisy, probe);
            pick({"noise.png"});
            QCOMPARE(pressGo().size(), 1);
            const qint64 bytes = QFileInfo(probe + "/01.jpg").size();
            QVERIFY(bytes % (64 * 1024) > 1024);
            fillDiskAfter(folder, bytes - 200);
        }
        useFolders(noisy, folder);
        pick({"noise.png"});
    } else {
        QCOMPARE(QProcess::execute("mount", {"--bind", folder + "/01.jpg", folder + "/01.jpg"}), 0);
    }
    const auto unmount = qScopeGuard([&] {
        if (how == "held")
            QProcess::execute("umount", {folder + "/01.jpg"});
    });
    const QList<MessageSeen> messages = pressGo();
    freeDisk();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Sheet Not Saved");
    // The system's own reason, not Qt's "Unknown error" of a write cut short.
    QVERIFY2(messages[0].text.contains(reason), qPrintable(messages[0].text));
    QCOMPARE(fileHash(folder + "/01.jpg"), before);
    QCOMPARE(leftovers(folder), QStringList{"01.jpg"});
}

QTEST_MAIN(GenerateTest)
#include "tst_generate.moc"
