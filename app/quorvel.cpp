#include "app/quorvel.h"

#include "app/readonlyfields.h"
#include "app/settingskeys.h"
#include "app/titleroom.h"
#include "form/quorvelform.h"
#include "lists/thumbnailfill.h"
#include "lists/thumbnails.h"
#include "pictures/pictures.h"

#include <QApplication>
#include <QSettings>
#include <cstdlib>

Quorvel::Quorvel(QWidget *parent) : QDialog(parent), form(new QuorvelForm), settings(nullptr)
{
    raiseImageAllocationLimit();
    tellSizeFieldsAsReadOnly();
    form->buildForm(this);
    addKeyboardShortcuts();
    acceptFolderDrops();
    addListMenus();
    showSheetPlaces();
    addLogoMenu();
    qApp->installEventFilter(new DialogTitleRoom(this));
    form->cmbCopyDirection->hide();
    settings = new QSettings(SettingsOrganization, SettingsApplication);
    addPaperChoice();

    // The stored sheet size stands in the fields while the lists fill (the first selection
    // summary compares against it); the A4 preset below replaces it before the window shows.
    form->lineOPHeight->setText(settings->value(SettingsKey::LastOPHeight, "24").toString());
    form->lineOPWidth->setText(settings->value(SettingsKey::LastOPWidth, "98").toString());

    form->lineSourcePath->setText(settings->value(SettingsKey::LastSourcePath, "").toString());
    fillImageList(form->lineSourcePath->text(), form->lstPrintFiles);
    form->lineDestPath->setText(settings->value(SettingsKey::LastDestinationPath, "").toString());
    fillImageList(form->lineDestPath->text(), form->lstPrintFilesOutput);

    form->lineOPHeight->setReadOnly(true);
    form->lineOPWidth->setReadOnly(true);
    // The paper chosen last, or A4.
    restorePaper();
    form->chkFitToPage->hide();
    form->btnA3->hide();
}

Quorvel::~Quorvel()
{
    stopThumbnails();
    delete form;
    delete settings;
}

void Quorvel::stopThumbnails()
{
    for (ThumbnailFill *fill : std::as_const(thumbnailFills))
        fill->cancel();
    ThumbnailLoader::waitForDecodesInFlight();
}

void Quorvel::on_btnClose_clicked()
{
    settings->setValue(SettingsKey::LastOPHeight, form->lineOPHeight->text());
    settings->setValue(SettingsKey::LastOPWidth, form->lineOPWidth->text());
    settings->sync();
    // Close ends the process at once with status 1; nothing else is saved or torn down, but
    // the thumbnail workers must not outlive what exit() destroys.
    stopThumbnails();
    std::exit(1);
}

// The presets choose the first two papers: A4, "8.27" by "11.69", and A3, "11.69" by "16.53".
void Quorvel::on_btnA4_clicked()
{
    choosePaper(papers[0]);
}

void Quorvel::on_btnA3_clicked()
{
    choosePaper(papers[1]);
}
