#include "app/titleroom.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>

int dialogWidthForTitle(const QString &title, const QFont &font, int widest)
{
    QFont titleFont = font;
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    // Title bars set their text a little larger than dialogs do; beside it go the window's
    // icon and up to three buttons, each about two lines high and square.
    return std::min(metrics.horizontalAdvance(title) * 6 / 5 + 8 * metrics.height(), widest);
}

bool DialogTitleRoom::eventFilter(QObject *watched, QEvent *event)
{
    // Before the dialog's own show handler: a message box fixes its size there from its
    // layout's minimum.
    if (event->type() != QEvent::Show)
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !(qobject_cast<QMessageBox *>(dialog) || qobject_cast<QInputDialog *>(dialog)) ||
        dialog->property("titleRoom").toBool())
        return false;
    dialog->setProperty("titleRoom", true);
    const int width = dialogWidthForTitle(dialog->windowTitle(), dialog->font(),
                                          dialog->screen()->availableGeometry().width() / 2);
    auto *grid = qobject_cast<QGridLayout *>(dialog->layout());
    if (qobject_cast<QMessageBox *>(dialog) && grid) {
        // Across the buttons' row, which adds no height to the box.
        const QMargins margins = grid->contentsMargins();
        grid->addItem(new QSpacerItem(width - margins.left() - margins.right(), 0,
                                      QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount() - 1, 0, 1, grid->columnCount());
    } else {
        dialog->setMinimumWidth(std::max(dialog->minimumWidth(), width));
    }
    return false;
}
