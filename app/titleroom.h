#pragma once

#include <QObject>

class QFont;

// Window managers draw a dialog's title beside an icon and buttons, in a bolder face than
// Qt's own allowance for it, so a message box sized to a short message cut its translated
// title ("Auf… igt"), and the copies prompt the picture's name it is titled with. Installed
// on the application, this widens every message box and prompt to its title.
class DialogTitleRoom : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The width a dialog needs to show `title` whole on a window manager's title bar, within
// `widest` (a name can be longer than any screen).
int dialogWidthForTitle(const QString &title, const QFont &font, int widest);
