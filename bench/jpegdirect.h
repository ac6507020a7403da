#pragma once

#include <QString>
#include <vector>

// Pictures decoded and encoded with libjpeg-turbo directly, without Qt: the limits that the
// program's own timings are compared with.
struct RgbPicture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels; // RGB, 3 bytes a pixel, rows packed
};

// Decodes a JPEG file with DCT scaling by 1/denominator (1, 2, 4 or 8).
RgbPicture decodeJpeg(const QString &path, int denominator);

// Encodes an RGB picture as a JPEG file of the given quality at 300 dpi.
void encodeJpeg(const RgbPicture &picture, int quality, const QString &path);
