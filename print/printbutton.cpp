#include "app/paths.h"
#include "app/quorvel.h"
#include "compose/sheetfile.h"
#include "form/quorvelform.h"
#include "lists/copycount.h"
#include "pictures/pictures.h"
#include "print/calibration.h"
#include "print/papers.h"
#include "print/printerprofile.h"
#include "print/printsheet.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

namespace {
// The sheet's paper as its Go recorded it, the shorter side first: the page turns to the sheet.
QPageSize markedPaper(const SheetMark &mark)
{
    const QSizeF mm =
        mark.paperMm.width() <= mark.paperMm.height() ? mark.paperMm : mark.paperMm.transposed();
    return QPageSize(mm, QPageSize::Millimeter, mark.paper, QPageSize::ExactMatch);
}
} // namespace

void Quorvel::on_btnPrint_clicked()
{
    // The first sheet of the output list is printed, whichever is selected, with the other
    // sheets of the Go that wrote it. They are read before the operator is asked for a printer,
    // so that a missing sheet is told at once.
    const QListWidgetItem *first = form->lstPrintFilesOutput->item(0);
    if (!first) {
        QMessageBox::warning(this, tr("Nothing to Print"),
                             tr("The output list holds no sheet to print."), QMessageBox::Ok,
                             QMessageBox::NoButton);
        return;
    }
    const QString folder = form->lineDestPath->text();
    const QString path = joinFolderAndName(folder, splitItemText(first->text()).name);
    const std::optional<SheetMark> mark = readSheetMark(path);
    QStringList paths = mark ? sheetsOfRun(folder, *mark) : QStringList();
    // A sheet copied under another name is printed alone.
    if (!paths.contains(path))
        paths = QStringList{path};
    for (const QString &sheet : paths) {
        const PictureFile file(sheet);
        if (!file.isReadable()) {
            QMessageBox::warning(this, tr("Nothing to Print"),
                                 tr("The sheet %1 cannot be printed: %2").arg(sheet, file.whyNot()),
                                 QMessageBox::Ok, QMessageBox::NoButton);
            return;
        }
    }
    const QSize sheetSize = PictureFile(paths.first()).size();

    QPrinter printer(QPrinter::HighResolution);
    // Sheets a Go laid out for a paper are printed on it: offered on the default printer.
    if (mark)
        if (const auto own = printersPaper(QPrinterInfo(printer), markedPaper(*mark)))
            printer.setPageSize(*own);
    QPrintDialog dialog(&printer, this);
    // A tab of the dialog tells whether the printer chosen in it has a correction and a profile.
    auto *calibration = new QLabel;
    calibration->setObjectName(QStringLiteral("calibrationTab"));
    calibration->setWindowTitle(tr("Calibration"));
    calibration->setWordWrap(true);
    calibration->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dialog.setOptionTabs({calibration});
    // Corrections stored or removed by another program since are read again.
    settings->sync();
    auto tell = [this, calibration](const QString &printerName) {
        calibration->setText(calibrationSummary(storedCalibration(*settings, printerName)) +
                             QLatin1Char('\n') +
                             profileSummary(storedProfile(*settings, printerName)));
    };
    if (auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers"))) {
        connect(printers, &QComboBox::currentTextChanged, calibration, tell);
        tell(printers->currentText());
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (mark) {
        // On the printer chosen: its own paper of that size, or that size where it takes sizes
        // of the operator's own; a PDF file takes any. Never scaled onto another paper unasked.
        const QPageSize wanted = markedPaper(*mark);
        const QPrinterInfo chosen = QPrinterInfo::printerInfo(printer.printerName());
        const std::optional<QPageSize> paper =
            printer.outputFormat() == QPrinter::PdfFormat ? wanted : printersPaper(chosen, wanted);
        if (!paper) {
            const QSizeF mm = wanted.size(QPageSize::Millimeter);
            QMessageBox::warning(
                this, tr("Not Printed"),
                tr("The printer %1 has no paper %2 (%3 x %4 mm) and takes no size of your own "
                   "of it. Its papers: %5.\nNothing was printed: choose another printer, or "
                   "another paper and Go again.")
                    .arg(printer.printerName(), mark->paper, QLocale().toString(mm.width(), 'g', 4),
                         QLocale().toString(mm.height(), 'g', 4),
                         paperNames(chosen).join(QStringLiteral(", "))),
                QMessageBox::Ok, QMessageBox::NoButton);
            return;
        }
        printer.setPageSize(*paper);
        printer.setPageOrientation(sheetSize.width() > sheetSize.height() ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    }
    // A printer with a correction gets the sheets scaled from the printable area's corner, and
    // one with a profile their colours converted to it; both as they stand now, after the
    // dialog.
    settings->sync();
    const auto correction = storedCalibration(*settings, printer.printerName());
    QString whyNot;
    const auto colour = openStoredProfile(*settings, printer.printerName(), &whyNot);
    if (!whyNot.isEmpty()) {
        QMessageBox::warning(this, tr("Not Printed"),
                             profileRefusedText(printer.printerName(), whyNot), QMessageBox::Ok,
                             QMessageBox::NoButton);
        return;
    }
    if (!printSheetFiles(printer, paths, form->chkFitToPage->isChecked(),
                         correction ? calibrationScale(*correction) : QSizeF(1, 1), colour.get(),
                         &whyNot))
        QMessageBox::warning(this, tr("Not Printed"),
                             tr("The sheet %1 was not printed: %2.").arg(path, whyNot),
                             QMessageBox::Ok, QMessageBox::NoButton);
}
