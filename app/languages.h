#pragma once

class QCoreApplication;
class QLocale;

// Installs the program's translation for the language of `locale`, and Qt's own for the
// dialogs Qt draws (the folder chooser, the print dialog, message box buttons). English, and
// the C locale, install none: the texts are then the program's own, as written.
void installTranslations(QCoreApplication &application, const QLocale &locale);
