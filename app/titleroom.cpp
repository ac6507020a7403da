#include "app/titleroom.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

int messageBoxWidthForTitle(const QString &title, const QFont &font)
{
    QFont titleFont = font;
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    // Title bars set their text a little larger than dialogs do; beside it go the window's
    // icon and up to three buttons, each about two lines high and square.
    return metrics.horizontalAdvance(title) * 6 / 5 + 8 * metrics.height();
}

bool MessageTitleRoom::eventFilter(QObject *watched, QEvent *event)
{
    // Before the box's own show handler, which fixes its size from its layout's minimum.
    if (event->type() != QEvent::Show)
        return false;
    auto *box = qobject_cast<QMessageBox *>(watched);
    auto *grid = box ? qobject_cast<QGridLayout *>(box->layout()) : nullptr;
    if (!grid || box->property("titleRoom").toBool())
        return false;
    box->setProperty("titleRoom", true);
    const QMargins margins = grid->contentsMargins();
    const int room =
        messageBoxWidthForTitle(box->windowTitle(), box->font()) - margins.left() - margins.right();
    // Across the buttons' row, which adds no height to the box.
    grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount() - 1, 0, 1, grid->columnCount());
    return false;
}
