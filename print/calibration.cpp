#include "print/calibration.h"

#include "print/printerprofile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTextStream>
#include <QUrl>

namespace {
const QString Group = QStringLiteral("Calibration");
const QString AcrossKey = QStringLiteral("Across");
const QString DownKey = QStringLiteral("Down");

bool withinRange(double mm)
{
    return mm >= ShortestMeasureMm && mm <= LongestMeasureMm;
}

QString say(const char *text)
{
    return QCoreApplication::translate("Quorvel", text);
}
} // namespace

QString printerGroup(const QString &printer)
{
    return Group + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

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
    settings.beginGroup(printerGroup(printer));
    bool acrossRead = false, downRead = false;
    const double across = settings.value(AcrossKey).toString().toDouble(&acrossRead);
    const double down = settings.value(DownKey).toString().toDouble(&downRead);
    settings.endGroup();
    // A value edited by hand beyond reason is no correction.
    if (!acrossRead || !downRead || !withinRange(across) || !withinRange(down))
        return std::nullopt;
    return PrinterCalibration{across, down};
}

void storeCalibration(QSettings &settings, const QString &printer,
                      const PrinterCalibration &calibration)
{
    settings.beginGroup(printerGroup(printer));
    // As text, like every value of the store, in the C locale's notation.
    settings.setValue(AcrossKey, QString::number(calibration.acrossMm, 'g', 10));
    settings.setValue(DownKey, QString::number(calibration.downMm, 'g', 10));
    settings.endGroup();
}

bool removeCalibration(QSettings &settings, const QString &printer)
{
    // The printer's profile, kept beside it, stays.
    settings.beginGroup(printerGroup(printer));
    const bool known = settings.contains(AcrossKey) || settings.contains(DownKey);
    settings.remove(AcrossKey);
    settings.remove(DownKey);
    settings.endGroup();
    return known;
}

QStringList calibratedPrinters(QSettings &settings)
{
    settings.beginGroup(Group);
    QStringList printers;
    for (const QString &key : settings.childGroups())
        printers << QUrl::fromPercentEncoding(key.toLatin1());
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

QString knownPrinterName(const QString &printer, const QStringList &known)
{
    if (known.contains(printer))
        return printer;
    for (const QString &name : known)
        if (name.compare(printer, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

QString unknownPrinterRefusal(const QString &printer, const QStringList &printers)
{
    return printers.isEmpty()
               ? say(QT_TRANSLATE_NOOP("Quorvel", "the printing system knows no printer named "
                                                  "%1, nor any other; nothing was stored"))
                     .arg(printer)
               : say(QT_TRANSLATE_NOOP("Quorvel", "the printing system knows no printer named "
                                                  "%1, only %2; nothing was stored"))
                     .arg(printer, printers.join(QStringLiteral(", ")));
}

namespace {
// "PRINTER: across 197.2 mm, down 201.6 mm (printed at 101.42 % across, 99.21 % down)"
QString describe(const QString &printer, const PrinterCalibration &calibration)
{
    const QSizeF scale = calibrationScale(calibration);
    const QLocale locale;
    return say(QT_TRANSLATE_NOOP("Quorvel", "%1: across %2 mm, down %3 mm (printed at %4 % "
                                            "across, %5 % down)"))
        .arg(printer, locale.toString(calibration.acrossMm), locale.toString(calibration.downMm),
             locale.toString(scale.width() * 100, 'f', 2),
             locale.toString(scale.height() * 100, 'f', 2));
}
} // namespace

int calibrateFromCommandLine(QSettings &settings, const QString &printer,
                             const QStringList &measures, bool remove, const QStringList &printers,
                             QTextStream &out, QTextStream &err)
{
    const QString quorvel = QStringLiteral("quorvel: ");
    if (printer.isEmpty()) {
        err << quorvel << say(QT_TRANSLATE_NOOP("Quorvel", "--calibrate needs the printer's name"))
            << "\n";
        return 1;
    }
    if (remove)
        return removeFromCommandLine(
            settings, printer, printers, removeCalibration,
            QT_TRANSLATE_NOOP("Quorvel", "%1 has no correction to remove"),
            QT_TRANSLATE_NOOP("Quorvel", "%1: correction removed; sheets print at their own size"),
            out, err);
    const QString name = knownPrinterName(printer, printers);
    if (name.isEmpty()) {
        err << quorvel << unknownPrinterRefusal(printer, printers) << "\n";
        return 1;
    }
    const std::optional<double> across =
        measures.size() == 2 ? parseMeasure(measures[0], QLocale::system()) : std::nullopt;
    const std::optional<double> down =
        measures.size() == 2 ? parseMeasure(measures[1], QLocale::system()) : std::nullopt;
    if (!across || !down) {
        err << quorvel
            << say(QT_TRANSLATE_NOOP("Quorvel", "give the two scales' lengths as measured, "
                                                "ACROSS DOWN, in millimetres from 190 to 210 "
                                                "(for instance 197.2 201.6); nothing was stored"))
            << "\n";
        return 1;
    }
    const PrinterCalibration calibration{*across, *down};
    storeCalibration(settings, name, calibration);
    return tellStored(settings, describe(name, calibration), out, err);
}

int removeFromCommandLine(QSettings &settings, const QString &printer, const QStringList &printers,
                          bool (*remove)(QSettings &, const QString &), const char *nothing,
                          const char *removed, QTextStream &out, QTextStream &err)
{
    // Removed by the name it is kept under, or the printing system's.
    const QString name = knownPrinterName(printer, calibratedPrinters(settings) + printers);
    if (name.isEmpty() || !remove(settings, name)) {
        err << "quorvel: " << say(nothing).arg(printer) << "\n";
        return 1;
    }
    settings.sync();
    out << say(removed).arg(name) << "\n";
    return 0;
}

int tellStored(QSettings &settings, const QString &stored, QTextStream &out, QTextStream &err)
{
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        err << "quorvel: "
            << say(QT_TRANSLATE_NOOP("Quorvel",
                                     "the settings could not be written; nothing was stored"))
            << "\n";
        return 1;
    }
    out << stored << "\n";
    return 0;
}

int listCalibrations(QSettings &settings, QTextStream &out)
{
    QStringList lines;
    for (const QString &printer : calibratedPrinters(settings)) {
        if (const auto calibration = storedCalibration(settings, printer))
            lines << describe(printer, *calibration);
        if (const auto profile = storedProfile(settings, printer))
            lines << describeProfile(printer, *profile);
    }
    if (lines.isEmpty())
        lines << say(QT_TRANSLATE_NOOP("Quorvel", "No printer has a correction: every sheet "
                                                  "prints at its own size."));
    for (const QString &line : lines)
        out << line << "\n";
    return 0;
}
