#include "corpus.h"

#include "benchsupport.h"
#include "testpictures.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImage>
#include <tiffio.h>
#include <vector>

namespace {
// A 16-bit RGB TIFF of ScanSize, deflated, with smooth content (so that it stays a few tens of
// megabytes), written a row at a time: contiguous in strips of 16 rows as editors write it, or
// planar with one strip a plane, as some scanners do.
void writeScan(const QString &path, quint16 variant, bool planar)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    const int width = ScanSize.width(), height = ScanSize.height();
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, 1);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, planar ? uint32_t(height) : 16u);
    auto sample = [variant](int x, int y, int channel) {
        return quint16(channel == 0 ? x * 6 : channel == 1 ? y * 6 + variant * 4000 : (x + y) * 3);
    };
    std::vector<quint16> row(size_t(width) * 3);
    if (planar) {
        for (int channel = 0; channel < 3; ++channel)
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    row[size_t(x)] = sample(x, y, channel);
                TIFFWriteScanline(tiff, row.data(), uint32_t(y), uint16_t(channel));
            }
    } else {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                for (int channel = 0; channel < 3; ++channel)
                    row[size_t(x) * 3 + channel] = sample(x, y, channel);
            TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0);
        }
    }
    TIFFClose(tiff);
}
} // namespace

Corpus makeCorpus(const QString &root)
{
    Corpus corpus;
    corpus.photos = root + "/photos";
    corpus.many = root + "/many";
    corpus.folder = root + "/folder";
    corpus.shoot = root + "/shoot";
    corpus.scans = root + "/scans";
    corpus.planarScans = root + "/scans-planar";
    corpus.prints = root + "/prints";
    for (const QString &folder : {corpus.photos, corpus.many, corpus.folder, corpus.shoot,
                                  corpus.scans, corpus.planarScans, corpus.prints})
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
        const QString inShoot =
            QString("%1/IMG_%2.jpg").arg(corpus.shoot).arg(i, 5, 10, QChar('0'));
        if (!QFile::exists(inShoot))
            QFile::link(corpus.photoFiles[i % PhotoCount], inShoot);
    }
    for (int i = 0; i < ScanCount; ++i) {
        const QString scan = QString("%1/scan%2.tif").arg(corpus.scans).arg(i);
        if (!QFile::exists(scan))
            writeScan(scan, quint16(i), false);
        const QString planar = QString("%1/scan%2.tif").arg(corpus.planarScans).arg(i);
        if (!QFile::exists(planar))
            writeScan(planar, quint16(i), true);
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
    // A 24 x 2.4 inch strip for a roll of 24 inches, and a passport picture (35 x 45 mm).
    for (const auto &[name, size] :
         {std::pair<const char *, QSize>{RollStrip, {7200, 720}}, {Passport, {413, 531}}}) {
        const QString path = corpus.prints + "/" + name;
        if (!QFile::exists(path))
            writePicture(path, photoLikePicture(size, quint32(size.width())), "jpeg", 92);
    }
    const QString print = corpus.shoot + "/" + PrintInShoot;
    if (!QFile::exists(print))
        QFile::link(corpus.prints + "/wide.jpg", print);
    return corpus;
}
