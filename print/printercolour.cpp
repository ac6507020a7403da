#include "print/printercolour.h"

#include "pictures/runaside.h"

#include <QCoreApplication>
#include <QFile>
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
} // namespace

// One transform for either half of a band: the one-pixel cache that makes a sheet's white cheap
// is the transform's own, not for two threads at once.
struct PrinterColour::Handles
{
    cmsHPROFILE printer = nullptr;
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM halves[2] = {};
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
    return std::shared_ptr<const PrinterColour>(new PrinterColour(std::move(handles), profile));
}

void PrinterColour::convert(QImage &rows) const
{
    if (rows.format() != QImage::Format_RGB888)
        rows.convertTo(QImage::Format_RGB888);
    uchar *const pixels = rows.bits(); // in place: no second band is held
    // The lower half on another core while this one converts the upper.
    auto convertRows = [&](int half, int top, int count) {
        uchar *const first = pixels + qsizetype(top) * rows.bytesPerLine();
        cmsDoTransformLineStride(handles->halves[half], first, first, cmsUInt32Number(rows.width()),
                                 cmsUInt32Number(count), cmsUInt32Number(rows.bytesPerLine()),
                                 cmsUInt32Number(rows.bytesPerLine()), 0, 0);
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
