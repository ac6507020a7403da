#include "lists/folderdrops.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString droppedFolder(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return QString();
    QString folder;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return QString();
        const QFileInfo dropped(url.toLocalFile());
        const QString itsFolder = dropped.isDir()    ? dropped.absoluteFilePath()
                                  : dropped.isFile() ? dropped.absolutePath()
                                                     : QString();
        if (itsFolder.isEmpty() || (!folder.isEmpty() && itsFolder != folder))
            return QString();
        folder = itsFolder;
    }
    return folder;
}

FolderDrops::FolderDrops(QAbstractItemView *list, std::function<void(const QString &)> use)
    : QObject(list), use(std::move(use))
{
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

bool FolderDrops::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString folder = droppedFolder(drop->mimeData());
        if (folder.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop)
            use(folder);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
