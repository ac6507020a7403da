#include "app/quorvel.h"
#include "pictures/pictures.h"
#include "print/printerprofile.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QVBoxLayout>

void Quorvel::showProof(const QString &sheetPath, const QString &printer)
{
    // The profile as it stands now: another program may have changed it.
    settings->sync();
    QString whyNot;
    const auto colour = openStoredProfile(*settings, printer, &whyNot);
    PictureFile file(sheetPath);
    // Seen whole on the screen beside the window's frame, switch and buttons, never larger than
    // the sheet: read straight at that size where the format can, so that a roll is never held
    // whole.
    const QSize room = screen()->availableGeometry().size() * 0.8 - QSize(40, 160);
    const QSize sheetSize = file.size();
    const QImage sheet = !colour ? QImage()
                                 : file.read(sheetSize.boundedTo(room) == sheetSize
                                                 ? sheetSize
                                                 : sheetSize.scaled(room, Qt::KeepAspectRatio));
    const QImage proof = sheet.isNull() ? QImage() : colour->proof(sheet, false);
    if (proof.isNull()) {
        QMessageBox::warning(
            this, tr("No Proof"),
            !whyNot.isEmpty()
                ? tr("The printer profile of %1 cannot be used: %2.").arg(printer, whyNot)
            : !colour ? tr("%1 has no printer profile.").arg(printer)
            : !file.isReadable() || sheet.isNull()
                ? tr("The sheet %1 cannot be read: %2").arg(sheetPath, file.whyNot())
                : tr("LittleCMS cannot proof with the profile of %1.").arg(printer),
            QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    const QImage marked = colour->proof(sheet, true);

    QDialog window(this);
    window.setObjectName(QStringLiteral("proofWindow"));
    window.setWindowTitle(tr("Proof for %1").arg(printer));
    auto *picture = new QLabel;
    picture->setObjectName(QStringLiteral("proofPicture"));
    picture->setPixmap(QPixmap::fromImage(proof));
    auto *scroll = new QScrollArea(&window);
    scroll->setWidget(picture);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setMinimumSize(proof.size() + QSize(2, 2) * scroll->frameWidth());
    scroll->setAccessibleName(
        tr("Proof of %1 for %2").arg(QFileInfo(sheetPath).fileName(), printer));
    auto *gamut = new QCheckBox(tr("Mark colours the printer cannot print (in magenta)"), &window);
    gamut->setObjectName(QStringLiteral("proofGamut"));
    auto *share = new QLabel(&window);
    share->setObjectName(QStringLiteral("proofGamutShare"));
    share->setText(tr("%1 % of the sheet lies outside what the printer can print.")
                       .arg(QLocale().toString(outOfGamutShare(proof, marked) * 100, 'f', 1)));
    auto *profile = new QLabel(profileSummary(storedProfile(*settings, printer)), &window);
    profile->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(scroll, 1);
    layout->addWidget(profile);
    layout->addWidget(gamut);
    layout->addWidget(share);
    layout->addWidget(buttons);
    connect(gamut, &QCheckBox::toggled, &window,
            [=](bool mark) { picture->setPixmap(QPixmap::fromImage(mark ? marked : proof)); });
    connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    window.exec();
}
