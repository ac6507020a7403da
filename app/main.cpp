#include "app/languages.h"
#include "app/quorvel.h"
#include "app/settingskeys.h"
#include "print/calibration.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QSettings>
#include <QTextStream>
#include <cstdlib>

namespace {
// Answers --help and --version, the printers' calibration (and refuses unknown options) before
// any window is made, so that they work without a display. The window itself takes no options.
void answerCommandLine(int argc, char *argv[])
{
    QCoreApplication commandLine(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lays copies of print-size photos edge to edge on an A4 sheet at 300 dpi, saves the\n"
        "sheet as 01.jpg in the destination folder and prints it. The folders, sheet size and\n"
        "margins are chosen in the window and kept in ~/.config/Morvane/Quorvel.conf."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption calibrate(
        QStringLiteral("calibrate"),
        QStringLiteral("Stores PRINTER's correction: how long 200 mm came out on it, ACROSS "
                       "DOWN, in mm (190 to 210); with --remove, takes the correction away."),
        QStringLiteral("printer"));
    const QCommandLineOption remove(QStringLiteral("remove"),
                                    QStringLiteral("With --calibrate: removes the correction."));
    const QCommandLineOption list(QStringLiteral("calibration"),
                                  QStringLiteral("Lists the printers' stored corrections."));
    parser.addOptions({calibrate, remove, list});
    parser.addPositionalArgument(QStringLiteral("across"),
                                 QStringLiteral("With --calibrate: the scale across, in mm."),
                                 QStringLiteral("[ACROSS"));
    parser.addPositionalArgument(QStringLiteral("down"),
                                 QStringLiteral("With --calibrate: the scale down, in mm."),
                                 QStringLiteral("DOWN]"));
    parser.process(commandLine);
    if (parser.isSet(calibrate) || parser.isSet(list)) {
        int status = 0;
        {
            QSettings settings(SettingsOrganization, SettingsApplication);
            QTextStream out(stdout), err(stderr);
            status = parser.isSet(list)
                         ? listCalibrations(settings, out)
                         : calibrateFromCommandLine(settings, parser.value(calibrate),
                                                    parser.positionalArguments(),
                                                    parser.isSet(remove), out, err);
        }
        std::exit(status);
    }
    // The window's application object carries no names of its own.
    QCoreApplication::setApplicationName(QString());
    QCoreApplication::setApplicationVersion(QString());
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1)
        answerCommandLine(argc, argv);
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
