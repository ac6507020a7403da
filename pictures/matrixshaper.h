#pragma once

#include <QRgb>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <lcms2.h>
#include <memory>

// Whether LittleCMS converts from the profile through a table rather than its matrix and
// curves: as it chooses, the intent's own table, or else the perceptual one (A2B0), which
// cmsIsCLUT does not count.
bool usesTables(cmsHPROFILE profile);

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

// The quicker conversion of an RGB matrix-shaper `source` profile to `srgb`; null when the
// profile is no matrix-shaper or its colorants cannot be inverted.
std::shared_ptr<const MatrixShaper> makeMatrixShaper(cmsHPROFILE source, cmsHPROFILE srgb);

// Whether an RGB profile describes the sheet's own colours, so that converting would only round
// the pixels: a matrix-shaper profile whose colorants and curves are sRGB's (IEC 61966-2.1 and
// its many re-issues, whatever they are called; a linear profile named "sRGB..." is not one).
bool describesSrgb(cmsHPROFILE profile, cmsHPROFILE srgb);
