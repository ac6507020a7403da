#pragma once

#include "lists/thumbnails.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <set>
#include <vector>

class QListWidget;
class QProgressBar;

// Rows kept with their icons above and below the rows in view: a few screens, so that
// scrolling back shows icons at once, while a list of any length holds a bounded number.
inline constexpr int KeptRowsAroundView = 200;

// The icon of an item whose thumbnail is still to come: transparent, at the icon size, so
// that rows keep their height while icons come and go.
QIcon placeholderIcon();

// A list icon of a thumbnail made for `edge` x `edge` device pixels: the thumbnail centred on a
// transparent square of that edge, so that every row is as high as the icon size whatever the
// picture's shape (the list's rows share the height of one) and every thumbnail shows whole,
// in its own colours when its row is selected.
QIcon thumbnailIcon(const QImage &thumbnail, int edge);

// The rows of a list in view, from its layout; empty for an empty list.
RowRange visibleRows(const QListWidget *list);
// The rows whose icons are kept: those in view and `margin` rows on either side, within
// `rows`.
RowRange keptRows(RowRange visible, int rows, int margin = KeptRowsAroundView);

// The icons of a list just filled, one per item in listing order: made off the GUI thread
// (ThumbnailLoader), those the operator can see first; set on the items as they come, let go
// far from view and made again when they come back. A thin bar at the foot of the list,
// over the list rather than in the form's layout, shows how many of the listing's thumbnails
// are made and goes when all are.
class ThumbnailFill : public QObject
{
    Q_OBJECT

public:
    // `list` holds one item per path, each showing `placeholder`.
    ThumbnailFill(QListWidget *list, const QStringList &paths, const QIcon &placeholder);
    ~ThumbnailFill() override;

    // Drops the thumbnails not yet started; those in flight are thrown away.
    void cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void viewChanged();
    void takeMade();
    void placeProgress();

    enum class Icon : char { None, Shown, Unreadable };
    QListWidget *list;
    int edge; // of the thumbnails, in device pixels
    ThumbnailLoader loader;
    std::vector<Icon> icons;
    std::set<int> shown; // rows holding an icon
    RowRange kept;
    QIcon placeholder;
    // A child of the list, which may go first when the window closes.
    QPointer<QProgressBar> progress;
};
