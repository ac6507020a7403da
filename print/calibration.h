#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

class QLocale;
class QSettings;
class QTextStream;

// A printer's own scale, corrected: printers stretch or shrink what they print by 0.5-3 %
// (paper feed, a driver's borderless expansion). The operator measures how long 200 mm come
// out across and down the page, and the program prints every sheet on that printer scaled by
// 200 / measured, from the same corner.

inline constexpr double CalibrationScaleMm = 200.0;
// A measure outside these is a misreading, not a printer's error.
inline constexpr double ShortestMeasureMm = 190.0;
inline constexpr double LongestMeasureMm = 210.0;

// What the two scales of a printer measured, in millimetres.
struct PrinterCalibration
{
    double acrossMm = CalibrationScaleMm;
    double downMm = CalibrationScaleMm;
};

// A measure as typed, in millimetres: a point or the locale's decimal comma; none when it is
// no number or lies outside 190-210 mm.
std::optional<double> parseMeasure(const QString &text, const QLocale &locale);

// The factors a sheet is drawn with on a printer so calibrated: 200 / measured, across and
// down.
QSizeF calibrationScale(const PrinterCalibration &calibration);

// The corrections kept in the settings store, under Calibration/<printer>/Across and Down.
std::optional<PrinterCalibration> storedCalibration(QSettings &settings, const QString &printer);
void storeCalibration(QSettings &settings, const QString &printer,
                      const PrinterCalibration &calibration);
// False when the printer had none.
bool removeCalibration(QSettings &settings, const QString &printer);
QStringList calibratedPrinters(QSettings &settings);

// What a correction does, for the operator: "Sheets on this printer are printed at 101.42 %
// across and 99.21 % down.", or that there is none.
QString calibrationSummary(const std::optional<PrinterCalibration> &calibration);

// The command line's part, for studio administrators: stores `printer`'s correction from its
// two measures (ACROSS DOWN, as typed), or with `remove` takes it away. Says what it did on
// `out`, or why not on `err`; returns the exit status: 0 done, 1 refused (nothing stored).
int calibrateFromCommandLine(QSettings &settings, const QString &printer,
                             const QStringList &measures, bool remove, QTextStream &out,
                             QTextStream &err);
// Lists every stored correction on `out`, one printer a line; returns 0.
int listCalibrations(QSettings &settings, QTextStream &out);
