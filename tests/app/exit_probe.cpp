// Runs the dialog as the program does and ends it one way, named by the first argument:
// "close-button", "escape", "window-close", "show-paper" (which also says the paper the window
// starts on); or, with a FOLDER of gated pictures (see
// gatedpictures.h), "close-while-listing" and "window-close-while-listing": the input list is
// filled from FOLDER on two decoding threads, both held at the gate, then Close is pressed or
// the window closed; the gate opens once the main thread waits (see openWhenWaited); or
// "close-after-a-refused-thread" with a FOLDER: the list is filled from it while the first
// thread start is refused, then Close is pressed once its thumbnails are made. The exit
// status is the program's, unless at the exit a decode is still in flight, or one started after
// the window closed: then it is 7 (9 when the threads were never both held).
#include "app/quorvel.h"
#include "gatedpictures.h"
#include "lists/thumbnails.h"
#include "refusedthreads.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtPlugin>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

Q_IMPORT_PLUGIN(GatedPlugin)

namespace {
constexpr int Threads = 2;

// Registered once both threads are held, so it runs before the static objects the decodes
// use are destroyed.
void checkDecodesAtExit()
{
    const testsupport::Gate &gate = testsupport::gate();
    if (gate.reached().size() != gate.finishedCount() || gate.reached().size() > Threads)
        _exit(7);
}

// Opens the gate once the main thread is blocked on a futex, as it is waiting for the decodes
// in flight, and not before: a program that does not wait for them reaches its exit with both
// still held. After 10 s it opens anyway, so that a program waiting elsewhere ends.
void openWhenWaited()
{
    const QString wchan = QStringLiteral("/proc/self/task/%1/wchan").arg(getpid());
    for (int waited = 0; waited < 10000; ++waited) {
        QFile file(wchan);
        if (file.open(QIODevice::ReadOnly) && file.readAll().startsWith("futex"))
            break;
        QThread::msleep(1);
    }
    testsupport::gate().setOpen(true);
}
} // namespace

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
            if (how == "show-paper") {
                // The paper the window starts on, as "width x length, name".
                std::printf("%s x %s, %s\n",
                            qPrintable(dialog.findChild<QLineEdit *>("lineOPWidth")->text()),
                            qPrintable(dialog.findChild<QLineEdit *>("lineOPHeight")->text()),
                            qPrintable(dialog.findChild<QComboBox *>("cmbPaper")->currentText()));
                dialog.close();
            } else if (how == "close-button") {
                dialog.findChild<QPushButton *>("btnClose")->click();
            } else if (how == "escape") {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&dialog, &press);
            } else if (how == "window-close") {
                dialog.close();
            } else if (how == "close-after-a-refused-thread" && argc > 2) {
                // A Close that waits for ever for a worker that never started ends the probe.
                std::thread([] {
                    std::this_thread::sleep_for(std::chrono::seconds(30));
                    _exit(8);
                }).detach();
                ThumbnailLoader::setDecodingThreads(Threads);
                testsupport::refuseThreadStarts(1);
                dialog.findChild<QLineEdit *>("lineSourcePath")->setText(argv[2]);
                dialog.findChild<QPushButton *>("btnRefreshSrc")->click();
                const auto *progress = dialog.findChild<QProgressBar *>("thumbnailProgress");
                for (int waited = 0; !progress->isHidden(); ++waited) {
                    if (waited > 20000 || testsupport::threadStartsRefused() != 1)
                        std::exit(9);
                    QCoreApplication::processEvents();
                    QThread::msleep(1);
                }
                dialog.findChild<QPushButton *>("btnClose")->click();
            } else if (how.endsWith("close-while-listing") && argc > 2) {
                ThumbnailLoader::setDecodingThreads(Threads);
                testsupport::gate().reset();
                dialog.findChild<QLineEdit *>("lineSourcePath")->setText(argv[2]);
                dialog.findChild<QPushButton *>("btnRefreshSrc")->click();
                for (int waited = 0; testsupport::gate().held() < Threads; ++waited) {
                    if (waited > 10000)
                        std::exit(9);
                    QThread::msleep(1);
                }
                std::atexit(checkDecodesAtExit);
                std::thread(openWhenWaited).detach();
                if (how == "close-while-listing")
                    dialog.findChild<QPushButton *>("btnClose")->click();
                else
                    dialog.close();
            }
        });
        status = application.exec();
    }
    return status;
}
