#include "rolls.h"

#include "benchsupport.h"
#include "compose/sheetrun.h"
#include "corpus.h"
#include "jpegdirect.h"
#include "print/printsheet.h"

#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

namespace {
const SheetLayout Roll(QSize(7200, 29400), QPoint(), CopyDirection::TopToBottom);
constexpr int StripCopies = 40;
constexpr int PassportCopies = 60;
const SheetMark RollMark{"bench", 0, 0, "24 x 98 in", QSizeF(609.6, 2489.2)};
} // namespace

int rollInChild(const QString &what, const QString &prints, const QString &folder)
{
    const long before = peakMemoryKb();
    QElapsedTimer clock;
    clock.start();
    if (what == "go") {
        composeAndSaveSheets(Roll, {{RollStrip, StripCopies}}, prints, folder, RollMark);
    } else if (what == "print") {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder + "/roll.pdf");
        printer.setPageSize(QPageSize(RollMark.paperMm, QPageSize::Millimeter, RollMark.paper,
                                      QPageSize::ExactMatch));
        QString whyNot;
        if (!printSheetFiles(printer, {folder + "/01.jpg"}, false, QSizeF(1, 1), nullptr, &whyNot))
            say(qPrintable(whyNot));
    } else {
        SheetLayout a4(QSize(2480, 3506), QPoint(), CopyDirection::TopToBottom);
        a4.moreSheets = true;
        const SheetRun run =
            composeAndSaveSheets(a4, {{Passport, PassportCopies}}, prints, folder, SheetMark());
        std::printf("%d %f\n", run.outcome.sheetCount,
                    clock.nsecsElapsed() / 1e6 / std::max(1, run.outcome.sheetCount));
        return 0;
    }
    std::printf("%f %f\n", clock.nsecsElapsed() / 1e6, (peakMemoryKb() - before) / 1024.0);
    return 0;
}

QList<Row> rollRows(const QString &prints, int runs)
{
    QTemporaryDir folder;
    auto child = [&](const char *what) {
        return figuresFromChild(
            {"--roll", what, "--corpus-prints", prints, "--folder", folder.path()});
    };
    QList<qint64> goTimes, printTimes, moreTimes;
    double goPeak = 0, printPeak = 0;
    int sheets = 0;
    for (int run = 0; run < runs; ++run) {
        const QList<double> go = child("go");
        goTimes << qint64(go.value(0) * 1e6);
        goPeak = std::max(goPeak, go.value(1));
        const QList<double> print = child("print");
        printTimes << qint64(print.value(0) * 1e6);
        printPeak = std::max(printPeak, print.value(1));
        const QList<double> more = child("more");
        sheets = int(more.value(0));
        moreTimes << qint64(more.value(1) * 1e6);
    }
    // The limit: the strip decoded for each copy and the sheet encoded, one core, in memory.
    const RgbPicture strip = decodeJpeg(prints + "/" + RollStrip, 1);
    RgbPicture sheet{Roll.size.width(), Roll.size.height(), {}};
    sheet.pixels.assign(size_t(sheet.width) * sheet.height * 3, 255);
    for (int copy = 0; copy < StripCopies; ++copy)
        std::memcpy(sheet.pixels.data() + size_t(copy) * strip.pixels.size(), strip.pixels.data(),
                    strip.pixels.size());
    const double limit = timeMs(runs, [&] {
        for (int copy = 0; copy < StripCopies; ++copy)
            decodeJpeg(prints + "/" + RollStrip, 1);
        encodeJpeg(sheet, 80, folder.path() + "/limit.jpg");
    });
    return {Row{"Go of a 24 x 98 inch roll, 40 copies of a 24 x 2.4 inch strip", medianMs(goTimes),
                "ms", limit, "≤ 1.2 × limit"},
            Row{"  limit: libjpeg decoding the strip 40 times + encoding the roll, one core", limit,
                "ms", limit, ""},
            Row{"  peak memory of the Go", goPeak, "MB", 0, "< 400 MB"},
            Row{"Print of that roll to a PDF file: until the job is handed over",
                medianMs(printTimes), "ms", 0, ""},
            Row{"  peak memory of the print", printPeak, "MB", 0, "< 400 MB"},
            Row{QString("Go with more sheets: %1 passport copies 413 x 531 on A4, %2 sheets, a "
                        "sheet")
                    .arg(PassportCopies)
                    .arg(sheets),
                medianMs(moreTimes), "ms", 0, ""}};
}
