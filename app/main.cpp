#include "app/languages.h"
#include "app/quorvel.h"
#include "app/settingskeys.h"
#include "print/calibration.h"
#include "print/calibrationsheet.h"
#include "print/printerprofile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QPrinterInfo>
#include <QSettings>
#include <QTextStream>
#include <cstdlib>

namespace {
// Answers --help and --version, the printers' calibration (and refuses unknown options) before
// any window is made, so that they work without a display. The window itself takes no options.
// Returns the printer (empty: the default one) to print the calibration sheet on, which needs
// an application that can draw; null when not asked.
QString answerCommandLine(int argc, char *argv[])
{
    QCoreApplication commandLine(argc, argv);
    // What it answers is in the operator's language, as the window is.
    installTranslations(commandLine, QLocale::system());
    QCoreApplication::setApplicationName(QStringLiteral("quorvel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lays copies of print-size photos edge to edge on a sheet at 300 dpi (A4 or the paper\n"
        "chosen), saves it as 01.jpg in the destination folder (with more sheets, copies that\n"
        "do not fit on 02.jpg, ...) and prints it. The folders, paper and margins are chosen in\n"
        "the window and kept in ~/.config/Morvane/Quorvel.conf."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption calibrate(
        QStringLiteral("calibrate"),
        QStringLiteral("Stores PRINTER's correction: how long 200 mm came out on it, ACROSS "
                       "DOWN, in mm (190 to 210); with --remove, takes the correction away."),
        QStringLiteral("printer"));
    const QCommandLineOption profile(
        QStringLiteral("print-profile"),
        QStringLiteral("Stores FILE as PRINTER's ICC profile (an RGB printer profile): every sheet "
                       "printed on it is converted to it; with --remove, takes it away."),
        QStringLiteral("printer"));
    const QCommandLineOption intent(
        QStringLiteral("intent"),
        QStringLiteral("With --print-profile: the rendering intent, perceptual (the default) or "
                       "relative (colorimetric)."),
        QStringLiteral("intent"));
    const QCommandLineOption noBlackPoint(
        QStringLiteral("no-black-point"),
        QStringLiteral("With --print-profile: without black point compensation."));
    const QCommandLineOption remove(
        QStringLiteral("remove"),
        QStringLiteral(
            "With --calibrate or --print-profile: removes the correction, the profile."));
    const QCommandLineOption list(
        QStringLiteral("calibration"),
        QStringLiteral("Lists the printers' stored corrections and profiles."));
    const QCommandLineOption printSheet(
        QStringLiteral("print-calibration-sheet"),
        QStringLiteral("Prints the calibration sheet, uncorrected, on the printer named after "
                       "it, or the default printer."));
    parser.addOptions({calibrate, profile, intent, noBlackPoint, remove, list, printSheet});
    parser.addPositionalArgument(QStringLiteral("across"),
                                 QStringLiteral("With --calibrate: the scale across, in mm."),
                                 QStringLiteral("[ACROSS"));
    parser.addPositionalArgument(QStringLiteral("down"),
                                 QStringLiteral("With --calibrate: the scale down, in mm."),
                                 QStringLiteral("DOWN]"));
    parser.addPositionalArgument(
        QStringLiteral("printer"),
        QStringLiteral("With --print-calibration-sheet: the printer, else the default one."),
        QStringLiteral("[PRINTER]"));
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("With --print-profile: the ICC profile's file."),
                                 QStringLiteral("[FILE]"));
    parser.process(commandLine);
    if (parser.isSet(calibrate) || parser.isSet(profile) || parser.isSet(list)) {
        int status = 0;
        {
            QSettings settings(SettingsOrganization, SettingsApplication);
            QTextStream out(stdout), err(stderr);
            const QStringList printers = QPrinterInfo::availablePrinterNames();
            if (parser.isSet(list))
                status = listCalibrations(settings, out);
            else if (parser.isSet(profile))
                status = profileFromCommandLine(settings, parser.value(profile),
                                                parser.positionalArguments(), parser.value(intent),
                                                parser.isSet(noBlackPoint), parser.isSet(remove),
                                                printers, out, err);
            else
                status = calibrateFromCommandLine(settings, parser.value(calibrate),
                                                  parser.positionalArguments(),
                                                  parser.isSet(remove), printers, out, err);
        }
        std::exit(status);
    }
    // The window's application object carries no names of its own.
    QCoreApplication::setApplicationName(QString());
    QCoreApplication::setApplicationVersion(QString());
    if (parser.isSet(printSheet))
        return parser.positionalArguments().value(0, QStringLiteral(""));
    return QString();
}
} // namespace

int main(int argc, char *argv[])
{
    const QString calibrationPrinter = argc > 1 ? answerCommandLine(argc, argv) : QString();
    if (!calibrationPrinter.isNull()) {
        // Drawn and printed without a window: no display is needed.
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication application(argc, argv);
        installTranslations(application, QLocale::system());
        QSettings settings(SettingsOrganization, SettingsApplication);
        return printCalibrationSheetFromCommandLine(settings, calibrationPrinter);
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("com.morvane.Quorvel"));
    installTranslations(application, QLocale::system());
    int status = 0;
    {
        Quorvel dialog;
        dialog.setWindowFlags(Qt::Window);
        dialog.showMaximized();
        status = application.exec();
    }
    return status;
}
