#pragma once

// Sheets composed by the benchmark: the Go, the way before it, ImageMagick's.

#include "compose/sheet.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct BenchSheet
{
    const char *name;
    CopyDirection direction;
    QVector<SheetRequest> requests;
};

inline const BenchSheet Sheets[] = {
    {"column, 2400 x 1200 x 2 copies", CopyDirection::TopToBottom, {{"wide.jpg", 2}}},
    {"column, 2400 x 800 x 4 copies", CopyDirection::TopToBottom, {{"strip.jpg", 4}}},
    {"row, 2 pictures 1800 x 1200 turned",
     CopyDirection::RotateLeftToRight,
     {{"print1.jpg", 1}, {"print2.jpg", 1}}},
};

// ImageMagick arguments composing the same copies at the same places (without cutting lines).
QStringList imageMagickArguments(const BenchSheet &sheet, const QString &folder,
                                 const QString &output);
// The way a Go went before both cores were used: every picture read, the sheet composed, then
// saved through Qt's JPEG writer.
void composeThenSaveWithQt(const BenchSheet &sheet, const QString &folder, const QString &output);
// The peak memory of a Go on sheet `index`, both cores and composed first, each in a child
// process of its own.
int goInChild(int index, const QString &way, const QString &root);
