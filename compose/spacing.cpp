#include "compose/spacing.h"

#include "app/quorvel.h"
#include "app/settingskeys.h"
#include "form/quorvelform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QSettings>
#include <QUrl>

LogoAction logoActionFor(Qt::KeyboardModifiers held)
{
    if (held == Qt::ShiftModifier)
        return LogoAction::LeftMargin;
    if (held == Qt::ControlModifier)
        return LogoAction::TopMargin;
    if (held == (Qt::ControlModifier | Qt::ShiftModifier))
        return LogoAction::RevealCrop;
    if (held == (Qt::ShiftModifier | Qt::AltModifier))
        return LogoAction::GutterWidth;
    if (held == (Qt::ControlModifier | Qt::AltModifier))
        return LogoAction::GutterHeight;
    return LogoAction::WebPage;
}

const SpacingPrompt &spacingPromptFor(LogoAction action)
{
    static const SpacingPrompt left{QT_TRANSLATE_NOOP("Quorvel", "Enter Left Margin"),
                                    QT_TRANSLATE_NOOP("Quorvel", "Left Margin (in Pixels):"),
                                    SettingsKey::LastLeftPadding};
    static const SpacingPrompt top{QT_TRANSLATE_NOOP("Quorvel", "Enter Top Margin"),
                                   QT_TRANSLATE_NOOP("Quorvel", "Top Margin (in Pixels):"),
                                   SettingsKey::LastTopPadding};
    static const SpacingPrompt gutterWidth{
        QT_TRANSLATE_NOOP("Quorvel", "Enter Gutter Width"),
        QT_TRANSLATE_NOOP("Quorvel", "Gutter Width (in Pixels):"), SettingsKey::LastGutterWidth};
    static const SpacingPrompt gutterHeight{
        QT_TRANSLATE_NOOP("Quorvel", "Enter Gutter Height"),
        QT_TRANSLATE_NOOP("Quorvel", "Gutter Height (in Pixels):"), SettingsKey::LastGutterHeight};
    switch (action) {
    case LogoAction::LeftMargin:
        return left;
    case LogoAction::TopMargin:
        return top;
    case LogoAction::GutterWidth:
        return gutterWidth;
    default:
        return gutterHeight;
    }
}

void Quorvel::on_pushButton_clicked()
{
    const LogoAction action = logoActionFor(QApplication::keyboardModifiers());
    if (action == LogoAction::RevealCrop) {
        form->chkFitToPage->show();
    } else if (action == LogoAction::WebPage) {
        QDesktopServices::openUrl(QUrl(MakerWebPage, QUrl::TolerantMode));
    } else {
        const SpacingPrompt &prompt = spacingPromptFor(action);
        bool accepted = false;
        const QString text =
            QInputDialog::getText(this, tr(prompt.title), tr(prompt.label), QLineEdit::Normal,
                                  settings->value(prompt.key, "0").toString(), &accepted);
        // Stored as typed; generation reads anything but a whole number as 0.
        if (accepted && !text.isEmpty())
            settings->setValue(prompt.key, text);
    }
}
