#include "pictures/matrixshaper.h"

#include <algorithm>
#include <cmath>

// Whether LittleCMS converts from the profile through a table rather than its matrix and
// curves: as it chooses, the intent's own table, or else the perceptual one (A2B0), which
// cmsIsCLUT does not count.
bool usesTables(cmsHPROFILE profile)
{
    return cmsIsTag(profile, cmsSigDToB1Tag) || cmsIsTag(profile, cmsSigAToB1Tag) ||
           cmsIsTag(profile, cmsSigAToB0Tag);
}

namespace {
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
} // namespace
std::shared_ptr<const MatrixShaper> makeMatrixShaper(cmsHPROFILE source, cmsHPROFILE srgb)
{
    if (!cmsIsMatrixShaper(source))
        return nullptr;
    double from[3][3], to[3][3], toInverse[3][3];
    if (!colorants(source, from) || !colorants(srgb, to) || !invert(to, toInverse))
        return nullptr;
    double matrix[3][3];
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            matrix[row][column] = 0;
            for (int k = 0; k < 3; ++k)
                matrix[row][column] += toInverse[row][k] * from[k][column];
            // Real colorants give factors of a few units at most; the tables below hold
            // their sums in 32 bits. Anything else is left to LittleCMS.
            if (!(std::abs(matrix[row][column]) <= 16))
                return nullptr;
        }
    auto shaper = std::make_shared<MatrixShaper>();
    const cmsTagSignature curves[] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (int channel = 0; channel < 3; ++channel) {
        const auto *curve = static_cast<const cmsToneCurve *>(cmsReadTag(source, curves[channel]));
        // A curve that does not start at black would need black-point compensation.
        if (!curve || cmsEvalToneCurveFloat(curve, 0.0f) > 1e-4f)
            return nullptr;
        for (int level = 0; level < 256; ++level) {
            const double linear =
                std::clamp(double(cmsEvalToneCurveFloat(curve, level / 255.0f)), 0.0, 1.0) *
                65535.0;
            for (int out = 0; out < 3; ++out)
                shaper->contribution[out][channel][level] =
                    qint32(std::lround(matrix[out][channel] * linear));
        }
    }
    const auto *srgbCurve = static_cast<const cmsToneCurve *>(cmsReadTag(srgb, cmsSigRedTRCTag));
    cmsToneCurve *encode = srgbCurve ? cmsReverseToneCurve(srgbCurve) : nullptr;
    if (!encode)
        return nullptr;
    for (int value = 0; value < 65536; ++value)
        shaper->toSrgb[value] = uchar(std::clamp(
            std::lround(cmsEvalToneCurveFloat(encode, value / 65535.0f) * 255.0), 0L, 255L));
    cmsFreeToneCurve(encode);
    return shaper;
}

bool describesSrgb(cmsHPROFILE profile, cmsHPROFILE srgb)
{
    if (!cmsIsMatrixShaper(profile) || usesTables(profile))
        return false;
    double own[3][3], reference[3][3];
    if (!colorants(profile, own) || !colorants(srgb, reference))
        return false;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            if (std::abs(own[row][column] - reference[row][column]) > 2e-3)
                return false;
    const auto *srgbCurve = static_cast<const cmsToneCurve *>(cmsReadTag(srgb, cmsSigRedTRCTag));
    const cmsTagSignature curves[] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (cmsTagSignature tag : curves) {
        const auto *curve = static_cast<const cmsToneCurve *>(cmsReadTag(profile, tag));
        if (!curve || !srgbCurve)
            return false;
        // Within half a level of 8 bits everywhere.
        for (int level = 0; level <= 255; ++level) {
            const float x = level / 255.0f;
            if (std::abs(cmsEvalToneCurveFloat(curve, x) - cmsEvalToneCurveFloat(srgbCurve, x)) >
                0.5f / 255.0f)
                return false;
        }
    }
    return true;
}
