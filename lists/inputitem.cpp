#include "app/quorvel.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"

#include <QInputDialog>

void Quorvel::on_lstPrintFiles_itemDoubleClicked(QListWidgetItem *item)
{
    if (!handOverToDesktop(form->lineSourcePath->text(), splitItemText(item->text()).name))
        promptCopies(item);
}

void Quorvel::promptCopies(QListWidgetItem *item)
{
    const auto [count, fileName] = splitItemText(item->text());
    bool accepted = false;
    const QString entered = QInputDialog::getText(
        this, fileName, tr("No Of Copies:"), QLineEdit::Normal, QString::number(count), &accepted);
    const CopyCountMark mark = copyCountMark(accepted, entered);
    item->setData(Qt::TextAlignmentRole, int(mark.alignment));
    item->setData(Qt::ForegroundRole, mark.colour);
    item->setText(mark.tag + fileName);
    describeInputPicture(item);
}
