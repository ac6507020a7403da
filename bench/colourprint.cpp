#include "colourprint.h"

#include "benchsupport.h"
#include "compose/sheetrun.h"
#include "corpus.h"
#include "print/printercolour.h"
#include "print/printsheet.h"
#include "standinprofiles.h"

#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

int colourPrintInChild(const QString &what, const QString &prints, const QString &folder)
{
    const SheetLayout a4(QSize(2480, 3506), QPoint(), CopyDirection::TopToBottom);
    composeAndSaveSheets(a4, {{Passport, 6}, {"print1.jpg", 1}}, prints, folder, SheetMark());
    std::shared_ptr<const PrinterColour> colour;
    if (what == "profile") {
        QString whyNot;
        const QString profile = folder + "/printer.icc";
        if (writeTablePrinterProfile(profile))
            colour = PrinterColour::open({profile, RenderingIntent::Perceptual, true}, &whyNot);
        if (!colour) {
            say(qPrintable("no printer profile: " + whyNot));
            return 1;
        }
    }
    const long before = peakMemoryKb();
    QElapsedTimer clock;
    clock.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder + "/a4.pdf");
    printer.setPageSize(QPageSize(QPageSize::A4));
    QString whyNot;
    if (!printSheetFiles(printer, {folder + "/01.jpg"}, false, QSizeF(1, 1), colour.get(), &whyNot))
        say(qPrintable(whyNot));
    std::printf("%f %f\n", clock.nsecsElapsed() / 1e6, (peakMemoryKb() - before) / 1024.0);
    return 0;
}

QList<Row> colourPrintRows(const QString &prints, int runs)
{
    QTemporaryDir folder;
    QList<qint64> plainTimes, profileTimes;
    double plainPeak = 0, profilePeak = 0;
    for (int run = 0; run < runs; ++run) {
        for (const char *what : {"plain", "profile"}) {
            const QList<double> figures = figuresFromChild(
                {"--colour-print", what, "--corpus-prints", prints, "--folder", folder.path()});
            const bool plain = QString(what) == "plain";
            (plain ? plainTimes : profileTimes) << qint64(figures.value(0) * 1e6);
            double &peak = plain ? plainPeak : profilePeak;
            peak = std::max(peak, figures.value(1));
        }
    }
    const double plain = medianMs(plainTimes);
    return {Row{"Print of an A4 sheet to a PDF file, no printer profile", plain, "ms", 0, ""},
            Row{"  peak memory", plainPeak, "MB", 0, ""},
            Row{"  the same converted to a printer profile (33-point tables, perceptual)",
                medianMs(profileTimes), "ms", plain, "≤ 1.3 × without"},
            Row{"  peak memory", profilePeak, "MB", 0, "no more than a band above without"}};
}
