#include "pictures/tiff.h"

#include "pictures/picturelimits.h"
#include "pictures/picturerows.h"
#include "pictures/refusal.h"
#include "pictures/tiffparts.h"

#include <QIODevice>
#include <algorithm>
#include <climits>
#include <cstdarg>

namespace {
// Colour, alpha and a few spot channels; a header may claim 65535.
constexpr int MaxSamplesPerPixel = 16;

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

} // namespace

Tiff openTiff(DeviceFile &file)
{
    // libtiff reads the header from where the device stands.
    if (!file.device->seek(file.start))
        return nullptr;
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, keepError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, dropWarning, &file);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(MaxBufferBytes));
    Tiff tiff(TIFFClientOpenExt("TIFF", "rm", &file, readDevice, writeNothing, seekDevice,
                                closeNothing, deviceSize, mapNothing, unmapNothing, options));
    TIFFOpenOptionsFree(options);
    return tiff;
}

namespace {
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

    // Extra samples come last; the first that is alpha is the picture's alpha. Samples beyond
    // the colours with no ExtraSamples tag at all are defined by libtiff as unspecified.
    uint16_t extraCount = 0;
    const uint16_t *extraTypes = nullptr;
    if (TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes) && extraTypes) {
        for (int i = 0; i < extraCount && i < samples; ++i) {
            if (extraTypes[i] == EXTRASAMPLE_ASSOCALPHA ||
                extraTypes[i] == EXTRASAMPLE_UNASSALPHA) {
                s.alphaSample = samples - extraCount + i;
                s.associatedAlpha = extraTypes[i] == EXTRASAMPLE_ASSOCALPHA;
                break;
            }
        }
        // Panorama tools mark the alpha of their transparent surround "unspecified", or leave
        // the tag out.
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

QImage decodeTiff(QIODevice *device, QSize scaledSize, QString *why, PictureHeader *decoded)
{
    DeviceFile file{device, device->pos(), QString()};
    const Tiff tiff = openTiff(file);
    PictureHeader &header = *decoded;
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
        bySamples ? readBySamples(file, tiff.get(), layout, header.profile, picture, &readerWhy)
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
