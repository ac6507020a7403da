#pragma once

#include "print/papers.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPersistentModelIndex>
#include <QPoint>

class QComboBox;
class QIcon;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSettings;
class QuorvelForm;
class QVBoxLayout;
class ThumbnailFill;
enum class LogoAction;

// The one window of the program. Folder paths, sheet sizes and copy counts live in the form's
// widgets and in the settings store; the slots below are bound to the form by object name.
// The key that opens the printer calibration, also named in the Print button's tooltip.
inline constexpr QKeyCombination PrinterCalibrationKeys(Qt::ControlModifier | Qt::ShiftModifier,
                                                        Qt::Key_P);

class Quorvel : public QDialog
{
    Q_OBJECT

public:
    explicit Quorvel(QWidget *parent = nullptr);
    ~Quorvel() override;

    // Lets the operator pick an existing folder, starting at `start`; empty when cancelled.
    QString chooseFolder(const QString &start);
    // Rebuilds `list` with one item per picture file of the folder `path`; their thumbnails
    // are made afterwards, off the GUI thread, those in view first.
    void fillImageList(QString path, QListWidget *list);
    // The icon of a picture file fitted into an edge x edge square; empty when unreadable.
    QIcon makeThumbnail(const QString &path, int edge);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_btnClose_clicked();
    void on_btnBrowseSourcePath_clicked();
    void on_btnBrowseDestPath_clicked();
    void on_lstPrintFiles_itemDoubleClicked(QListWidgetItem *item);
    void on_btnGenerate_clicked();
    void on_lstPrintFiles_itemSelectionChanged();
    void on_lstPrintFilesOutput_itemDoubleClicked(QListWidgetItem *item);
    void on_btnRefreshSrc_clicked();
    void on_btnRefreshDest_clicked();
    void on_btnPrint_clicked();
    void on_btnA4_clicked();
    void on_btnA3_clicked();
    void on_pushButton_clicked();

private:
    // The double-click gestures both lists share: with Ctrl held, the file `fileName` of
    // `folder` goes to the desktop's viewer; with Ctrl and Shift, the folder goes to its file
    // manager. False, with nothing done, when the keys held are neither.
    bool handOverToDesktop(const QString &folder, const QString &fileName);
    // Hands an existing file or folder to the desktop's default program, or warns that it is
    // missing.
    void openWithDesktop(const QString &path);
    // Hands a folder text's folder to the desktop's file manager, as the gesture does.
    void openFolderWithDesktop(const QString &folder);
    // Asks for an input picture's number of copies and marks it on the item.
    void promptCopies(QListWidgetItem *item);
    // What each list's gestures do, also by keyboard: a context menu on both lists (right
    // click, the Menu key, Shift+F10) and F2 or Return on an input picture for its copies
    // (through eventFilter).
    void addListMenus();
    // Shows and tells each input picture's place on the sheet (see lists/sheetplaces.h).
    void showSheetPlaces();
    void showListMenu(QListWidget *list, QPoint at);
    // The printer calibration: print the calibration sheet on a printer, type what its scales
    // measured, see and store or remove the correction (see print/calibration.h).
    void showPrinterCalibration();
    // Its part for colours: the printer profile of the printer chosen in `printers`, its
    // rendering intent and black point compensation, chosen and stored at once (see
    // print/printerprofile.h).
    void addProfileChoice(QDialog *window, QVBoxLayout *layout, QComboBox *printers);
    // The sheet `sheetPath` as `printer`, through its profile, will print it, on screen.
    void showProof(const QString &sheetPath, const QString &printer);
    // The logo's gestures as a context menu, and what each does.
    void addLogoMenu();
    void runLogoAction(LogoAction action);
    void browseFolder(const char *key, QLineEdit *pathField, QListWidget *list);
    // What choosing `folder` does, however it was chosen: remembered under `key`, shown in
    // `pathField` and listed in `list`.
    void useFolder(const char *key, QLineEdit *pathField, QListWidget *list, const QString &folder);
    // Keys for the buttons (shown in their tooltips), Return in the path fields, and folders
    // dropped on the lists.
    void addKeyboardShortcuts();
    void acceptFolderDrops();
    // The paper the sheet is laid out for: A4 and the others every studio has, the default
    // printer's own, or a size of the operator's own ("Custom size…"); chosen, it is shown in
    // the size fields and remembered. And the choice of more sheets.
    void addPaperChoice();
    void restorePaper();
    void showPaper(const Paper &paper);
    void choosePaper(const Paper &paper);
    QVector<Paper> papers; // as the paper box lists them, before "Custom size…"
    int shownPaper = 0;

    QuorvelForm *form;
    QSettings *settings;
    // The thumbnails of each list's latest fill, made while the window is in use. A newer
    // fill of the list replaces them; every way out of the program stops them all.
    QHash<const QListWidget *, ThumbnailFill *> thumbnailFills;
    // Stops every list's thumbnails and waits for those in flight, before anything they use
    // (the pool, Qt's format plug-ins, the colour transforms) is torn down.
    void stopThumbnails();
    // Numbers the selected input pictures by their place on the sheet and tells screen readers
    // each picture's copies and place (see sheetplaces.h).
    void placeSelectedPictures();
    void describeInputPicture(QListWidgetItem *item);
    QList<QPersistentModelIndex> placedPictures;
    // Set while a sheet run is under way.
    bool generating = false;
};
