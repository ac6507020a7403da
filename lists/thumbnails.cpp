#include "lists/thumbnails.h"

#include "lists/thumbnailcache.h"
#include "pictures/pictures.h"

#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>
#include <algorithm>
#include <utility>

QSize thumbnailSize(QSize stored, int edge)
{
    const int w = stored.width();
    const int h = stored.height();
    // Truncation toward zero would give a 4000 x 10 strip no height at all, and Qt nothing to
    // decode: every side keeps at least one pixel.
    if (w > h)
        return QSize(edge, std::max(1, int(double(edge) / w * h)));
    if (h > w)
        return QSize(std::max(1, int(double(edge) / h * w)), edge);
    return QSize(edge, edge);
}

QImage decodeThumbnail(const QString &path, int edge)
{
    PictureFile picture(path);
    if (!picture.isReadable())
        return QImage();
    return picture.read(thumbnailSize(picture.size(), edge));
}

namespace {
QThreadPool &thumbnailPool()
{
    static QThreadPool pool;
    return pool;
}
int configuredThreads = 0; // 0: one per core
} // namespace

struct ThumbnailPrefetcher::Shared
{
    ThumbnailCache cache;
    QMutex mutex;
    QWaitCondition decoded;
    QStringList paths;
    int edge = 0;
    QVector<QImage> thumbnails;
    QVector<bool> done;
    int nextUnclaimed = 0;
    bool cancelled = false;

    // Claims the next entry not yet taken by any thread; -1 when none is left. Call locked.
    int claim()
    {
        if (cancelled || nextUnclaimed >= paths.size())
            return -1;
        return nextUnclaimed++;
    }
    // Makes the thumbnail, from the desktop's cache where it can, and publishes it; only then
    // is the cache written, so no item waits for that. On the GUI thread (an item taken
    // before any worker reached it), the writing goes to the pool.
    void decode(int index, QMutexLocker<QMutex> &locker, bool onWorker)
    {
        const QString path = paths[index];
        locker.unlock();
        ThumbnailCache::Lookup found = cache.lookUp(path, edge);
        locker.relock();
        thumbnails[index] = std::move(found.thumbnail);
        done[index] = true;
        decoded.wakeAll();
        if (!found.store)
            return;
        locker.unlock();
        if (onWorker)
            found.store();
        else
            thumbnailPool().start(std::move(found.store));
        locker.relock();
    }
};

ThumbnailPrefetcher::ThumbnailPrefetcher(const QStringList &paths, int edge)
    : shared(std::make_shared<Shared>())
{
    shared->paths = paths;
    shared->edge = edge;
    shared->thumbnails.resize(paths.size());
    shared->done.resize(paths.size());
    const int workers = std::min(decodingThreads(), int(paths.size()));
    thumbnailPool().setMaxThreadCount(decodingThreads());
    for (int i = 0; i < workers; ++i) {
        // Each worker holds the shared state, so a prefetcher destroyed early leaves it alive
        // until the worker's decode in flight has finished.
        thumbnailPool().start([state = shared] {
            QMutexLocker locker(&state->mutex);
            for (int index = state->claim(); index >= 0; index = state->claim())
                state->decode(index, locker, true);
        });
    }
}

ThumbnailPrefetcher::~ThumbnailPrefetcher()
{
    cancel();
}

QImage ThumbnailPrefetcher::take(int index)
{
    QMutexLocker locker(&shared->mutex);
    // Not started by any worker: decoding it here beats waiting for one to come free.
    if (!shared->cancelled && shared->nextUnclaimed == index) {
        ++shared->nextUnclaimed;
        shared->decode(index, locker, false);
    }
    while (!shared->done[index] && !shared->cancelled)
        shared->decoded.wait(&shared->mutex);
    return std::exchange(shared->thumbnails[index], QImage());
}

void ThumbnailPrefetcher::cancel()
{
    QMutexLocker locker(&shared->mutex);
    shared->cancelled = true;
    shared->decoded.wakeAll();
}

bool ThumbnailPrefetcher::isCancelled() const
{
    QMutexLocker locker(&shared->mutex);
    return shared->cancelled;
}

void ThumbnailPrefetcher::waitForDecodesInFlight()
{
    thumbnailPool().waitForDone();
}

void ThumbnailPrefetcher::setDecodingThreads(int threads)
{
    configuredThreads = std::max(1, threads);
}

int ThumbnailPrefetcher::decodingThreads()
{
    return configuredThreads > 0 ? configuredThreads : std::max(1, QThread::idealThreadCount());
}
