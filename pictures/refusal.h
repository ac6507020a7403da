#pragma once

#include <QCoreApplication>
#include <QSize>
#include <QString>

// The reasons a picture file is refused that more than one reader gives, in the operator's
// language (every reason is translated in the program's one translation context); each reader
// words the others itself.
inline QString notAPictureReason()
{
    return QCoreApplication::translate("Quorvel", "not a JPEG, PNG, TIFF or TGA picture");
}
inline QString cutOffReason()
{
    return QCoreApplication::translate("Quorvel", "cut off before its end");
}
// The file was replaced (an editor exporting again, a sync client) after its header was read:
// it holds a picture of another size or orientation now.
inline QString changedReason()
{
    return QCoreApplication::translate("Quorvel", "it changed while it was being read");
}
inline QString noSizeReason()
{
    return QCoreApplication::translate("Quorvel", "its header tells no size");
}

// Set on a thread whose reader gave one of the two reasons below: that refusal says nothing
// of the file, which may read another time. PictureFile clears it before each decode.
inline thread_local bool memoryRanOut = false;

inline QString outOfMemoryReason()
{
    memoryRanOut = true;
    return QCoreApplication::translate("Quorvel", "not enough memory to read it");
}
inline QString noMemoryForPictureReason(QSize size)
{
    memoryRanOut = true;
    return QCoreApplication::translate("Quorvel",
                                       "not enough memory for a picture of %1 x %2 pixels")
        .arg(size.width())
        .arg(size.height());
}

// Records why a file is refused (when the caller asks) and returns false, so that a reader
// refuses in one line.
inline bool refuse(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return false;
}
