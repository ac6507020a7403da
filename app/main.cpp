#include "app/languages.h"
#include "app/quorvel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

namespace {
// Answers --help and --version (and refuses unknown options) before any window is made, so
// they work without a display. The program itself takes no options.
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
    parser.process(commandLine);
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
