#pragma once

#include "testpictures.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QListWidget;
class QListWidgetItem;

namespace testsupport {

// Points the settings store and the desktop's thumbnail cache at a fresh temporary folder,
// uses Qt's own (non-native) dialogs and makes a scratch working folder current, so no test
// touches the user's real settings or cache, or lists the build folder. Call once from
// initTestCase().
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();
    QString path(const QString &name = QString()) const;
    // A new empty folder inside the sandbox.
    QString makeFolder(const QString &name) const;
    // Removes every stored setting, so each test starts from a first start.
    void clearSettings() const;

private:
    QTemporaryDir root;
    QString previousWorkingFolder;
};

// The one way the tests meet modal dialogs: every 10 ms, the active modal widget (null when
// there is none), or an open popup menu in its place, is handed to `look`, which returns true
// once it is done watching; the watcher then deletes itself. Watchers kept as members watch for
// their owner's whole life (their `look` never returns true).
class ModalWatcher : public QObject
{
public:
    using Look = std::function<bool(QWidget *modal, int elapsedMs)>;
    explicit ModalWatcher(Look look, QObject *parent = qApp);

private:
    QTimer timer;
    int elapsed = 0;
    bool looking = false;
};

// Answers the next modal dialog of type T by calling `answer` with it. Gives up silently after
// `timeoutMs`; a test that expected the dialog then fails on its checks.
template <typename T> void answerNextModal(std::function<void(T *)> answer, int timeoutMs = 10000)
{
    new ModalWatcher([=](QWidget *modal, int elapsedMs) {
        if (auto *dialog = qobject_cast<T *>(modal)) {
            answer(dialog);
            return true;
        }
        return elapsedMs > timeoutMs;
    });
}

// Opens `widget`'s context menu by keyboard (the Menu key) at `at`, in its coordinates, and
// chooses the entry whose text starts with `entry`, by keyboard: the menu closes and the entry
// does its work.
void chooseInContextMenu(QWidget *widget, QPoint at, const QString &entry);
// The same for the next menu shown, however it is opened.
void chooseInNextMenu(const QString &entry);

// Turns a dialog left open by mistake into a test failure instead of a hang: any modal dialog
// still open after a second is rejected and its title remembered. Keep one per test.
class ModalGuard
{
public:
    ModalGuard();
    // Titles of the dialogs it had to close.
    QStringList closed() const { return titles; }

private:
    QWidget *seen = nullptr;
    int seenSince = 0;
    QStringList titles;
    ModalWatcher watcher;
};

// Collects the addresses of one scheme handed to the desktop through QDesktopServices::openUrl,
// instead of starting programs.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    explicit UrlRecorder(const QString &scheme = QStringLiteral("file"));
    ~UrlRecorder() override;
    QList<QUrl> urls;
    const QString scheme;
public slots:
    void open(const QUrl &url) { urls << url; }
};

// What a message box showed, answered with its OK button.
struct MessageSeen
{
    QString title;
    QString text;
    int buttons = 0;
    bool shown = false;
    int width = 0;
};
// Answers the next QMessageBox with OK, recording it into *seen.
void acknowledgeNextMessage(MessageSeen *seen);

// Answers every message box shown during its life with OK and records each.
class MessageRecorder
{
public:
    MessageRecorder();
    QList<MessageSeen> messages;

private:
    ModalWatcher watcher;
};

// A small tmpfs mounted over a folder, to make disk faults real: a full disk, a read-only
// folder. Needs root (tests run as root ignore permission bits, so a mount is the honest way);
// isMounted() tells whether it worked. Unmounted when destroyed.
class ScratchMount
{
public:
    ScratchMount(const QString &folder, const QString &size);
    ~ScratchMount();
    bool isMounted() const { return mounted; }
    bool makeReadOnly();

private:
    QString folder;
    bool mounted = false;
};

// In a test function: skips the case when `mount` could not be made (not root), or fails it
// where QUORVEL_REQUIRE_MOUNTS is set, as CI sets it, so that disk faults cannot go untested.
#define QUORVEL_NEED_MOUNT(mount)                                                                  \
    do {                                                                                           \
        if (!(mount).isMounted()) {                                                                \
            if (qEnvironmentVariableIntValue("QUORVEL_REQUIRE_MOUNTS"))                            \
                QFAIL("no tmpfs could be mounted, and QUORVEL_REQUIRE_MOUNTS is set");             \
            QSKIP("mounting a tmpfs needs root");                                                  \
        }                                                                                          \
    } while (false)

// QVERIFY2 for a loop over every pixel: QVERIFY2 builds its message whether or not the check
// fails, which in such a loop costs more than the checks (minutes under the sanitizers).
#define QUORVEL_VERIFY_PIXEL(statement, description)                                               \
    do {                                                                                           \
        if (!(statement))                                                                          \
            QVERIFY2(statement, description);                                                      \
    } while (false)

// How a run of the exit probe (a stand-in for main() that ends the program one way) ended.
// The environment a test starts the program in: the sandbox's settings store, offscreen.
QProcessEnvironment programEnvironment(const Sandbox &sandbox);

struct ProbeRun
{
    int exitCode = -1; // -1 when it crashed or hung
    QString settingsFile;
    QString output; // what it wrote on its standard output
};
// Runs the exit probe `program` with `arguments`, offscreen, with its settings store under a
// folder of its own: empty, or a copy of the settings file `settings`.
ProbeRun runExitProbe(const QString &program, const Sandbox &sandbox, const QStringList &arguments,
                      const QString &settings = QString());

// Answers the next print dialog by printing to a PDF file at `pdf`, through the dialog's own
// "Print to File (PDF)" choice.
void printNextToPdfFile(const QString &pdf);

// Waits until every thumbnail of the list's latest fill has been made once (the bar at the
// list's foot is gone); false when they are still coming after `timeoutMs`.
bool waitForThumbnails(QListWidget *list, int timeoutMs = 30000);
// The middle pixel of an item's icon: 0 for no icon, a transparent one while it is to come.
QRgb iconCentre(const QListWidgetItem *item);
// Where an item's icon, drawn at the list's icon size, holds opaque pixels: the thumbnail of an
// opaque picture; empty for no icon and for the transparent one of a thumbnail to come.
QRect opaqueIconArea(const QListWidgetItem *item);
// Whether an item shows its picture's thumbnail, rather than no icon or the waiting one, and
// whole: its row is as high as the list's icon size.
bool showsThumbnail(const QListWidgetItem *item);

// Double-clicks an item of a list as the mouse would, with `modifiers` held.
void doubleClickItem(QListWidget *list, QListWidgetItem *item, Qt::KeyboardModifiers modifiers);
// Clicks a button with `modifiers` held, then releases the modifier state.
void clickWithModifiers(QAbstractButton *button, Qt::KeyboardModifiers modifiers);

} // namespace testsupport
