#include "app/paths.h"
#include "app/quorvel.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"
#include "print/calibration.h"
#include "print/printerprofile.h"

#include <QKeyEvent>
#include <QMenu>
#include <QSettings>

void Quorvel::addListMenus()
{
    // F2 and Return on a picture ask for its copies (see eventFilter).
    form->lstPrintFiles->installEventFilter(this);
    for (QListWidget *list : {form->lstPrintFiles, form->lstPrintFilesOutput}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](QPoint at) { showListMenu(list, at); });
    }
}

bool Quorvel::eventFilter(QObject *watched, QEvent *event)
{
    // F2 and Return on an input picture ask for its copies, as its double-click does; the
    // selection stays as it is.
    if (watched == form->lstPrintFiles && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool copiesKey =
            key->key() == Qt::Key_F2 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        QListWidgetItem *item = form->lstPrintFiles->currentItem();
        if (copiesKey && key->modifiers() == Qt::NoModifier && item) {
            promptCopies(item);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Quorvel::showListMenu(QListWidget *list, QPoint at)
{
    // The item under the pointer; by keyboard, Qt asks at the current item.
    QListWidgetItem *item = list->itemAt(at);
    const bool input = list == form->lstPrintFiles;
    const QString folder = (input ? form->lineSourcePath : form->lineDestPath)->text();
    const QString name = item ? splitItemText(item->text()).name : QString();
    QMenu menu(this);
    menu.setObjectName(input ? QStringLiteral("inputMenu") : QStringLiteral("outputMenu"));
    if (input) {
        QAction *copies =
            menu.addAction(tr("Copies\u2026"), this, [this, item] { promptCopies(item); });
        copies->setEnabled(item);
        copies->setShortcut(QKeySequence(Qt::Key_F2));
    }
    menu.addAction(tr("Open in viewer"), this,
                   [this, folder, name] { openWithDesktop(joinFolderAndName(folder, name)); })
        ->setEnabled(item);
    menu.addAction(tr("Open folder"), this, [this, folder] { openFolderWithDesktop(folder); });
    if (!input) {
        menu.addAction(tr("Print"), form->btnPrint, &QPushButton::click)
            ->setShortcut(form->btnPrint->shortcut());
        // A proof of the sheet for each printer with a profile.
        const QString sheet = joinFolderAndName(folder, name);
        settings->sync();
        for (const QString &printer : calibratedPrinters(*settings))
            if (storedProfile(*settings, printer))
                menu.addAction(tr("Proof for %1\u2026").arg(printer), this,
                               [this, sheet, printer] { showProof(sheet, printer); })
                    ->setEnabled(item);
    }
    // The keys that do the same beside their entries, wherever the desktop would hide them.
    for (QAction *action : menu.actions())
        action->setShortcutVisibleInContextMenu(true);
    menu.exec(list->viewport()->mapToGlobal(at));
}
