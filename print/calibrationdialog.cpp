#include "app/quorvel.h"
#include "print/calibration.h"
#include "print/calibrationsheet.h"
#include "print/printerprofile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
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
    addProfileChoice(&window, layout, printers);
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
        QString whyNot;
        const auto colour = openStoredProfile(*settings, info.printerName(), &whyNot);
        if (!whyNot.isEmpty()) {
            QMessageBox::warning(&window, tr("Not Printed"),
                                 profileRefusedText(info.printerName(), whyNot), QMessageBox::Ok,
                                 QMessageBox::NoButton);
            return;
        }
        QPrinter printer(info, QPrinter::HighResolution);
        if (info.isNull() || !printCalibrationSheet(printer, colour.get()))
            QMessageBox::warning(&window, tr("Not Printed"),
                                 tr("The calibration sheet was not printed: the printer could "
                                    "not take the job."),
                                 QMessageBox::Ok, QMessageBox::NoButton);
    });
    connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    refresh();
    window.exec();
}

void Quorvel::addProfileChoice(QDialog *window, QVBoxLayout *layout, QComboBox *printers)
{
    auto *file = new QLineEdit(window);
    file->setObjectName(QStringLiteral("calibrationProfile"));
    file->setReadOnly(true);
    file->setPlaceholderText(tr("None"));
    auto *choose = new QPushButton(tr("Choose\u2026"), window);
    choose->setObjectName(QStringLiteral("calibrationChooseProfile"));
    choose->setAccessibleName(tr("Choose the printer profile"));
    auto *remove = new QPushButton(tr("Remove profile"), window);
    remove->setObjectName(QStringLiteral("calibrationRemoveProfile"));
    for (QPushButton *button : {choose, remove})
        button->setAutoDefault(false);
    auto *intent = new QComboBox(window);
    intent->setObjectName(QStringLiteral("calibrationIntent"));
    intent->addItems({tr("Perceptual"), tr("Relative colorimetric")});
    auto *blackPoint = new QCheckBox(tr("Black point compensation"), window);
    blackPoint->setObjectName(QStringLiteral("calibrationBlackPoint"));
    auto *summary = new QLabel(window);
    summary->setObjectName(QStringLiteral("calibrationProfileResult"));
    summary->setWordWrap(true);

    auto *row = new QHBoxLayout;
    row->addWidget(file, 1);
    row->addWidget(choose);
    row->addWidget(remove);
    auto *fields = new QFormLayout;
    fields->addRow(tr("Printer profile:"), row);
    fields->addRow(tr("Rendering intent:"), intent);
    fields->addRow(QString(), blackPoint);
    layout->addLayout(fields);
    layout->addWidget(summary);
    file->setAccessibleName(tr("Printer profile:"));
    intent->setAccessibleName(tr("Rendering intent:"));

    auto chosen = [=] {
        return PrinterProfile{file->text(),
                              intent->currentIndex() == 0 ? RenderingIntent::Perceptual
                                                          : RenderingIntent::Relative,
                              blackPoint->isChecked()};
    };
    // The printer's profile as stored; without one, the intent and switch keep what was set
    // for the next profile chosen.
    auto show = [=] {
        const auto stored = storedProfile(*settings, printers->currentText());
        const QSignalBlocker quietIntent(intent), quietBlackPoint(blackPoint);
        file->setText(stored ? stored->path : QString());
        if (stored) {
            intent->setCurrentIndex(stored->intent == RenderingIntent::Perceptual ? 0 : 1);
            blackPoint->setChecked(stored->blackPoint);
        }
        remove->setEnabled(stored.has_value());
        choose->setEnabled(!printers->currentText().isEmpty());
        QString whyNot;
        summary->setText(stored && !PrinterColour::open(*stored, &whyNot)
                             ? tr("The printer profile cannot be used: %1. Nothing is printed "
                                  "on this printer until it is chosen again or removed.")
                                   .arg(whyNot)
                             : profileSummary(stored));
    };
    auto store = [=](const PrinterProfile &profile) {
        storeProfile(*settings, printers->currentText(), profile);
        settings->sync();
        show();
    };
    connect(printers, &QComboBox::currentTextChanged, window, show);
    connect(choose, &QPushButton::clicked, window, [=] {
        QFileDialog dialog(window, tr("Printer profile"),
                           file->text().isEmpty() ? QStringLiteral("/usr/share/color/icc")
                                                  : QFileInfo(file->text()).path(),
                           tr("ICC profiles (*.icc *.icm *.ICC *.ICM);;All files (*)"));
        dialog.setObjectName(QStringLiteral("profileFile"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        PrinterProfile profile = chosen();
        profile.path = dialog.selectedFiles().constFirst();
        QString whyNot;
        if (!PrinterColour::open(profile, &whyNot)) {
            QMessageBox::warning(window, tr("Profile Refused"),
                                 tr("%1.\nNothing was stored.").arg(whyNot), QMessageBox::Ok,
                                 QMessageBox::NoButton);
            return;
        }
        store(profile);
    });
    // A new intent or switch applies to the printer's profile at once.
    auto storeChoice = [=] {
        if (!file->text().isEmpty())
            store(chosen());
    };
    connect(intent, &QComboBox::currentIndexChanged, window, storeChoice);
    connect(blackPoint, &QCheckBox::toggled, window, storeChoice);
    connect(remove, &QPushButton::clicked, window, [=] {
        removeProfile(*settings, printers->currentText());
        settings->sync();
        show();
    });
    blackPoint->setChecked(true);
    show();
}
