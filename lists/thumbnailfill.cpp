#include "lists/thumbnailfill.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QScrollBar>
#include <algorithm>

QIcon placeholderIcon()
{
    QPixmap empty(ThumbnailEdge, ThumbnailEdge);
    empty.fill(Qt::transparent);
    return QIcon(empty);
}

QIcon thumbnailIcon(const QImage &thumbnail, int edge)
{
    QImage square(edge, edge, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((edge - thumbnail.width()) / 2, (edge - thumbnail.height()) / 2, thumbnail);
    painter.end();
    // Selected as it is: the style would tint it with the selection's colour.
    const QPixmap pixmap = QPixmap::fromImage(square);
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

RowRange visibleRows(const QListWidget *list)
{
    const int rows = list->count();
    if (rows == 0)
        return {};
    const QModelIndex top = list->indexAt(QPoint(1, 1));
    const int first = top.isValid() ? top.row() : 0;
    // However tall the view, no more rows than its height holds (the layout may still be
    // pending, when every row would seem in view).
    const int rowHeight = std::max(1, list->sizeHintForRow(first));
    const int fit = (list->viewport()->height() + rowHeight - 1) / rowHeight;
    return {first, std::min(rows - 1, first + std::max(1, fit))};
}

RowRange keptRows(RowRange visible, int rows, int margin)
{
    if (visible.last < visible.first)
        return {};
    return {std::max(0, visible.first - margin), std::min(rows - 1, visible.last + margin)};
}

ThumbnailFill::ThumbnailFill(QListWidget *list, const QStringList &paths, const QIcon &placeholder)
    : QObject(list), list(list),
      // Made at the icon size in device pixels, sharp on a 2 x display; the icon fits them
      // into the list's icon size.
      edge(qRound(ThumbnailEdge * list->devicePixelRatioF())),
      loader(paths, edge,
             // Runs on a worker: the made thumbnails are taken on the GUI thread.
             [this] {
                 QMetaObject::invokeMethod(this, &ThumbnailFill::takeMade, Qt::QueuedConnection);
             }),
      icons(size_t(paths.size()), Icon::None), placeholder(placeholder),
      progress(new QProgressBar(list))
{
    progress->setObjectName(QStringLiteral("thumbnailProgress"));
    progress->setAccessibleName(
        QCoreApplication::translate("Quorvel", "Thumbnails still being made"));
    progress->setTextVisible(false);
    progress->setRange(0, int(paths.size()));
    progress->setValue(0);
    progress->setFocusPolicy(Qt::NoFocus);
    placeProgress();
    progress->show();
    list->installEventFilter(this);
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ThumbnailFill::viewChanged);
    connect(list->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &ThumbnailFill::viewChanged);
    viewChanged();
}

ThumbnailFill::~ThumbnailFill()
{
    cancel();
    delete progress;
}

void ThumbnailFill::cancel()
{
    loader.cancel();
}

bool ThumbnailFill::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        placeProgress();
        viewChanged();
    }
    return QObject::eventFilter(watched, event);
}

void ThumbnailFill::placeProgress()
{
    // A thin bar along the foot of the list's viewport, over the items.
    const QRect area = list->viewport()->geometry();
    constexpr int Height = 4;
    progress->setGeometry(area.left(), area.bottom() - Height + 1, area.width(), Height);
}

void ThumbnailFill::viewChanged()
{
    const int rows = int(icons.size());
    RowRange visible = visibleRows(list);
    // An item added after the listing (Go's sheet, until the list is filled again) has no
    // thumbnail of this fill.
    visible.last = std::min(visible.last, rows - 1);
    kept = keptRows(visible, rows);
    // Icons far from view go; those of kept rows that went are made again.
    for (auto row = shown.begin(); row != shown.end();) {
        if (kept.contains(*row)) {
            ++row;
            continue;
        }
        list->item(*row)->setIcon(placeholder);
        icons[size_t(*row)] = Icon::None;
        row = shown.erase(row);
    }
    QVector<int> remake;
    for (int row = kept.first; row <= kept.last; ++row) {
        if (icons[size_t(row)] == Icon::None)
            remake << row;
    }
    loader.setView(visible, kept, remake);
}

void ThumbnailFill::takeMade()
{
    for (ThumbnailLoader::Made &made : loader.takeMade()) {
        // Kept when it was made, and still kept now.
        if (!made.kept || !kept.contains(made.row) || icons[size_t(made.row)] != Icon::None)
            continue;
        if (made.thumbnail.isNull()) {
            // The row keeps the icon's room: the list's rows take the height of one, whichever
            // it is when the list is laid out, and its name stays in line with the others.
            list->item(made.row)->setIcon(placeholder);
            icons[size_t(made.row)] = Icon::Unreadable;
            continue;
        }
        list->item(made.row)->setIcon(thumbnailIcon(made.thumbnail, edge));
        icons[size_t(made.row)] = Icon::Shown;
        shown.insert(made.row);
    }
    progress->setValue(loader.madeOnce());
    progress->setVisible(loader.isBusy());
}
