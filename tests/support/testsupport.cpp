#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QProgressBar>
#include <QSettings>
#include <QTest>

namespace testsupport {

Sandbox::Sandbox() : previousWorkingFolder(QDir::currentPath())
{
    QVERIFY2(root.isValid(), "cannot make a temporary folder");
    QDir(root.path()).mkpath("settings");
    QDir(root.path()).mkpath("cwd");
    // The desktop's thumbnail cache, too, is the sandbox's own.
    qputenv("XDG_CACHE_HOME", path("cache").toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("settings"));
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QDir::setCurrent(path("cwd"));
}

Sandbox::~Sandbox()
{
    QDir::setCurrent(previousWorkingFolder);
}

QString Sandbox::path(const QString &name) const
{
    return name.isEmpty() ? root.path() : root.filePath(name);
}

QString Sandbox::makeFolder(const QString &name) const
{
    QDir folder(path(name));
    if (folder.exists())
        folder.removeRecursively();
    QDir(root.path()).mkpath(name);
    return folder.path();
}

void Sandbox::clearSettings() const
{
    QSettings store("Morvane", "Quorvel");
    store.clear();
    store.sync();
}

ModalWatcher::ModalWatcher(Look look, QObject *parent) : QObject(parent)
{
    constexpr int Interval = 10;
    connect(&timer, &QTimer::timeout, this, [this, look] {
        // An answer may open further dialogs, whose event loops would call it again.
        if (looking)
            return;
        elapsed += Interval;
        QWidget *popup = QApplication::activePopupWidget();
        looking = true;
        const bool done = look(popup ? popup : QApplication::activeModalWidget(), elapsed);
        looking = false;
        if (!done)
            return;
        timer.stop();
        deleteLater();
    });
    timer.start(Interval);
}

void chooseInContextMenu(QWidget *widget, QPoint at, const QString &entry)
{
    chooseInNextMenu(entry);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &menuKey);
}

void chooseInNextMenu(const QString &entry)
{
    answerNextModal<QMenu>([entry](QMenu *menu) {
        for (QAction *action : menu->actions()) {
            if (action->text().startsWith(entry)) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
}

ModalGuard::ModalGuard()
    : watcher(
          [this](QWidget *modal, int elapsedMs) {
              if (modal != seen) {
                  seen = modal;
                  seenSince = elapsedMs;
              } else if (auto *dialog = qobject_cast<QDialog *>(modal);
                         dialog && elapsedMs - seenSince >= 1000) {
                  titles << dialog->windowTitle();
                  dialog->reject();
                  seen = nullptr;
              }
              return false;
          },
          nullptr)
{}

UrlRecorder::UrlRecorder(const QString &scheme) : scheme(scheme)
{
    QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlRecorder::~UrlRecorder()
{
    QDesktopServices::unsetUrlHandler(scheme);
}

void acknowledgeNextMessage(MessageSeen *seen)
{
    answerNextModal<QMessageBox>([seen](QMessageBox *box) {
        seen->shown = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->buttons = int(box->standardButtons());
        box->button(QMessageBox::Ok)->click();
    });
}

MessageRecorder::MessageRecorder()
    : watcher(
          [this](QWidget *modal, int) {
              if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                  messages << MessageSeen{box->windowTitle(), box->text(),
                                          int(box->standardButtons()), true, box->width()};
                  box->button(QMessageBox::Ok)->click();
              }
              return false;
          },
          nullptr)
{}

ScratchMount::ScratchMount(const QString &folder, const QString &size) : folder(folder)
{
    QDir().mkpath(folder);
    mounted =
        QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", folder}) == 0;
}

ScratchMount::~ScratchMount()
{
    if (mounted)
        QProcess::execute("umount", {folder});
}

bool ScratchMount::makeReadOnly()
{
    return mounted && QProcess::execute("mount", {"-o", "remount,ro", folder}) == 0;
}

QProcessEnvironment programEnvironment(const Sandbox &sandbox)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", sandbox.path("settings"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

ProbeRun runExitProbe(const QString &program, const Sandbox &sandbox, const QStringList &arguments,
                      const QString &settings)
{
    const QString config = sandbox.makeFolder("probe-config-" + arguments.first());
    if (!settings.isEmpty()) {
        QDir(config).mkpath("Morvane");
        QFile::copy(settings, config + "/Morvane/Quorvel.conf");
    }
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config);
    environment.insert("XDG_CACHE_HOME", sandbox.path("cache"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("QT_QPA_PLATFORMTHEME");
    probe.setProcessEnvironment(environment);
    probe.setWorkingDirectory(sandbox.makeFolder("probe-cwd"));
    probe.start(program, arguments);
    ProbeRun run;
    if (probe.waitForFinished(120000) && probe.exitStatus() == QProcess::NormalExit)
        run.exitCode = probe.exitCode();
    run.output = QString::fromUtf8(probe.readAllStandardOutput());
    run.settingsFile = config + "/Morvane/Quorvel.conf";
    return run;
}

void printNextToPdfFile(const QString &pdf)
{
    answerNextModal<QPrintDialog>([pdf](QPrintDialog *printDialog) {
        auto *printers = printDialog->findChild<QComboBox *>("printers");
        printers->setCurrentIndex(printers->count() - 1); // "Print to File (PDF)" comes last
        printDialog->findChild<QLineEdit *>("filename")->setText(pdf);
        printDialog->accept();
    });
}

bool waitForThumbnails(QListWidget *list, int timeoutMs)
{
    return QTest::qWaitFor(
        [list] {
            // A filled list always has its bar: none means the fill has not begun.
            const auto *progress = list->findChild<QProgressBar *>("thumbnailProgress");
            return list->count() == 0 || (progress && progress->isHidden());
        },
        timeoutMs);
}

QRgb iconCentre(const QListWidgetItem *item)
{
    const QIcon icon = item->icon();
    if (icon.isNull())
        return 0;
    const QImage picture = icon.pixmap(icon.availableSizes().value(0, QSize(200, 200))).toImage();
    return picture.isNull() ? 0 : picture.pixel(picture.width() / 2, picture.height() / 2);
}

QRect opaqueIconArea(const QListWidgetItem *item)
{
    const QListWidget *list = item->listWidget();
    if (!list || item->icon().isNull())
        return QRect();
    const QImage picture = item->icon().pixmap(list->iconSize()).toImage();
    QRect area;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) == 255)
                area |= QRect(x, y, 1, 1);
    return area;
}

bool showsThumbnail(const QListWidgetItem *item)
{
    const QListWidget *list = item->listWidget();
    return list && list->visualItemRect(item).height() >= list->iconSize().height() &&
           !opaqueIconArea(item).isEmpty();
}

void doubleClickItem(QListWidget *list, QListWidgetItem *item, Qt::KeyboardModifiers modifiers)
{
    list->scrollToItem(item);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, modifiers, centre);
    // The next event carries no modifiers, so later code sees none held.
    QTest::mouseMove(list->viewport(), centre);
}

void clickWithModifiers(QAbstractButton *button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(button, Qt::LeftButton, modifiers);
    QTest::mouseMove(button);
}

} // namespace testsupport
