#pragma once

#include "compose/sheet.h"

#include <QString>
#include <QVector>

// What a Go made: the composition, and whether its sheet was saved.
struct SheetRun
{
    SheetOutcome outcome;
    bool saved = false; // nothing is saved when no copy was placed
    QString saveError;  // why it was not, when it was to be
};

// Composes the sheet of the requested pictures of `folder` and saves it as `path` with both
// cores busy: the sheet that composeSheet would make from the pictures as readPicture reads them
// (pixel for pixel), saved as saveSheet would save it (byte for byte).
//
// Sizes come from the pictures' headers, so every copy's place is known before anything is
// decoded. JPEG files viewed as stored are decoded row by row straight into their copies,
// never held whole; every other picture is read whole and copied as composeSheet copies it.
// The JPEG encoder takes the sheet's rows as soon as no later copy or cutting line can touch
// them: in a column, the rows above the next copy while later pictures are still being
// decoded; in a row, whose every copy reaches the top rows, only at the end, but the pictures
// of a row are decoded two at a time. Should a picture fail to decode after its header was
// read, the sheet is composed again and saved after, as composeSheet and saveSheet do.
SheetRun composeAndSaveSheet(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                             const QString &folder, const QString &path);
