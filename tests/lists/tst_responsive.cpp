#include "app/quorvel.h"
#include "lists/thumbnails.h"
#include "testsupport.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QLineEdit>
#include <QListWidget>
#include <QMutex>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QWaitCondition>
#include <QtPlugin>
#include <future>

using namespace testsupport;

// The window stays usable while a folder of 500 pictures is being listed.
class ResponsiveTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void refreshWhileListing();
    void refillDoesNotWaitForTheOlderDecodes();
    void browseWhileListing();
    void goWhileListing();
    void closeWhileListing();

private:
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<ModalGuard> guard;
    QString big;
    QString small;
    QStringList bigNames;
    Quorvel *dialog = nullptr;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QPushButton *button(const char *name) { return dialog->findChild<QPushButton *>(name); }
    QStringList texts()
    {
        QStringList result;
        for (int row = 0; row < input()->count(); ++row)
            result << input()->item(row)->text();
        return result;
    }
    // Runs `during` once the list being filled from the big folder holds `after` items.
    void whenListed(int after, const std::function<void()> &during);
};

namespace {
// Holds every decode of a "gated" picture until opened, so that a test can keep decoding
// threads busy for as long as it needs, without timing.
struct Gate
{
    QMutex mutex;
    QWaitCondition change;
    int waiting = 0;
    bool open = false;

    void pass()
    {
        QMutexLocker locker(&mutex);
        ++waiting;
        change.wakeAll();
        while (!open)
            change.wait(&mutex);
        --waiting;
    }
    int held()
    {
        QMutexLocker locker(&mutex);
        return waiting;
    }
    // Should a listing wait for the held decodes after all, it is let go after a while, so
    // that the test fails instead of hanging.
    void openAfter(int ms)
    {
        QMutexLocker locker(&mutex);
        QDeadlineTimer deadline(ms);
        while (!open && !deadline.hasExpired())
            change.wait(&mutex, deadline);
        open = true;
        change.wakeAll();
    }
    void setOpen(bool isOpen)
    {
        QMutexLocker locker(&mutex);
        open = isOpen;
        change.wakeAll();
    }
} gate;

// Whether the device is a file the test made to be held at the gate.
bool isGated(const QIODevice *device)
{
    const auto *file = qobject_cast<const QFile *>(device);
    return file && QFileInfo(file->fileName()).fileName().startsWith("gated");
}

// Reads the gated PNG files in place of Qt's PNG reader, passing the gate first.
class GatedHandler : public QImageIOHandler
{
public:
    bool canRead() const override
    {
        if (!isGated(device()))
            return false;
        setFormat("png");
        return true;
    }
    bool read(QImage *image) override
    {
        gate.pass();
        *image = QImage(10, 10, QImage::Format_RGB32);
        image->fill(Qt::green);
        return true;
    }
    bool supportsOption(ImageOption option) const override { return option == Size; }
    QVariant option(ImageOption option) const override
    {
        return option == Size ? QVariant(QSize(10, 10)) : QVariant();
    }
};

class GatedPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "gated.json")
public:
    Capabilities capabilities(QIODevice *device, const QByteArray &) const override
    {
        return isGated(device) ? CanRead : Capabilities();
    }
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        auto *handler = new GatedHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};
} // namespace

Q_IMPORT_PLUGIN(GatedPlugin)

void ResponsiveTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    big = sandbox->makeFolder("five-hundred");
    for (int i = 0; i < 500; ++i) {
        const QString name = QString("p%1.png").arg(i, 3, 10, QChar('0'));
        writePicture(big + "/" + name, solidPicture({96, 64}, QColor::fromHsv(i % 360, 200, 200)));
        bigNames << name;
    }
    small = sandbox->makeFolder("three");
    for (const char *name : {"a.png", "b.png", "c.png"})
        writePicture(small + "/" + name, solidPicture({96, 64}, Qt::red));
}

void ResponsiveTest::init()
{
    sandbox->clearSettings();
    guard = std::make_unique<ModalGuard>();
    dialog = new Quorvel;
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(big);
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(sandbox->makeFolder("sheets"));
    dialog->show();
}

void ResponsiveTest::cleanup()
{
    delete dialog;
    QCOMPARE(guard->closed(), QStringList());
    guard.reset();
}

void ResponsiveTest::whenListed(int after, const std::function<void()> &during)
{
    auto *timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [=] {
        if (input()->count() >= after) {
            timer->stop();
            during();
        }
    });
    timer->start(0);
}

void ResponsiveTest::refreshWhileListing()
{
    bool pressed = false;
    whenListed(50, [&] {
        pressed = true;
        QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    });
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    QVERIFY(pressed);
    QCOMPARE(texts(), bigNames);
    QCOMPARE(input()->currentRow(), 0);
}

// Refresh pressed while both decoding threads are stuck in pictures of the older listing: the
// newer listing completes while they are still held.
void ResponsiveTest::refillDoesNotWaitForTheOlderDecodes()
{
    ThumbnailPrefetcher::setDecodingThreads(2);
    const QString older = sandbox->makeFolder("gated");
    writePicture(older + "/a.png", solidPicture({20, 20}, Qt::red));
    for (int i = 0; i < 6; ++i)
        writePicture(QString("%1/gated%2.png").arg(older).arg(i), solidPicture({10, 10}, Qt::red));
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(older);
    gate.setOpen(false);
    auto watchdog = std::async(std::launch::async, [] { gate.openAfter(10000); });

    QStringList listedMeanwhile;
    int heldMeanwhile = -1;
    whenListed(1, [&] {
        QDeadlineTimer deadline(10000);
        while (gate.held() < 2 && !deadline.hasExpired())
            QThread::msleep(1);
        QCOMPARE(gate.held(), 2);
        dialog->findChild<QLineEdit *>("lineSourcePath")->setText(small);
        QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
        listedMeanwhile = texts();
        heldMeanwhile = gate.held();
        gate.setOpen(true);
    });
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    gate.setOpen(true);
    watchdog.get();
    QCOMPARE(listedMeanwhile, QStringList({"a.png", "b.png", "c.png"}));
    QCOMPARE(heldMeanwhile, 2);
    QCOMPARE(texts(), QStringList({"a.png", "b.png", "c.png"}));
    ThumbnailPrefetcher::waitForDecodesInFlight();
    ThumbnailPrefetcher::setDecodingThreads(QThread::idealThreadCount());
}

void ResponsiveTest::browseWhileListing()
{
    whenListed(50, [&] {
        answerNextModal<QFileDialog>([&](QFileDialog *chooser) {
            chooser->setDirectory(small);
            static_cast<QDialog *>(chooser)->accept();
        });
        QTest::mouseClick(button("btnBrowseSourcePath"), Qt::LeftButton);
    });
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    QCOMPARE(texts(), QStringList({"a.png", "b.png", "c.png"}));
    QCOMPARE(QSettings("Morvane", "Quorvel").value("LastSourcePath").toString(), small);
}

void ResponsiveTest::goWhileListing()
{
    QList<MessageSeen> messages;
    whenListed(50, [&] {
        input()->clearSelection();
        input()->item(3)->setSelected(true);
        MessageRecorder recorder;
        QTest::mouseClick(button("btnGenerate"), Qt::LeftButton);
        messages = recorder.messages;
    });
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    // Go ran at once, inside the listing, which then went on to the end.
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Task Completed");
    QCOMPARE(texts(), bigNames);
}

// Close ends the process while camera photos are being decoded on every thread: the decodes
// must not run on into what the process tears down (the sanitizer build checks this).
void ResponsiveTest::closeWhileListing()
{
    const QString photos = sandbox->makeFolder("photos");
    const QString first =
        writePicture(photos + "/photo00.jpg", photoLikePicture({4000, 3000}, 1), "jpeg", 90);
    for (int i = 1; i < 40; ++i)
        QFile::copy(first, QString("%1/photo%2.jpg").arg(photos).arg(i, 2, 10, QChar('0')));
    for (int run = 0; run < 3; ++run) {
        const ProbeRun probe = runExitProbe(EXIT_PROBE, *sandbox, {"close-while-listing", photos});
        QCOMPARE(probe.exitCode, 1);
        QSettings stored(probe.settingsFile, QSettings::IniFormat);
        QCOMPARE(stored.value("LastOPWidth").toString(), "8.27");
        QCOMPARE(stored.value("LastOPHeight").toString(), "11.69");
    }
}

QTEST_MAIN(ResponsiveTest)
#include "tst_responsive.moc"
