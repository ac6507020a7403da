#pragma once

#include <QImage>
#include <QString>

class PrinterColour;
class QDate;
class QPrinter;
class QSettings;

// The page a printer's correction is measured from: an A4 sheet at 300 dpi with two 200 mm
// scales (millimetre ticks, a number every 10 mm), one across the page and one down it, each
// scale's main line 200 mm long and the longest straight line in its direction; a 35 x 45 mm
// passport frame and a 2 x 2 inch frame to check by eye; the printer's name, the date, and what
// to measure and where to type it.
QImage calibrationSheet(const QString &printerName, const QDate &date);

// Prints the calibration sheet, named after `printer`, on it: at its own size whatever the paper
// and "Crop Image" (a sheet scaled to cover Letter paper would come out 2.8 % too large), and
// uncorrected, since what is measured is the printer itself; its colours converted to the
// printer's profile (`colour`) when it has one, as every sheet's are. False when the printer
// could not take the job.
bool printCalibrationSheet(QPrinter &printer, const PrinterColour *colour);

// quorvel --print-calibration-sheet [PRINTER]: prints the calibration sheet, uncorrected, on
// PRINTER or the default printer, with the printer's profile from `settings`. Returns the exit
// status: 0 once the job is accepted.
int printCalibrationSheetFromCommandLine(QSettings &settings, const QString &printer);
