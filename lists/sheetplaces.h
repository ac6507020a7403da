#pragma once

#include <QString>
#include <QStyledItemDelegate>

// The order the operator picks pictures in is their order on the sheet. Each selected input
// picture shows its place in that order, and screen readers are told it with its copies.

// The data role of an input item's place on the sheet: 1 for the first picked, 0 when it is
// not selected.
inline constexpr int SheetPlaceRole = Qt::UserRole + 1;

// "1st", "2nd", "3rd", ... in the operator's language.
QString ordinalText(int place);
// What a screen reader tells of an input picture: its copies, and its place on the sheet when
// it is selected ("3 copies, 2nd on the sheet").
QString pictureDescription(int copies, int place);
// "2 pictures selected", for the picture the operator is on.
QString selectionCountText(int selected);

// Paints each placed picture's number as a badge on its thumbnail's top left corner.
class SheetPlaceBadges : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
