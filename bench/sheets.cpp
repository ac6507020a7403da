#include "sheets.h"

#include "benchsupport.h"
#include "compose/sheetrun.h"
#include "corpus.h"
#include "pictures/pictures.h"

#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>

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
    if (!writer.write(outcome.sheets.value(0)) || !file.commit())
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
        composeAndSaveSheets(layout, sheet.requests, corpus.prints, scratch.path(), SheetMark());
    else
        composeThenSaveWithQt(sheet, corpus.prints, scratch.path() + "/01.jpg");
    std::printf("%f\n", (peakMemoryKb() - before) / 1024.0);
    return 0;
}
