#include "colourprint.h"

#include "benchsupport.h"
#include "compose/sheetrun.h"
#include "corpus.h"
#include "print/printercolour.h"
#include "print/printsheet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <lcms2.h>

namespace {
// A printer profile as profiling software makes them: tables from Lab to the printer's RGB and
// back (33 points a side, as lut16Type of ICC version 2), here of a printer with a smaller gamut
// than sRGB and curves of its own. Conversions through tables cost more than through a matrix.
bool writeTablePrinterProfile(const QString &path)
{
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.60, 0.34, 1.0}, {0.31, 0.55, 1.0}, {0.16, 0.09, 1.0}};
    cmsToneCurve *curves[3] = {cmsBuildGamma(nullptr, 1.9), cmsBuildGamma(nullptr, 2.1),
                               cmsBuildGamma(nullptr, 2.3)};
    cmsHPROFILE device = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurveTriple(curves);
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 2.1);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigRgbData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    auto table = [&](cmsHPROFILE from, cmsHPROFILE to, cmsTagSignature tag) {
        cmsHTRANSFORM transform = cmsCreateTransform(
            from, from == lab ? TYPE_LabV2_16 : TYPE_RGB_16, to,
            to == lab ? TYPE_LabV2_16 : TYPE_RGB_16, INTENT_RELATIVE_COLORIMETRIC, 0);
        cmsPipeline *pipeline = cmsPipelineAlloc(nullptr, 3, 3);
        cmsStage *grid = cmsStageAllocCLut16bit(nullptr, 33, 3, 3, nullptr);
        cmsStageSampleCLut16bit(
            grid,
            [](const cmsUInt16Number in[], cmsUInt16Number out[], void *cargo) -> cmsInt32Number {
                cmsDoTransform(cargo, in, out, 1);
                return 1;
            },
            transform, 0);
        cmsPipelineInsertStage(pipeline, cmsAT_END, grid);
        cmsWriteTag(profile, tag, pipeline);
        cmsPipelineFree(pipeline);
        cmsDeleteTransform(transform);
    };
    table(lab, device, cmsSigBToA0Tag);
    table(device, lab, cmsSigAToB0Tag);
    const bool saved = cmsSaveProfileToFile(profile, QFile::encodeName(path).constData());
    for (cmsHPROFILE open : {profile, lab, device})
        cmsCloseProfile(open);
    return saved;
}
} // namespace

int colourPrintInChild(const QString &what, const QString &prints, const QString &folder)
{
    const SheetLayout a4(QSize(2480, 3506), QPoint(), CopyDirection::TopToBottom);
    composeAndSaveSheets(a4, {{Passport, 6}, {"print1.jpg", 1}}, prints, folder, SheetMark());
    std::shared_ptr<const PrinterColour> colour;
    if (what == "profile") {
        QString whyNot;
        const QString profile = folder + "/printer.icc";
        if (writeTablePrinterProfile(profile))
            colour = PrinterColour::open({profile, RenderingIntent::Perceptual, true}, &whyNot);
        if (!colour) {
            say(qPrintable("no printer profile: " + whyNot));
            return 1;
        }
    }
    const long before = peakMemoryKb();
    QElapsedTimer clock;
    clock.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder + "/a4.pdf");
    printer.setPageSize(QPageSize(QPageSize::A4));
    QString whyNot;
    if (!printSheetFiles(printer, {folder + "/01.jpg"}, false, QSizeF(1, 1), colour.get(), &whyNot))
        say(qPrintable(whyNot));
    std::printf("%f %f\n", clock.nsecsElapsed() / 1e6, (peakMemoryKb() - before) / 1024.0);
    return 0;
}

QList<Row> colourPrintRows(const QString &prints, int runs)
{
    QTemporaryDir folder;
    QList<qint64> plainTimes, profileTimes;
    double plainPeak = 0, profilePeak = 0;
    for (int run = 0; run < runs; ++run) {
        for (const char *what : {"plain", "profile"}) {
            const QList<double> figures = figuresFromChild(
                {"--colour-print", what, "--corpus-prints", prints, "--folder", folder.path()});
            const bool plain = QString(what) == "plain";
            (plain ? plainTimes : profileTimes) << qint64(figures.value(0) * 1e6);
            double &peak = plain ? plainPeak : profilePeak;
            peak = std::max(peak, figures.value(1));
        }
    }
    const double plain = medianMs(plainTimes);
    return {Row{"Print of an A4 sheet to a PDF file, no printer profile", plain, "ms", 0, ""},
            Row{"  peak memory", plainPeak, "MB", 0, ""},
            Row{"  the same converted to a printer profile (33-point tables, perceptual)",
                medianMs(profileTimes), "ms", plain, "≤ 1.3 × without"},
            Row{"  peak memory", profilePeak, "MB", 0, "no more than a band above without"}};
}
