#pragma once

#include "compose/sheet.h"
#include "compose/sheetfile.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What a Go made: the composition, and whether its sheets were saved.
struct SheetRun
{
    SheetOutcome outcome; // its sheets are in the files, not kept
    bool saved = false;   // nothing is saved when no copy was placed
    QString saveError;    // why they were not, when they were to be
    QStringList paths;    // the sheets written, in order
};

// Composes the sheets of the requested pictures of `folder` and saves them in `destination` as
// 01.jpg, 02.jpg, ..., each carrying `mark` (its run and paper; the sheet numbers are filled in),
// with both cores busy: the sheets that composeSheet would make from the pictures as readPicture
// reads them (pixel for pixel), saved as saveSheet would save them (byte for byte). Sheets of an
// earlier Go beyond the last one written are removed (see removeEarlierSheets). Every sheet
// replaces its predecessor only once all are on disk.
//
// Sizes come from the pictures' headers, so that every copy's place is known before anything is
// decoded. A sheet is then drawn a band of rows at a time, top to bottom, and each band encoded
// on the writer's thread while the next is drawn: a sheet of any size (a roll of 98 inches) is
// never held whole. Each picture is decoded on a thread of its own (two at a time) once its
// first copy is near, a JPEG row by row as the bands reach its rows, and let go after its last
// copy. Should a picture fail to decode after its header was read (changed, cut short since), the
// sheets are composed again from the files as they are now, and saved after, as composeSheet
// and saveSheet do.
SheetRun composeAndSaveSheets(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                              const QString &folder, const QString &destination,
                              const SheetMark &mark);
