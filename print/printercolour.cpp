#include "print/printercolour.h"

#include "pictures/runaside.h"

#include <QCoreApplication>
#include <QFile>
#include <cstring>
#include <lcms2.h>

namespace {
// Printer profiles with 16-bit tables for every intent stay within a few megabytes.
constexpr qint64 MaxPrinterProfileBytes = 64 << 20;

QString say(const char *text)
{
    return QCoreApplication::translate("Quorvel", text);
}

cmsUInt32Number lcmsIntent(RenderingIntent intent)
{
    return intent == RenderingIntent::Perceptual ? INTENT_PERCEPTUAL : INTENT_RELATIVE_COLORIMETRIC;
}

// What a profile of another class than a printer's is made for.
QString madeFor(cmsProfileClassSignature profileClass)
{
    switch (profileClass) {
    case cmsSigInputClass:
        return say(QT_TRANSLATE_NOOP("Quorvel", "a scanner or camera"));
    case cmsSigDisplayClass:
        return say(QT_TRANSLATE_NOOP("Quorvel", "a screen"));
    case cmsSigLinkClass:
        return say(QT_TRANSLATE_NOOP("Quorvel", "a device link"));
    default:
        return say(QT_TRANSLATE_NOOP("Quorvel", "a colour space"));
    }
}

// A colour space signature as its four letters, e.g. "GRAY" or "Lab".
QString signatureText(cmsUInt32Number signature)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += QChar(char((signature >> shift) & 0xff));
    return text.trimmed();
}

// The first of `bytes` bytes from `from` on that is not 255, or `bytes`: eight at a time.
int firstNotFull(const uchar *row, int from, int bytes)
{
    for (quint64 eight; from + 8 <= bytes; from += 8) {
        std::memcpy(&eight, row + from, 8);
        if (eight != ~quint64(0))
            break;
    }
    while (from < bytes && row[from] == 255)
        ++from;
    return from;
}

// Fills `count` pixels with `colour`, a doubling copy at a time.
void fill(uchar *pixels, int count, const uchar colour[3])
{
    const qsizetype bytes = 3 * qsizetype(count);
    std::memcpy(pixels, colour, 3);
    for (qsizetype filled = 3; filled < bytes; filled *= 2)
        std::memcpy(pixels + filled, pixels, size_t(std::min(filled, bytes - filled)));
}

// Converts `width` RGB888 pixels in place. A sheet is mostly white paper between its copies:
// runs of white take the converted white at memory speed, which is what LittleCMS gives each of
// their pixels, and only the rest goes through the transform.
void convertRow(cmsHTRANSFORM transform, uchar *row, int width, const uchar white[3])
{
    // Shorter runs cost less through the transform, whose one-pixel cache repeats the last
    // colour, than a call of their own.
    constexpr int ShortestWhiteRun = 16;
    auto transformPixels = [&](int from, int to) {
        if (to > from)
            cmsDoTransform(transform, row + 3 * from, row + 3 * from, cmsUInt32Number(to - from));
    };
    int unconverted = 0; // the first pixel not converted yet
    for (int x = 0; x < width;) {
        const uchar *pixel = row + 3 * x;
        if ((pixel[0] & pixel[1] & pixel[2]) != 255) {
            ++x;
            continue;
        }
        // Every pixel before the first byte short of 255 is white.
        const int end = firstNotFull(row, 3 * x, 3 * width) / 3;
        if (end - x >= ShortestWhiteRun) {
            transformPixels(unconverted, x);
            fill(row + 3 * x, end - x, white);
            unconverted = end;
        }
        x = end;
    }
    transformPixels(unconverted, width);
}
} // namespace

// One transform for either half of a band: the one-pixel cache that makes runs of one colour
// cheap is the transform's own, not for two threads at once.
struct PrinterColour::Handles
{
    cmsHPROFILE printer = nullptr;
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM halves[2] = {};
    uchar white[3] = {}; // sRGB white converted, LittleCMS's own result
    ~Handles()
    {
        for (cmsHTRANSFORM transform : halves)
            if (transform)
                cmsDeleteTransform(transform);
        for (cmsHPROFILE profile : {printer, srgb})
            if (profile)
                cmsCloseProfile(profile);
    }
};

PrinterColour::PrinterColour(std::unique_ptr<Handles> handles, const PrinterProfile &profile)
    : handles(std::move(handles)), profile(profile)
{}

PrinterColour::~PrinterColour() = default;

std::shared_ptr<const PrinterColour> PrinterColour::open(const PrinterProfile &profile,
                                                         QString *whyNot)
{
    QFile file(profile.path);
    if (!file.open(QIODevice::ReadOnly)) {
        *whyNot = say(QT_TRANSLATE_NOOP("Quorvel", "%1 cannot be read: %2"))
                      .arg(profile.path, file.errorString());
        return nullptr;
    }
    const QByteArray bytes = file.read(MaxPrinterProfileBytes + 1);
    if (bytes.size() > MaxPrinterProfileBytes) {
        *whyNot = say(QT_TRANSLATE_NOOP("Quorvel", "%1 is larger than any printer profile"))
                      .arg(profile.path);
        return nullptr;
    }
    auto handles = std::make_unique<Handles>();
    handles->printer =
        bytes.isEmpty() ? nullptr
                        : cmsOpenProfileFromMem(bytes.constData(), cmsUInt32Number(bytes.size()));
    if (!handles->printer) {
        *whyNot = say(QT_TRANSLATE_NOOP("Quorvel", "%1 is no ICC profile")).arg(profile.path);
        return nullptr;
    }
    const cmsProfileClassSignature profileClass = cmsGetDeviceClass(handles->printer);
    if (profileClass != cmsSigOutputClass) {
        *whyNot = say(QT_TRANSLATE_NOOP("Quorvel", "%1 is the profile of %2, not of a printer"))
                      .arg(profile.path, madeFor(profileClass));
        return nullptr;
    }
    const cmsColorSpaceSignature space = cmsGetColorSpace(handles->printer);
    if (space == cmsSigCmykData) {
        *whyNot = say(QT_TRANSLATE_NOOP("Quorvel",
                                        "%1 is a CMYK profile: Qt 6.4, which draws the print job, "
                                        "hands printers RGB only; choose the printer's RGB "
                                        "profile"))
                      .arg(profile.path);
        return nullptr;
    }
    if (space != cmsSigRgbData) {
        *whyNot = say(QT_TRANSLATE_NOOP("Quorvel", "%1 is a profile of %2 colours, not of RGB"))
                      .arg(profile.path, signatureText(space));
        return nullptr;
    }
    const cmsUInt32Number flags = profile.blackPoint ? cmsFLAGS_BLACKPOINTCOMPENSATION : 0;
    for (cmsHTRANSFORM &half : handles->halves)
        half = cmsCreateTransform(handles->srgb, TYPE_RGB_8, handles->printer, TYPE_RGB_8,
                                  lcmsIntent(profile.intent), flags);
    if (!handles->halves[0] || !handles->halves[1]) {
        *whyNot = say(QT_TRANSLATE_NOOP("Quorvel", "LittleCMS cannot convert colours with %1"))
                      .arg(profile.path);
        return nullptr;
    }
    const uchar srgbWhite[3] = {255, 255, 255};
    cmsDoTransform(handles->halves[0], srgbWhite, handles->white, 1);
    return std::shared_ptr<const PrinterColour>(new PrinterColour(std::move(handles), profile));
}

void PrinterColour::convert(QImage &rows) const
{
    if (rows.format() != QImage::Format_RGB888)
        rows.convertTo(QImage::Format_RGB888);
    uchar *const pixels = rows.bits(); // in place: no second band is held
    // The lower half on another core while this one converts the upper.
    auto convertRows = [&](int half, int top, int count) {
        for (int y = top; y < top + count; ++y)
            convertRow(handles->halves[half], pixels + qsizetype(y) * rows.bytesPerLine(),
                       rows.width(), handles->white);
    };
    const int upper = rows.height() / 2;
    auto lower = runAside([&] { convertRows(1, upper, rows.height() - upper); });
    convertRows(0, 0, upper);
    lower.get();
}

QImage PrinterColour::proof(const QImage &sheet, bool markGamut) const
{
    cmsUInt16Number alarm[cmsMAXCHANNELS] = {0xffff, 0, 0xffff};
    cmsSetAlarmCodes(alarm);
    const cmsHTRANSFORM proofing = cmsCreateProofingTransform(
        handles->srgb, TYPE_BGRA_8, handles->srgb, TYPE_BGRA_8, handles->printer,
        lcmsIntent(profile.intent), INTENT_RELATIVE_COLORIMETRIC,
        cmsFLAGS_SOFTPROOFING | cmsFLAGS_COPY_ALPHA | (markGamut ? cmsFLAGS_GAMUTCHECK : 0) |
            (profile.blackPoint ? cmsFLAGS_BLACKPOINTCOMPENSATION : 0));
    if (!proofing)
        return QImage();
    const QImage in = sheet.convertToFormat(QImage::Format_RGB32);
    QImage out(in.size(), QImage::Format_RGB32);
    cmsDoTransformLineStride(proofing, in.constBits(), out.bits(), cmsUInt32Number(in.width()),
                             cmsUInt32Number(in.height()), cmsUInt32Number(in.bytesPerLine()),
                             cmsUInt32Number(out.bytesPerLine()), 0, 0);
    cmsDeleteTransform(proofing);
    return out;
}

double outOfGamutShare(const QImage &proof, const QImage &marked)
{
    qint64 outside = 0;
    for (int y = 0; y < marked.height(); ++y) {
        const auto *plain = reinterpret_cast<const QRgb *>(proof.constScanLine(y));
        const auto *mark = reinterpret_cast<const QRgb *>(marked.constScanLine(y));
        for (int x = 0; x < marked.width(); ++x)
            outside += mark[x] == GamutWarning && plain[x] != GamutWarning;
    }
    return marked.isNull() ? 0.0 : double(outside) / (qint64(marked.width()) * marked.height());
}
