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

#include "benchsupport.h"
#include "children.h"
#include "colourprint.h"
#include "corpus.h"
#include "rolls.h"
#include "sheets.h"
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
                        {"go-while-listing", "internal: Go while a folder is listed", "dir"},
                        {"cache", "internal: thumbnail cache off, cold or warm", "mode", "off"},
                        {"cache-dir", "internal: thumbnail cache folder", "dir"},
                        {"start", "internal: start the program on a folder", "dir"},
                        {"scroll", "internal: scroll through the list after a start"},
                        {"go", "internal: the peak memory of a Go on a sheet", "index"},
                        {"way", "internal: both (cores) or first (composed)", "way"},
                        {"roll", "internal: a roll's Go, its print, or more sheets", "what"},
                        {"colour-print", "internal: an A4 print, plain or with a profile", "what"},
                        {"corpus-prints", "internal: the corpus's print-size pictures", "dir"},
                        {"folder", "internal: where the sheets go", "dir"}});
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
    if (options.isSet("roll"))
        return rollInChild(options.value("roll"), options.value("corpus-prints"),
                           options.value("folder"));
    if (options.isSet("colour-print"))
        return colourPrintInChild(options.value("colour-print"), options.value("corpus-prints"),
                                  options.value("folder"));
    if (options.isSet("refill"))
        return refillInChild(options.value("refill"), 10, runs);
    if (options.isSet("go-while-listing"))
        return goWhileListingInChild(options.value("go-while-listing"), runs);

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
        const SheetMark mark{"bench", 0, 0, "A4", QSizeF(210, 297)};
        QList<qint64> both, first;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer clock;
            clock.start();
            if (!composeAndSaveSheets(layout, sheet.requests, corpus.prints, sheetFolder.path(),
                                      mark)
                     .saved)
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
            }).sheets.value(0);
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

    say("a roll, and more sheets...");
    rows += rollRows(corpus.prints, runs);

    say("printing with a printer profile...");
    rows += colourPrintRows(corpus.prints, runs);

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

    say("Go while a shoot is listed...");
    const QList<double> go =
        figuresFromChild({"--go-while-listing", corpus.shoot, "--runs", QString::number(runs)});
    rows << Row{QString("Go while %1 photos are listed (empty cache): the new sheet's thumbnail")
                    .arg(FolderCount),
                go.value(0), "ms", 0, "< 500 ms"};

    say("listing 100-MP scans...");
    const Listing scans = listThroughChild(corpus.scans, cores, 1);
    rows << Row{QString("listing %1 scans of 100 MP, 16-bit TIFF: peak memory").arg(ScanCount),
                scans.peakMb, "MB", 0, "< 600 MB"};
    rows << Row{"  the same, per picture", scans.msPerPicture, "ms", 0, ""};
    const Listing planar = listThroughChild(corpus.planarScans, cores, 1);
    rows << Row{"  the same scans planar, one strip a plane: peak memory", planar.peakMb, "MB", 0,
                "< 600 MB"};
    rows << Row{"  the same, per picture", planar.msPerPicture, "ms", 0, ""};

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
