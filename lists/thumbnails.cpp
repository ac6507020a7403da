#include "lists/thumbnails.h"

#include "lists/thumbnailcache.h"
#include "pictures/pictures.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <algorithm>
#include <chrono>
#include <future>
#include <system_error>
#include <utility>
#include <vector>

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
int configuredThreads = 0; // 0: one per core

enum class RowState : char {
    Waiting, // never made
    Working,
    Made,
    Wanted, // made before, asked for again
};

// What a row is made for, most wanted first: rows in view in any list come before rows kept
// around the view in any list, and those before the pass over every row of a listing.
enum class Need { InView, Kept, Background };
constexpr Need Needs[] = {Need::InView, Need::Kept, Need::Background};
} // namespace

struct ThumbnailLoader::Shared
{
    ThumbnailCache cache;
    mutable QMutex mutex;
    QStringList paths;
    int edge = 0;
    std::vector<RowState> state;
    std::vector<bool> madeBefore;
    int madeOnce = 0;
    int unmade = 0;      // rows waiting, wanted again or being made
    int nextInOrder = 0; // where the pass over every row has got to
    RowRange visible;
    RowRange kept;
    QVector<Made> made;
    Notify notify;
    bool cancelled = false;

    // The next row to make for `need`, marked as being made; -1 when there is none.
    int claim(Need need)
    {
        QMutexLocker locker(&mutex);
        if (cancelled)
            return -1;
        auto claimIn = [this](int from, int to, int step) {
            for (int row = from; row != to + step; row += step) {
                if (row >= 0 && row < int(state.size()) &&
                    (state[row] == RowState::Waiting || state[row] == RowState::Wanted)) {
                    state[row] = RowState::Working;
                    return row;
                }
            }
            return -1;
        };
        switch (need) {
        case Need::InView:
            return visible.last >= visible.first ? claimIn(visible.first, visible.last, 1) : -1;
        case Need::Kept: {
            const int row = kept.last > visible.last ? claimIn(visible.last + 1, kept.last, 1) : -1;
            if (row >= 0 || kept.first >= visible.first)
                return row;
            return claimIn(visible.first - 1, kept.first, -1);
        }
        case Need::Background:
            while (nextInOrder < int(state.size()) && state[nextInOrder] != RowState::Waiting)
                ++nextInOrder;
            if (nextInOrder == int(state.size()))
                return -1;
            state[nextInOrder] = RowState::Working;
            return nextInOrder++;
        }
        return -1;
    }

    // Makes a claimed row. The thumbnail is handed over before the cache entry it taught is
    // written, so no row waits for that.
    void make(int row)
    {
        QMutexLocker locker(&mutex);
        const QString path = paths[row];
        locker.unlock();
        ThumbnailCache::Lookup found;
        try {
            found = cache.lookUp(path, edge);
        } catch (const std::bad_alloc &) {
            // An empty icon, as for any picture that cannot be read.
        }
        locker.relock();
        if (!madeBefore[row]) {
            madeBefore[row] = true;
            ++madeOnce;
        }
        state[row] = RowState::Made;
        --unmade;
        const bool keep = kept.contains(row);
        made.push_back({row, keep ? std::move(found.thumbnail) : QImage(), keep});
        if (made.size() == 1 && notify)
            notify();
        locker.unlock();
        if (found.store) {
            try {
                found.store();
            } catch (const std::bad_alloc &) {
                // No entry: the cache is only ever a help.
            }
        }
    }
};

namespace {
// The listings alive and the workers that make their rows: each worker takes the most wanted
// row of any listing (see Need), so that the rows in view of a list just filled come next,
// whatever another list's pass over a large folder has left to do. A worker is a thread of its
// own, counted once the thread has started (a process at its limit of threads refuses one)
// until it finds no row left; its future joins the thread.
struct Scheduler
{
    QMutex mutex; // taken before any listing's own
    std::vector<std::weak_ptr<ThumbnailLoader::Shared>> listings;
    std::vector<std::future<void>> threads;
    int workers = 0;
    QWaitCondition idle; // told when the last worker ends

    // The most wanted row of any listing alive, claimed; no listing when none has one left.
    // Call locked.
    std::pair<std::shared_ptr<ThumbnailLoader::Shared>, int> claimMostWanted()
    {
        listings.erase(std::remove_if(listings.begin(), listings.end(),
                                      [](const auto &known) { return known.expired(); }),
                       listings.end());
        for (const Need need : Needs)
            for (const auto &known : listings)
                if (auto listing = known.lock())
                    if (const int row = listing->claim(need); row >= 0)
                        return {std::move(listing), row};
        return {nullptr, -1};
    }

    // A worker: makes rows until no listing has one left.
    void work()
    {
        for (;;) {
            QMutexLocker locker(&mutex);
            const auto [listing, row] = claimMostWanted();
            if (!listing) {
                if (--workers == 0)
                    idle.wakeAll();
                return;
            }
            locker.unlock();
            listing->make(row);
        }
    }

    // Starts workers up to the number wanted; false when none is at work, as none could be
    // started.
    bool start()
    {
        QMutexLocker locker(&mutex);
        threads.erase(std::remove_if(threads.begin(), threads.end(),
                                     [](const std::future<void> &thread) {
                                         return thread.wait_for(std::chrono::seconds(0)) ==
                                                std::future_status::ready;
                                     }),
                      threads.end());
        while (workers < ThumbnailLoader::decodingThreads()) {
            try {
                threads.push_back(std::async(std::launch::async, [this] { work(); }));
            } catch (const std::system_error &) {
                break; // tried again at the next change of view
            }
            ++workers;
        }
        return workers > 0;
    }

    void waitForWorkers()
    {
        std::vector<std::future<void>> ended;
        QMutexLocker locker(&mutex);
        while (workers > 0)
            idle.wait(&mutex);
        ended.swap(threads);
        locker.unlock();
        // Each future joins its thread as it goes.
    }
};

Scheduler &scheduler()
{
    static Scheduler instance;
    return instance;
}
} // namespace

ThumbnailLoader::ThumbnailLoader(const QStringList &paths, int edge, Notify notify)
    : shared(std::make_shared<Shared>())
{
    shared->paths = paths;
    shared->edge = edge;
    shared->state.assign(size_t(paths.size()), RowState::Waiting);
    shared->madeBefore.assign(size_t(paths.size()), false);
    shared->unmade = int(paths.size());
    shared->notify = std::move(notify);
    QMutexLocker locker(&scheduler().mutex);
    scheduler().listings.push_back(shared);
}

ThumbnailLoader::~ThumbnailLoader()
{
    cancel();
}

void ThumbnailLoader::setView(RowRange visible, RowRange kept, const QVector<int> &remake)
{
    {
        QMutexLocker locker(&shared->mutex);
        shared->visible = visible;
        shared->kept = kept;
        for (const int row : remake) {
            if (row >= 0 && row < int(shared->state.size()) &&
                shared->state[row] == RowState::Made) {
                shared->state[row] = RowState::Wanted;
                ++shared->unmade;
            }
        }
        if (shared->unmade == 0 || shared->cancelled)
            return;
    }
    if (scheduler().start())
        return;
    // No thread could be started, and none is at work: the rows in view are made here, so that
    // the operator sees them; the others wait for a thread.
    for (int row = shared->claim(Need::InView); row >= 0; row = shared->claim(Need::InView))
        shared->make(row);
}

QVector<ThumbnailLoader::Made> ThumbnailLoader::takeMade()
{
    QMutexLocker locker(&shared->mutex);
    return std::exchange(shared->made, {});
}

int ThumbnailLoader::madeOnce() const
{
    QMutexLocker locker(&shared->mutex);
    return shared->madeOnce;
}

bool ThumbnailLoader::isBusy() const
{
    QMutexLocker locker(&shared->mutex);
    // A thumbnail made after the last takeMade is still to come to the list.
    return (shared->unmade > 0 || !shared->made.isEmpty()) && !shared->cancelled;
}

void ThumbnailLoader::cancel()
{
    QMutexLocker locker(&shared->mutex);
    shared->cancelled = true;
    shared->notify = nullptr;
}

void ThumbnailLoader::waitForDecodesInFlight()
{
    scheduler().waitForWorkers();
}

void ThumbnailLoader::setDecodingThreads(int threads)
{
    configuredThreads = std::max(1, threads);
}

int ThumbnailLoader::decodingThreads()
{
    return configuredThreads > 0 ? configuredThreads : std::max(1, QThread::idealThreadCount());
}
