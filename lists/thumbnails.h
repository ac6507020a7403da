#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

// Edge of the square that list thumbnails are fitted into.
inline constexpr int ThumbnailEdge = 200;

// The size a picture of the given stored size is decoded at to fit an edge x edge square:
// the longer side becomes the edge, the shorter one keeps the aspect ratio, truncated toward
// zero but at least one pixel. A size the reader cannot tell gives edge x edge.
QSize thumbnailSize(QSize stored, int edge);

// Decodes a picture file directly at its thumbnail size, so that no full-size picture is held.
// A null image for a missing, refused or undecodable file. Safe to call from any thread.
QImage decodeThumbnail(const QString &path, int edge);

// A run of list rows, `first` to `last` inclusive; empty when `last` < `first`.
struct RowRange
{
    int first = 0;
    int last = -1;
    bool contains(int row) const { return row >= first && row <= last; }
};

// Makes the thumbnails of one listing on worker threads (from the desktop's thumbnail cache
// where it holds them, see thumbnailcache.h), in this order: the rows in view, then the rows
// kept around them, then every other row of the listing once, top to bottom, so that the
// cache is filled for later. The workers serve every listing alive, each row in that order
// across them: the rows in view of one list are made before the rows out of view of any.
// Thumbnails of rows outside the kept rows are not kept; a row whose thumbnail was let go can be
// made again. Cancelling, or destroying it, drops the thumbnails not started; those in flight
// finish on their own and are thrown away.
class ThumbnailLoader
{
public:
    // Called on a worker thread, without blocking, when made thumbnails wait to be taken.
    using Notify = std::function<void()>;
    ThumbnailLoader(const QStringList &paths, int edge, Notify notify);
    ~ThumbnailLoader();
    ThumbnailLoader(const ThumbnailLoader &) = delete;
    ThumbnailLoader &operator=(const ThumbnailLoader &) = delete;

    // The rows in view and the rows kept around them; `remake`, rows made before whose
    // thumbnails were let go, to be made once more. The first call starts the work.
    void setView(RowRange visible, RowRange kept, const QVector<int> &remake = {});

    struct Made
    {
        int row;
        QImage thumbnail; // null for an unreadable picture, or when not kept
        bool kept;        // false: made while outside the kept rows, and let go
    };
    QVector<Made> takeMade();
    // Rows made at least once.
    int madeOnce() const;
    // Whether rows are still to be made, for the first time or again, or made and not taken.
    bool isBusy() const;

    void cancel();

    // Waits for the thumbnails in flight of every listing; each is bounded by one picture.
    // Cancel the listings first, or this waits for them to finish.
    static void waitForDecodesInFlight();

    // Decoding threads for every listing; defaults to the number of cores.
    static void setDecodingThreads(int threads);
    static int decodingThreads();

    struct Shared;

private:
    std::shared_ptr<Shared> shared;
};
