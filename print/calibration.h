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

// The settings group of everything kept for a printer: Calibration/<its name percent-encoded>.
QString printerGroup(const QString &printer);

// The corrections kept in the settings store, under Calibration/<printer>/Across and Down, the
// printer's name percent-encoded: a name may hold any character, and the store would read
// "HP/", "/HP" and "HP" as one key.
std::optional<PrinterCalibration> storedCalibration(QSettings &settings, const QString &printer);
void storeCalibration(QSettings &settings, const QString &printer,
                      const PrinterCalibration &calibration);
// Takes away the correction alone; false when the printer had none.
bool removeCalibration(QSettings &settings, const QString &printer);
// The printers with a correction or a profile.
QStringList calibratedPrinters(QSettings &settings);

// What a correction does, for the operator: "Sheets on this printer are printed at 101.42 %
// across and 99.21 % down.", or that there is none.
QString calibrationSummary(const std::optional<PrinterCalibration> &calibration);

// The printing system's own spelling of `printer` among `known` names, which it compares without
// regard to case; empty when there is no such name.
QString knownPrinterName(const QString &printer, const QStringList &known);

// The command line's refusal of a printer the printing system does not know, naming those it
// knows.
QString unknownPrinterRefusal(const QString &printer, const QStringList &printers);

// The command line's part, for studio administrators: stores the correction, from its two
// measures (ACROSS DOWN, as typed), of a printer the printing system knows (`printers`, its
// names), under the system's spelling of it; or with `remove` takes away the correction of the
// printer named. Says what it did on `out`, or why not on `err`, in the operator's language;
// returns the exit status: 0 done, 1 refused (nothing changed).
int calibrateFromCommandLine(QSettings &settings, const QString &printer,
                             const QStringList &measures, bool remove, const QStringList &printers,
                             QTextStream &out, QTextStream &err);
// The command line's removal of a printer's correction or profile (`remove`), by the name it is
// kept under or the printing system's; says `removed` on `out`, or `nothing` (texts to translate,
// the printer's name their %1) on `err`. Returns the exit status.
int removeFromCommandLine(QSettings &settings, const QString &printer, const QStringList &printers,
                          bool (*remove)(QSettings &, const QString &), const char *nothing,
                          const char *removed, QTextStream &out, QTextStream &err);
// Writes what the command line stored to the settings file and says `stored` on `out`; or, when
// the file cannot be written, says so on `err`. Returns the exit status.
int tellStored(QSettings &settings, const QString &stored, QTextStream &out, QTextStream &err);
// Lists every stored correction and profile on `out`, one a line; returns 0.
int listCalibrations(QSettings &settings, QTextStream &out);
