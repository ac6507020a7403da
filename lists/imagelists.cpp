#include "app/paths.h"
#include "app/quorvel.h"

#include "app/settingskeys.h"
#include "form/quorvelform.h"
#include "lists/folderdrops.h"
#include "lists/sheetplaces.h"
#include "lists/thumbnailfill.h"
#include "lists/thumbnails.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QPixmap>
#include <QSettings>

namespace {
const QStringList &pictureNameFilters()
{
    static const QStringList filters = {"*.jpg", "*.jpeg", "*.png", "*.tif", "*.tiff", "*.tga"};
    return filters;
}

} // namespace

QString Quorvel::chooseFolder(const QString &start)
{
    return QFileDialog::getExistingDirectory(this, QString(), QDir(start).path(),
                                             QFileDialog::ShowDirsOnly);
}

void Quorvel::fillImageList(QString path, QListWidget *list)
{
    // The older listing's thumbnails stop before its items go.
    delete thumbnailFills.take(list);
    // Let go of the current item first: clearing the selection runs the selection summary,
    // which must not measure a picture that is about to leave the list.
    list->setCurrentItem(nullptr);
    list->clear();

    // Files only, named by the picture filters (matched regardless of case), sorted by
    // name with case significant: upper-case initials come first. "" lists the working folder.
    QDir folder(path, QString(), QDir::Name, QDir::Files);
    folder.setNameFilters(pictureNameFilters());
    const QFileInfoList entries = folder.entryInfoList();
    if (entries.isEmpty())
        return;

    list->setViewMode(QListView::ListMode);
    list->setIconSize(QSize(ThumbnailEdge, ThumbnailEdge));
    list->setUniformItemSizes(true);
    // Every item at once, in listing order; the thumbnails follow, those in view first.
    const QIcon placeholder = placeholderIcon();
    // Pictures are listed at one copy each, in no place on the sheet yet.
    const QString description = list == form->lstPrintFiles ? pictureDescription(1, 0) : QString();
    QStringList paths;
    for (const QFileInfo &entry : entries) {
        auto *item =
            new QListWidgetItem(placeholder, entry.fileName(), nullptr, QListWidgetItem::Type);
        if (!description.isEmpty())
            item->setData(Qt::AccessibleDescriptionRole, description);
        list->insertItem(list->count(), item);
        paths << joinFolderAndName(path, entry.fileName());
    }
    thumbnailFills.insert(list, new ThumbnailFill(list, paths, placeholder));
    list->setCurrentItem(list->item(0));
}

QIcon Quorvel::makeThumbnail(const QString &path, int edge)
{
    if (!QFile::exists(path))
        return QIcon();
    // Made in device pixels, sharp on a 2 x display; the icon fits them into the list's size.
    const int deviceEdge = qRound(edge * devicePixelRatioF());
    const QImage thumbnail = decodeThumbnail(path, deviceEdge);
    return thumbnail.isNull() ? QIcon() : thumbnailIcon(thumbnail, deviceEdge);
}

void Quorvel::browseFolder(const char *key, QLineEdit *pathField, QListWidget *list)
{
    const QString chosen = chooseFolder(settings->value(key, "").toString());
    // Cancel leaves the stored folder, the field and the list (with its copy counts) alone.
    if (!chosen.isEmpty())
        useFolder(key, pathField, list, chosen);
}

void Quorvel::useFolder(const char *key, QLineEdit *pathField, QListWidget *list,
                        const QString &folder)
{
    settings->setValue(key, folder);
    pathField->setText(folder);
    fillImageList(folder, list);
}

void Quorvel::acceptFolderDrops()
{
    new FolderDrops(form->lstPrintFiles, [this](const QString &folder) {
        useFolder(SettingsKey::LastSourcePath, form->lineSourcePath, form->lstPrintFiles, folder);
    });
    new FolderDrops(form->lstPrintFilesOutput, [this](const QString &folder) {
        useFolder(SettingsKey::LastDestinationPath, form->lineDestPath, form->lstPrintFilesOutput,
                  folder);
    });
}

void Quorvel::on_btnBrowseSourcePath_clicked()
{
    browseFolder(SettingsKey::LastSourcePath, form->lineSourcePath, form->lstPrintFiles);
}

void Quorvel::on_btnBrowseDestPath_clicked()
{
    browseFolder(SettingsKey::LastDestinationPath, form->lineDestPath, form->lstPrintFilesOutput);
}

void Quorvel::on_btnRefreshSrc_clicked()
{
    fillImageList(form->lineSourcePath->text(), form->lstPrintFiles);
}

void Quorvel::on_btnRefreshDest_clicked()
{
    fillImageList(form->lineDestPath->text(), form->lstPrintFilesOutput);
}
