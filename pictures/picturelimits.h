#pragma once

#include <QCoreApplication>
#include <QSize>
#include <QString>

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

// The sheets this program writes may be rolls larger than a picture may be: up to 100 inches a
// side at 300 dpi. They are read scaled or row by row; read whole, the allocation limit refuses
// them as any picture too large for memory.
inline constexpr int MaxSheetSide = 30000;

inline bool withinSheetLimits(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSheetSide &&
           size.height() <= MaxSheetSide;
}

// Why a picture of `claimed` pixels is refused.
inline QString beyondPictureLimits(QSize claimed)
{
    return QCoreApplication::translate(
               "Quorvel", "%1 x %2 pixels is beyond the limits of %3 pixels a side and %4 "
                          "megapixels")
        .arg(claimed.width())
        .arg(claimed.height())
        .arg(MaxPictureSide)
        .arg(MaxPicturePixels / 1'000'000);
}
