#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAbstractItemView;
class QMimeData;

// The folder a drop names: a local folder, or the folder holding the local files dropped
// (all from one folder); empty for anything else (web addresses, text, files of several
// folders).
QString droppedFolder(const QMimeData *data);

// Takes folders (or files, meaning their folder) dragged from the file manager onto a list and
// hands each to `use`; anything else dropped is refused.
class FolderDrops : public QObject
{
public:
    FolderDrops(QAbstractItemView *list, std::function<void(const QString &folder)> use);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &)> use;
};
