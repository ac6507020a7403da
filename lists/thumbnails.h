#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
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

// Makes the thumbnails of a listing (from the desktop's thumbnail cache where it holds them,
// see thumbnailcache.h) ahead of the list on worker threads, in listing order,
// while the caller takes them in that same order. A thumbnail no worker has started yet is
// decoded by the caller itself, so a listing never waits for workers busy elsewhere (with an
// older listing's last decodes). Cancelling, or destroying it, drops the decodes not yet
// started; decodes in flight finish on their own and are thrown away.
class ThumbnailPrefetcher
{
public:
    ThumbnailPrefetcher(const QStringList &paths, int edge);
    ~ThumbnailPrefetcher();
    ThumbnailPrefetcher(const ThumbnailPrefetcher &) = delete;
    ThumbnailPrefetcher &operator=(const ThumbnailPrefetcher &) = delete;

    // The thumbnail of paths[index], taken once, in order; a null image once cancelled.
    QImage take(int index);

    void cancel();
    bool isCancelled() const;

    // Waits for the decodes in flight of every listing; each is bounded by one picture. Cancel
    // the listings first, or this waits for them to finish.
    static void waitForDecodesInFlight();

    // Decoding threads for every listing; defaults to the number of cores.
    static void setDecodingThreads(int threads);
    static int decodingThreads();

private:
    struct Shared;
    std::shared_ptr<Shared> shared;
};
