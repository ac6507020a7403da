#pragma once

#include <QByteArray>
#include <QImage>
#include <memory>

// Colours are placed on the sheet as sRGB. A picture that carries an ICC profile other than
// sRGB is converted through LittleCMS with the relative colorimetric intent and black-point
// compensation: colours the sheet can show keep their measured values (a studio's skin tones
// and greys come out as the editor showed them), and the picture's darkest black maps to the
// sheet's, so shadow detail is not crushed or lifted.
//
// Whether a profile is sRGB is decided by what it describes (its colorants and curves), never
// by its name. A profile that cannot be parsed, is too large, or describes other pixels than
// the picture has (a CMYK profile on an RGB picture), is ignored: a picture is never refused for
// its profile.

// The largest profile taken: real ones, printers' CMYK tables included, stay within a few
// megabytes. A larger one is ignored, the picture read as untagged.
inline constexpr qsizetype MaxProfileBytes = 8 << 20;

// How the pixels handed to a conversion are laid out.
enum class PixelLayout {
    Rgb32,         // QRgb words (alpha kept as it is); converted in place
    Grey8,         // one byte a pixel
    Cmyk8,         // four bytes a pixel, ink amounts (0 = no ink)
    InvertedCmyk8, // four bytes a pixel, 255 = no ink, as Adobe's JPEG writers store CMYK
    Cmyk16,        // four native 16-bit words a pixel, ink amounts
};

// The conversion of one picture's pixels to sRGB, made once per picture from its embedded
// profile and applied to its rows as they are decoded (in any number of threads at once).
// Without a usable profile, RGB pixels stay as they are, grey ones are spread over the three
// channels and CMYK takes the plain conversion of printing: each channel (1 - ink) x
// (1 - black).
class SrgbConversion
{
public:
    // `greyPixels`: Rgb32 rows whose three channels are equal (a grey picture decoded to RGB),
    // to which a grey profile applies too.
    SrgbConversion(const QByteArray &profile, PixelLayout layout, bool greyPixels = false);

    // Whether the profile is used: false for none, an sRGB one, or one that does not apply.
    bool usesProfile() const { return bool(conversion); }

    // Converts `count` pixels of `in` to opaque sRGB words in `out` (for Rgb32, `in` may be
    // `out`, and the alpha byte is kept).
    void convert(const void *in, QRgb *out, int count) const;

    struct Conversion;

private:
    std::shared_ptr<const Conversion> conversion;
    PixelLayout layout;
};

// Converts a whole decoded picture (any format) from the colours `profile` describes to sRGB,
// on two threads, and tags it sRGB. False, with the picture untouched, when there is nothing
// to convert.
bool convertToSrgb(QImage &image, const QByteArray &profile);
