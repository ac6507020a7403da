#pragma once

// Printing an A4 sheet with and without a printer profile, through the code the Print button
// runs, each measured in a child process of its own.

#include <QList>
#include <QString>

struct Row;

// What the child does: "plain" or "profile" prints an A4 sheet of passport copies (composed
// into `folder` first, untimed) to a PDF file, converted to a table-based RGB printer profile
// for "profile"; prints ms until the job is handed over and the peak MB of the print.
int colourPrintInChild(const QString &what, const QString &prints, const QString &folder);

QList<Row> colourPrintRows(const QString &prints, int runs);
