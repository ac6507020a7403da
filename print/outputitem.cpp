#include "app/paths.h"
#include "app/quorvel.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"

#include <QApplication>

void Quorvel::on_lstPrintFilesOutput_itemDoubleClicked(QListWidgetItem *item)
{
    int count = 1;
    QString fileName = item->text();
    parseCopyCountTag(fileName, count);

    const Qt::KeyboardModifiers held = QApplication::keyboardModifiers();
    if (held == (Qt::ControlModifier | Qt::ShiftModifier))
        openFolderWithDesktop(form->lineDestPath->text());
    else if (held == Qt::ControlModifier)
        openWithDesktop(joinFolderAndName(form->lineDestPath->text(), fileName));
}
