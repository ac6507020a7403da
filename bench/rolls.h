#pragma once

// Rolls and more sheets through the code the Go and Print buttons run, each measured in a child
// process of its own that prints its figures for figuresFromChild.

#include <QList>
#include <QString>

struct Row;

// The roll: a 24 x 98 inch sheet of 40 copies of a 24 x 2.4 inch strip (7200 x 29400 pixels).
// What the child does: "go" composes and saves it (ms, peak MB); "print" prints the sheet the
// Go saved in `folder` to a PDF file (ms until the job is handed over, peak MB); "more" lays
// 60 passport copies on A4 with more sheets (sheets written, ms a sheet).
int rollInChild(const QString &what, const QString &prints, const QString &folder);

// The rows of all three, against the limit of the roll's pixels: libjpeg decoding the strip 40
// times and encoding the sheet, on one core, in memory.
QList<Row> rollRows(const QString &prints, int runs);
