#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Reading Truevision TGA files as real tools write them: colour-mapped, true-colour and
// greyscale pictures (image types 1, 2, 3) and their run-length encoded forms (9, 10, 11);
// 8, 15, 16, 24 and 32 bits a pixel, with alpha where the file has it; any origin; with or
// without the TGA 2.0 footer. Every length and offset is checked against the data, so a
// malformed or hostile file gives a null image and a reason, never a read or write out of
// bounds.

struct TgaHeader
{
    int idLength = 0;
    int colourMapType = 0;
    int imageType = 0;
    int mapFirstEntry = 0;
    int mapLength = 0;
    int mapEntryBits = 0;
    int width = 0;
    int height = 0;
    int pixelBits = 0;
    int attributeBits = 0;
    bool rightToLeft = false;
    bool topToBottom = false;

    bool isRunLength() const { return imageType >= 9; }
    bool isColourMapped() const { return imageType == 1 || imageType == 9; }
    bool isGreyscale() const { return imageType == 3 || imageType == 11; }
};

inline constexpr int TgaHeaderSize = 18;

// Parses and checks the 18-byte header at the start of `data`. False, with the reason in
// *error, for anything that is not a TGA picture this reader can decode.
bool parseTgaHeader(const QByteArray &data, TgaHeader *header, QString *error);

// Decodes a whole TGA file. With a valid `scaledSize` the picture is decoded straight to that
// size (a box filter when shrinking, so the full-size picture is never held). Pictures beyond
// the size limits are refused before any allocation.
QImage decodeTga(const QByteArray &data, QSize scaledSize, QString *error);
