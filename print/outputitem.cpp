#include "app/quorvel.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"

void Quorvel::on_lstPrintFilesOutput_itemDoubleClicked(QListWidgetItem *item)
{
    int count = 1;
    QString fileName = item->text();
    parseCopyCountTag(fileName, count);
    // Any other double-click on a sheet does nothing.
    handOverToDesktop(form->lineDestPath->text(), fileName);
}
