#include "app/paths.h"
#include "app/quorvel.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"

#include <QApplication>
#include <QInputDialog>

void Quorvel::on_lstPrintFiles_itemDoubleClicked(QListWidgetItem *item)
{
    int count = 1;
    QString fileName = item->text();
    parseCopyCountTag(fileName, count);

    const Qt::KeyboardModifiers held = QApplication::keyboardModifiers();
    if (held == (Qt::ControlModifier | Qt::ShiftModifier)) {
        openFolderWithDesktop(form->lineSourcePath->text());
        return;
    }
    if (held == Qt::ControlModifier) {
        openWithDesktop(joinFolderAndName(form->lineSourcePath->text(), fileName));
        return;
    }

    bool accepted = false;
    const QString entered = QInputDialog::getText(
        this, fileName, tr("No Of Copies:"), QLineEdit::Normal, QString::number(count), &accepted);
    const CopyCountMark mark = copyCountMark(accepted, entered);
    item->setData(Qt::TextAlignmentRole, int(mark.alignment));
    item->setData(Qt::ForegroundRole, mark.colour);
    item->setText(mark.tag + fileName);
}
