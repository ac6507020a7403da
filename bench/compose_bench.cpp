// Composes and saves realistic A4 sheets through the code the Go button uses, and prints the
// median time of each phase over several runs.
//   compose_bench [runs]
#include "app/pictures.h"
#include "compose/sheet.h"
#include "compose/sheetfile.h"
#include "photos.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {
struct Sheet
{
    const char *name;
    CopyDirection direction;
    QVector<SheetRequest> requests;
};
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 9;
    raiseImageAllocationLimit();
    QTemporaryDir folder;
    writeBenchPicture(photoLikePicture({2400, 1200}, 1), folder.filePath("wide1.jpg"), "jpeg");
    writeBenchPicture(photoLikePicture({2400, 1200}, 2), folder.filePath("wide2.jpg"), "jpeg");
    for (int i = 1; i <= 3; ++i)
        writeBenchPicture(photoLikePicture({1800, 1200}, 10 + i),
                          folder.filePath(QString("print%1.jpg").arg(i)), "jpeg");

    const Sheet sheets[] = {
        {"column: 2 pictures x 2 copies",
         CopyDirection::TopToBottom,
         {{"wide1.jpg", 2}, {"wide2.jpg", 2}}},
        {"row: 3 pictures turned",
         CopyDirection::RotateLeftToRight,
         {{"print1.jpg", 1}, {"print2.jpg", 1}, {"print3.jpg", 1}}},
    };
    const PictureLoader load = [&](const QString &name, QString *whyNot) {
        return readPicture(folder.filePath(name), whyNot);
    };

    std::printf("| sheet | load ms | turn ms | paint ms | encode+write ms | total ms |\n");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    for (const Sheet &sheet : sheets) {
        QList<qint64> loads, turns, paints, saves, totals;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer total;
            total.start();
            SheetTimings timings;
            SheetOutcome outcome = composeSheet({QSize(2480, 3506), {0, 0}, sheet.direction},
                                                sheet.requests, load, &timings);
            QElapsedTimer save;
            save.start();
            QString error;
            if (!saveSheet(outcome.sheet, folder.filePath("01.jpg"), &error)) {
                std::fprintf(stderr, "save failed: %s\n", qPrintable(error));
                return 1;
            }
            saves << save.nsecsElapsed();
            totals << total.nsecsElapsed();
            loads << timings.loadNs;
            turns << timings.turnNs;
            paints << timings.paintNs;
        }
        std::printf("| %s | %.1f | %.1f | %.1f | %.1f | %.1f |\n", sheet.name, medianMs(loads),
                    medianMs(turns), medianMs(paints), medianMs(saves), medianMs(totals));
    }
    std::printf("\nmedians of %d runs\n", runs);
    return 0;
}
