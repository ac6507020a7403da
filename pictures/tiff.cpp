#include "pictures/tiff.h"

#include "pictures/colour.h"
#include "pictures/picturelimits.h"

#include <QIODevice>
#include <QVector>
#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <tiffio.h>

namespace {
// libtiff reads through the device, its offsets counted from where the file starts.
struct DeviceFile
{
    QIODevice *device;
    qint64 start;
    QString error;
};

tmsize_t readDevice(thandle_t handle, void *buffer, tmsize_t size)
{
    return static_cast<DeviceFile *>(handle)->device->read(static_cast<char *>(buffer), size);
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

// Keeps the first error of an open file as the reason it is refused; warnings go nowhere.
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
    // No single allocation beyond what the largest picture allowed needs.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(MaxPicturePixels) * 8);
    Tiff tiff(TIFFClientOpenExt("picture", "rm", &file, readDevice, writeNothing, seekDevice,
                                closeNothing, deviceSize, mapNothing, unmapNothing, options));
    TIFFOpenOptionsFree(options);
    return tiff;
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

bool readHeader(TIFF *tiff, TiffHeader *header)
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

// The layout of the samples, for the files read sample by sample.
struct Samples
{
    int width = 0;
    int height = 0;
    int perPixel = 1;
    int bits = 8;
    bool planar = false;
    bool floating = false;
    uint16_t photometric = 0;
};

// One sample of a row as 0..1; rows start on a byte, 12-bit samples are packed big-endian.
double sampleAt(const uchar *row, qint64 index, const Samples &s)
{
    switch (s.bits) {
    case 8:
        return row[index] / 255.0;
    case 12: {
        const qint64 bit = index * 12;
        const uint32_t pair = (uint32_t(row[bit / 8]) << 8) | row[bit / 8 + 1];
        return ((bit % 8) ? (pair & 0x0FFF) : (pair >> 4)) / 4095.0;
    }
    case 16:
        return reinterpret_cast<const uint16_t *>(row)[index] / 65535.0;
    default: {
        float value = 0;
        std::memcpy(&value, row + 4 * index, 4);
        // NaN and negative values are black; infinities and overshoots white.
        return value > 0 ? std::min(double(value), 1.0) : 0.0;
    }
    }
}

// Turns one row of samples (interleaved) into sRGB pixels.
void convertRow(const uchar *row, const Samples &s, const CmykConverter &inks, QRgb *out,
                QVector<uchar> &cmyk)
{
    if (s.photometric == PHOTOMETRIC_SEPARATED) {
        if (s.perPixel == 4) {
            inks.convert(row, out, s.width);
            return;
        }
        // Extra channels after the inks: gather the four inks first.
        const int bytes = s.bits / 8;
        cmyk.resize(qsizetype(s.width) * 4 * bytes);
        for (int x = 0; x < s.width; ++x)
            std::memcpy(cmyk.data() + qsizetype(x) * 4 * bytes,
                        row + qsizetype(x) * s.perPixel * bytes, size_t(4 * bytes));
        inks.convert(cmyk.constData(), out, s.width);
        return;
    }
    const bool grey =
        s.photometric == PHOTOMETRIC_MINISBLACK || s.photometric == PHOTOMETRIC_MINISWHITE;
    for (int x = 0; x < s.width; ++x) {
        const qint64 first = qint64(x) * s.perPixel;
        auto level = [&](int channel) {
            double value = sampleAt(row, first + channel, s);
            if (s.photometric == PHOTOMETRIC_MINISWHITE)
                value = 1.0 - value;
            return int(value * 255.0 + 0.5);
        };
        out[x] = grey ? qRgb(level(0), level(0), level(0)) : qRgb(level(0), level(1), level(2));
    }
}

// Reads the whole picture band by band (a strip or a row of tiles at a time, every plane),
// interleaving planar samples, and converts it row by row.
bool readBySamples(TIFF *tiff, const Samples &s, const QByteArray &profile, QImage &picture,
                   QString *error)
{
    const bool tiled = TIFFIsTiled(tiff);
    uint32_t tileWidth = 0, bandHeight = 0;
    if (tiled) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &bandHeight);
    } else {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &bandHeight);
    }
    bandHeight = std::clamp<uint32_t>(bandHeight, 1, uint32_t(s.height));
    const int planes = s.planar ? s.perPixel : 1;
    const int samplesInPlane = s.planar ? 1 : s.perPixel;
    // Bytes of one row of one plane, and of one row with every sample interleaved.
    auto rowBytes = [&](int samples) { return (qint64(s.width) * samples * s.bits + 7) / 8; };
    const qint64 planeRow = rowBytes(samplesInPlane);
    const qint64 pixelRow = rowBytes(s.perPixel);
    const tmsize_t chunkSize = tiled ? TIFFTileSize(tiff) : TIFFStripSize(tiff);
    if (chunkSize <= 0 || (tiled && (tileWidth == 0 || tileWidth > (1u << 16))))
        return fail(error, QStringLiteral("the TIFF's strips or tiles are malformed"));
    QVector<uchar> chunk(chunkSize);
    QVector<QVector<uchar>> band(planes, QVector<uchar>(planeRow * bandHeight));
    QVector<uchar> interleaved(s.planar ? pixelRow : 0);
    QVector<uchar> cmyk;
    const CmykConverter inks(s.photometric == PHOTOMETRIC_SEPARATED ? profile : QByteArray(),
                             s.bits);
    // Tiles hold their rows at tile width; padded past the picture's right edge.
    const qint64 tileRow = tiled ? (qint64(tileWidth) * samplesInPlane * s.bits + 7) / 8 : 0;
    for (uint32_t top = 0; top < uint32_t(s.height); top += bandHeight) {
        const uint32_t rows = std::min<uint32_t>(bandHeight, uint32_t(s.height) - top);
        for (int plane = 0; plane < planes; ++plane) {
            if (!tiled) {
                const tmsize_t got =
                    TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, top, uint16_t(plane)),
                                         band[plane].data(), planeRow * rows);
                if (got < planeRow * qint64(rows))
                    return false;
                continue;
            }
            for (uint32_t left = 0; left < uint32_t(s.width); left += tileWidth) {
                const tmsize_t got =
                    TIFFReadEncodedTile(tiff, TIFFComputeTile(tiff, left, top, 0, uint16_t(plane)),
                                        chunk.data(), chunkSize);
                if (got < tileRow * qint64(rows))
                    return false;
                // Tile widths are multiples of 16, so whole bytes even at 12 bits a sample.
                const qint64 offset = (qint64(left) * samplesInPlane * s.bits) / 8;
                const qint64 length = std::min(tileRow, planeRow - offset);
                for (uint32_t y = 0; y < rows; ++y)
                    std::memcpy(band[plane].data() + y * planeRow + offset,
                                chunk.constData() + y * tileRow, size_t(length));
            }
        }
        for (uint32_t y = 0; y < rows; ++y) {
            const uchar *row = band[0].constData() + y * planeRow;
            if (s.planar) {
                // Interleave whole bytes (8, 16 and 32 bits a sample).
                const int bytes = s.bits / 8;
                for (int x = 0; x < s.width; ++x)
                    for (int p = 0; p < planes; ++p)
                        std::memcpy(interleaved.data() + (qint64(x) * planes + p) * bytes,
                                    band[p].constData() + y * planeRow + qint64(x) * bytes,
                                    size_t(bytes));
                row = interleaved.constData();
            }
            convertRow(row, s, inks, reinterpret_cast<QRgb *>(picture.scanLine(int(top + y))),
                       cmyk);
        }
    }
    return true;
}

// What the sample-by-sample reader takes; the RGBA interface handles everything else.
bool readsBySamples(const Samples &s, uint16_t inkSet)
{
    const bool floating = s.floating && s.bits == 32;
    switch (s.photometric) {
    case PHOTOMETRIC_SEPARATED:
        return inkSet == INKSET_CMYK && s.perPixel >= 4 && (s.bits == 8 || s.bits == 16) &&
               !s.floating;
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
        return (s.bits == 12 && !s.planar) || floating;
    case PHOTOMETRIC_RGB:
        return floating && s.perPixel >= 3;
    default:
        return false;
    }
}

QImage decodeThroughRgba(TIFF *tiff, QSize size, QString *error)
{
    char message[1024] = {};
    TIFFRGBAImage rgba{};
    if (!TIFFRGBAImageOK(tiff, message) || !TIFFRGBAImageBegin(&rgba, tiff, 0, message)) {
        fail(error, QString::fromLocal8Bit(message));
        return QImage();
    }
    // Rows as stored: the orientation is applied by the caller, as for every format.
    rgba.req_orientation = ORIENTATION_TOPLEFT;
    rgba.orientation = ORIENTATION_TOPLEFT;
    // libtiff writes 0xAABBGGRR words: Qt's byte-ordered RGBA, premultiplied as libtiff
    // associates any alpha.
    QImage picture(size,
                   rgba.alpha ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_RGBX8888);
    if (picture.isNull() || !TIFFRGBAImageGet(&rgba, reinterpret_cast<uint32_t *>(picture.bits()),
                                              uint32_t(size.width()), uint32_t(size.height())))
        picture = QImage();
    TIFFRGBAImageEnd(&rgba);
    return picture;
}
} // namespace

bool looksLikeTiff(const QByteArray &head)
{
    return head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)) ||
           head.startsWith(QByteArray("II+\0", 4)) || head.startsWith(QByteArray("MM\0+", 4));
}

bool readTiffHeader(QIODevice *device, TiffHeader *header, QString *error)
{
    DeviceFile file{device, device->pos(), QString()};
    const Tiff tiff = openTiff(file);
    const bool read = tiff && readHeader(tiff.get(), header);
    device->seek(file.start);
    if (!read)
        return fail(error,
                    file.error.isEmpty() ? QStringLiteral("not a readable TIFF file") : file.error);
    return true;
}

QImage decodeTiff(QIODevice *device, QSize scaledSize, QString *error)
{
    DeviceFile file{device, device->pos(), QString()};
    const Tiff tiff = openTiff(file);
    TiffHeader header;
    if (!tiff || !readHeader(tiff.get(), &header)) {
        fail(error, file.error.isEmpty() ? QStringLiteral("not a readable TIFF file") : file.error);
        return QImage();
    }
    if (!withinPictureLimits(header.size)) {
        fail(error, beyondPictureLimits(header.size));
        return QImage();
    }
    Samples s;
    s.width = header.size.width();
    s.height = header.size.height();
    uint16_t perPixel = 1, bits = 1, planar = PLANARCONFIG_CONTIG, format = SAMPLEFORMAT_UINT,
             photometric = PHOTOMETRIC_MINISBLACK, inkSet = INKSET_CMYK;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &perPixel);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_INKSET, &inkSet);
    s.perPixel = perPixel;
    s.bits = bits;
    s.planar = planar == PLANARCONFIG_SEPARATE;
    s.floating = format == SAMPLEFORMAT_IEEEFP;
    s.photometric = photometric;

    QImage picture;
    if (readsBySamples(s, inkSet)) {
        picture = QImage(header.size, QImage::Format_RGB32);
        if (!picture.isNull() && !readBySamples(tiff.get(), s, header.profile, picture, error))
            picture = QImage();
    } else {
        picture = decodeThroughRgba(tiff.get(), header.size, error);
        convertToSrgb(picture, header.profile);
    }
    if (picture.isNull()) {
        // libtiff's own words where the reader had none of its own.
        if (error && error->isEmpty())
            *error = file.error.isEmpty() ? QStringLiteral("the TIFF's pixel data cannot be read")
                                          : file.error;
        return QImage();
    }
    if (scaledSize.isValid() && !scaledSize.isEmpty() && scaledSize != picture.size())
        picture = picture.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}
