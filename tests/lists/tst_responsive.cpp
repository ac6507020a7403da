#include "app/quorvel.h"
#include "gatedpictures.h"
#include "lists/thumbnailfill.h"
#include "lists/thumbnails.h"
#include "refusedthreads.h"
#include "testsupport.h"
#include "windowfixture.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QtPlugin>
#include <atomic>
#include <climits>
#include <future>

Q_IMPORT_PLUGIN(GatedPlugin)

using namespace testsupport;

// The window comes first and thumbnails after it, those in view first: a folder of any size
// opens at once and stays usable while its thumbnails are made. The decoding threads are held
// at a gate (gatedpictures.h) so that every order of work is seen without timing.
class ResponsiveTest : public WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowBeforeThumbnails();
    void rowsInViewAreMadeFirst();
    void rowsInViewOfEitherListComeFirst();
    void madeButNotTakenIsStillBusy();
    void rowsInViewAreMadeWithoutThreads();
    void iconsFarFromViewGoAndComeBack();
    void goWhileThumbnailsArePending();
    void refreshWhileThumbnailsArePending();
    void browseWhileThumbnailsArePending();
    void everyWayOutStopsTheDecodes_data();
    void everyWayOutStopsTheDecodes();

private:
    QString gated; // an ordinary red picture and 300 gated ones
    QString small;
    std::future<void> watchdog;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QPushButton *button(const char *name) { return dialog->findChild<QPushButton *>(name); }
    QLineEdit *field(const char *name) { return dialog->findChild<QLineEdit *>(name); }
    QStringList texts()
    {
        QStringList result;
        for (int row = 0; row < input()->count(); ++row)
            result << input()->item(row)->text();
        return result;
    }
    // Closes the gate, lists the gated folder and waits until every thread is held.
    void listHeld(int threads = 2);
};

void ResponsiveTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    gated = sandbox->makeFolder("gated");
    for (int i = 0; i < 300; ++i)
        writePicture(QString("%1/gated%2.png").arg(gated).arg(i, 3, 10, QChar('0')),
                     solidPicture({600, 300}, Qt::green));
    // First in the list, where no thread is held.
    writePicture(gated + "/Red.png", solidPicture({2400, 600}, Qt::red));
    small = sandbox->makeFolder("three");
    for (const char *name : {"a.png", "b.png", "c.png"})
        writePicture(small + "/" + name, solidPicture({96, 64}, Qt::red));
}

void ResponsiveTest::init()
{
    // Thumbnails come from decoding, not from the entries an earlier test left.
    ThumbnailLoader::waitForDecodesInFlight();
    QDir(sandbox->path("cache")).removeRecursively();
    ThumbnailLoader::setDecodingThreads(2);
    gate().setOpen(true);
    makeWindow();
    field("lineDestPath")->setText(sandbox->makeFolder("sheets"));
    dialog->show();
}

void ResponsiveTest::cleanup()
{
    gate().setOpen(true);
    if (watchdog.valid())
        watchdog.get();
    QCOMPARE(closeWindow(), QStringList());
}

void ResponsiveTest::listHeld(int threads)
{
    ThumbnailLoader::setDecodingThreads(threads);
    gate().reset();
    // Should anything wait for the held decodes after all, the test fails instead of hanging.
    watchdog = std::async(std::launch::async, [] { gate().openAfter(10000); });
    field("lineSourcePath")->setText(gated);
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([threads] { return gate().held() == threads; }));
}

// The start sequence ends, with every item listed and the first one's size shown, while no
// thumbnail has been made.
void ResponsiveTest::windowBeforeThumbnails()
{
    delete dialog;
    QSettings("Morvane", "Quorvel").setValue("LastSourcePath", gated);
    gate().reset();
    watchdog = std::async(std::launch::async, [] { gate().openAfter(10000); });
    dialog = new Quorvel;
    QCOMPARE(gate().finishedCount(), 0);
    QCOMPARE(input()->count(), 301);
    QCOMPARE(input()->currentRow(), 0);
    QCOMPARE(field("lineIPWidth")->text(), "8.0");
    QCOMPARE(field("lineIPHeight")->text(), "2.0");
    QVERIFY(!showsThumbnail(input()->item(0)));
    QVERIFY(!input()->findChild<QProgressBar *>("thumbnailProgress")->isHidden());
    gate().setOpen(true);
    QVERIFY(waitForThumbnails(input()));
    QCOMPARE(iconCentre(input()->item(0)), QColor(Qt::red).rgb());
    QCOMPARE(iconCentre(input()->item(1)), QColor(Qt::green).rgb());
}

// With the first row held, the operator jumps to the end: the row then in view is the next
// one made, then those kept around it. One thread, so that the order is the claims' order.
void ResponsiveTest::rowsInViewAreMadeFirst()
{
    listHeld(1);
    QCOMPARE(gate().reached(), QStringList({"gated000.png"}));
    input()->setFocus();
    QTest::keyClick(input(), Qt::Key_End);
    const RowRange view = visibleRows(input());
    QVERIFY(view.first > 250);
    gate().setOpen(true);
    QVERIFY(waitForThumbnails(input()));
    const QStringList order = gate().reached();
    QVERIFY2(view.contains(texts().indexOf(order[1])), qPrintable(order[1]));
    QVERIFY(keptRows(view, input()->count()).contains(texts().indexOf(order[2])));
    QVERIFY(showsThumbnail(input()->item(view.last)));
}

// The rows in view of a list filled while another list makes its thumbnails come before that
// list's rows out of view: the sheet after a Go does not wait for a whole shoot.
void ResponsiveTest::rowsInViewOfEitherListComeFirst()
{
    const QString sheets = sandbox->makeFolder("gated-sheets");
    writePicture(sheets + "/gatedSheet.png", solidPicture({600, 300}, Qt::green));
    listHeld(1);
    const RowRange view = visibleRows(input());
    auto *output = dialog->findChild<QListWidget *>("lstPrintFilesOutput");
    dialog->fillImageList(sheets, output);
    gate().setOpen(true);
    QVERIFY(waitForThumbnails(output));
    QVERIFY(waitForThumbnails(input()));
    const QStringList order = gate().reached();
    const qsizetype sheet = order.indexOf("gatedSheet.png");
    QVERIFY(sheet > 0);
    for (const QString &before : order.first(sheet))
        QVERIFY2(view.contains(texts().indexOf(before)), qPrintable(before));
    QVERIFY(showsThumbnail(output->item(0)));
}

// A thumbnail made but not yet taken by its list keeps the listing busy, so that the bar
// stays until the list shows it: the hand-over is held between the two.
void ResponsiveTest::madeButNotTakenIsStillBusy()
{
    gate().reset();
    watchdog = std::async(std::launch::async, [] { gate().openAfter(10000); });
    std::atomic<int> told{0};
    ThumbnailLoader loader({gated + "/gated000.png"}, ThumbnailEdge, [&told] { ++told; });
    loader.setView({0, 0}, {0, 0});
    QVERIFY(QTest::qWaitFor([] { return gate().held() == 1; }));
    QVERIFY(loader.isBusy());
    gate().setOpen(true);
    QVERIFY(QTest::qWaitFor([&told] { return told == 1; }));
    QCOMPARE(loader.madeOnce(), 1);
    QVERIFY(loader.isBusy());
    QCOMPARE(loader.takeMade().size(), 1);
    QVERIFY(!loader.isBusy());
}

// With no thread to be had (a process at its limit of threads), the rows in view are made on
// the GUI thread all the same.
void ResponsiveTest::rowsInViewAreMadeWithoutThreads()
{
    ThumbnailLoader::waitForDecodesInFlight();
    refuseThreadStarts(INT_MAX);
    field("lineSourcePath")->setText(small);
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    // Only the hand-over of what was made: painting may want Qt's pool, which has no thread.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    const bool refused = threadStartsRefused() > 0;
    refuseThreadStarts(0);
    QVERIFY(refused);
    const RowRange view = visibleRows(input());
    QVERIFY(view.last >= view.first);
    for (int row = view.first; row <= view.last; ++row)
        QVERIFY(showsThumbnail(input()->item(row)));
}

// Icons of rows far from view are let go, so that a list of any length holds a bounded
// number, and made again when they come back into view.
void ResponsiveTest::iconsFarFromViewGoAndComeBack()
{
    field("lineSourcePath")->setText(gated);
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    QVERIFY(waitForThumbnails(input()));
    QVERIFY(showsThumbnail(input()->item(0)));
    input()->setFocus();
    QTest::keyClick(input(), Qt::Key_End);
    QTRY_VERIFY(showsThumbnail(input()->item(300)));
    QVERIFY(!showsThumbnail(input()->item(0)));
    int holding = 0;
    for (int row = 0; row < input()->count(); ++row)
        holding += showsThumbnail(input()->item(row));
    const RowRange view = visibleRows(input());
    QVERIFY(holding <= view.last - view.first + 1 + 2 * KeptRowsAroundView);
    QTest::keyClick(input(), Qt::Key_Home);
    QTRY_VERIFY(showsThumbnail(input()->item(0)));
}

// Go needs the files, not their icons: it composes the sheet while every thumbnail waits.
void ResponsiveTest::goWhileThumbnailsArePending()
{
    listHeld();
    input()->clearSelection();
    input()->item(texts().indexOf("Red.png"))->setSelected(true);
    MessageRecorder recorder;
    QTest::mouseClick(button("btnGenerate"), Qt::LeftButton);
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages[0].title, "Task Completed");
    QCOMPARE(gate().finishedCount(), 0);
    const QImage sheet(field("lineDestPath")->text() + "/01.jpg");
    QVERIFY(qRed(sheet.pixel(1200, 300)) > 200 && qGreen(sheet.pixel(1200, 300)) < 60);
    QCOMPARE(sheet.pixel(1200, 700) | 0x030303, qRgb(255, 255, 255)); // white below it
}

// Refresh while both threads are held in the older listing: the newer one is listed at once,
// and only its thumbnails reach the list.
void ResponsiveTest::refreshWhileThumbnailsArePending()
{
    listHeld();
    field("lineSourcePath")->setText(small);
    QTest::mouseClick(button("btnRefreshSrc"), Qt::LeftButton);
    QCOMPARE(texts(), QStringList({"a.png", "b.png", "c.png"}));
    QCOMPARE(input()->currentRow(), 0);
    QCOMPARE(gate().held(), 2);
    gate().setOpen(true);
    QVERIFY(waitForThumbnails(input()));
    ThumbnailLoader::waitForDecodesInFlight();
    QCoreApplication::processEvents();
    for (int row = 0; row < input()->count(); ++row)
        QCOMPARE(iconCentre(input()->item(row)), QColor(Qt::red).rgb());
    QCOMPARE(gate().reached().size(), 2);
}

void ResponsiveTest::browseWhileThumbnailsArePending()
{
    listHeld();
    answerNextModal<QFileDialog>([&](QFileDialog *chooser) {
        chooser->setDirectory(small);
        static_cast<QDialog *>(chooser)->accept();
    });
    QTest::mouseClick(button("btnBrowseSourcePath"), Qt::LeftButton);
    QCOMPARE(texts(), QStringList({"a.png", "b.png", "c.png"}));
    QCOMPARE(QSettings("Morvane", "Quorvel").value("LastSourcePath").toString(), small);
}

void ResponsiveTest::everyWayOutStopsTheDecodes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("status");
    QTest::newRow("Close") << "close-while-listing" << 1;
    QTest::newRow("the window closed") << "window-close-while-listing" << 0;
    // One of the two thumbnail threads could not be started.
    QTest::newRow("Close after a thread was refused") << "close-after-a-refused-thread" << 1;
}

// Both decoding threads are held when the program ends: it waits for them before what they use
// is torn down, and starts no other (the probe's exit status tells, see exit_probe.cpp).
void ResponsiveTest::everyWayOutStopsTheDecodes()
{
    QFETCH(QString, how);
    QFETCH(int, status);
    const ProbeRun probe = runExitProbe(EXIT_PROBE, *sandbox, {how, gated});
    QCOMPARE(probe.exitCode, status);
    if (status == 1) {
        QSettings stored(probe.settingsFile, QSettings::IniFormat);
        QCOMPARE(stored.value("LastOPWidth").toString(), "8.27");
        QCOMPARE(stored.value("LastOPHeight").toString(), "11.69");
    }
}

QTEST_MAIN(ResponsiveTest)
#include "tst_responsive.moc"
