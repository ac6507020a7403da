#include "children.h"

#include "benchsupport.h"
#include "corpus.h"

#include "app/quorvel.h"
#include "compose/sheet.h"
#include "compose/sheetfile.h"
#include "compose/sheetrun.h"
#include "jpegdirect.h"
#include "lists/thumbnailfill.h"
#include "lists/thumbnails.h"
#include "pictures/pictures.h"
#include "testpictures.h"

#include <QApplication>
#include <QColorSpace>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <tiffio.h>
#include <unistd.h>
#include <vector>

namespace {
// Runs the event loop until every thumbnail of the list's latest fill has been made once.
void waitForThumbnails(QListWidget *list)
{
    const auto *progress = list->findChild<QProgressBar *>("thumbnailProgress");
    while (progress && !progress->isHidden())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Where a child keeps the desktop's thumbnail cache, never the user's own: "off" points it at
// a file, so nothing is cached (the program before the cache); "cold" and "warm" at a folder,
// `folder` when given.
QString pointThumbnailCache(const QString &mode, const QString &scratch,
                            const QString &folder = QString())
{
    const QString cache =
        !folder.isEmpty() ? folder : scratch + (mode == "off" ? "/not-a-folder" : "/cache");
    if (mode == "off") {
        QFile file(cache);
        file.open(QIODevice::WriteOnly);
    }
    qputenv("XDG_CACHE_HOME", cache.toLocal8Bit());
    return cache;
}
} // namespace

int listInChild(const QString &folder, int threads, int runs, const QString &cacheMode,
                const QString &cacheFolder)
{
    // The dialog reads the settings store and lists the working folder at start: point both
    // somewhere empty, away from the user's own.
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    QDir::setCurrent(scratch.path());
    const QString cache = pointThumbnailCache(cacheMode, scratch.path(), cacheFolder);
    ThumbnailLoader::setDecodingThreads(threads);
    Quorvel dialog;
    auto *list = dialog.findChild<QListWidget *>("lstPrintFiles");
    if (cacheMode == "warm") {
        dialog.fillImageList(folder, list);
        waitForThumbnails(list);
        ThumbnailLoader::waitForDecodesInFlight();
    }
    int count = 0;
    QList<qint64> samples;
    for (int run = 0; run < runs; ++run) {
        if (cacheMode == "cold")
            QDir(cache).removeRecursively();
        QElapsedTimer clock;
        clock.start();
        dialog.fillImageList(folder, list);
        waitForThumbnails(list);
        if (cacheMode == "cold")
            ThumbnailLoader::waitForDecodesInFlight();
        samples << clock.nsecsElapsed();
        count = list->count();
    }
    std::printf("%f %ld\n", medianMs(samples) / std::max(1, count), peakMemoryKb());
    return count > 0 ? 0 : 1;
}

int startInChild(const QString &folder, const QString &cacheFolder, const QElapsedTimer &sinceMain,
                 bool scroll)
{
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    QDir::setCurrent(scratch.path());
    pointThumbnailCache("warm", scratch.path(), cacheFolder);
    QSettings("Morvane", "Quorvel").setValue("LastSourcePath", folder);
    Quorvel dialog;
    dialog.showMaximized();
    QCoreApplication::processEvents();
    const double shown = sinceMain.nsecsElapsed() / 1e6;
    auto *list = dialog.findChild<QListWidget *>("lstPrintFiles");
    // Every item shows the same waiting icon until its thumbnail comes.
    const qint64 waiting = list->item(list->count() - 1)->icon().cacheKey();
    auto waitForView = [&] {
        for (;;) {
            const RowRange view = visibleRows(list);
            bool made = true;
            for (int row = view.first; row <= view.last && made; ++row)
                made = list->item(row)->icon().cacheKey() != waiting;
            if (made)
                return;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    };
    QElapsedTimer clock;
    clock.start();
    waitForView();
    const double firstScreen = clock.nsecsElapsed() / 1e6;
    clock.restart();
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(list, &end);
    waitForView();
    const double lastScreen = clock.nsecsElapsed() / 1e6;
    if (scroll) {
        QScrollBar *bar = list->verticalScrollBar();
        bar->setValue(0);
        waitForView();
        while (bar->value() < bar->maximum()) {
            bar->setValue(bar->value() + bar->pageStep());
            waitForView();
        }
    }
    std::printf("%f %f %f %f\n", shown, firstScreen, lastScreen, peakMemoryKb() / 1024.0);
    return 0;
}

int refillInChild(const QString &folder, int after, int runs)
{
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    QDir::setCurrent(scratch.path());
    pointThumbnailCache("off", scratch.path());
    Quorvel dialog;
    auto *list = dialog.findChild<QListWidget *>("lstPrintFiles");
    auto made = [list] {
        const auto *progress = list->findChild<QProgressBar *>("thumbnailProgress");
        return progress ? progress->value() : 0;
    };
    QList<qint64> samples;
    for (int run = 0; run < runs; ++run) {
        dialog.fillImageList(folder, list);
        while (made() < after)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QElapsedTimer clock;
        clock.start();
        dialog.fillImageList(folder, list);
        while (made() < 1)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        samples << clock.nsecsElapsed();
    }
    ThumbnailLoader::waitForDecodesInFlight();
    std::printf("%f\n", medianMs(samples));
    return 0;
}

int goWhileListingInChild(const QString &folder, int runs)
{
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    QDir::setCurrent(scratch.path());
    pointThumbnailCache("cold", scratch.path());
    QSettings settings("Morvane", "Quorvel");
    settings.setValue("LastSourcePath", folder);
    settings.setValue("LastDestinationPath", scratch.path());
    Quorvel dialog;
    dialog.showMaximized();
    auto *input = dialog.findChild<QListWidget *>("lstPrintFiles");
    auto *output = dialog.findChild<QListWidget *>("lstPrintFilesOutput");
    const QList<QListWidgetItem *> print = input->findItems(PrintInShoot, Qt::MatchExactly);
    if (print.isEmpty())
        return 1;
    input->clearSelection();
    print.first()->setSelected(true);
    // The report of each Go is answered as soon as it shows.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    answer.start(1);
    QList<qint64> samples;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        dialog.findChild<QPushButton *>("btnGenerate")->click();
        // Listed again after the report: the new sheet waits with the placeholder.
        const QList<QListWidgetItem *> sheet = output->findItems("01.jpg", Qt::MatchExactly);
        if (sheet.isEmpty())
            return 1;
        const qint64 waiting = sheet.first()->icon().cacheKey();
        while (sheet.first()->icon().cacheKey() == waiting)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        samples << clock.nsecsElapsed();
    }
    std::printf("%f %d\n", medianMs(samples),
                input->findChild<QProgressBar *>("thumbnailProgress")->value());
    std::fflush(stdout);
    // Quits without waiting for the rest of the shoot's thumbnails.
    std::_Exit(0);
}

Listing listThroughChild(const QString &folder, int threads, int runs, const QString &cacheMode)
{
    const QList<double> figures =
        figuresFromChild({"--list", folder, "--threads", QString::number(threads), "--runs",
                          QString::number(runs), "--cache", cacheMode});
    return {figures.value(0), figures.value(1) / 1024};
}
