#pragma once

#include <QSize>

// Pictures larger than trusted image tools accept are treated as unreadable, before anything
// is decoded: a header can claim any size, and a small file can decompress to gigabytes.
inline constexpr int MaxPictureSide = 20000;
inline constexpr qint64 MaxPicturePixels = 100'000'000;

inline bool withinPictureLimits(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide &&
           size.height() <= MaxPictureSide &&
           qint64(size.width()) * size.height() <= MaxPicturePixels;
}
