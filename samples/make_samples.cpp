// Writes a few photo-like pictures at common print sizes, 300 dpi, into the folder given, so
// that a first start of the program has something to show and to lay out.
//   quorvel_make_samples FOLDER
#include "testpictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel_make_samples FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const struct
    {
        const char *name;
        QSize size; // at 300 dpi
    } samples[] = {
        {"passport 3.5 x 4.5 cm.jpg", {413, 531}},
        {"square 2 x 2 in.jpg", {600, 600}},
        {"portrait 4 x 6 in.jpg", {1200, 1800}},
        {"landscape 6 x 4 in.jpg", {1800, 1200}},
        {"portrait 5 x 7 in.jpg", {1500, 2100}},
        {"sheet-wide strip 8.27 x 2 in.jpg", {2480, 600}},
    };
    quint32 variant = 1;
    for (const auto &sample : samples) {
        QImage picture = photoLikePicture(sample.size, variant++);
        picture.setDotsPerMeterX(11811);
        picture.setDotsPerMeterY(11811);
        QImageWriter writer(folder + "/" + sample.name, "jpeg");
        writer.setQuality(92);
        if (!writer.write(picture)) {
            std::fprintf(stderr, "cannot write %s: %s\n", sample.name,
                         qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
