#pragma once

#include <QObject>

class QFont;

// Window managers draw a message box's title beside an icon and buttons, in a bolder face
// than Qt's own allowance for it, so a box sized to a short message cut its translated title
// ("Auf… igt"). Installed on the application, this widens every message box to its title.
class MessageTitleRoom : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The width a message box needs to show `title` whole on a window manager's title bar.
int messageBoxWidthForTitle(const QString &title, const QFont &font);
