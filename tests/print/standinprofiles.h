#pragma once

// Printer profiles made with LittleCMS in the tests: a stand-in for a photo printer's RGB profile
// (primaries inside sRGB's, so that saturated colours lie outside it, and tone curves of its own,
// so that converting visibly changes every colour), one made of tables as profiling software
// makes them (the print benchmark's too), and profiles a printer cannot use.

#include <QString>
#include <lcms2.h>

// Writes an RGB profile of `profileClass`, or, for another colour space, a profile of that
// space holding no more than its header. False when it could not be written.
inline bool writeStandInProfile(const QString &path,
                                cmsProfileClassSignature profileClass = cmsSigOutputClass,
                                cmsColorSpaceSignature space = cmsSigRgbData)
{
    cmsHPROFILE profile = nullptr;
    if (space == cmsSigRgbData) {
        const cmsCIExyY white{0.3127, 0.3290, 1.0};
        const cmsCIExyYTRIPLE primaries{{0.55, 0.36, 1.0}, {0.32, 0.50, 1.0}, {0.17, 0.12, 1.0}};
        cmsToneCurve *curves[3] = {cmsBuildGamma(nullptr, 1.8), cmsBuildGamma(nullptr, 2.0),
                                   cmsBuildGamma(nullptr, 2.4)};
        profile = cmsCreateRGBProfile(&white, &primaries, curves);
        cmsFreeToneCurveTriple(curves);
    } else {
        profile = cmsCreateProfilePlaceholder(nullptr);
        cmsSetColorSpace(profile, space);
        cmsSetPCS(profile, cmsSigLabData);
    }
    cmsSetDeviceClass(profile, profileClass);
    const bool saved = cmsSaveProfileToFile(profile, qPrintable(path));
    cmsCloseProfile(profile);
    return saved;
}

// A printer profile as profiling software makes them: tables from Lab to the printer's RGB and
// back (33 points a side, as lut16Type of ICC version 2), here of a printer with a smaller gamut
// than sRGB and curves of its own. Conversions through tables cost more than through a matrix.
inline bool writeTablePrinterProfile(const QString &path)
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
    const bool saved = cmsSaveProfileToFile(profile, qPrintable(path));
    for (cmsHPROFILE open : {profile, lab, device})
        cmsCloseProfile(open);
    return saved;
}
