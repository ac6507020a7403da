#pragma once

#include <QByteArray>
#include <QImage>
#include <memory>

// Colours are placed on the sheet as sRGB. A picture that carries an ICC profile other than
// sRGB is converted through LittleCMS with the relative colorimetric intent and black-point
// compensation: colours the sheet can show keep their measured values (a studio's skin tones
// and greys come out as the editor showed them), and the picture's darkest black maps to the
// sheet's, so shadow detail is not crushed or lifted. Matrix-shaper profiles, the usual kind
// for photos, have no perceptual tables anyway.

// Converts `image` (any format) to sRGB from the colours `profile` describes. False, with the
// image untouched, when there is nothing to do (no profile, an sRGB one) or the profile cannot
// be used: LittleCMS cannot parse it, or it describes other pixels (a CMYK profile on an RGB
// picture). A picture is never refused for its profile.
bool convertToSrgb(QImage &image, const QByteArray &profile);

// Converts rows of CMYK pixels (8 or 16 bits a sample, ink amounts, 0 = no ink) to opaque
// 32-bit sRGB pixels (QImage::Format_RGB32). With a usable CMYK profile the conversion goes
// through it; without one it is the plain one of printing: each channel is
// (1 - ink) x (1 - black), 255 for no ink. Made once per picture.
class CmykConverter
{
public:
    CmykConverter(const QByteArray &profile, int bits);
    void convert(const void *cmyk, QRgb *out, int count) const;

private:
    std::shared_ptr<void> transform;
    int bits;
};
