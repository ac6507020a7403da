#pragma once

// Picture files crafted byte by byte for the hostile-file tests: headers that lie, chunks and
// tags set to chosen values, layouts only libtiff writes.

#include "testpictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <tiffio.h>
#include <vector>

inline QByteArray encoded(const QImage &picture, const char *format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(picture);
    return buffer.data();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
}

inline void putBigEndian(QByteArray &bytes, qsizetype at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * (size - 1 - i))) & 0xff);
}

// A JPEG whose frame header claims another size than its data holds.
inline QByteArray jpegClaiming(QSize claimed)
{
    QByteArray jpeg = encoded(solidPicture({64, 48}, Qt::red), "jpeg");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    putBigEndian(jpeg, frame + 5, quint32(claimed.height()), 2);
    putBigEndian(jpeg, frame + 7, quint32(claimed.width()), 2);
    return jpeg;
}

inline quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffff;
    for (char byte : bytes) {
        crc ^= uchar(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// A PNG whose header claims another size, with a correct checksum so that it is believed.
inline QByteArray pngClaiming(QSize claimed)
{
    QByteArray png = encoded(solidPicture({64, 48}, Qt::red), "png");
    putBigEndian(png, 16, quint32(claimed.width()), 4);
    putBigEndian(png, 20, quint32(claimed.height()), 4);
    putBigEndian(png, 29, crc32(png.mid(12, 17)), 4);
    return png;
}

// A little-endian TIFF with some tags of its first directory set to other values (stored as
// LONG, which every one of them may be).
inline QByteArray withTiffTags(QByteArray tiff, const QHash<quint32, quint32> &values)
{
    auto read = [&](qsizetype at, int size) {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | uchar(tiff[at + i]);
        return value;
    };
    auto write = [&](qsizetype at, quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            tiff[at + i] = char((value >> (8 * i)) & 0xff);
    };
    const quint32 directory = read(4, 4);
    const quint32 entries = read(directory, 2);
    for (quint32 i = 0; i < entries; ++i) {
        const qsizetype entry = directory + 2 + 12 * i;
        const quint32 tag = read(entry, 2);
        if (!values.contains(tag))
            continue;
        write(entry + 2, 4, 2); // LONG
        write(entry + 4, 1, 4); // one value, held in the entry
        write(entry + 8, values[tag], 4);
    }
    return tiff;
}

// A TIFF whose image width and length tags claim another size.
inline QByteArray tiffClaiming(QSize claimed)
{
    return withTiffTags(encoded(solidPicture({64, 48}, Qt::red), "tiff"),
                        {{256, quint32(claimed.width())}, {257, quint32(claimed.height())}});
}

// TIFF layouts libtiff writes and Qt does not.
enum class TiffKind {
    TiledCmyk,  // one tile the picture's size, CMYK without ink
    LzwRgb,     // LZW-compressed strips of 16 rows
    LzwPalette, // the same with palette indices, read through libtiff's RGBA interface
};

inline QByteArray tiffThroughLibtiff(const QString &scratch, const QImage &picture, TiffKind kind)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(scratch).constData(), "w");
    const int width = picture.width(), height = picture.height();
    const int samples = kind == TiffKind::TiledCmyk ? 4 : kind == TiffKind::LzwRgb ? 3 : 1;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
    std::vector<uint16_t> map(256);
    for (int i = 0; i < 256; ++i)
        map[size_t(i)] = uint16_t(i * 257);
    switch (kind) {
    case TiffKind::TiledCmyk:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_SEPARATED);
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, uint32_t(width));
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, uint32_t(height));
        break;
    case TiffKind::LzwRgb:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        break;
    case TiffKind::LzwPalette:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
        break;
    }
    if (kind != TiffKind::TiledCmyk) {
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16u);
    }
    std::vector<uchar> rows(size_t(width) * height * samples);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            uchar *out = &rows[(size_t(y) * width + x) * samples];
            out[0] = uchar(kind == TiffKind::LzwPalette ? qGray(pixel) : qRed(pixel));
            if (samples >= 3) {
                out[1] = uchar(qGreen(pixel));
                out[2] = uchar(qBlue(pixel));
            }
            if (samples == 4)
                out[3] = 0;
        }
    if (kind == TiffKind::TiledCmyk) {
        TIFFWriteTile(tiff, rows.data(), 0, 0, 0, 0);
    } else {
        for (int y = 0; y < height; ++y)
            TIFFWriteScanline(tiff, &rows[size_t(y) * width * samples], uint32_t(y), 0);
    }
    TIFFClose(tiff);
    QFile file(scratch);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// An uncompressed RGB TIFF with its directory right after the header and its strips of
// eight rows after that, as scanners and many editors write it; with an Orientation tag when
// `orientation` is 1 to 8.
inline QByteArray tiffWithLeadingDirectory(const QImage &picture, int orientation = 0)
{
    const int width = picture.width(), height = picture.height(), rowsPerStrip = 8;
    const int strips = (height + rowsPerStrip - 1) / rowsPerStrip;
    QByteArray tiff("II*\0", 4);
    auto put = [&](quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            tiff.append(char((value >> (8 * i)) & 0xff));
    };
    const quint32 entries = orientation > 0 ? 10 : 9;
    const quint32 bitsAt = 8 + 2 + 12 * entries + 4;
    const quint32 offsetsAt = bitsAt + 6;
    const quint32 countsAt = offsetsAt + 4 * strips;
    const quint32 dataAt = countsAt + 4 * strips;
    put(8, 4);
    put(entries, 2);
    auto entry = [&](quint32 tag, quint32 type, quint32 count, quint32 value) {
        put(tag, 2);
        put(type, 2);
        put(count, 4);
        put(value, 4);
    };
    entry(256, 4, 1, quint32(width));
    entry(257, 4, 1, quint32(height));
    entry(258, 3, 3, bitsAt);
    entry(259, 3, 1, 1);
    entry(262, 3, 1, 2);
    entry(273, 4, quint32(strips), offsetsAt);
    if (orientation > 0)
        entry(274, 3, 1, quint32(orientation));
    entry(277, 3, 1, 3);
    entry(278, 4, 1, quint32(rowsPerStrip));
    entry(279, 4, quint32(strips), countsAt);
    put(0, 4);
    for (int i = 0; i < 3; ++i)
        put(8, 2);
    for (int strip = 0; strip < strips; ++strip)
        put(dataAt + quint32(strip * rowsPerStrip * width * 3), 4);
    for (int strip = 0; strip < strips; ++strip)
        put(quint32(std::min(rowsPerStrip, height - strip * rowsPerStrip) * width * 3), 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            tiff.append(char(qRed(pixel))).append(char(qGreen(pixel))).append(char(qBlue(pixel)));
        }
    return tiff;
}

// An EXIF block (without the "Exif\0\0" before it) holding only an orientation, 1 to 8.
inline QByteArray exifWithOrientation(int orientation)
{
    QByteArray exif("II*\0\x08\0\0\0", 8);             // TIFF header, first IFD at 8
    exif += QByteArray("\x01\0", 2);                   // one entry
    exif += QByteArray("\x12\x01\x03\0\x01\0\0\0", 8); // orientation, SHORT, 1
    exif += char(orientation) + QByteArray(3, '\0') + QByteArray(4, '\0'); // value, no next IFD
    return exif;
}

// A JPEG that says, in its EXIF data, how it is to be turned for viewing.
inline QByteArray jpegWithOrientation(const QImage &picture, int orientation)
{
    const QByteArray exif = QByteArray("Exif\0\0", 6) + exifWithOrientation(orientation);
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(((exif.size() + 2) >> 8) & 0xff));
    segment.append(char((exif.size() + 2) & 0xff));
    QByteArray jpeg = encoded(picture, "jpeg");
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

// A PNG chunk of `type` holding `body`, with its length and CRC.
inline QByteArray pngChunk(const QByteArray &type, const QByteArray &body)
{
    QByteArray chunk(4, '\0');
    putBigEndian(chunk, 0, quint32(body.size()), 4);
    chunk += type + body;
    QByteArray crc(4, '\0');
    putBigEndian(crc, 0, crc32(chunk.mid(4)), 4);
    return chunk + crc;
}

// A PNG that says, in an eXIf chunk right after its header, how it is to be turned.
inline QByteArray pngWithOrientation(const QImage &picture, int orientation)
{
    QByteArray png = encoded(picture, "png");
    png.insert(33, pngChunk("eXIf", exifWithOrientation(orientation)));
    return png;
}

// A PNG carrying `profile` in an iCCP chunk, placed right after its header.
inline QByteArray pngWithProfile(const QImage &picture, const QByteArray &profile)
{
    QByteArray png = encoded(picture, "png");
    // qCompress puts the length before the zlib stream.
    png.insert(33, pngChunk("iCCP", QByteArray("hostile\0\0", 9) + qCompress(profile).mid(4)));
    return png;
}

inline long residentMemoryMb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    }
    return -1;
}
