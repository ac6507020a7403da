#include "pictures/tiffparts.h"

#include "pictures/colour.h"
#include "pictures/picturerows.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// One sample of a row as an 8-bit level; rows start on a byte, 12-bit samples are packed
// big-endian, 16- and 32-bit ones are in the machine's order (libtiff swaps them).
template <int Bits> int levelAt(const uchar *row, qint64 index);

template <> inline int levelAt<8>(const uchar *row, qint64 index)
{
    return row[index];
}

template <> inline int levelAt<12>(const uchar *row, qint64 index)
{
    const qint64 bit = index * 12;
    const uint32_t pair = (uint32_t(row[bit / 8]) << 8) | row[bit / 8 + 1];
    const uint32_t value = (bit % 8) ? (pair & 0x0FFF) : (pair >> 4);
    return int((value * 255 + 2047) / 4095);
}

template <> inline int levelAt<16>(const uchar *row, qint64 index)
{
    quint16 value;
    std::memcpy(&value, row + 2 * index, 2);
    return int((uint32_t(value) * 255 + 32767) / 65535);
}

template <> inline int levelAt<32>(const uchar *row, qint64 index)
{
    float value = 0;
    std::memcpy(&value, row + 4 * index, 4);
    // NaN and negative values are black; infinities and overshoots white.
    return value > 0 ? int(std::min(value, 1.0f) * 255.0f + 0.5f) : 0;
}

// A row of RGB or grey samples (interleaved, alpha where the layout has it) as QRgb words.
template <int Bits, bool Grey> void samplesToRgb(const uchar *row, const Layout &s, QRgb *out)
{
    const bool whiteIsZero = s.photometric == PHOTOMETRIC_MINISWHITE;
    for (int x = 0; x < s.width; ++x) {
        const qint64 first = qint64(x) * s.samples;
        const int alpha = s.alphaSample >= 0 ? levelAt<Bits>(row, first + s.alphaSample) : 255;
        if (Grey) {
            int level = levelAt<Bits>(row, first);
            if (whiteIsZero)
                level = 255 - level;
            out[x] = qRgba(level, level, level, alpha);
        } else {
            out[x] = qRgba(levelAt<Bits>(row, first), levelAt<Bits>(row, first + 1),
                           levelAt<Bits>(row, first + 2), alpha);
        }
    }
}

template <bool Grey> void samplesToRgb(const uchar *row, const Layout &s, QRgb *out)
{
    switch (s.bits) {
    case 8:
        return samplesToRgb<8, Grey>(row, s, out);
    case 12:
        return samplesToRgb<12, Grey>(row, s, out);
    case 16:
        return samplesToRgb<16, Grey>(row, s, out);
    default:
        return samplesToRgb<32, Grey>(row, s, out);
    }
}

// Supplies the page's rows of interleaved samples, top to bottom, reading as little at a time
// as the layout allows: a row of each plane of a strip, or a row of tiles. Planes are read
// through a handle each: libtiff reads a strip forward from its start, so planes read in turn
// on one handle would decode a plane's strip from its start for every row.
class SampleRows
{
public:
    SampleRows(DeviceFile &file, TIFF *tiff, const Layout &s) : file(file), s(s)
    {
        planes.push_back(tiff);
    }

    bool allocate(QString *why)
    {
        planeRow = s.planeRowBytes();
        if (!allocateBuffer(row, s.pixelRowBytes(), MaxBufferBytes, why))
            return false;
        if (!s.tiled) {
            for (int plane = 1; plane < s.planes(); ++plane) {
                ownHandles.push_back(openTiff(file));
                if (!ownHandles.back())
                    return false;
                planes.push_back(ownHandles.back().get());
            }
            return !s.planar || allocateBuffer(band, planeRow * s.planes(), MaxBufferBytes, why);
        }
        if (!allocateBuffer(band, planeRow * s.bandRows * s.planes(), MaxBufferBytes, why))
            return false;
        tileRow = (qint64(s.tileWidth) * s.samplesInPlane() * s.bits + 7) / 8;
        return allocateBuffer(tile, tileRow * s.bandRows, MaxBufferBytes, why);
    }

    // Row `y`, or null when libtiff cannot read it.
    const uchar *rowAt(uint32_t y)
    {
        if (!s.tiled) {
            if (!s.planar)
                return TIFFReadScanline(planes[0], row.data(), y, 0) == 1 ? row.data() : nullptr;
            for (int plane = 0; plane < s.planes(); ++plane)
                if (TIFFReadScanline(planes[size_t(plane)], band.data() + plane * planeRow, y,
                                     uint16_t(plane)) != 1)
                    return nullptr;
            return interleaved(band.data(), planeRow);
        }
        if (y % s.bandRows == 0 && !readTiles(y))
            return nullptr;
        const uchar *first = band.data() + qint64(y % s.bandRows) * planeRow;
        return s.planar ? interleaved(first, s.bandRows * planeRow) : first;
    }

private:
    // The row whose first plane starts at `first`, each next plane `planeStep` bytes on, with
    // its samples interleaved: whole bytes (8, 16 and 32 bits a sample).
    const uchar *interleaved(const uchar *first, qint64 planeStep)
    {
        const int bytes = s.bits / 8;
        const int count = s.planes();
        for (int x = 0; x < s.width; ++x)
            for (int p = 0; p < count; ++p)
                std::memcpy(row.data() + (qint64(x) * count + p) * bytes,
                            first + p * planeStep + qint64(x) * bytes, size_t(bytes));
        return row.data();
    }

    // The row of tiles from row `top` down, of every plane.
    bool readTiles(uint32_t top)
    {
        const uint32_t rows = std::min<uint32_t>(s.bandRows, uint32_t(s.height) - top);
        for (int plane = 0; plane < s.planes(); ++plane) {
            uchar *planeBand = band.data() + qint64(plane) * s.bandRows * planeRow;
            for (uint32_t left = 0; left < uint32_t(s.width); left += s.tileWidth) {
                if (TIFFReadEncodedTile(
                        planes[0], TIFFComputeTile(planes[0], left, top, 0, uint16_t(plane)),
                        tile.data(), tmsize_t(tile.size())) < tileRow * qint64(rows))
                    return false;
                // Tile widths are multiples of 16, so whole bytes even at 12 bits a sample.
                const qint64 offset = (qint64(left) * s.samplesInPlane() * s.bits) / 8;
                const qint64 length = std::min(tileRow, planeRow - offset);
                for (uint32_t y = 0; y < rows; ++y)
                    std::memcpy(planeBand + y * planeRow + offset, tile.data() + y * tileRow,
                                size_t(length));
            }
        }
        return true;
    }

    DeviceFile &file;
    const Layout &s;
    std::vector<TIFF *> planes; // the handle that reads each plane
    std::vector<Tiff> ownHandles;
    qint64 planeRow = 0;
    qint64 tileRow = 0;
    std::vector<uchar> row;
    // A row of every plane (strips) or every plane's rows of a row of tiles, plane after plane.
    std::vector<uchar> band;
    std::vector<uchar> tile;
};
} // namespace

bool readBySamples(DeviceFile &file, TIFF *tiff, const Layout &s, const QByteArray &profile,
                   PictureRows &picture, QString *why)
{
    SampleRows rows(file, tiff, s);
    std::vector<uchar> inks;
    const int inkBytes = s.bits / 8;
    if (!rows.allocate(why) ||
        (s.cmyk() && !allocateBuffer(inks, qint64(s.width) * 4 * inkBytes, MaxBufferBytes, why)))
        return false;
    const SrgbConversion colour(profile,
                                !s.cmyk()      ? PixelLayout::Rgb32
                                : s.bits == 16 ? PixelLayout::Cmyk16
                                               : PixelLayout::Cmyk8,
                                s.grey());
    for (uint32_t y = 0; y < uint32_t(s.height); ++y) {
        const uchar *row = rows.rowAt(y);
        if (!row)
            return false;
        QRgb *out = picture.row(int(y));
        if (s.cmyk()) {
            // The four inks of each pixel; alpha and spot channels after them are left out.
            const uchar *source = row;
            if (s.samples > 4) {
                for (int x = 0; x < s.width; ++x)
                    std::memcpy(inks.data() + qint64(x) * 4 * inkBytes,
                                row + qint64(x) * s.samples * inkBytes, size_t(4 * inkBytes));
                source = inks.data();
            }
            colour.convert(source, out, s.width);
        } else {
            if (s.grey())
                samplesToRgb<true>(row, s, out);
            else
                samplesToRgb<false>(row, s, out);
            colour.convert(out, out, s.width);
        }
        picture.rowDone(int(y));
    }
    return true;
}
