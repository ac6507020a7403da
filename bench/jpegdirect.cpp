#include "jpegdirect.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {
QByteArray readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return file.readAll();
}
} // namespace

RgbPicture decodeJpeg(const QString &path, int denominator)
{
    const QByteArray data = readWhole(path);
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors); // a corrupt file ends the benchmark
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(data.constData()), data.size());
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = denominator;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    RgbPicture picture;
    picture.width = int(info.output_width);
    picture.height = int(info.output_height);
    picture.pixels.resize(size_t(picture.width) * picture.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.pixels.data() + size_t(info.output_scanline) * picture.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return picture;
}

void encodeJpeg(const RgbPicture &picture, int quality, const QString &path)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(picture.width);
    info.image_height = JDIMENSION(picture.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.density_unit = 1;
    info.X_density = 300;
    info.Y_density = 300;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char *>(picture.pixels.data()) +
                       size_t(info.next_scanline) * picture.width * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char *>(buffer), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    jpeg_destroy_compress(&info);
    std::free(buffer);
}
