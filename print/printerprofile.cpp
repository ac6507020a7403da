#include "print/printerprofile.h"

#include "print/calibration.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

namespace {
const QString ProfileKey = QStringLiteral("Profile");
const QString IntentKey = QStringLiteral("Intent");
const QString BlackPointKey = QStringLiteral("BlackPoint");

QString say(const char *text)
{
    return QCoreApplication::translate("Quorvel", text);
}

// "perceptual, black point compensation on"
QString settingsText(const PrinterProfile &profile)
{
    return say(QT_TRANSLATE_NOOP("Quorvel", "%1, black point compensation %2"))
        .arg(profile.intent == RenderingIntent::Perceptual
                 ? say(QT_TRANSLATE_NOOP("Quorvel", "perceptual"))
                 : say(QT_TRANSLATE_NOOP("Quorvel", "relative colorimetric")),
             profile.blackPoint ? say(QT_TRANSLATE_NOOP("Quorvel", "on"))
                                : say(QT_TRANSLATE_NOOP("Quorvel", "off")));
}
} // namespace

QString intentKeyword(RenderingIntent intent)
{
    return intent == RenderingIntent::Perceptual ? QStringLiteral("perceptual")
                                                 : QStringLiteral("relative");
}

std::optional<RenderingIntent> parseIntent(const QString &keyword)
{
    for (RenderingIntent intent : {RenderingIntent::Perceptual, RenderingIntent::Relative})
        if (keyword == intentKeyword(intent))
            return intent;
    return std::nullopt;
}

std::optional<PrinterProfile> storedProfile(QSettings &settings, const QString &printer)
{
    if (printer.isEmpty())
        return std::nullopt;
    settings.beginGroup(printerGroup(printer));
    PrinterProfile profile;
    profile.path = settings.value(ProfileKey).toString();
    // An intent or switch edited into something else is read as the default.
    profile.intent =
        parseIntent(settings.value(IntentKey).toString()).value_or(RenderingIntent::Perceptual);
    profile.blackPoint = settings.value(BlackPointKey).toString() != QLatin1String("false");
    settings.endGroup();
    if (profile.path.isEmpty())
        return std::nullopt;
    return profile;
}

void storeProfile(QSettings &settings, const QString &printer, const PrinterProfile &profile)
{
    settings.beginGroup(printerGroup(printer));
    settings.setValue(ProfileKey, profile.path);
    settings.setValue(IntentKey, intentKeyword(profile.intent));
    settings.setValue(BlackPointKey,
                      profile.blackPoint ? QStringLiteral("true") : QStringLiteral("false"));
    settings.endGroup();
}

bool removeProfile(QSettings &settings, const QString &printer)
{
    settings.beginGroup(printerGroup(printer));
    const bool known = settings.contains(ProfileKey);
    for (const QString &key : {ProfileKey, IntentKey, BlackPointKey})
        settings.remove(key);
    settings.endGroup();
    return known;
}

std::shared_ptr<const PrinterColour> openStoredProfile(QSettings &settings, const QString &printer,
                                                       QString *whyNot)
{
    const std::optional<PrinterProfile> profile = storedProfile(settings, printer);
    return profile ? PrinterColour::open(*profile, whyNot) : nullptr;
}

QString profileRefusedText(const QString &printer, const QString &whyNot)
{
    return say(QT_TRANSLATE_NOOP("Quorvel", "The printer profile of %1 cannot be used: %2.\n"
                                            "Nothing was printed: choose its profile again in "
                                            "Printer calibration, or remove it."))
        .arg(printer, whyNot);
}

QString profileSummary(const std::optional<PrinterProfile> &profile)
{
    if (!profile)
        return say(QT_TRANSLATE_NOOP("Quorvel", "No printer profile: colours go to the printer "
                                                "as sRGB."));
    return say(QT_TRANSLATE_NOOP("Quorvel", "Colours are converted to the printer profile %1 "
                                            "(%2)."))
        .arg(QFileInfo(profile->path).fileName(), settingsText(*profile));
}

QString describeProfile(const QString &printer, const PrinterProfile &profile)
{
    return say(QT_TRANSLATE_NOOP("Quorvel", "%1: profile %2, %3"))
        .arg(printer, profile.path, settingsText(profile));
}

int profileFromCommandLine(QSettings &settings, const QString &printer,
                           const QStringList &arguments, const QString &intent, bool noBlackPoint,
                           bool remove, const QStringList &printers, QTextStream &out,
                           QTextStream &err)
{
    const QString quorvel = QStringLiteral("quorvel: ");
    if (remove)
        return removeFromCommandLine(
            settings, printer, printers, removeProfile,
            QT_TRANSLATE_NOOP("Quorvel", "%1 has no profile to remove"),
            QT_TRANSLATE_NOOP("Quorvel", "%1: profile removed; colours go to the printer as sRGB"),
            out, err);
    const QString name = knownPrinterName(printer, printers);
    if (name.isEmpty()) {
        err << quorvel << unknownPrinterRefusal(printer, printers) << "\n";
        return 1;
    }
    const std::optional<RenderingIntent> chosenIntent =
        intent.isEmpty() ? RenderingIntent::Perceptual : parseIntent(intent);
    if (arguments.size() != 1 || !chosenIntent) {
        err << quorvel
            << say(QT_TRANSLATE_NOOP("Quorvel", "give the printer's name and its profile's file, "
                                                "and as intent perceptual or relative; nothing "
                                                "was stored"))
            << "\n";
        return 1;
    }
    const PrinterProfile profile{QFileInfo(arguments[0]).absoluteFilePath(), *chosenIntent,
                                 !noBlackPoint};
    QString whyNot;
    if (!PrinterColour::open(profile, &whyNot)) {
        err << quorvel << say(QT_TRANSLATE_NOOP("Quorvel", "%1; nothing was stored")).arg(whyNot)
            << "\n";
        return 1;
    }
    storeProfile(settings, name, profile);
    return tellStored(settings, describeProfile(name, profile), out, err);
}
