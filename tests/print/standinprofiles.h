#pragma once

// Printer profiles made with LittleCMS in the tests: a stand-in for a photo printer's RGB profile
// (primaries inside sRGB's, so that saturated colours lie outside it, and tone curves of its own,
// so that converting visibly changes every colour), and profiles a printer cannot use.

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
