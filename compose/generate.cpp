#include "app/paths.h"
#include "app/quorvel.h"
#include "app/settingskeys.h"
#include "compose/sheet.h"
#include "compose/sheetfile.h"
#include "compose/sheetrun.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"
#include "lists/thumbnails.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QSettings>

namespace {
QVector<SheetRequest> requestsFor(const QList<QListWidgetItem *> &selected)
{
    QVector<SheetRequest> requests;
    for (const QListWidgetItem *item : selected) {
        const ItemFile file = splitItemText(item->text());
        requests << SheetRequest{file.name, file.copies};
    }
    return requests;
}
} // namespace

void Quorvel::on_btnGenerate_clicked()
{
    // A run processes events while it lists the output folder; Go pressed in there must not
    // start a second run inside the first.
    if (generating)
        return;
    const QScopedValueRollback<bool> running(generating, true);

    SheetLayout layout;
    layout.size = QSize(inchesToPixels(form->lineOPWidth->text()),
                        inchesToPixels(form->lineOPHeight->text()));
    layout.margins = QPoint(settings->value(SettingsKey::LastLeftPadding, "0").toString().toInt(),
                            settings->value(SettingsKey::LastTopPadding, "0").toString().toInt());
    fillImageList(form->lineDestPath->text(), form->lstPrintFilesOutput);

    // Selection order is the order of picking, not of the list.
    const QVector<SheetRequest> requests = requestsFor(form->lstPrintFiles->selectedItems());
    layout.direction = form->cmbCopyDirection->currentIndex() == 0
                           ? CopyDirection::TopToBottom
                           : CopyDirection::RotateLeftToRight;
    const QString sourceFolder = form->lineSourcePath->text();
    const QString destinationFolder = form->lineDestPath->text();

    if (!requests.isEmpty())
        setCursor(Qt::WaitCursor);
    const QString path = joinFolderAndName(destinationFolder, SheetFileName);
    SheetRun run = composeAndSaveSheet(layout, requests, sourceFolder, path);
    if (!requests.isEmpty())
        setCursor(Qt::ArrowCursor);
    // 26 MB, not needed while the dialogs are open.
    run.outcome.sheet = QImage();

    if (run.outcome.placedCopies == 0) {
        QMessageBox::warning(this, tr("No Sheet Written"),
                             nothingPlacedReport(run.outcome, requests), QMessageBox::Ok,
                             QMessageBox::NoButton);
    } else if (run.saved) {
        form->lstPrintFilesOutput->insertItem(
            form->lstPrintFilesOutput->count(),
            new QListWidgetItem(makeThumbnail(path, ThumbnailEdge), SheetFileName));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QMessageBox::warning(this, tr("Task Completed"), completionReport(run.outcome),
                             QMessageBox::Ok, QMessageBox::NoButton);
    } else {
        QMessageBox::warning(
            this, tr("Sheet Not Saved"),
            tr("The sheet could not be saved as %1: %2\nThe previous sheet was left as it was.")
                .arg(QDir::toNativeSeparators(path), run.saveError),
            QMessageBox::Ok, QMessageBox::NoButton);
    }
    fillImageList(destinationFolder, form->lstPrintFilesOutput);
}
