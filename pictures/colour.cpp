#include "pictures/colour.h"

#include <QMutex>
#include <QMutexLocker>
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

// The conversion of a matrix-shaper RGB profile (the usual kind for photos: Adobe RGB,
// ProPhoto, Display P3) to sRGB, evaluated here from the curves and colorants LittleCMS reads
// from the profile: a table per channel to linear light, one 3 x 3 matrix between the two sets
// of D50 colorants, a table back to sRGB's curve. It gives LittleCMS's relative colorimetric
// result within one level, at several times its speed, which keeps a converted picture about
// as quick to load as an untagged one.
struct MatrixShaper
{
    // What each level of each input channel adds to each linear output channel (0..65535):
    // the input curve and the matrix folded into tables, so a pixel costs nine look-ups.
    std::array<std::array<std::array<qint32, 256>, 3>, 3> contribution; // [output][input][level]
    std::array<uchar, 65536> toSrgb;

    void convert(QRgb *pixels, int count) const
    {
        const auto &red = contribution[0], &green = contribution[1], &blue = contribution[2];
        for (int x = 0; x < count; ++x) {
            const QRgb pixel = pixels[x];
            const uint r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
            const int outRed = std::clamp(red[0][r] + red[1][g] + red[2][b], 0, 65535);
            const int outGreen = std::clamp(green[0][r] + green[1][g] + green[2][b], 0, 65535);
            const int outBlue = std::clamp(blue[0][r] + blue[1][g] + blue[2][b], 0, 65535);
            pixels[x] = (pixel & 0xFF000000u) | (uint(toSrgb[outRed]) << 16) |
                        (uint(toSrgb[outGreen]) << 8) | toSrgb[outBlue];
        }
    }
};

// The columns of a profile's colorant matrix (XYZ of its red, green and blue, D50).
bool colorants(cmsHPROFILE profile, double matrix[3][3])
{
    const cmsTagSignature tags[] = {cmsSigRedColorantTag, cmsSigGreenColorantTag,
                                    cmsSigBlueColorantTag};
    for (int column = 0; column < 3; ++column) {
        const auto *xyz = static_cast<const cmsCIEXYZ *>(cmsReadTag(profile, tags[column]));
        if (!xyz)
            return false;
        matrix[0][column] = xyz->X;
        matrix[1][column] = xyz->Y;
        matrix[2][column] = xyz->Z;
    }
    return true;
}

bool invert(const double m[3][3], double inverse[3][3])
{
    const double determinant = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (std::abs(determinant) < 1e-9)
        return false;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            const int r1 = (column + 1) % 3, r2 = (column + 2) % 3;
            const int c1 = (row + 1) % 3, c2 = (row + 2) % 3;
            inverse[row][column] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / determinant;
        }
    return true;
}

std::shared_ptr<const MatrixShaper> makeMatrixShaper(cmsHPROFILE source)
{
    if (!cmsIsMatrixShaper(source) || cmsGetColorSpace(source) != cmsSigRgbData)
        return nullptr;
    const Profile srgb(cmsCreate_sRGBProfile());
    double from[3][3], to[3][3], toInverse[3][3];
    if (!colorants(source, from) || !colorants(srgb.get(), to) || !invert(to, toInverse))
        return nullptr;
    double matrix[3][3];
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            matrix[row][column] = 0;
            for (int k = 0; k < 3; ++k)
                matrix[row][column] += toInverse[row][k] * from[k][column];
        }
    auto shaper = std::make_shared<MatrixShaper>();
    const cmsTagSignature curves[] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (int channel = 0; channel < 3; ++channel) {
        const auto *curve = static_cast<const cmsToneCurve *>(cmsReadTag(source, curves[channel]));
        // A curve that does not start at black would need black-point compensation.
        if (!curve || cmsEvalToneCurveFloat(curve, 0.0f) > 1e-4f)
            return nullptr;
        for (int level = 0; level < 256; ++level) {
            const double linear = cmsEvalToneCurveFloat(curve, level / 255.0f) * 65535.0;
            for (int out = 0; out < 3; ++out)
                shaper->contribution[out][channel][level] =
                    qint32(std::lround(matrix[out][channel] * linear));
        }
    }
    const auto *srgbCurve =
        static_cast<const cmsToneCurve *>(cmsReadTag(srgb.get(), cmsSigRedTRCTag));
    cmsToneCurve *encode = srgbCurve ? cmsReverseToneCurve(srgbCurve) : nullptr;
    if (!encode)
        return nullptr;
    for (int value = 0; value < 65536; ++value)
        shaper->toSrgb[value] = uchar(std::clamp(
            std::lround(cmsEvalToneCurveFloat(encode, value / 65535.0f) * 255.0), 0L, 255L));
    cmsFreeToneCurve(encode);
    return shaper;
}

// How pixels of one profile and layout become sRGB: LittleCMS's transform, and for RGB
// matrix-shaper profiles the quicker evaluation above.
struct Conversion
{
    Transform transform;
    std::shared_ptr<const MatrixShaper> matrixShaper;
    explicit operator bool() const { return bool(transform); }
};

// Transforms are costly to build and cheap to apply: kept per profile and pixel layout, with
// the decision that there is nothing to convert kept too. A studio's editors use a handful of
// profiles; a folder of files each with its own profile only makes the oldest ones go.
class TransformCache
{
public:
    // Empty when the profile cannot be parsed, describes other pixels than `input`, or is sRGB.
    Conversion get(const QByteArray &profile, cmsUInt32Number input)
    {
        const Key key{profile, input};
        QMutexLocker locker(&mutex);
        for (const auto &[known, conversion] : transforms) {
            if (known == key)
                return conversion;
        }
        Conversion conversion;
        const Profile source = openProfile(profile);
        if (source && cmsGetColorSpace(source.get()) == spaceOf(input) && !isSrgb(source.get())) {
            const Profile srgb(cmsCreate_sRGBProfile());
            if (cmsHTRANSFORM made =
                    cmsCreateTransform(source.get(), input, srgb.get(), TYPE_BGRA_8, Intent, Flags))
                conversion.transform = Transform(made, cmsDeleteTransform);
            if (conversion && input == TYPE_BGRA_8)
                conversion.matrixShaper = makeMatrixShaper(source.get());
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
        QByteArray profile;
        cmsUInt32Number input;
        bool operator==(const Key &other) const
        {
            return input == other.input && profile == other.profile;
        }
    };

    QMutex mutex;
    // A transform in use elsewhere outlives its eviction through its shared pointer.
    std::deque<std::pair<Key, Conversion>> transforms;
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
    const Conversion conversion = transformCache().get(profile, grey ? TYPE_GRAY_8 : TYPE_BGRA_8);
    if (!conversion)
        return false;
    QImage converted;
    QImage source;
    if (grey) {
        source = image.convertToFormat(QImage::Format_Grayscale8);
        converted = QImage(image.size(), QImage::Format_RGB32);
        converted.fill(Qt::white); // the alpha byte, which LittleCMS leaves alone
    } else {
        const QImage::Format format =
            image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        // Taken over rather than shared, so that writing it copies nothing.
        converted = image.format() == format ? std::exchange(image, QImage())
                                             : image.convertToFormat(format);
    }
    if (converted.isNull())
        return false;
    // Row by row, as QImage rows may be padded; RGB in place. The alpha byte is an extra
    // channel neither conversion writes, so it keeps its value. The rows are shared between
    // two threads.
    uchar *bits = converted.bits();
    const qsizetype stride = converted.bytesPerLine();
    const int width = converted.width();
    auto convertRows = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            uchar *row = bits + y * stride;
            if (conversion.matrixShaper)
                conversion.matrixShaper->convert(reinterpret_cast<QRgb *>(row), width);
            else
                cmsDoTransform(conversion.transform.get(), grey ? source.constScanLine(y) : row,
                               row, cmsUInt32Number(width));
        }
    };
    const int middle = converted.height() / 2;
    std::future<void> upper = std::async(std::launch::async, convertRows, 0, middle);
    convertRows(middle, converted.height());
    upper.get();
    image = converted;
    return true;
}

CmykConverter::CmykConverter(const QByteArray &profile, int bits)
    : transform(
          profile.isEmpty()
              ? Transform()
              : transformCache().get(profile, bits == 16 ? TYPE_CMYK_16 : TYPE_CMYK_8).transform),
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
