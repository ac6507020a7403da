// Measures Quorvel against the limits of the hardware and against peer tools, on a corpus of
// photo-like pictures made at run time, and prints one Markdown table of medians.
//   quorvel_bench [--runs N] [--corpus DIR]
// The listing is measured in child processes of this program (--list), so that each reports
// its own peak memory.
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
#include <QProcess>
#include <QProgressBar>
#include <QSaveFile>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <tiffio.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int PhotoCount = 60;
constexpr int ManyCount = 500;
constexpr int FolderCount = 10000;
// Scans as a studio's flatbed or film scanner writes them: 100 megapixels, 16 bits a sample.
constexpr int ScanCount = 4;
const QSize ScanSize(10000, 10000);
const QSize PhotoSize(4000, 3000);

double medianMs(QList<qint64> nanoseconds)
{
    if (nanoseconds.isEmpty())
        return 0;
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const qsizetype middle = nanoseconds.size() / 2;
    const double median = nanoseconds.size() % 2
                              ? double(nanoseconds[middle])
                              : (nanoseconds[middle - 1] + nanoseconds[middle]) / 2.0;
    return median / 1e6;
}

// Median over `runs` of the time `work` takes, in milliseconds.
double timeMs(int runs, const std::function<void()> &work)
{
    QList<qint64> samples;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        work();
        samples << clock.nsecsElapsed();
    }
    return medianMs(samples);
}

// The peak resident memory of this process's own address space. Not getrusage(): its maximum
// carries over fork and exec, so a child would report the benchmark's own peak.
long peakMemoryKb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

void say(const char *text)
{
    std::fprintf(stderr, "%s\n", text);
}

// --- corpus ---------------------------------------------------------------------------------

struct Corpus
{
    QString photos; // PhotoCount camera-sized JPEGs
    QString many;   // ManyCount links to them
    QString folder; // FolderCount links to them: a whole shoot in one folder
    QString scans;  // ScanCount 100-MP 16-bit RGB TIFFs
    QString prints; // print-size pictures in every listed format
    QStringList photoFiles;
};

// A 16-bit RGB TIFF of ScanSize, deflated in strips of 16 rows as editors write them, with
// smooth content (so that it stays a few tens of megabytes), written a row at a time.
void writeScan(const QString &path, quint16 variant)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    const int width = ScanSize.width(), height = ScanSize.height();
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, 1);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16u);
    std::vector<quint16> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            row[size_t(x) * 3] = quint16(x * 6);
            row[size_t(x) * 3 + 1] = quint16(y * 6 + variant * 4000);
            row[size_t(x) * 3 + 2] = quint16((x + y) * 3);
        }
        TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0);
    }
    TIFFClose(tiff);
}

Corpus makeCorpus(const QString &root)
{
    Corpus corpus{root + "/photos", root + "/many",   root + "/folder",
                  root + "/scans",  root + "/prints", {}};
    for (const QString &folder :
         {corpus.photos, corpus.many, corpus.folder, corpus.scans, corpus.prints})
        QDir().mkpath(folder);
    for (int i = 0; i < PhotoCount; ++i) {
        const QString path = QString("%1/photo%2.jpg").arg(corpus.photos).arg(i, 3, 10, QChar('0'));
        if (!QFile::exists(path)) {
            if (i == 0)
                say("making the corpus (once; kept for later runs)...");
            writePicture(path, photoLikePicture(PhotoSize, quint32(i)), "jpeg", 92);
        }
        corpus.photoFiles << path;
    }
    for (int i = 0; i < ManyCount; ++i) {
        const QString link = QString("%1/many%2.jpg").arg(corpus.many).arg(i, 3, 10, QChar('0'));
        if (!QFile::exists(link))
            QFile::link(corpus.photoFiles[i % PhotoCount], link);
    }
    for (int i = 0; i < FolderCount; ++i) {
        const QString link = QString("%1/IMG_%2.jpg").arg(corpus.folder).arg(i, 5, 10, QChar('0'));
        if (!QFile::exists(link))
            QFile::link(corpus.photoFiles[i % PhotoCount], link);
    }
    for (int i = 0; i < ScanCount; ++i) {
        const QString scan = QString("%1/scan%2.tif").arg(corpus.scans).arg(i);
        if (!QFile::exists(scan))
            writeScan(scan, quint16(i));
    }
    const struct
    {
        const char *name;
        QSize size;
        quint32 variant;
    } prints[] = {{"wide", {2400, 1200}, 100},
                  {"print1", {1800, 1200}, 101},
                  {"print2", {1800, 1200}, 102},
                  {"strip", {2400, 800}, 103}};
    for (const auto &print : prints) {
        const QString base = corpus.prints + "/" + print.name;
        if (QFile::exists(base + "-adobe.jpg"))
            continue;
        QImage picture = photoLikePicture(print.size, print.variant);
        writePicture(base + ".jpg", picture, "jpeg", 92);
        writePicture(base + ".png", picture, "png");
        writePicture(base + ".tif", picture, "tiff");
        writeTga(base + ".tga", picture);
        // The same numbers tagged as Adobe RGB: Qt's writer embeds the profile.
        picture.setColorSpace(QColorSpace::AdobeRgb);
        writePicture(base + "-adobe.jpg", picture, "jpeg", 92);
    }
    return corpus;
}

// --- listing, in a child process ------------------------------------------------------------

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

// Lists `folder` `runs` times: with no cache, with an empty one before each run (entries
// written, and their writing waited for), or with every entry already there.
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

// A start of the program on `folder`, its thumbnail cache at `cacheFolder`: prints the
// milliseconds from main() to the window shown, from there to its first screenful of
// thumbnails, and from End pressed to the last screenful's; with `scroll`, the list is then
// scrolled through a page at a time, each page's thumbnails waited for, and the peak memory of
// it all is printed (MB).
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

// Refresh pressed while the folder's thumbnails are being made, once `after` are made: the
// time from the press to the new listing's first thumbnail, median over `runs`.
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

// Runs this program again with `arguments` and returns the numbers it prints.
QList<double> figuresFromChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    QList<double> figures;
    for (const QString &figure :
         QString::fromLatin1(child.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts))
        figures << figure.toDouble();
    if (child.exitCode() != 0 || figures.isEmpty()) {
        std::fprintf(stderr, "the child %s failed\n", qPrintable(arguments.join(' ')));
        std::exit(1);
    }
    return figures;
}

struct Listing
{
    double msPerPicture = 0;
    double peakMb = 0;
};

Listing listThroughChild(const QString &folder, int threads, int runs,
                         const QString &cacheMode = "off")
{
    const QList<double> figures =
        figuresFromChild({"--list", folder, "--threads", QString::number(threads), "--runs",
                          QString::number(runs), "--cache", cacheMode});
    return {figures.value(0), figures.value(1) / 1024};
}

// --- peers ----------------------------------------------------------------------------------

QString findTool(const QString &name)
{
    // Debian's own copy first: a wrapper of the same name may stand earlier on the PATH.
    const QString system = QStandardPaths::findExecutable(name, {"/usr/bin"});
    return system.isEmpty() ? QStandardPaths::findExecutable(name) : system;
}

bool runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// --- sheets ---------------------------------------------------------------------------------

struct BenchSheet
{
    const char *name;
    CopyDirection direction;
    QVector<SheetRequest> requests;
};

const BenchSheet Sheets[] = {
    {"column, 2400 x 1200 x 2 copies", CopyDirection::TopToBottom, {{"wide.jpg", 2}}},
    {"column, 2400 x 800 x 4 copies", CopyDirection::TopToBottom, {{"strip.jpg", 4}}},
    {"row, 2 pictures 1800 x 1200 turned",
     CopyDirection::RotateLeftToRight,
     {{"print1.jpg", 1}, {"print2.jpg", 1}}},
};

// ImageMagick arguments composing the same copies at the same places (without cutting lines).
QStringList imageMagickArguments(const BenchSheet &sheet, const QString &folder,
                                 const QString &output)
{
    QStringList arguments{"-size", "2480x3506", "xc:white"};
    int x = 0, y = 0;
    for (const SheetRequest &request : sheet.requests) {
        const QSize stored = viewedPictureSize(folder + "/" + request.name);
        const bool turned = sheet.direction == CopyDirection::RotateLeftToRight;
        const QSize size = turned ? stored.transposed() : stored;
        for (int copy = 0; copy < request.copies; ++copy) {
            if ((turned ? x + size.width() > 2480 : y + size.height() > 3506))
                break;
            arguments << "(" << folder + "/" + request.name;
            if (turned)
                arguments << "-rotate"
                          << "90";
            arguments << ")"
                      << "-geometry" << QString("+%1+%2").arg(x).arg(y) << "-composite";
            (turned ? x : y) += turned ? size.width() : size.height();
        }
    }
    arguments << "-units"
              << "PixelsPerInch"
              << "-density"
              << "300"
              << "-quality"
              << "80" << output;
    return arguments;
}

// The way a Go went before both cores were used: every picture read, the sheet composed, then
// saved through Qt's JPEG writer.
void composeThenSaveWithQt(const BenchSheet &sheet, const QString &folder, const QString &output)
{
    const SheetLayout layout{QSize(2480, 3506), {0, 0}, sheet.direction};
    const SheetOutcome outcome =
        composeSheet(layout, sheet.requests, [&](const QString &name, QString *whyNot) {
            return readPicture(folder + "/" + name, whyNot);
        });
    QSaveFile file(output);
    file.open(QIODevice::WriteOnly);
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(80);
    if (!writer.write(outcome.sheet) || !file.commit())
        say("the sheet was not saved");
}

// The peak memory of a Go on sheet `index`, both cores and composed first, each in a child
// process of its own.
int goInChild(int index, const QString &way, const QString &root)
{
    const Corpus corpus = makeCorpus(root);
    QTemporaryDir scratch;
    const BenchSheet &sheet = Sheets[index];
    const SheetLayout layout{QSize(2480, 3506), {0, 0}, sheet.direction};
    if (way.isEmpty()) {
        const QList<double> both =
            figuresFromChild({"--go", QString::number(index), "--way", "both", "--corpus", root});
        const QList<double> first =
            figuresFromChild({"--go", QString::number(index), "--way", "first", "--corpus", root});
        std::printf("%f %f\n", both.value(0), first.value(0));
        return 0;
    }
    const long before = peakMemoryKb();
    if (way == "both")
        composeAndSaveSheet(layout, sheet.requests, corpus.prints, scratch.path() + "/01.jpg");
    else
        composeThenSaveWithQt(sheet, corpus.prints, scratch.path() + "/01.jpg");
    std::printf("%f\n", (peakMemoryKb() - before) / 1024.0);
    return 0;
}

// --- the table ------------------------------------------------------------------------------

struct Row
{
    QString what;
    double value;
    QString unit;
    double limit; // 0: no ratio
    QString target;
    QString valueText = QString(); // shown instead of the value when set
};

void printTable(const QList<Row> &rows)
{
    std::printf("| measure | value | × limit | target |\n|---|---:|---:|---|\n");
    for (const Row &row : rows) {
        const QString ratio = row.limit > 0 ? QString::number(row.value / row.limit, 'f', 2) : "";
        const QString value =
            row.valueText.isEmpty()
                ? QString::number(row.value, 'f', row.value < 1 ? 3 : 1) + " " + row.unit
                : row.valueText;
        std::printf("| %s | %s | %s | %s |\n", qPrintable(row.what), qPrintable(value),
                    qPrintable(ratio), qPrintable(row.target));
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication application(argc, argv);
    QCommandLineParser options;
    options.addOptions({{"runs", "runs per measure", "n", "5"},
                        {"corpus", "corpus folder (made when missing)", "dir"},
                        {"list", "internal: list a folder in this process", "dir"},
                        {"threads", "internal: decoding threads", "n", "0"},
                        {"refill", "internal: refill a folder while listing it", "dir"},
                        {"cache", "internal: thumbnail cache off, cold or warm", "mode", "off"},
                        {"cache-dir", "internal: thumbnail cache folder", "dir"},
                        {"start", "internal: start the program on a folder", "dir"},
                        {"scroll", "internal: scroll through the list after a start"},
                        {"go", "internal: the peak memory of a Go on a sheet", "index"},
                        {"way", "internal: both (cores) or first (composed)", "way"}});
    options.process(application);
    const int runs = std::max(1, options.value("runs").toInt());
    raiseImageAllocationLimit();
    if (options.isSet("list"))
        return listInChild(options.value("list"), options.value("threads").toInt(), runs,
                           options.value("cache"), options.value("cache-dir"));
    if (options.isSet("start"))
        return startInChild(options.value("start"), options.value("cache-dir"), sinceMain,
                            options.isSet("scroll"));
    if (options.isSet("go"))
        return goInChild(options.value("go").toInt(), options.value("way"),
                         QFileInfo(options.value("corpus")).absoluteFilePath());
    if (options.isSet("refill"))
        return refillInChild(options.value("refill"), 10, runs);

    const int cores = QThread::idealThreadCount();
    // Absolute: the listing children work in a folder of their own.
    const QString root =
        QFileInfo(options.isSet("corpus") ? options.value("corpus") : QString("bench-corpus"))
            .absoluteFilePath();
    const Corpus corpus = makeCorpus(root);
    QList<Row> rows;

    say("libjpeg-turbo 1/8 decodes (the limit)...");
    const double limit = timeMs(runs,
                                [&] {
                                    for (const QString &photo : corpus.photoFiles)
                                        decodeJpeg(photo, 8);
                                }) /
                         PhotoCount;

    say("listing through the dialog...");
    const Listing parallel = listThroughChild(corpus.photos, cores, runs);
    const Listing single = listThroughChild(corpus.photos, 1, runs);
    rows << Row{QString("listing %1 photos 4000 x 3000, %2 threads, per picture")
                    .arg(PhotoCount)
                    .arg(cores),
                parallel.msPerPicture, "ms", limit, "≤ 0.65 × limit on 2 cores"};
    rows << Row{"listing, 1 thread, per picture", single.msPerPicture, "ms", limit,
                "≤ 1.2 × limit"};
    rows << Row{"limit: libjpeg-turbo 1/8 DCT-scaled decode, 1 thread", limit, "ms", limit, ""};

    say("Refresh while listing...");
    const double refill =
        figuresFromChild({"--refill", corpus.photos, "--runs", QString::number(runs)}).value(0);
    rows << Row{"Refresh at the 10th of 60 thumbnails: the new listing's first thumbnail", refill,
                "ms", limit, "≤ 2 × limit"};

    const QString vips = findTool("vipsthumbnail");
    const QString convert = findTool("convert");
    QTemporaryDir scratch;
    if (!vips.isEmpty()) {
        say("vipsthumbnail...");
        const double ms = timeMs(runs, [&] {
            runTool(vips, QStringList(corpus.photoFiles) << "--size"
                                                         << "200"
                                                         << "-o" << scratch.path() + "/%s.jpg");
        });
        rows << Row{"vipsthumbnail, one process for all, per picture", ms / PhotoCount, "ms", limit,
                    "listing faster"};
    }
    if (!convert.isEmpty()) {
        say("ImageMagick thumbnails...");
        const double ms = timeMs(std::min(runs, 3), [&] {
            for (const QString &photo : corpus.photoFiles)
                runTool(convert, {"-define", "jpeg:size=400x300", photo, "-thumbnail", "200x200",
                                  scratch.path() + "/thumb.jpg"});
        });
        rows << Row{"ImageMagick convert -thumbnail, a process per picture", ms / PhotoCount, "ms",
                    limit, "listing faster"};
    }

    say("composing sheets...");
    QTemporaryDir sheetFolder(
        QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/quorvel-bench-XXXXXX") : QString());
    for (int index = 0; index < int(std::size(Sheets)); ++index) {
        const BenchSheet &sheet = Sheets[index];
        const SheetLayout layout{QSize(2480, 3506), {0, 0}, sheet.direction};
        // On a memory file system, where saving costs no disk's sync, so that only the work
        // is compared; both ways alternate, so that the machine's moods reach both alike.
        const QString output = sheetFolder.path() + "/01.jpg";
        QList<qint64> both, first;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer clock;
            clock.start();
            if (!composeAndSaveSheet(layout, sheet.requests, corpus.prints, output).saved)
                say("the sheet was not saved");
            both << clock.nsecsElapsed();
            clock.restart();
            composeThenSaveWithQt(sheet, corpus.prints, output);
            first << clock.nsecsElapsed();
        }
        const double quorvel = medianMs(both);
        const double before = medianMs(first);
        // The limit: decode each input once and encode the same sheet, with libjpeg alone.
        const QImage composed =
            composeSheet(layout, sheet.requests, [&](const QString &name, QString *whyNot) {
                return readPicture(corpus.prints + "/" + name, whyNot);
            }).sheet;
        RgbPicture rgb{composed.width(), composed.height(), {}};
        rgb.pixels.resize(size_t(rgb.width) * rgb.height * 3);
        for (int y = 0; y < rgb.height; ++y)
            std::copy_n(composed.constScanLine(y), rgb.width * 3,
                        rgb.pixels.begin() + ptrdiff_t(y) * rgb.width * 3);
        const double sheetLimit = timeMs(runs, [&] {
            for (const SheetRequest &request : sheet.requests)
                decodeJpeg(corpus.prints + "/" + request.name, 1);
            encodeJpeg(rgb, 80, scratch.path() + "/limit.jpg");
        });
        rows << Row{QString("compose + save A4 sheet: %1").arg(sheet.name), quorvel, "ms",
                    sheetLimit, "≤ 1.0 × limit"};
        rows << Row{"  composed first, then saved through Qt's JPEG writer (one core)", before,
                    "ms", sheetLimit, ""};
        rows << Row{"  limit: libjpeg decode inputs + encode sheet", sheetLimit, "ms", sheetLimit,
                    ""};
        const QList<double> peaks =
            figuresFromChild({"--go", QString::number(index), "--corpus", root});
        rows << Row{"  peak memory of the Go, both cores / composed first",
                    0,
                    "",
                    0,
                    "no higher than composed first",
                    QString::asprintf("%.1f / %.1f MB", peaks.value(0), peaks.value(1))};
        if (!convert.isEmpty()) {
            const QStringList arguments =
                imageMagickArguments(sheet, corpus.prints, scratch.path() + "/im.jpg");
            const double ms = timeMs(std::min(runs, 3), [&] { runTool(convert, arguments); });
            rows << Row{"  ImageMagick composing the same sheet", ms, "ms", sheetLimit,
                        "Quorvel ≥ 2 × faster"};
        }
    }

    say("TGA and TIFF readers...");
    const QString print = corpus.prints + "/print1";
    const int decodeRuns = std::max(runs, 9);
    const double qtTiff = timeMs(decodeRuns, [&] { QImageReader(print + ".tif", "tiff").read(); });
    const double tiff = timeMs(decodeRuns, [&] { readPicture(print + ".tif"); });
    const double tga = timeMs(decodeRuns, [&] { readPicture(print + ".tga"); });
    const double qtTga = timeMs(decodeRuns, [&] { QImageReader(print + ".tga", "tga").read(); });
    rows << Row{"decode 1800 x 1200 TGA, the program's reader", tga, "ms", qtTiff, "≤ 1.5 × TIFF"};
    rows << Row{"decode the same picture as 8-bit RGB TIFF, the program's reader (libtiff)", tiff,
                "ms", qtTiff, "≤ 1.0 × Qt's"};
    rows << Row{"  the same TIFF through Qt's TIFF plug-in (the reference)", qtTiff, "ms", qtTiff,
                ""};
    rows << Row{"  the same TGA through Qt's own TGA plug-in", qtTga, "ms", qtTiff, ""};

    say("colour conversion...");
    const QString wide = corpus.prints + "/wide";
    const double plainJpeg = timeMs(decodeRuns, [&] { readPicture(wide + ".jpg"); });
    const double adobeJpeg = timeMs(decodeRuns, [&] { readPicture(wide + "-adobe.jpg"); });
    rows << Row{"load 2400 x 1200 Adobe RGB JPEG, converted to sRGB", adobeJpeg, "ms", plainJpeg,
                "≤ 1.3 × loading"};
    rows << Row{"  the same JPEG without a profile (loading alone)", plainJpeg, "ms", plainJpeg,
                ""};

    say("selection summary...");
    const QString photo = corpus.photoFiles.first();
    const double summary = timeMs(std::max(runs, 21), [&] { viewedPictureSize(photo); });
    rows << Row{"selection summary: size of a 12-MP JPEG from its header", summary, "ms", 0,
                "< 5 ms"};

    say("the desktop's thumbnail cache...");
    const Listing coldCache = listThroughChild(corpus.photos, cores, runs, "cold");
    rows << Row{QString("listing %1 photos, empty thumbnail cache (entries written), per picture")
                    .arg(PhotoCount),
                coldCache.msPerPicture, "ms", parallel.msPerPicture, "≤ 1.1 × without cache"};
    const Listing manyOff = listThroughChild(corpus.many, cores, 1);
    const Listing manyWarm = listThroughChild(corpus.many, cores, runs, "warm");
    rows << Row{QString("listing %1 photos, every thumbnail cached, per picture").arg(ManyCount),
                manyWarm.msPerPicture, "ms", manyOff.msPerPicture, "≤ 0.1 × without cache"};
    rows << Row{QString("  the same %1 photos without the cache, per picture").arg(ManyCount),
                manyOff.msPerPicture, "ms", manyOff.msPerPicture, ""};

    say("starts on a folder of 10,000 photos...");
    // The warm cache is kept between runs; filling it the first time decodes every photo.
    const QString folderCache = root + "/thumbnail-cache-folder";
    figuresFromChild(
        {"--list", corpus.folder, "--runs", "1", "--cache", "warm", "--cache-dir", folderCache});
    QList<qint64> coldShown, coldFirst, coldEnd, warmShown;
    double scrollPeak = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir empty;
        const QList<double> cold =
            figuresFromChild({"--start", corpus.folder, "--cache-dir", empty.path()});
        coldShown << qint64(cold.value(0) * 1e6);
        coldFirst << qint64(cold.value(1) * 1e6);
        coldEnd << qint64(cold.value(2) * 1e6);
        QStringList warm{"--start", corpus.folder, "--cache-dir", folderCache};
        if (run == 0)
            warm << "--scroll";
        const QList<double> figures = figuresFromChild(warm);
        warmShown << qint64(figures.value(0) * 1e6);
        if (run == 0)
            scrollPeak = figures.value(3);
    }
    rows << Row{QString("start on %1 photos, empty cache: window shown").arg(FolderCount),
                medianMs(coldShown), "ms", 0, "< 1500 ms"};
    rows << Row{"  the same, warm cache: window shown", medianMs(warmShown), "ms", 0, "< 1500 ms"};
    rows << Row{"  first screenful of thumbnails after the window, empty cache",
                medianMs(coldFirst), "ms", 0, "< 500 ms"};
    rows << Row{"  End pressed: the last screenful's thumbnails, empty cache", medianMs(coldEnd),
                "ms", 0, "< 500 ms"};
    rows << Row{QString("  peak memory through a full scroll of %1 photos").arg(FolderCount),
                scrollPeak, "MB", 0, "< 400 MB"};

    say("listing 100-MP scans...");
    const Listing scans = listThroughChild(corpus.scans, cores, 1);
    rows << Row{QString("listing %1 scans of 100 MP, 16-bit TIFF: peak memory").arg(ScanCount),
                scans.peakMb, "MB", 0, "< 600 MB"};
    rows << Row{"  the same, per picture", scans.msPerPicture, "ms", 0, ""};

    say("listing 500 photos for peak memory...");
    const Listing &many = manyOff;
    rows << Row{QString("listing %1 photos: peak memory").arg(ManyCount), many.peakMb, "MB", 0,
                QString("< %1 MB").arg(100 + 0.2 * ManyCount)};
    rows << Row{QString("listing %1 cached photos: peak memory").arg(ManyCount), manyWarm.peakMb,
                "MB", 0, QString("< %1 MB").arg(100 + 0.2 * ManyCount)};
    rows << Row{QString("listing %1 photos: per picture").arg(ManyCount), many.msPerPicture, "ms",
                limit, ""};
    rows << Row{QString("listing %1 photos: peak memory").arg(PhotoCount), parallel.peakMb, "MB", 0,
                ""};

    printTable(rows);
    std::printf("\nmedians of %d runs on %d cores; corpus in %s\n", runs, cores, qPrintable(root));
    return 0;
}
