#include "compose/summary.h"

#include "app/paths.h"
#include "app/quorvel.h"
#include "compose/sheet.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"
#include "pictures/pictures.h"

#include <charconv>

QString inchesText(int pixels)
{
    // As C's "%.1f" writes it, whatever the locale: an exact tie such as 8.25 rounds to even
    // ("8.2"), where QString::asprintf would round it up.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, double(pixels) / SheetDotsPerInch,
                                       std::chars_format::fixed, 1);
    return QString::fromLatin1(text, written.ptr - text);
}

DirectionChoice chooseCopyDirection(const QString &pictureWidth, const QString &sheetWidth,
                                    const QString &sheetHeight)
{
    if (pictureWidth == sheetWidth)
        return DirectionChoice::TopToBottom;
    if (pictureWidth == sheetHeight)
        return DirectionChoice::RotateLeftToRight;
    return DirectionChoice::AskOperator;
}

QString selectionSummaryText(int selected)
{
    return QCoreApplication::translate("Quorvel", "[%n] - File(s)", nullptr, selected);
}

void Quorvel::on_lstPrintFiles_itemSelectionChanged()
{
    form->lineIPWidth->setText(QString());
    form->lineIPHeight->setText(QString());
    form->cmbCopyDirection->hide();
    form->labelWarning->setText(
        selectionSummaryText(int(form->lstPrintFiles->selectedItems().size())));

    const QListWidgetItem *current = form->lstPrintFiles->currentItem();
    if (!current)
        return;
    // The header alone tells the size; the picture is not decoded.
    const QSize size = viewedPictureSize(
        joinFolderAndName(form->lineSourcePath->text(), splitItemText(current->text()).name));
    if (!size.isValid())
        return;
    form->lineIPHeight->setText(inchesText(size.height()));
    form->lineIPWidth->setText(inchesText(size.width()));

    switch (chooseCopyDirection(form->lineIPWidth->text(), form->lineOPWidth->text(),
                                form->lineOPHeight->text())) {
    case DirectionChoice::TopToBottom:
        form->cmbCopyDirection->setCurrentIndex(int(CopyDirection::TopToBottom));
        break;
    case DirectionChoice::RotateLeftToRight:
        form->cmbCopyDirection->setCurrentIndex(int(CopyDirection::RotateLeftToRight));
        break;
    case DirectionChoice::AskOperator:
        form->cmbCopyDirection->show();
        break;
    }
}
