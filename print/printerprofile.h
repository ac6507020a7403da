#pragma once

#include "print/printercolour.h"

#include <QStringList>
#include <optional>

class QSettings;
class QTextStream;

// The profile a printer's sheets are converted to, kept in the settings store beside its size
// correction: Calibration/<printer>/Profile (the file's path), Intent ("perceptual" or
// "relative") and BlackPoint ("true" or "false"), the printer's name percent-encoded.
std::optional<PrinterProfile> storedProfile(QSettings &settings, const QString &printer);
void storeProfile(QSettings &settings, const QString &printer, const PrinterProfile &profile);
// False when the printer had none.
bool removeProfile(QSettings &settings, const QString &printer);

// The conversion to the printer's stored profile: null when it has none, and null with *whyNot
// when its profile cannot be used any more (the file gone or changed); its sheets are then not
// printed, rather than printed unconverted.
std::shared_ptr<const PrinterColour> openStoredProfile(QSettings &settings, const QString &printer,
                                                       QString *whyNot);

// Why nothing was printed on `printer`, whose profile cannot be used (`whyNot`).
QString profileRefusedText(const QString &printer, const QString &whyNot);

// The settings' and the command line's names of the intents.
QString intentKeyword(RenderingIntent intent);
std::optional<RenderingIntent> parseIntent(const QString &keyword);

// What the printer's profile does, for the operator: "Colours are converted to photo.icc
// (perceptual, black point compensation on).", or that there is none.
QString profileSummary(const std::optional<PrinterProfile> &profile);
// "PRINTER: profile /path/photo.icc, perceptual, black point compensation on"
QString describeProfile(const QString &printer, const PrinterProfile &profile);

// The command line's part: stores FILE (`arguments`' only one) as the profile of a printer the
// printing system knows (`printers`), with the intent named (perceptual when empty) and black
// point compensation unless `noBlackPoint`, once LittleCMS takes it as a printer's RGB profile;
// or with `remove` takes the printer's profile away. Says what it did on `out`, or why not on
// `err`; returns the exit status: 0 done, 1 refused (nothing changed).
int profileFromCommandLine(QSettings &settings, const QString &printer,
                           const QStringList &arguments, const QString &intent, bool noBlackPoint,
                           bool remove, const QStringList &printers, QTextStream &out,
                           QTextStream &err);
