// Runs the dialog as the program does and ends it one way, named by the first argument:
// "close-button", "escape", "window-close", or "close-while-listing FOLDER" (Close pressed
// while the input list is being filled from FOLDER). The exit status is the program's.
#include "app/quorvel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
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
            } else if (how == "close-while-listing" && argc > 2) {
                dialog.findChild<QLineEdit *>("lineSourcePath")->setText(argv[2]);
                auto *close = dialog.findChild<QPushButton *>("btnClose");
                QTimer::singleShot(100, close, &QPushButton::click);
                dialog.findChild<QPushButton *>("btnRefreshSrc")->click();
                // Reached only if Close did not end the process while the list was filling.
                QApplication::exit(3);
            }
        });
        status = application.exec();
    }
    return status;
}
