#include "print/calibration.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTextStream>

namespace {
const QString Group = QStringLiteral("Calibration");
const QString AcrossKey = QStringLiteral("Across");
const QString DownKey = QStringLiteral("Down");

bool withinRange(double mm)
{
    return mm >= ShortestMeasureMm && mm <= LongestMeasureMm;
}
} // namespace

std::optional<double> parseMeasure(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    bool isNumber = false;
    double mm = locale.toDouble(trimmed, &isNumber);
    if (!isNumber)
        mm = QLocale::c().toDouble(trimmed, &isNumber);
    if (!isNumber || !withinRange(mm))
        return std::nullopt;
    return mm;
}

QSizeF calibrationScale(const PrinterCalibration &calibration)
{
    return QSizeF(CalibrationScaleMm / calibration.acrossMm,
                  CalibrationScaleMm / calibration.downMm);
}

std::optional<PrinterCalibration> storedCalibration(QSettings &settings, const QString &printer)
{
    if (printer.isEmpty())
        return std::nullopt;
    settings.beginGroup(Group);
    settings.beginGroup(printer);
    bool acrossRead = false, downRead = false;
    const double across = settings.value(AcrossKey).toString().toDouble(&acrossRead);
    const double down = settings.value(DownKey).toString().toDouble(&downRead);
    settings.endGroup();
    settings.endGroup();
    // A value edited by hand beyond reason is no correction.
    if (!acrossRead || !downRead || !withinRange(across) || !withinRange(down))
        return std::nullopt;
    return PrinterCalibration{across, down};
}

void storeCalibration(QSettings &settings, const QString &printer,
                      const PrinterCalibration &calibration)
{
    settings.beginGroup(Group);
    settings.beginGroup(printer);
    // As text, like every value of the store, in the C locale's notation.
    settings.setValue(AcrossKey, QString::number(calibration.acrossMm, 'g', 10));
    settings.setValue(DownKey, QString::number(calibration.downMm, 'g', 10));
    settings.endGroup();
    settings.endGroup();
}

bool removeCalibration(QSettings &settings, const QString &printer)
{
    settings.beginGroup(Group);
    const bool known = settings.childGroups().contains(printer);
    settings.remove(printer);
    settings.endGroup();
    return known;
}

QStringList calibratedPrinters(QSettings &settings)
{
    settings.beginGroup(Group);
    const QStringList printers = settings.childGroups();
    settings.endGroup();
    return printers;
}

QString calibrationSummary(const std::optional<PrinterCalibration> &calibration)
{
    if (!calibration)
        return QCoreApplication::translate("Quorvel",
                                           "No correction: sheets print at their own size.");
    const QSizeF scale = calibrationScale(*calibration);
    return QCoreApplication::translate("Quorvel",
                                       "Sheets on this printer are printed at %1 % across and "
                                       "%2 % down.")
        .arg(QLocale().toString(scale.width() * 100, 'f', 2),
             QLocale().toString(scale.height() * 100, 'f', 2));
}

namespace {
// "PRINTER: across 197.2 mm, down 201.6 mm (printed at 101.42 % across, 99.21 % down)"
QString describe(const QString &printer, const PrinterCalibration &calibration)
{
    const QSizeF scale = calibrationScale(calibration);
    return QStringLiteral("%1: across %2 mm, down %3 mm (printed at %4 % across, %5 % down)")
        .arg(printer)
        .arg(calibration.acrossMm)
        .arg(calibration.downMm)
        .arg(scale.width() * 100, 0, 'f', 2)
        .arg(scale.height() * 100, 0, 'f', 2);
}
} // namespace

int calibrateFromCommandLine(QSettings &settings, const QString &printer,
                             const QStringList &measures, bool remove, QTextStream &out,
                             QTextStream &err)
{
    if (printer.isEmpty()) {
        err << "quorvel: --calibrate needs the printer's name\n";
        return 1;
    }
    if (remove) {
        if (!removeCalibration(settings, printer)) {
            err << "quorvel: " << printer << " has no correction to remove\n";
            return 1;
        }
        out << printer << ": correction removed; sheets print at their own size\n";
        return 0;
    }
    const std::optional<double> across =
        measures.size() == 2 ? parseMeasure(measures[0], QLocale::system()) : std::nullopt;
    const std::optional<double> down =
        measures.size() == 2 ? parseMeasure(measures[1], QLocale::system()) : std::nullopt;
    if (!across || !down) {
        err << "quorvel: give the two scales' lengths as measured, ACROSS DOWN, in millimetres "
               "from 190 to 210 (for instance 197.2 201.6); nothing was stored\n";
        return 1;
    }
    const PrinterCalibration calibration{*across, *down};
    storeCalibration(settings, printer, calibration);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        err << "quorvel: the settings could not be written; nothing was stored\n";
        return 1;
    }
    out << describe(printer, calibration) << "\n";
    return 0;
}

int listCalibrations(QSettings &settings, QTextStream &out)
{
    const QStringList printers = calibratedPrinters(settings);
    if (printers.isEmpty())
        out << "No printer has a correction: every sheet prints at its own size.\n";
    for (const QString &printer : printers)
        if (const auto calibration = storedCalibration(settings, printer))
            out << describe(printer, *calibration) << "\n";
    return 0;
}
