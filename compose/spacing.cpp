#include "compose/spacing.h"

#include "app/quorvel.h"
#include "app/settingskeys.h"
#include "form/quorvelform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QKeySequence>
#include <QMenu>
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
    runLogoAction(logoActionFor(QApplication::keyboardModifiers()));
}

void Quorvel::runLogoAction(LogoAction action)
{
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

void Quorvel::addLogoMenu()
{
    // The modifier-clicks by keyboard and for screen readers: the Menu key, Shift+F10 or a
    // right click on the logo, each entry naming the click it stands for.
    form->pushButton->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(form->pushButton, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        const struct
        {
            const char *text;
            LogoAction action;
            Qt::KeyboardModifiers held;
        } entries[] = {
            {QT_TR_NOOP("Left margin\u2026"), LogoAction::LeftMargin, Qt::ShiftModifier},
            {QT_TR_NOOP("Top margin\u2026"), LogoAction::TopMargin, Qt::ControlModifier},
            {QT_TR_NOOP("Gutter width\u2026"), LogoAction::GutterWidth,
             Qt::ShiftModifier | Qt::AltModifier},
            {QT_TR_NOOP("Gutter height\u2026"), LogoAction::GutterHeight,
             Qt::ControlModifier | Qt::AltModifier},
            {QT_TR_NOOP("Show Crop Image option"), LogoAction::RevealCrop,
             Qt::ControlModifier | Qt::ShiftModifier},
        };
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("logoMenu"));
        for (const auto &entry : entries) {
            // The click it stands for, as "Shift+click": the keys' names as the desktop writes
            // them, less the key itself.
            QString click = QKeySequence(QKeyCombination(entry.held, Qt::Key_A))
                                .toString(QKeySequence::NativeText);
            click.chop(1);
            click += tr("click");
            menu.addAction(QStringLiteral("%1\t%2").arg(tr(entry.text), click), this,
                           [this, entry] { runLogoAction(entry.action); });
        }
        menu.addSeparator();
        menu.addAction(QStringLiteral("%1\t%2").arg(
                           tr("Printer calibration\u2026"),
                           QKeySequence(PrinterCalibrationKeys).toString(QKeySequence::NativeText)),
                       this, &Quorvel::showPrinterCalibration);
        menu.exec(form->pushButton->mapToGlobal(at));
    });
}
