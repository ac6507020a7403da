#pragma once

#include <QListWidget>

// The form's two picture lists. A list refilled while the operator types elsewhere moves its
// current row; Qt's list view reports every such move to assistive technology as a focus
// change, so a screen reader would announce a picture while the keys still go to the field.
// Here the move is reported only while the list itself has the keyboard focus; gaining the
// focus reports the list, whose current row the reader then finds.
class PictureList : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
};
