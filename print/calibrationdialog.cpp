#include "app/quorvel.h"
#include "print/calibration.h"
#include "print/calibrationsheet.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

void Quorvel::showPrinterCalibration()
{
    QDialog window(this);
    window.setObjectName(QStringLiteral("printerCalibration"));
    window.setWindowTitle(tr("Printer calibration"));
    auto *printers = new QComboBox(&window);
    printers->setObjectName(QStringLiteral("calibrationPrinter"));
    printers->addItems(QPrinterInfo::availablePrinterNames());
    printers->setCurrentText(QPrinterInfo::defaultPrinterName());
    auto *printSheet = new QPushButton(tr("Print calibration sheet"), &window);
    printSheet->setObjectName(QStringLiteral("calibrationPrintSheet"));
    auto *across = new QLineEdit(&window);
    across->setObjectName(QStringLiteral("calibrationAcross"));
    auto *down = new QLineEdit(&window);
    down->setObjectName(QStringLiteral("calibrationDown"));
    auto *result = new QLabel(&window);
    result->setObjectName(QStringLiteral("calibrationResult"));
    result->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QPushButton *store = buttons->addButton(tr("Store"), QDialogButtonBox::ApplyRole);
    store->setObjectName(QStringLiteral("calibrationStore"));
    QPushButton *remove = buttons->addButton(tr("Remove"), QDialogButtonBox::ResetRole);
    remove->setObjectName(QStringLiteral("calibrationRemove"));
    // Return in a measure stores what was typed (when it can be stored), and never prints
    // another sheet.
    printSheet->setAutoDefault(false);
    store->setDefault(true);

    auto *fields = new QFormLayout;
    fields->addRow(tr("Printer:"), printers);
    fields->addRow(QString(), printSheet);
    fields->addRow(tr("Across, as measured (mm):"), across);
    fields->addRow(tr("Down, as measured (mm):"), down);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(tr("Print the calibration sheet, measure its two 200 mm scales "
                                    "and type what they measured."),
                                 &window));
    layout->addLayout(fields);
    layout->addWidget(result);
    layout->addWidget(buttons);
    for (QWidget *field : {static_cast<QWidget *>(printers), static_cast<QWidget *>(across),
                           static_cast<QWidget *>(down)})
        field->setAccessibleName(qobject_cast<QLabel *>(fields->labelForField(field))->text());

    // What is stored for the printer chosen, or what the lengths typed would store.
    auto refresh = [=] {
        // Another program (quorvel --calibrate) may have changed the corrections since.
        settings->sync();
        const auto stored = storedCalibration(*settings, printers->currentText());
        remove->setEnabled(stored.has_value());
        if (across->text().isEmpty() && down->text().isEmpty()) {
            result->setText(calibrationSummary(stored));
            store->setEnabled(false);
            return;
        }
        const auto acrossMm = parseMeasure(across->text(), QLocale());
        const auto downMm = parseMeasure(down->text(), QLocale());
        store->setEnabled(acrossMm && downMm && !printers->currentText().isEmpty());
        result->setText(acrossMm && downMm
                            ? calibrationSummary(PrinterCalibration{*acrossMm, *downMm})
                            : tr("Type each length in millimetres, from 190 to 210."));
    };
    connect(printers, &QComboBox::currentTextChanged, &window, refresh);
    connect(across, &QLineEdit::textChanged, &window, refresh);
    connect(down, &QLineEdit::textChanged, &window, refresh);
    connect(store, &QPushButton::clicked, &window, [=] {
        storeCalibration(
            *settings, printers->currentText(),
            {*parseMeasure(across->text(), QLocale()), *parseMeasure(down->text(), QLocale())});
        settings->sync();
        across->clear();
        down->clear();
        refresh();
    });
    connect(remove, &QPushButton::clicked, &window, [=] {
        removeCalibration(*settings, printers->currentText());
        settings->sync();
        refresh();
    });
    connect(printSheet, &QPushButton::clicked, &window, [=, &window] {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printers->currentText());
        QPrinter printer(info, QPrinter::HighResolution);
        if (info.isNull() || !printCalibrationSheet(printer))
            QMessageBox::warning(&window, tr("Not Printed"),
                                 tr("The calibration sheet was not printed: the printer could "
                                    "not take the job."),
                                 QMessageBox::Ok, QMessageBox::NoButton);
    });
    connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    refresh();
    window.exec();
}
