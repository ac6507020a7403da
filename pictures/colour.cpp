#include "pictures/colour.h"

#include "pictures/matrixshaper.h"
#include "pictures/runaside.h"

#include <QColorSpace>
#include <QCryptographicHash>
#include <QMutex>
#include <QMutexLocker>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <future>
#include <lcms2.h>
#include <memory>
#include <utility>

namespace {
using Transform = std::shared_ptr<void>;

constexpr cmsUInt32Number Intent = INTENT_RELATIVE_COLORIMETRIC;
// Without the one-pixel cache a transform may be used by several threads at once.
constexpr cmsUInt32Number Flags = cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE;
// Grey pixels decoded to QRgb words: the first byte of each word is the grey level, the other
// three are passed over (and, converting in place, the alpha byte is kept).
constexpr cmsUInt32Number TYPE_GREY_IN_BGRA_8 =
    COLORSPACE_SH(PT_GRAY) | EXTRA_SH(3) | CHANNELS_SH(1) | BYTES_SH(1);

struct ProfileCloser
{
    void operator()(void *profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

// LittleCMS reports unusable profiles through its error handler: they are expected here (the
// picture then reads without its profile), not noise for the terminal.
void quietErrors(cmsContext, cmsUInt32Number, const char *) {}

Profile openProfile(const QByteArray &bytes)
{
    static const bool quiet = (cmsSetLogErrorHandler(quietErrors), true);
    Q_UNUSED(quiet);
    return Profile(bytes.isEmpty()
                       ? nullptr
                       : cmsOpenProfileFromMem(bytes.constData(), cmsUInt32Number(bytes.size())));
}

// The colour space a profile describes, from its header. Read here rather than through
// LittleCMS, whose enumeration a hostile profile can fill with a value it does not have.
quint32 colourSpaceOf(const QByteArray &profile)
{
    return profile.size() < 20 ? 0 : qFromBigEndian<quint32>(profile.constData() + 16);
}

// The LittleCMS pixel type of a layout, for a profile of colour space `space`; 0 when the
// profile does not apply to such pixels.

cmsUInt32Number inputFormat(PixelLayout layout, bool greyPixels, quint32 space)
{
    switch (layout) {
    case PixelLayout::Rgb32:
        if (space == cmsSigRgbData)
            return TYPE_BGRA_8;
        return greyPixels && space == cmsSigGrayData ? TYPE_GREY_IN_BGRA_8 : 0;
    case PixelLayout::Grey8:
        return space == cmsSigGrayData ? TYPE_GRAY_8 : 0;
    case PixelLayout::Cmyk8:
        return space == cmsSigCmykData ? TYPE_CMYK_8 : 0;
    case PixelLayout::InvertedCmyk8:
        return space == cmsSigCmykData ? TYPE_CMYK_8_REV : 0;
    case PixelLayout::Cmyk16:
        return space == cmsSigCmykData ? TYPE_CMYK_16 : 0;
    }
    return 0;
}
} // namespace

// How pixels of one profile and layout become sRGB: LittleCMS's transform, and for RGB
// matrix-shaper profiles converted without tables the quicker evaluation above.
struct SrgbConversion::Conversion
{
    Transform transform;
    cmsUInt32Number input = 0;
    std::shared_ptr<const MatrixShaper> matrixShaper;
};

namespace {
// Transforms are costly to build and cheap to apply: kept per profile (by its digest, so that
// no profile's bytes are held) and pixel layout, with the decision that there is nothing to
// convert kept too. A studio's editors use a handful of profiles; a folder of files each with
// its own profile only makes the oldest ones go. Profiles LittleCMS cannot parse are not kept:
// a folder of hostile files, each with its own, would only push out the real ones.
class TransformCache
{
public:
    using Conversion = SrgbConversion::Conversion;

    // Null when the profile cannot be parsed, does not apply to such pixels, or is sRGB.
    std::shared_ptr<const Conversion> get(const QByteArray &profile, PixelLayout layout,
                                          bool greyPixels)
    {
        const Key key{QCryptographicHash::hash(profile, QCryptographicHash::Sha256), layout,
                      greyPixels};
        QMutexLocker locker(&mutex);
        for (const auto &[known, conversion] : transforms) {
            if (known == key)
                return conversion;
        }
        std::shared_ptr<Conversion> conversion;
        const Profile source = openProfile(profile);
        if (!source)
            return conversion;
        const cmsUInt32Number input = inputFormat(layout, greyPixels, colourSpaceOf(profile));
        const Profile srgb(input ? cmsCreate_sRGBProfile() : nullptr);
        // Only RGB profiles can describe the sheet's own colours.
        if (input && !(input == TYPE_BGRA_8 && describesSrgb(source.get(), srgb.get()))) {
            if (cmsHTRANSFORM made = cmsCreateTransform(source.get(), input, srgb.get(),
                                                        TYPE_BGRA_8, Intent, Flags)) {
                conversion = std::make_shared<Conversion>();
                conversion->transform = Transform(made, cmsDeleteTransform);
                conversion->input = input;
                if (input == TYPE_BGRA_8 && !usesTables(source.get()))
                    conversion->matrixShaper = makeMatrixShaper(source.get(), srgb.get());
            }
        }
        if (transforms.size() >= Capacity)
            transforms.pop_front();
        transforms.push_back({key, conversion});
        return conversion;
    }

private:
    static constexpr std::size_t Capacity = 16;
    struct Key
    {
        QByteArray digest;
        PixelLayout layout;
        bool greyPixels;
        bool operator==(const Key &other) const
        {
            return layout == other.layout && greyPixels == other.greyPixels &&
                   digest == other.digest;
        }
    };

    QMutex mutex;
    // A transform in use elsewhere outlives its eviction through its shared pointer.
    std::deque<std::pair<Key, std::shared_ptr<const Conversion>>> transforms;
};

TransformCache &transformCache()
{
    static TransformCache cache;
    return cache;
}

// The plain conversion of printing, for CMYK without a usable profile.
QRgb plainCmyk(int cyan, int magenta, int yellow, int black)
{
    auto channel = [black](int ink) { return (255 - ink) * (255 - black) / 255; };
    return qRgb(channel(cyan), channel(magenta), channel(yellow));
}
} // namespace

SrgbConversion::SrgbConversion(const QByteArray &profile, PixelLayout layout, bool greyPixels)
    : conversion(profile.isEmpty() || profile.size() > MaxProfileBytes
                     ? nullptr
                     : transformCache().get(profile, layout, greyPixels)),
      layout(layout)
{}

void SrgbConversion::convert(const void *in, QRgb *out, int count) const
{
    if (layout == PixelLayout::Rgb32) {
        // In place: LittleCMS writes the three colour bytes only, so the alpha byte is kept.
        if (in != out)
            std::copy_n(static_cast<const QRgb *>(in), count, out);
        if (conversion && conversion->matrixShaper)
            conversion->matrixShaper->convert(out, count);
        else if (conversion)
            cmsDoTransform(conversion->transform.get(), out, out, cmsUInt32Number(count));
        return;
    }
    if (conversion) {
        std::fill_n(out, count, 0xFF000000u);
        cmsDoTransform(conversion->transform.get(), in, out, cmsUInt32Number(count));
        return;
    }
    const auto *bytes = static_cast<const uchar *>(in);
    switch (layout) {
    case PixelLayout::Rgb32:
        break;
    case PixelLayout::Grey8:
        for (int x = 0; x < count; ++x)
            out[x] = qRgb(bytes[x], bytes[x], bytes[x]);
        break;
    case PixelLayout::Cmyk8:
        for (int x = 0; x < count; ++x, bytes += 4)
            out[x] = plainCmyk(bytes[0], bytes[1], bytes[2], bytes[3]);
        break;
    case PixelLayout::InvertedCmyk8:
        for (int x = 0; x < count; ++x, bytes += 4)
            out[x] = plainCmyk(255 - bytes[0], 255 - bytes[1], 255 - bytes[2], 255 - bytes[3]);
        break;
    case PixelLayout::Cmyk16: {
        const auto *words = static_cast<const quint16 *>(in);
        for (int x = 0; x < count; ++x, words += 4)
            out[x] = plainCmyk(words[0] >> 8, words[1] >> 8, words[2] >> 8, words[3] >> 8);
        break;
    }
    }
}

bool convertToSrgb(QImage &image, const QByteArray &profile)
{
    if (image.isNull() || profile.isEmpty())
        return false;
    const bool grey =
        image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_Grayscale16;
    const SrgbConversion conversion(profile, PixelLayout::Rgb32, grey);
    if (!conversion.usesProfile())
        return false;
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    // Taken over rather than shared, so that writing it copies nothing.
    QImage converted =
        image.format() == format ? std::exchange(image, QImage()) : image.convertToFormat(format);
    if (converted.isNull())
        return false;
    // Row by row, as QImage rows may be padded; in place; the rows are shared between two
    // threads.
    uchar *bits = converted.bits();
    const qsizetype stride = converted.bytesPerLine();
    auto convertRows = [&, width = converted.width()](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            auto *row = reinterpret_cast<QRgb *>(bits + y * stride);
            conversion.convert(row, row, width);
        }
    };
    const int middle = converted.height() / 2;
    std::future<void> upper = runAside([&] { convertRows(0, middle); });
    convertRows(middle, converted.height());
    upper.get();
    converted.setColorSpace(QColorSpace::SRgb);
    image = std::move(converted);
    return true;
}
