#include "app/paths.h"
#include "app/quorvel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QUrl>

void Quorvel::openWithDesktop(const QString &path)
{
    if (!QFile::exists(path)) {
        QMessageBox::warning(this, tr("Test Message"), path, QMessageBox::Ok,
                             QMessageBox::NoButton);
        return;
    }
    // Relative paths (an empty folder text) are resolved against the working folder rather
    // than taken for web addresses.
    QDesktopServices::openUrl(
        QUrl::fromUserInput(path, QDir::currentPath(), QUrl::AssumeLocalFile));
}

void Quorvel::openFolderWithDesktop(const QString &folder)
{
    // An empty folder text lists the working folder, so that is the folder to open.
    openWithDesktop(folder.isEmpty() ? QDir::currentPath() : folder);
}

bool Quorvel::handOverToDesktop(const QString &folder, const QString &fileName)
{
    const Qt::KeyboardModifiers held = QApplication::keyboardModifiers();
    if (held == (Qt::ControlModifier | Qt::ShiftModifier)) {
        openFolderWithDesktop(folder);
        return true;
    }
    if (held == Qt::ControlModifier) {
        openWithDesktop(joinFolderAndName(folder, fileName));
        return true;
    }
    return false;
}
