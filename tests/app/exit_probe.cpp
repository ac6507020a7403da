// Runs the dialog as the program does and ends it one way, named by the first argument:
// "close-button", "escape" or "window-close". The exit status is the program's.
#include "app/quorvel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QByteArray how = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    int status = 0;
    {
        Quorvel dialog;
        dialog.setWindowFlags(Qt::Window);
        dialog.showMaximized();
        QTimer::singleShot(0, &dialog, [&] {
            if (how == "close-button") {
                dialog.findChild<QPushButton *>("btnClose")->click();
            } else if (how == "escape") {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&dialog, &press);
            } else if (how == "window-close") {
                dialog.close();
            }
        });
        status = application.exec();
    }
    return status;
}
