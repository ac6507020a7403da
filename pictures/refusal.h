#pragma once

#include <QString>

// The reasons a picture file is refused that more than one reader gives; each reader words
// the others itself.
inline QString notAPictureReason()
{
    return QStringLiteral("not a JPEG, PNG, TIFF or TGA picture");
}
inline QString cutOffReason()
{
    return QStringLiteral("cut off before its end");
}

// Records why a file is refused (when the caller asks) and returns false, so that a reader
// refuses in one line.
inline bool refuse(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return false;
}
