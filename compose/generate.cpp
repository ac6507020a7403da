#include "app/paths.h"
#include "app/quorvel.h"
#include "app/settingskeys.h"
#include "compose/sheet.h"
#include "compose/sheetrun.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"
#include "lists/thumbnails.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QRandomGenerator>
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
    auto pixels = [this](const char *key) { return settings->value(key, "0").toString().toInt(); };
    layout.margins =
        QPoint(pixels(SettingsKey::LastLeftPadding), pixels(SettingsKey::LastTopPadding));
    layout.moreSheets = form->chkMoreSheets->isChecked();
    layout.gutter =
        QSize(pixels(SettingsKey::LastGutterWidth), pixels(SettingsKey::LastGutterHeight));
    fillImageList(form->lineDestPath->text(), form->lstPrintFilesOutput);

    // Selection order is the order of picking, not of the list.
    const QVector<SheetRequest> requests = requestsFor(form->lstPrintFiles->selectedItems());
    layout.direction = form->cmbCopyDirection->currentIndex() == 0
                           ? CopyDirection::TopToBottom
                           : CopyDirection::RotateLeftToRight;
    const QString sourceFolder = form->lineSourcePath->text();
    const QString destinationFolder = form->lineDestPath->text();
    // Every sheet of this run says so, and for which paper it was laid out.
    const Paper &paper = papers[shownPaper];
    SheetMark mark;
    mark.run = QString::number(QRandomGenerator::global()->generate64(), 16);
    mark.paper = paper.name;
    mark.paperMm = paper.size.size(QPageSize::Millimeter);

    if (!requests.isEmpty())
        setCursor(Qt::WaitCursor);
    const SheetRun run =
        composeAndSaveSheets(layout, requests, sourceFolder, destinationFolder, mark);
    if (!requests.isEmpty())
        setCursor(Qt::ArrowCursor);

    if (run.outcome.placedCopies == 0) {
        QMessageBox::warning(this, tr("No Sheet Written"),
                             nothingPlacedReport(run.outcome, requests), QMessageBox::Ok,
                             QMessageBox::NoButton);
    } else if (run.saved) {
        for (const QString &path : run.paths)
            form->lstPrintFilesOutput->insertItem(
                form->lstPrintFilesOutput->count(),
                new QListWidgetItem(makeThumbnail(path, ThumbnailEdge),
                                    QFileInfo(path).fileName()));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QMessageBox::warning(this, tr("Task Completed"),
                             completionReport(run.outcome, layout.moreSheets), QMessageBox::Ok,
                             QMessageBox::NoButton);
    } else {
        QMessageBox::warning(
            this, tr("Sheet Not Saved"),
            tr("The sheet could not be saved as %1: %2\nThe previous sheet was left as it was.")
                .arg(QDir::toNativeSeparators(joinFolderAndName(destinationFolder, SheetFileName)),
                     run.saveError),
            QMessageBox::Ok, QMessageBox::NoButton);
    }
    fillImageList(destinationFolder, form->lstPrintFilesOutput);
}
