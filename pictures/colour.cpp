#include "pictures/colour.h"

#include <QMutex>
#include <QMutexLocker>
#include <deque>
#include <lcms2.h>
#include <memory>
#include <utility>

namespace {
using Transform = std::shared_ptr<void>;

constexpr cmsUInt32Number Intent = INTENT_RELATIVE_COLORIMETRIC;
// Without the one-pixel cache a transform may be used by several threads at once.
constexpr cmsUInt32Number Flags = cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE;

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

// Profiles that call themselves sRGB (IEC 61966-2.1 and its many re-issues) describe the
// sheet's own colours: converting would only round the pixels.
bool isSrgb(cmsHPROFILE profile)
{
    char description[256] = {};
    cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", description,
                           sizeof description);
    return QByteArray(description).trimmed().startsWith("sRGB");
}

cmsColorSpaceSignature spaceOf(cmsUInt32Number format)
{
    switch (T_COLORSPACE(format)) {
    case PT_GRAY:
        return cmsSigGrayData;
    case PT_CMYK:
        return cmsSigCmykData;
    default:
        return cmsSigRgbData;
    }
}

// Transforms are costly to build and cheap to apply: kept per profile and pixel layout, with
// the decision that there is nothing to convert kept too. A studio's editors use a handful of
// profiles; a folder of files each with its own profile only makes the oldest ones go.
class TransformCache
{
public:
    // Null when the profile cannot be parsed, describes other pixels than `input`, or is sRGB.
    Transform get(const QByteArray &profile, cmsUInt32Number input)
    {
        const Key key{profile, input};
        QMutexLocker locker(&mutex);
        for (const auto &[known, transform] : transforms) {
            if (known == key)
                return transform;
        }
        Transform transform;
        const Profile source = openProfile(profile);
        if (source && cmsGetColorSpace(source.get()) == spaceOf(input) && !isSrgb(source.get())) {
            const Profile srgb(cmsCreate_sRGBProfile());
            if (cmsHTRANSFORM made =
                    cmsCreateTransform(source.get(), input, srgb.get(), TYPE_BGRA_8, Intent, Flags))
                transform = Transform(made, cmsDeleteTransform);
        }
        if (transforms.size() >= Capacity)
            transforms.pop_front();
        transforms.push_back({key, transform});
        return transform;
    }

private:
    static constexpr std::size_t Capacity = 16;
    struct Key
    {
        QByteArray profile;
        cmsUInt32Number input;
        bool operator==(const Key &other) const
        {
            return input == other.input && profile == other.profile;
        }
    };

    QMutex mutex;
    // A transform in use elsewhere outlives its eviction through its shared pointer.
    std::deque<std::pair<Key, Transform>> transforms;
};

TransformCache &transformCache()
{
    static TransformCache cache;
    return cache;
}
} // namespace

bool convertToSrgb(QImage &image, const QByteArray &profile)
{
    if (image.isNull() || profile.isEmpty())
        return false;
    const bool grey =
        image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_Grayscale16;
    const Transform transform = transformCache().get(profile, grey ? TYPE_GRAY_8 : TYPE_BGRA_8);
    if (!transform)
        return false;
    QImage converted;
    QImage source;
    if (grey) {
        source = image.convertToFormat(QImage::Format_Grayscale8);
        converted = QImage(image.size(), QImage::Format_RGB32);
        converted.fill(Qt::white); // the alpha byte, which LittleCMS leaves alone
    } else {
        converted = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                  : QImage::Format_RGB32);
    }
    if (converted.isNull())
        return false;
    // Row by row, as QImage rows may be padded; RGB in place. The alpha byte is an extra
    // channel LittleCMS does not write, so it keeps its value.
    for (int y = 0; y < converted.height(); ++y) {
        uchar *row = converted.scanLine(y);
        cmsDoTransform(transform.get(), grey ? source.constScanLine(y) : row, row,
                       cmsUInt32Number(converted.width()));
    }
    image = converted;
    return true;
}

CmykConverter::CmykConverter(const QByteArray &profile, int bits)
    : transform(profile.isEmpty()
                    ? Transform()
                    : transformCache().get(profile, bits == 16 ? TYPE_CMYK_16 : TYPE_CMYK_8)),
      bits(bits)
{}

void CmykConverter::convert(const void *cmyk, QRgb *out, int count) const
{
    if (transform) {
        cmsDoTransform(transform.get(), cmyk, out, cmsUInt32Number(count));
        for (int x = 0; x < count; ++x)
            out[x] |= 0xFF000000u;
        return;
    }
    for (int x = 0; x < count; ++x) {
        int ink[4];
        for (int c = 0; c < 4; ++c)
            ink[c] = bits == 16 ? static_cast<const quint16 *>(cmyk)[4 * x + c] >> 8
                                : static_cast<const uchar *>(cmyk)[4 * x + c];
        auto channel = [&](int colour) { return (255 - colour) * (255 - ink[3]) / 255; };
        out[x] = qRgb(channel(ink[0]), channel(ink[1]), channel(ink[2]));
    }
}

QByteArray srgbProfile()
{
    const Profile srgb(cmsCreate_sRGBProfile());
    cmsUInt32Number size = 0;
    if (!cmsSaveProfileToMem(srgb.get(), nullptr, &size))
        return QByteArray();
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(srgb.get(), bytes.data(), &size);
    return bytes;
}
