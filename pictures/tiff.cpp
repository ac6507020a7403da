#include "pictures/tiff.h"

#include "pictures/colour.h"
#include "pictures/picturelimits.h"
#include "pictures/picturerows.h"
#include "pictures/refusal.h"

#include <QIODevice>
#include <QScopeGuard>
#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <tiffio.h>
#include <vector>

namespace {
// No buffer of a read, nor any single allocation inside libtiff, beyond what a band of the
// largest picture allowed needs at four 16-bit samples a pixel.
constexpr qint64 MaxBufferBytes = MaxPicturePixels * 8;
// Colour, alpha and a few spot channels; a header may claim 65535.
constexpr int MaxSamplesPerPixel = 16;

// libtiff reads through the device, its offsets counted from where the file starts.
struct DeviceFile
{
    QIODevice *device;
    qint64 start;
    QString error;           // libtiff's first error since it was last cleared
    bool endReached = false; // a read asked for bytes past the end of the file
};

tmsize_t readDevice(thandle_t handle, void *buffer, tmsize_t size)
{
    auto *file = static_cast<DeviceFile *>(handle);
    const qint64 got = file->device->read(static_cast<char *>(buffer), size);
    if (got < size)
        file->endReached = true;
    return got;
}

tmsize_t writeNothing(thandle_t, void *, tmsize_t)
{
    return 0;
}

toff_t seekDevice(thandle_t handle, toff_t offset, int whence)
{
    auto *file = static_cast<DeviceFile *>(handle);
    qint64 target = qint64(offset);
    if (whence == SEEK_CUR)
        target += file->device->pos() - file->start;
    else if (whence == SEEK_END)
        target += file->device->size() - file->start;
    if (target < 0 || !file->device->seek(file->start + target))
        return toff_t(-1);
    return toff_t(target);
}

int closeNothing(thandle_t)
{
    return 0;
}

toff_t deviceSize(thandle_t handle)
{
    auto *file = static_cast<DeviceFile *>(handle);
    return toff_t(file->device->size() - file->start);
}

int mapNothing(thandle_t, void **, toff_t *)
{
    return 0;
}

void unmapNothing(thandle_t, void *, toff_t) {}

int keepError(TIFF *, void *userData, const char *module, const char *format, va_list arguments)
{
    auto *file = static_cast<DeviceFile *>(userData);
    if (file->error.isEmpty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, arguments);
        file->error = module && *module ? QStringLiteral("%1: %2").arg(module, text)
                                        : QString::fromLocal8Bit(text);
    }
    return 1;
}

int dropWarning(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

struct TiffCloser
{
    void operator()(TIFF *tiff) const { TIFFClose(tiff); }
};
using Tiff = std::unique_ptr<TIFF, TiffCloser>;

Tiff openTiff(DeviceFile &file)
{
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, keepError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, dropWarning, &file);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(MaxBufferBytes));
    Tiff tiff(TIFFClientOpenExt("TIFF", "rm", &file, readDevice, writeNothing, seekDevice,
                                closeNothing, deviceSize, mapNothing, unmapNothing, options));
    TIFFOpenOptionsFree(options);
    return tiff;
}

QString notReadableReason()
{
    return QCoreApplication::translate("Quorvel", "not a readable TIFF file");
}

// Why a file could not be opened or decoded: libtiff's words where it had any.
QString failure(const DeviceFile &file, const QString &otherwise)
{
    if (file.endReached)
        return cutOffReason();
    return file.error.isEmpty() ? otherwise : file.error;
}

bool readHeader(TIFF *tiff, PictureHeader *header)
{
    uint32_t width = 0, height = 0;
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height))
        return false;
    header->size =
        QSize(int(std::min<uint32_t>(width, INT_MAX)), int(std::min<uint32_t>(height, INT_MAX)));
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    header->orientation = orientation >= 1 && orientation <= 8 ? orientation : 1;
    uint32_t profileSize = 0;
    void *profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &profileSize, &profile) && profile)
        header->profile = QByteArray(static_cast<const char *>(profile), qsizetype(profileSize));
    return true;
}

// How the first page's samples are laid out, checked against the picture it belongs to.
struct Layout
{
    int width = 0;
    int height = 0;
    int samples = 1; // a pixel
    int bits = 8;    // a sample
    bool planar = false;
    bool floating = false;
    bool tiled = false;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t inkSet = INKSET_CMYK;
    int alphaSample = -1; // which sample is alpha; -1 for none
    bool associatedAlpha = false;
    uint32_t bandRows = 1; // rows a strip, or the tile length
    uint32_t tileWidth = 0;

    bool grey() const
    {
        return photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
    }
    bool cmyk() const { return photometric == PHOTOMETRIC_SEPARATED; }
    int planes() const { return planar ? samples : 1; }
    int samplesInPlane() const { return planar ? 1 : samples; }
    // Bytes of one row of one plane, and of one row with every sample interleaved.
    qint64 planeRowBytes() const { return (qint64(width) * samplesInPlane() * bits + 7) / 8; }
    qint64 pixelRowBytes() const { return (qint64(width) * samples * bits + 7) / 8; }
};

bool readLayout(TIFF *tiff, QSize size, Layout *layout, QString *why)
{
    Layout &s = *layout;
    s.width = size.width();
    s.height = size.height();
    uint16_t samples = 1, bits = 1, planar = PLANARCONFIG_CONTIG, format = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &s.photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &s.inkSet);
    if (samples < 1 || samples > MaxSamplesPerPixel)
        return refuse(why, QCoreApplication::translate(
                               "Quorvel", "%1 samples a pixel is more than this reader takes")
                               .arg(samples));
    if (bits < 1 || bits > 32)
        return refuse(why, QCoreApplication::translate("Quorvel", "%1 bits a sample").arg(bits));
    s.samples = samples;
    s.bits = bits;
    s.planar = planar == PLANARCONFIG_SEPARATE;
    s.floating = format == SAMPLEFORMAT_IEEEFP;

    // Extra samples come last; the first that is alpha is the picture's alpha.
    uint16_t extraCount = 0;
    const uint16_t *extraTypes = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes) && extraTypes) {
        for (int i = 0; i < extraCount && i < samples; ++i) {
            if (extraTypes[i] == EXTRASAMPLE_ASSOCALPHA ||
                extraTypes[i] == EXTRASAMPLE_UNASSALPHA) {
                s.alphaSample = samples - extraCount + i;
                s.associatedAlpha = extraTypes[i] == EXTRASAMPLE_ASSOCALPHA;
                break;
            }
        }
        // Panorama tools mark the alpha of their transparent surround "unspecified".
        if (s.alphaSample < 0 && s.photometric == PHOTOMETRIC_RGB && samples == 4 &&
            extraCount == 1 && extraTypes[0] == EXTRASAMPLE_UNSPECIFIED)
            s.alphaSample = 3;
    }

    s.tiled = TIFFIsTiled(tiff);
    if (s.tiled) {
        uint32_t tileLength = 0;
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &s.tileWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileLength);
        // Tiles are multiples of 16 pixels and may overhang a small picture; a tile much
        // larger than its picture is a hostile claim on memory.
        auto fits = [](uint32_t tile, int side) {
            return tile >= 1 && qint64(tile) <= std::max<qint64>(qint64(side) + 15, 1024);
        };
        if (!fits(s.tileWidth, s.width) || !fits(tileLength, s.height))
            return refuse(why, QCoreApplication::translate(
                                   "Quorvel", "its tiles of %1 x %2 pixels are larger than its "
                                              "picture")
                                   .arg(s.tileWidth)
                                   .arg(tileLength));
        s.bandRows = tileLength;
    } else {
        uint32_t rowsPerStrip = 0;
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        s.bandRows = std::clamp<uint32_t>(rowsPerStrip, 1, uint32_t(s.height));
    }
    return true;
}

// What this reader decodes sample by sample; libtiff's RGBA interface takes the rest.
bool readsBySamples(const Layout &s)
{
    const bool whole = (s.bits == 8 || s.bits == 16) && !s.floating;
    const bool floating = s.bits == 32 && s.floating;
    switch (s.photometric) {
    case PHOTOMETRIC_SEPARATED:
        return s.inkSet == INKSET_CMYK && s.samples >= 4 && whole;
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
        // Twelve bits a sample straddle bytes: planes of them are not interleaved.
        return whole || floating || (s.bits == 12 && !s.floating && (!s.planar || s.samples == 1));
    case PHOTOMETRIC_RGB:
        return s.samples >= 3 && (whole || floating);
    default:
        return false;
    }
}

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
// as the layout allows: a row of a contiguous strip, a strip of every plane, a row of tiles.
class SampleRows
{
public:
    SampleRows(TIFF *tiff, const Layout &s) : tiff(tiff), s(s) {}

    bool allocate(QString *why)
    {
        planeRow = s.planeRowBytes();
        pixelRow = s.pixelRowBytes();
        byScanline = !s.tiled && !s.planar;
        if (!allocateBuffer(row, pixelRow, MaxBufferBytes, why))
            return false;
        if (byScanline)
            return true;
        if (!allocateBuffer(band, planeRow * s.bandRows * s.planes(), MaxBufferBytes, why))
            return false;
        tileRow = s.tiled ? (qint64(s.tileWidth) * s.samplesInPlane() * s.bits + 7) / 8 : 0;
        return !s.tiled || allocateBuffer(tile, tileRow * s.bandRows, MaxBufferBytes, why);
    }

    // Row `y`, or null when libtiff cannot read it.
    const uchar *rowAt(uint32_t y)
    {
        if (byScanline)
            return TIFFReadScanline(tiff, row.data(), y, 0) == 1 ? row.data() : nullptr;
        if (y % s.bandRows == 0 && !readBand(y))
            return nullptr;
        const qint64 inBand = y % s.bandRows;
        if (!s.planar)
            return band.data() + inBand * planeRow;
        // Interleave whole bytes (8, 16 and 32 bits a sample).
        const int bytes = s.bits / 8;
        const int planes = s.planes();
        for (int x = 0; x < s.width; ++x)
            for (int p = 0; p < planes; ++p)
                std::memcpy(row.data() + (qint64(x) * planes + p) * bytes,
                            band.data() + (qint64(p) * s.bandRows + inBand) * planeRow +
                                qint64(x) * bytes,
                            size_t(bytes));
        return row.data();
    }

private:
    bool readBand(uint32_t top)
    {
        const uint32_t rows = std::min<uint32_t>(s.bandRows, uint32_t(s.height) - top);
        for (int plane = 0; plane < s.planes(); ++plane) {
            uchar *planeBand = band.data() + qint64(plane) * s.bandRows * planeRow;
            if (!s.tiled) {
                if (TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, top, uint16_t(plane)),
                                         planeBand, planeRow * rows) < planeRow * qint64(rows))
                    return false;
                continue;
            }
            for (uint32_t left = 0; left < uint32_t(s.width); left += s.tileWidth) {
                if (TIFFReadEncodedTile(tiff, TIFFComputeTile(tiff, left, top, 0, uint16_t(plane)),
                                        tile.data(),
                                        tmsize_t(tile.size())) < tileRow * qint64(rows))
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

    TIFF *tiff;
    const Layout &s;
    bool byScanline = false;
    qint64 planeRow = 0;
    qint64 pixelRow = 0;
    qint64 tileRow = 0;
    std::vector<uchar> row;
    std::vector<uchar> band; // every plane's rows of one band, plane after plane
    std::vector<uchar> tile;
};

bool readBySamples(TIFF *tiff, const Layout &s, const QByteArray &profile, PictureRows &picture,
                   QString *why)
{
    SampleRows rows(tiff, s);
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

// Decodes through libtiff's RGBA interface a band at a time: whole strips or rows of tiles,
// at least 64 rows, so that each strip or tile is decoded once.
bool readThroughRgba(TIFF *tiff, const Layout &s, const QByteArray &profile, PictureRows &picture,
                     QString *why)
{
    char message[1024] = {};
    TIFFRGBAImage rgba{};
    // Told to stop at the first strip or tile it cannot read, rather than skip it.
    if (!TIFFRGBAImageOK(tiff, message) || !TIFFRGBAImageBegin(&rgba, tiff, 1, message))
        return refuse(why, QString::fromLocal8Bit(message));
    const auto end = qScopeGuard([&rgba] { TIFFRGBAImageEnd(&rgba); });
    // Rows as stored: the orientation is applied by the caller, as for every format.
    rgba.req_orientation = ORIENTATION_TOPLEFT;
    rgba.orientation = ORIENTATION_TOPLEFT;
    const uint32_t bandRows =
        std::min<uint32_t>((63 / s.bandRows + 1) * s.bandRows, uint32_t(s.height));
    std::vector<uint32_t> raster;
    if (!allocateBuffer(raster, qint64(s.width) * bandRows, MaxBufferBytes, why))
        return false;
    const SrgbConversion colour(profile, PixelLayout::Rgb32, s.grey());
    for (uint32_t top = 0; top < uint32_t(s.height); top += bandRows) {
        const uint32_t rows = std::min(bandRows, uint32_t(s.height) - top);
        rgba.row_offset = int(top);
        rgba.col_offset = 0;
        if (!TIFFRGBAImageGet(&rgba, raster.data(), uint32_t(s.width), rows))
            return false;
        for (uint32_t y = 0; y < rows; ++y) {
            // libtiff's words hold red in the low byte; any alpha comes premultiplied.
            const uint32_t *in = raster.data() + qint64(y) * s.width;
            QRgb *out = picture.row(int(top + y));
            for (int x = 0; x < s.width; ++x)
                out[x] = qRgba(int(TIFFGetR(in[x])), int(TIFFGetG(in[x])), int(TIFFGetB(in[x])),
                               int(TIFFGetA(in[x])));
            colour.convert(out, out, s.width);
            picture.rowDone(int(top + y));
        }
    }
    return true;
}

// The format rows are decoded in: alpha as the file keeps it.
QImage::Format formatFor(const Layout &s, bool bySamples)
{
    if (!bySamples)
        return s.alphaSample >= 0 || s.photometric == PHOTOMETRIC_PALETTE
                   ? QImage::Format_ARGB32_Premultiplied
                   : QImage::Format_RGB32;
    if (s.alphaSample < 0 || s.cmyk())
        return QImage::Format_RGB32;
    return s.associatedAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32;
}
} // namespace

bool looksLikeTiff(const QByteArray &head)
{
    return head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)) ||
           head.startsWith(QByteArray("II+\0", 4)) || head.startsWith(QByteArray("MM\0+", 4));
}

bool readTiffHeader(QIODevice *device, PictureHeader *header, QString *why)
{
    DeviceFile file{device, device->pos(), QString()};
    const Tiff tiff = openTiff(file);
    const bool read = tiff && readHeader(tiff.get(), header);
    device->seek(file.start);
    return read || refuse(why, failure(file, notReadableReason()));
}

bool tiffReachesItsEnd(QIODevice *device)
{
    DeviceFile file{device, device->pos(), QString()};
    const Tiff tiff = openTiff(file);
    if (!tiff)
        return false;
    const uint64_t size = uint64_t(device->size() - file.start);
    const uint32_t count =
        TIFFIsTiled(tiff.get()) ? TIFFNumberOfTiles(tiff.get()) : TIFFNumberOfStrips(tiff.get());
    bool whole = count > 0;
    for (uint32_t strile = 0; strile < count && whole; ++strile) {
        int failed = 0;
        const uint64_t offset = TIFFGetStrileOffsetWithErr(tiff.get(), strile, &failed);
        const uint64_t bytes = TIFFGetStrileByteCountWithErr(tiff.get(), strile, &failed);
        whole = !failed && offset <= size && bytes <= size - offset;
    }
    device->seek(file.start);
    return whole;
}

QImage decodeTiff(QIODevice *device, QSize scaledSize, QString *why)
{
    DeviceFile file{device, device->pos(), QString()};
    const Tiff tiff = openTiff(file);
    PictureHeader header;
    if (!tiff || !readHeader(tiff.get(), &header)) {
        refuse(why, failure(file, notReadableReason()));
        return QImage();
    }
    if (!withinPictureLimits(header.size)) {
        refuse(why, beyondPictureLimits(header.size));
        return QImage();
    }
    Layout layout;
    if (!readLayout(tiff.get(), header.size, &layout, why))
        return QImage();
    const bool bySamples = readsBySamples(layout);
    PictureRows picture(header.size, formatFor(layout, bySamples), scaledSize);
    if (!picture.allocate(why))
        return QImage();
    // Only errors of the decoding itself count from here.
    file.error.clear();
    file.endReached = false;
    QString readerWhy;
    const bool read =
        bySamples ? readBySamples(tiff.get(), layout, header.profile, picture, &readerWhy)
                  : readThroughRgba(tiff.get(), layout, header.profile, picture, &readerWhy);
    if (!read || !file.error.isEmpty() || file.endReached) {
        refuse(why, failure(file, readerWhy.isEmpty()
                                      ? QCoreApplication::translate(
                                            "Quorvel", "the TIFF's pixel data cannot be read")
                                      : readerWhy));
        return QImage();
    }
    return picture.take();
}
