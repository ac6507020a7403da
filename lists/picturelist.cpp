#include "lists/picturelist.h"

#include <QAccessible>

void PictureList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (!hasFocus()) {
        QAbstractItemView::currentChanged(current, previous); // all but the focus report
        return;
    }
    if (QListWidgetItem *item = itemFromIndex(current))
        emit currentAboutToBeTold(item);
    QListWidget::currentChanged(current, previous);
}

void PictureList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    // The list's own report follows this event: the picture is told after it.
    QMetaObject::invokeMethod(this, &PictureList::tellCurrent, Qt::QueuedConnection);
}

void PictureList::tellCurrent()
{
    if (!QAccessible::isActive() || !hasFocus() || !currentIndex().isValid())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(currentIndex().row());
    QAccessible::updateAccessibility(&event);
}
