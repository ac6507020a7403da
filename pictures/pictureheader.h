#pragma once

#include <QByteArray>
#include <QSize>

// The key of the comment every sheet this program writes carries ("Quorvel: run=...", see
// compose/sheetfile.h).
inline constexpr char SheetMarkKey[] = "Quorvel";

// What a picture file's header tells before any pixel is decoded, as each format's reader reads
// it.
struct PictureHeader
{
    QSize size;                  // as stored
    int orientation = 0;         // the orientation tag (EXIF, PNG eXIf, TIFF), 1 to 8; 0 when none
    QByteArray profile;          // the embedded ICC profile, where the reader was asked for it
    bool profileIgnored = false; // one was embedded, but too large or broken to be taken
    bool programSheet = false;   // a sheet this program wrote, by its comment
};
