#include "print/printsheet.h"

#include "app/paths.h"
#include "app/quorvel.h"
#include "compose/sheet.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"
#include "pictures/pictures.h"
#include "print/calibration.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTransform>

bool sheetNeedsTurn(QSize sheet, QPageLayout::Orientation paper)
{
    if (paper == QPageLayout::Landscape)
        return sheet.width() < sheet.height();
    return sheet.width() > sheet.height();
}

QImage turnForPaper(const QImage &sheet)
{
    return sheet.transformed(QTransform().rotate(270.0, Qt::ZAxis), Qt::FastTransformation);
}

QRectF printTarget(QSizeF sheet, QSizeF paper, bool crop)
{
    if (!crop)
        return QRectF(QPointF(0, 0), sheet);
    const QSizeF cover = sheet.scaled(paper, Qt::KeepAspectRatioByExpanding);
    return QRectF((paper.width() + 1 - cover.width()) / 2,
                  (paper.height() + 1 - cover.height()) / 2, cover.width(), cover.height());
}

bool printSheetImage(QPrinter &printer, QImage sheet, bool crop, QSizeF scale)
{
    // One sheet, one page, at the program's resolution, whatever copies were asked for.
    printer.setCopyCount(1);
    printer.setResolution(SheetDotsPerInch);
    // A new printer keeps Qt's own margins of 10 points whatever the paper allows, which would
    // put the sheet 3.5 mm in: the painter starts at the printable area's corner, the printer's
    // minimum margins.
    const QPageLayout page = printer.pageLayout();
    printer.setPageMargins(page.minimumMargins(), page.units());
    if (sheetNeedsTurn(sheet.size(), printer.pageLayout().orientation()))
        sheet = turnForPaper(sheet);
    QPainter painter;
    // With no printer installed, or printing to a file that cannot be written, the printer
    // still reports itself valid; only starting the painter tells.
    if (!painter.begin(&printer))
        return false;
    const QRectF target =
        printTarget(sheet.size(), printer.paperRect(QPrinter::DevicePixel).size(), crop);
    if (scale != QSizeF(1, 1))
        painter.scale(scale.width(), scale.height());
    painter.drawImage(target, sheet, QRectF(sheet.rect()), Qt::AutoColor);
    return painter.end();
}

void Quorvel::on_btnPrint_clicked()
{
    // Only the first sheet of the output list is printed, whichever is selected. It is read
    // before the operator is asked for a printer, so that a missing sheet is told at once.
    const QListWidgetItem *first = form->lstPrintFilesOutput->item(0);
    if (!first) {
        QMessageBox::warning(this, tr("Nothing to Print"),
                             tr("The output list holds no sheet to print."), QMessageBox::Ok,
                             QMessageBox::NoButton);
        return;
    }
    const QString path =
        joinFolderAndName(form->lineDestPath->text(), splitItemText(first->text()).name);
    QString whyNot;
    QImage sheet = readPicture(path, &whyNot);
    if (sheet.isNull()) {
        QMessageBox::warning(this, tr("Nothing to Print"),
                             tr("The sheet %1 cannot be printed: %2").arg(path, whyNot),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }

    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    // A tab of the dialog tells whether the printer chosen in it has a correction.
    auto *calibration = new QLabel;
    calibration->setObjectName(QStringLiteral("calibrationTab"));
    calibration->setWindowTitle(tr("Calibration"));
    calibration->setWordWrap(true);
    calibration->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dialog.setOptionTabs({calibration});
    // Corrections stored or removed by another program since are read again.
    settings->sync();
    auto tell = [this, calibration](const QString &printerName) {
        calibration->setText(calibrationSummary(storedCalibration(*settings, printerName)));
    };
    if (auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers"))) {
        connect(printers, &QComboBox::currentTextChanged, calibration, tell);
        tell(printers->currentText());
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    // A printer with a correction gets the sheet scaled from the printable area's corner; the
    // correction as it stands now, after the dialog.
    settings->sync();
    const auto correction = storedCalibration(*settings, printer.printerName());
    if (!printSheetImage(printer, sheet, form->chkFitToPage->isChecked(),
                         correction ? calibrationScale(*correction) : QSizeF(1, 1)))
        QMessageBox::warning(
            this, tr("Not Printed"),
            tr("The sheet %1 was not printed: the printer could not take the job.").arg(path),
            QMessageBox::Ok, QMessageBox::NoButton);
}
