#include "testsupport.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

namespace testsupport {

Sandbox::Sandbox() : previousWorkingFolder(QDir::currentPath())
{
    QVERIFY2(root.isValid(), "cannot make a temporary folder");
    QDir(root.path()).mkpath("settings");
    QDir(root.path()).mkpath("cwd");
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

QImage solidPicture(QSize size, QColor fill, QColor topEdge)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(fill);
    if (topEdge.isValid()) {
        for (int x = 0; x < size.width(); ++x)
            picture.setPixelColor(x, 0, topEdge);
    }
    return picture;
}

QString writePicture(const QString &path, const QImage &picture, const char *format)
{
    QImageWriter writer(path, format);
    if (!writer.write(picture))
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
    return path;
}

QString writeTga(const QString &path, const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes(18, '\0');
    bytes[2] = 2; // uncompressed true-colour
    bytes[12] = char(rgb.width() & 0xff);
    bytes[13] = char(rgb.width() >> 8);
    bytes[14] = char(rgb.height() & 0xff);
    bytes[15] = char(rgb.height() >> 8);
    bytes[16] = 24;
    bytes[17] = 0x20; // top-left origin
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar *line = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            bytes.append(char(line[3 * x + 2]));
            bytes.append(char(line[3 * x + 1]));
            bytes.append(char(line[3 * x]));
        }
    }
    bytes.append(QByteArray(8, '\0')); // no extension or developer area
    bytes.append("TRUEVISION-XFILE.");
    bytes.append('\0');
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

ModalGuard::ModalGuard()
{
    QObject::connect(&timer, &QTimer::timeout, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal != seen) {
            seen = modal;
            seenFor = 0;
            return;
        }
        seenFor += 100;
        if (seenFor >= 1000 && qobject_cast<QDialog *>(modal)) {
            titles << modal->windowTitle();
            static_cast<QDialog *>(modal)->reject();
            seen = nullptr;
        }
    });
    timer.start(100);
}

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
{
    QObject::connect(&timer, &QTimer::timeout, [this] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            messages << MessageSeen{box->windowTitle(), box->text(), int(box->standardButtons()),
                                    true};
            box->button(QMessageBox::Ok)->click();
        }
    });
    timer.start(10);
}

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

QImage noisePicture(QSize size, quint32 seed)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(picture.scanLine(y));
        random.fillRange(line, size.width());
        for (int x = 0; x < size.width(); ++x)
            line[x] |= 0xff000000;
    }
    return picture;
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
