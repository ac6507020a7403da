#include "lists/sheetplaces.h"

#include "app/quorvel.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"
#include "lists/picturelist.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPainter>

QString ordinalText(int place)
{
    // English picks its suffix by the last digits; the other languages translate each the same
    // way ("%1.", "%1e", "%1.º"), French the first alone apart ("%1er").
    const int lastTwo = place % 100, last = place % 10;
    if (place == 1)
        return QCoreApplication::translate("Quorvel", "%1st", "the first").arg(place);
    const char *suffix = lastTwo >= 11 && lastTwo <= 13 ? QT_TRANSLATE_NOOP("Quorvel", "%1th")
                         : last == 1                    ? QT_TRANSLATE_NOOP("Quorvel", "%1st")
                         : last == 2                    ? QT_TRANSLATE_NOOP("Quorvel", "%1nd")
                         : last == 3                    ? QT_TRANSLATE_NOOP("Quorvel", "%1rd")
                                                        : QT_TRANSLATE_NOOP("Quorvel", "%1th");
    return QCoreApplication::translate("Quorvel", suffix).arg(place);
}

QString pictureDescription(int copies, int place)
{
    // English has no plural forms loaded: its singular is written out.
    const QString count =
        copies == 1 ? QCoreApplication::translate("Quorvel", "1 copy")
                    : QCoreApplication::translate("Quorvel", "%n copies", nullptr, copies);
    if (place <= 0)
        return count;
    return QCoreApplication::translate("Quorvel", "%1, %2 on the sheet")
        .arg(count, ordinalText(place));
}

QString selectionCountText(int selected)
{
    return selected == 1
               ? QCoreApplication::translate("Quorvel", "1 picture selected")
               : QCoreApplication::translate("Quorvel", "%n pictures selected", nullptr, selected);
}

void SheetPlaceBadges::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const int place = index.data(SheetPlaceRole).toInt();
    if (place <= 0)
        return;
    // White on dark blue with a white rim: readable on any thumbnail (contrast 14:1).
    const QString number = QString::number(place);
    QFont font = option.font;
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int height = metrics.height() + 4;
    const QRect badge(option.rect.topLeft() + QPoint(4, 4),
                      QSize(std::max(height, metrics.horizontalAdvance(number) + 10), height));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(Qt::white, 2));
    painter->setBrush(QColor(0x0d, 0x2b, 0x6b));
    painter->drawRoundedRect(badge, height / 2.0, height / 2.0);
    painter->setFont(font);
    painter->drawText(badge, Qt::AlignCenter, number);
    painter->restore();
}

void Quorvel::showSheetPlaces()
{
    form->lstPrintFiles->setItemDelegate(new SheetPlaceBadges(form->lstPrintFiles));
    connect(form->lstPrintFiles, &QListWidget::itemSelectionChanged, this,
            &Quorvel::placeSelectedPictures);
    // The picture arrowed to is told with its description as it now is.
    connect(form->lstPrintFiles, &PictureList::currentAboutToBeTold, this,
            &Quorvel::describeInputPicture);
    // The picture the operator is on also tells how many are selected.
    connect(form->lstPrintFiles, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *current, QListWidgetItem *previous) {
                for (QListWidgetItem *item : {previous, current})
                    if (item)
                        describeInputPicture(item);
            });
}

void Quorvel::describeInputPicture(QListWidgetItem *item)
{
    const int place = item->data(SheetPlaceRole).toInt();
    QString description = pictureDescription(splitItemText(item->text()).copies, place);
    // The picture the operator is on also tells how many are selected, so that a selection
    // changed by Space is heard.
    if (item == form->lstPrintFiles->currentItem())
        description += QStringLiteral("; ") +
                       selectionCountText(int(form->lstPrintFiles->selectedItems().size()));
    if (item->data(Qt::AccessibleDescriptionRole).toString() == description)
        return;
    item->setData(Qt::AccessibleDescriptionRole, description);
    if (QAccessible::isActive() && item == form->lstPrintFiles->currentItem()) {
        QAccessibleEvent event(form->lstPrintFiles, QAccessible::DescriptionChanged);
        event.setChild(form->lstPrintFiles->row(item));
        QAccessible::updateAccessibility(&event);
    }
}

void Quorvel::placeSelectedPictures()
{
    QListWidget *list = form->lstPrintFiles;
    const QList<QListWidgetItem *> selected = list->selectedItems();
    // Those placed before and no longer selected lose their place.
    const QList<QPersistentModelIndex> before = std::exchange(placedPictures, {});
    for (const QPersistentModelIndex &index : before) {
        QListWidgetItem *item = index.isValid() ? list->itemFromIndex(index) : nullptr;
        if (item && !item->isSelected()) {
            item->setData(SheetPlaceRole, 0);
            describeInputPicture(item);
        }
    }
    for (int place = 0; place < selected.size(); ++place) {
        selected[place]->setData(SheetPlaceRole, place + 1);
        placedPictures << QPersistentModelIndex(list->indexFromItem(selected[place]));
        describeInputPicture(selected[place]);
    }
    if (QListWidgetItem *current = list->currentItem())
        describeInputPicture(current);
}
