#include "app/quorvel.h"

#include "form/quorvelform.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QShortcut>

void Quorvel::addKeyboardShortcuts()
{
    // Each key clicks its buttons, so that it does exactly what the click does, and Go and
    // Print still take no focus. The tooltips name the keys, in the operator's language.
    const struct
    {
        QKeySequence keys;
        QList<QPushButton *> buttons;
        QList<const char *> tips;
    } shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Return),
         {form->btnGenerate},
         {QT_TR_NOOP("Lay the selected pictures out on a sheet and save it")}},
        {QKeySequence(Qt::CTRL | Qt::Key_P),
         {form->btnPrint},
         {QT_TR_NOOP("Print the first sheet of the output list")}},
        {QKeySequence(Qt::Key_F5),
         {form->btnRefreshSrc, form->btnRefreshDest},
         {QT_TR_NOOP("List the source folder again"),
          QT_TR_NOOP("List the destination folder again")}},
        {QKeySequence(Qt::CTRL | Qt::Key_O),
         {form->btnBrowseSourcePath},
         {QT_TR_NOOP("Choose the folder of pictures")}},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
         {form->btnBrowseDestPath},
         {QT_TR_NOOP("Choose the folder for the sheets")}},
    };
    for (const auto &shortcut : shortcuts) {
        const QList<QPushButton *> buttons = shortcut.buttons;
        // Go and Print take no focus: their own shortcut, which screen readers are told as
        // their key binding, clicks them where they are (a button that takes focus would take
        // it from the field being typed in).
        if (buttons.size() == 1 && buttons.first()->focusPolicy() == Qt::NoFocus)
            buttons.first()->setShortcut(shortcut.keys);
        else
            connect(new QShortcut(shortcut.keys, this), &QShortcut::activated, this, [buttons] {
                for (QPushButton *button : buttons)
                    button->click();
            });
        for (int i = 0; i < buttons.size(); ++i)
            buttons[i]->setToolTip(QStringLiteral("%1 (%2)").arg(
                tr(shortcut.tips[i]), shortcut.keys.toString(QKeySequence::NativeText)));
    }
    // Shift+F10 opens the menu of what has the focus, as the Menu key does: Qt gives only that
    // key a menu, at the place it asks the widget for (a list's current item).
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this), &QShortcut::activated, this,
            [] {
                QWidget *focus = QApplication::focusWidget();
                if (!focus)
                    return;
                const QPoint at = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
                QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
                QCoreApplication::sendEvent(focus, &menu);
            });
    // The printer calibration has no button of its own: its key is told with Print's.
    connect(new QShortcut(QKeySequence(PrinterCalibrationKeys), this), &QShortcut::activated, this,
            &Quorvel::showPrinterCalibration);
    form->btnPrint->setToolTip(
        QStringLiteral("%1\n%2 (%3)")
            .arg(form->btnPrint->toolTip(), tr("Printer calibration"),
                 QKeySequence(PrinterCalibrationKeys).toString(QKeySequence::NativeText)));
    // No button is the dialog's default: Return in a path field lists that folder, as its
    // "R" button does, and opens nothing.
    connect(form->lineSourcePath, &QLineEdit::returnPressed, form->btnRefreshSrc,
            &QPushButton::click);
    connect(form->lineDestPath, &QLineEdit::returnPressed, form->btnRefreshDest,
            &QPushButton::click);
}
