#include "app/quorvel.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"

void Quorvel::on_lstPrintFilesOutput_itemDoubleClicked(QListWidgetItem *item)
{
    // Any other double-click on a sheet does nothing.
    handOverToDesktop(form->lineDestPath->text(), splitItemText(item->text()).name);
}
