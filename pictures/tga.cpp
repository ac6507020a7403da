#include "pictures/tga.h"

#include "pictures/picturelimits.h"
#include "pictures/picturerows.h"
#include "pictures/refusal.h"

#include <QVector>
#include <algorithm>
#include <cstring>

namespace {
quint16 littleEndian16(const uchar *bytes)
{
    return quint16(bytes[0] | (bytes[1] << 8));
}

quint32 littleEndian32(const uchar *bytes)
{
    return quint32(bytes[0]) | (quint32(bytes[1]) << 8) | (quint32(bytes[2]) << 16) |
           (quint32(bytes[3]) << 24);
}

int bytesFor(int bits)
{
    return (bits + 7) / 8;
}

// A 15- or 16-bit pixel: five bits a channel, and an alpha bit on top when the file uses it.
QRgb colourOf16(quint16 value, bool alphaBit)
{
    auto widen = [](int channel) { return (channel << 3) | (channel >> 2); };
    return qRgba(widen((value >> 10) & 31), widen((value >> 5) & 31), widen(value & 31),
                 alphaBit && !(value & 0x8000) ? 0 : 255);
}

QRgb colourOf(const uchar *pixel, int bits, bool alpha)
{
    switch (bits) {
    case 15:
    case 16:
        return colourOf16(littleEndian16(pixel), alpha && bits == 16);
    case 24:
        return qRgb(pixel[2], pixel[1], pixel[0]);
    default:
        return qRgba(pixel[2], pixel[1], pixel[0], alpha ? pixel[3] : 255);
    }
}

// What the optional TGA 2.0 extension area says about the alpha channel: -1 when the file has
// no such area.
int extensionAlphaType(const QByteArray &data)
{
    static const char signature[] = "TRUEVISION-XFILE.";
    constexpr int footerSize = 26;
    constexpr int extensionSize = 495;
    if (data.size() < TgaHeaderSize + footerSize ||
        std::memcmp(data.constData() + data.size() - 18, signature, sizeof signature) != 0)
        return -1;
    const auto *footer =
        reinterpret_cast<const uchar *>(data.constData()) + data.size() - footerSize;
    const quint32 offset = littleEndian32(footer);
    if (offset < TgaHeaderSize || qint64(offset) + extensionSize > data.size() - footerSize)
        return -1;
    const auto *extension = reinterpret_cast<const uchar *>(data.constData()) + offset;
    if (littleEndian16(extension) != extensionSize)
        return -1;
    return extension[extensionSize - 1];
}

// Decodes the pixel data, uncompressed or run-length encoded, row by row into `sink`.
// Run-length packets may run on from one row into the next. False when the data ends early.
template <typename Convert>
bool decodeRows(const TgaHeader &header, const uchar *cursor, const uchar *end, int bytes,
                Convert convert, PictureRows &sink)
{
    const qsizetype rowBytes = qsizetype(header.width) * bytes;
    int packetLeft = 0;
    bool repeat = false;
    QRgb repeated = 0;
    for (int fileRow = 0; fileRow < header.height; ++fileRow) {
        const int y = header.topToBottom ? fileRow : header.height - 1 - fileRow;
        QRgb *row = sink.row(y);
        if (!header.isRunLength()) {
            if (end - cursor < rowBytes)
                return false;
            for (int x = 0; x < header.width; ++x, cursor += bytes)
                row[x] = convert(cursor);
        } else {
            for (int x = 0; x < header.width;) {
                if (packetLeft == 0) {
                    if (cursor >= end)
                        return false;
                    const uchar packet = *cursor++;
                    packetLeft = (packet & 0x7f) + 1;
                    repeat = packet & 0x80;
                    if (repeat) {
                        if (end - cursor < bytes)
                            return false;
                        repeated = convert(cursor);
                        cursor += bytes;
                    }
                }
                const int count = std::min(packetLeft, header.width - x);
                if (repeat) {
                    std::fill_n(row + x, count, repeated);
                } else {
                    if (end - cursor < qsizetype(count) * bytes)
                        return false;
                    for (int i = 0; i < count; ++i, cursor += bytes)
                        row[x + i] = convert(cursor);
                }
                x += count;
                packetLeft -= count;
            }
        }
        if (header.rightToLeft)
            std::reverse(row, row + header.width);
        sink.rowDone(y);
    }
    return true;
}

} // namespace

bool parseTgaHeader(const QByteArray &data, TgaHeader *header, QString *error)
{
    if (data.size() < TgaHeaderSize)
        return refuse(error, QCoreApplication::translate("Quorvel", "the TGA header is cut short"));
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    TgaHeader h;
    h.idLength = bytes[0];
    h.colourMapType = bytes[1];
    h.imageType = bytes[2];
    h.mapFirstEntry = littleEndian16(bytes + 3);
    h.mapLength = littleEndian16(bytes + 5);
    h.mapEntryBits = bytes[7];
    h.width = littleEndian16(bytes + 12);
    h.height = littleEndian16(bytes + 14);
    h.pixelBits = bytes[16];
    h.attributeBits = bytes[17] & 0x0f;
    h.rightToLeft = bytes[17] & 0x10;
    h.topToBottom = bytes[17] & 0x20;

    const int type = h.imageType;
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11)
        return refuse(
            error,
            QCoreApplication::translate("Quorvel", "TGA image type %1 is not a picture").arg(type));
    if (h.colourMapType > 1)
        return refuse(error,
                      QCoreApplication::translate("Quorvel", "unknown TGA colour map type %1")
                          .arg(h.colourMapType));
    const auto colourBits = [](int bits) {
        return bits == 15 || bits == 16 || bits == 24 || bits == 32;
    };
    if (h.colourMapType == 1 && !colourBits(h.mapEntryBits))
        return refuse(error,
                      QCoreApplication::translate("Quorvel", "TGA colour map entries of %1 bits")
                          .arg(h.mapEntryBits));
    if (h.isColourMapped() &&
        (h.colourMapType != 1 || h.mapLength == 0 || (h.pixelBits != 8 && h.pixelBits != 16)))
        return refuse(error, QCoreApplication::translate(
                                 "Quorvel", "a colour-mapped TGA without a usable colour map"));
    if (h.isGreyscale() && h.pixelBits != 8 && h.pixelBits != 16)
        return refuse(error,
                      QCoreApplication::translate("Quorvel", "greyscale TGA of %1 bits a pixel")
                          .arg(h.pixelBits));
    if ((type == 2 || type == 10) && !colourBits(h.pixelBits))
        return refuse(error,
                      QCoreApplication::translate("Quorvel", "true-colour TGA of %1 bits a pixel")
                          .arg(h.pixelBits));
    if (h.width == 0 || h.height == 0)
        return refuse(error, QCoreApplication::translate("Quorvel", "the TGA picture is empty"));
    *header = h;
    return true;
}

QImage decodeTga(const QByteArray &data, QSize scaledSize, QString *error)
{
    TgaHeader h;
    if (!parseTgaHeader(data, &h, error))
        return QImage();
    const QSize size(h.width, h.height);
    if (!withinPictureLimits(size)) {
        refuse(error, beyondPictureLimits(size));
        return QImage();
    }

    const auto *begin = reinterpret_cast<const uchar *>(data.constData());
    const uchar *end = begin + data.size();
    const qint64 mapOffset = TgaHeaderSize + h.idLength;
    const qint64 mapBytes =
        h.colourMapType == 1 ? qint64(h.mapLength) * bytesFor(h.mapEntryBits) : 0;
    const qint64 pixelOffset = mapOffset + mapBytes;
    const int bytes = bytesFor(h.pixelBits);
    const qint64 pixels = qint64(h.width) * h.height;
    // Enough data for the picture it claims, before anything is allocated: every pixel for an
    // uncompressed one, at least one packet per 128 pixels for a run-length encoded one.
    const qint64 needed = h.isRunLength() ? (pixels + 127) / 128 * (1 + bytes) : pixels * bytes;
    if (pixelOffset + needed > data.size()) {
        refuse(error, QCoreApplication::translate("Quorvel", "the TGA file is cut short"));
        return QImage();
    }

    const int alphaType = extensionAlphaType(data);
    const bool alphaInData = h.attributeBits > 0 && (alphaType < 0 || alphaType >= 3);
    const bool premultiplied = alphaType == 4;
    QVector<QRgb> palette;
    bool hasAlpha = false;
    if (h.isColourMapped()) {
        palette.resize(h.mapLength);
        for (int i = 0; i < h.mapLength; ++i)
            palette[i] = colourOf(begin + mapOffset + qint64(i) * bytesFor(h.mapEntryBits),
                                  h.mapEntryBits, alphaInData);
        hasAlpha = alphaInData && (h.mapEntryBits == 32 || h.mapEntryBits == 16);
    } else if (h.isGreyscale()) {
        hasAlpha = alphaInData && h.pixelBits == 16;
    } else {
        hasAlpha = alphaInData && (h.pixelBits == 32 || h.pixelBits == 16);
    }

    const QImage::Format format = !hasAlpha       ? QImage::Format_RGB32
                                  : premultiplied ? QImage::Format_ARGB32_Premultiplied
                                                  : QImage::Format_ARGB32;
    PictureRows sink(size, format, scaledSize);
    if (!sink.allocate(error))
        return QImage();

    const uchar *data0 = begin + pixelOffset;
    bool decoded = false;
    bool indexOutOfMap = false;
    if (h.isColourMapped()) {
        const int first = h.mapFirstEntry;
        auto lookUp = [&](const uchar *pixel) {
            const int index = (h.pixelBits == 8 ? pixel[0] : littleEndian16(pixel)) - first;
            if (index < 0 || index >= palette.size()) {
                indexOutOfMap = true;
                return qRgb(0, 0, 0);
            }
            return palette[index];
        };
        decoded = decodeRows(h, data0, end, bytes, lookUp, sink);
    } else if (h.isGreyscale()) {
        decoded = decodeRows(
            h, data0, end, bytes,
            [hasAlpha, twoBytes = h.pixelBits == 16](const uchar *pixel) {
                return qRgba(pixel[0], pixel[0], pixel[0], twoBytes && hasAlpha ? pixel[1] : 255);
            },
            sink);
    } else if (h.pixelBits == 24) {
        decoded = decodeRows(
            h, data0, end, bytes,
            [](const uchar *pixel) { return qRgb(pixel[2], pixel[1], pixel[0]); }, sink);
    } else {
        decoded = decodeRows(
            h, data0, end, bytes,
            [bits = h.pixelBits, hasAlpha](const uchar *pixel) {
                return colourOf(pixel, bits, hasAlpha);
            },
            sink);
    }
    if (!decoded) {
        refuse(error, QCoreApplication::translate("Quorvel", "the TGA pixel data is cut short"));
        return QImage();
    }
    if (indexOutOfMap) {
        refuse(error,
               QCoreApplication::translate("Quorvel", "a TGA pixel points outside the colour map"));
        return QImage();
    }
    return sink.take();
}
