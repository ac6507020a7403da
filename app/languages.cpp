#include "app/languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// Installs `name`_<language>.qm from `folder` when there is one for the locale.
void install(QCoreApplication &application, const QLocale &locale, const QString &name,
             const QString &folder)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
} // namespace

void installTranslations(QCoreApplication &application, const QLocale &locale)
{
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return;
    // The program's translations are compiled in; Qt's come with Debian's Qt.
    install(application, locale, QStringLiteral("quorvel"), QStringLiteral(":/i18n"));
    install(application, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
