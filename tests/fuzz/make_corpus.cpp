// Writes the fuzzer's starting corpus: small, valid pictures of every listed format, each
// prefixed with the byte that gives it its own suffix: TIFF in the layouts studios write (CMYK,
// 16 and 12 bits, floating point, planar, tiled, with a profile and an orientation), JPEG and
// PNG in colour and grey, and with an embedded profile.
#include "testpictures.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <tiffio.h>
#include <vector>

namespace {
struct TiffLayout
{
    const char *name;
    uint16_t photometric;
    uint16_t samples;
    uint16_t bits;
    uint16_t sampleFormat;
    bool planar;
    bool tiled;
};

// A 32 x 16 TIFF of the given layout, filled with a ramp, written through libtiff.
void writeTiff(const QString &path, const TiffLayout &layout, const QByteArray &profile)
{
    TIFF *tiff = TIFFOpen(path.toLocal8Bit().constData(), "w");
    if (!tiff)
        return;
    const uint32_t width = 32, height = 16;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, layout.samples);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, layout.bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, layout.sampleFormat);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, layout.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG,
                 layout.planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_RIGHTTOP);
    if (!profile.isEmpty())
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, uint32_t(profile.size()), profile.constData());
    const int perPlane = layout.planar ? 1 : layout.samples;
    const tmsize_t rowBytes = (tmsize_t(width) * perPlane * layout.bits + 7) / 8;
    if (layout.tiled) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16u);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16u);
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 4u);
    }
    std::vector<uchar> chunk(size_t(layout.tiled ? TIFFTileSize(tiff) : rowBytes));
    for (size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = uchar(i * 37);
    const int planes = layout.planar ? layout.samples : 1;
    for (int plane = 0; plane < planes; ++plane) {
        if (layout.tiled) {
            for (uint32_t x = 0; x < width; x += 16)
                TIFFWriteTile(tiff, chunk.data(), x, 0, 0, uint16_t(plane));
        } else {
            for (uint32_t y = 0; y < height; ++y)
                TIFFWriteScanline(tiff, chunk.data(), y, uint16_t(plane));
        }
    }
    TIFFClose(tiff);
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("start");
    QDir().mkpath(folder);
    const QImage picture = photoLikePicture({48, 32}, 7);
    auto write = [&](const QString &name, char selector, const QByteArray &bytes) {
        QFile file(folder + "/" + name);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(1, selector) + bytes);
    };
    const char *formats[] = {"jpeg", "png", "tiff"};
    for (int selector = 0; selector < 3; ++selector) {
        for (const bool grey : {false, true}) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, formats[selector])
                .write(grey ? picture.convertToFormat(QImage::Format_Grayscale8) : picture);
            write(QString("start%1.%2").arg(grey ? "-grey" : "", formats[selector]), char(selector),
                  buffer.data());
        }
    }
    for (int type : {1, 2, 3, 9, 10, 11}) {
        TgaLayout layout;
        layout.type = type;
        layout.bits = type == 3 || type == 11 || type == 1 || type == 9 ? 8 : 24;
        layout.footer = type > 3;
        write(QString("start-%1.tga").arg(type), 3, encodeTga(picture, layout));
    }
    const QByteArray adobe = QColorSpace(QColorSpace::AdobeRgb).iccProfile();
    const TiffLayout tiffs[] = {
        {"cmyk8", PHOTOMETRIC_SEPARATED, 4, 8, SAMPLEFORMAT_UINT, false, false},
        {"cmyk16-planar", PHOTOMETRIC_SEPARATED, 4, 16, SAMPLEFORMAT_UINT, true, false},
        {"cmyk16-tiled", PHOTOMETRIC_SEPARATED, 4, 16, SAMPLEFORMAT_UINT, false, true},
        {"cmyk8-tiled-planar", PHOTOMETRIC_SEPARATED, 4, 8, SAMPLEFORMAT_UINT, true, true},
        {"rgb16-planar-tiled", PHOTOMETRIC_RGB, 3, 16, SAMPLEFORMAT_UINT, true, true},
        {"grey12", PHOTOMETRIC_MINISBLACK, 1, 12, SAMPLEFORMAT_UINT, false, false},
        {"grey-float", PHOTOMETRIC_MINISBLACK, 1, 32, SAMPLEFORMAT_IEEEFP, false, true},
        {"rgb-float", PHOTOMETRIC_RGB, 3, 32, SAMPLEFORMAT_IEEEFP, true, false},
    };
    for (const TiffLayout &layout : tiffs) {
        const QString scratch = folder + "/scratch.tif";
        const bool rgb = layout.photometric == PHOTOMETRIC_RGB;
        writeTiff(scratch, layout, rgb ? adobe : QByteArray());
        QFile file(scratch);
        if (file.open(QIODevice::ReadOnly))
            write(QString("start-%1.tif").arg(layout.name), 2, file.readAll());
        file.remove();
    }
    QImage tagged = picture;
    tagged.setColorSpace(QColorSpace::AdobeRgb);
    for (int selector = 0; selector < 2; ++selector) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, formats[selector]).write(tagged);
        write(QString("start-profile.%1").arg(formats[selector]), char(selector), buffer.data());
    }
    return 0;
}
