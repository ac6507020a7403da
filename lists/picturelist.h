#pragma once

#include <QListWidget>

// The form's two picture lists, as a screen reader is to hear them. A list refilled while the
// operator types elsewhere moves its current row; Qt's list view reports every such move to
// assistive technology as a focus change, so a screen reader would announce a picture while the
// keys still go to the field. Here the move is reported only while the list itself has the
// keyboard focus, after the owner has had its say on the picture (currentAboutToBeTold), so
// that the report carries the picture's description as it now is. Gaining the focus reports the
// list, then its current picture.
class PictureList : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

signals:
    // The current item changed and is about to be told: its description can be brought up to
    // date.
    void currentAboutToBeTold(QListWidgetItem *current);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void tellCurrent();
};
