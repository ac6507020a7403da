#include "compose/sheetrun.h"

#include "app/paths.h"
#include "compose/placement.h"
#include "compose/sheetparts.h"
#include "pictures/pictures.h"
#include "pictures/runaside.h"

#include <QImageIOHandler>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>

namespace {
// Pictures decoded on threads of their own at once; one wanted beyond them is decoded by the
// composition itself when its copies are drawn.
constexpr int DecodingThreads = 2;
// Rows of a JPEG handed over to the copies at a time.
constexpr int PublishedRows = 16;
// How far below a band a picture's first copy may lie for it to start decoding.
constexpr int Lookahead = 4 * SheetWriter::BandRows;

// One picture with copies on the sheets, and its pixels while they are drawn.
class PlannedPicture
{
public:
    PlannedPicture(const QString &path, bool turned) : file(path), turned(turned) {}

    PictureFile file;
    const bool turned;
    QSize size; // as placed
    QVector<PlacedCopy> copies;
    std::unique_ptr<CuttingLineStamp> line;

    // The sheet pixels a copy at `area` and its cutting line reach.
    QRect reach(const QRect &area) const { return area | line->reach(area); }
    // Where its copies and lines reach last: drawn beyond it, the picture can go.
    std::pair<int, int> lastReach() const
    {
        std::pair<int, int> last{-1, -1};
        for (const PlacedCopy &copy : copies)
            last = std::max(last, std::make_pair(copy.sheet, reach(copy.area).bottom()));
        return last;
    }

    bool isStarted() const { return started; }
    bool isDecoding() const
    {
        return decoding.valid() &&
               decoding.wait_for(std::chrono::seconds(0)) == std::future_status::timeout;
    }
    // Decodes on a thread of its own, `aside`, or when its pixels are first asked for; without
    // a thread to be had, always the latter.
    void start(bool aside)
    {
        started = true;
        decoding = aside ? runAside([this] { decode(); })
                         : std::async(std::launch::deferred, [this] { decode(); });
    }
    // The picture as copyPixels makes it, its first `rows` stored rows ready; null when it could
    // not be read (whyNot() says why).
    const QImage *pixels(int rows)
    {
        if (!started)
            start(false);
        if (decoding.valid() &&
            decoding.wait_for(std::chrono::seconds(0)) == std::future_status::deferred)
            decoding.get();
        std::unique_lock<std::mutex> lock(mutex);
        ready.wait(lock, [&] { return failed || rowsReady >= std::min(rows, totalRows); });
        return failed ? nullptr : &picture;
    }
    // Lets the picture go once its last copy is drawn.
    void release()
    {
        if (decoding.valid())
            decoding.get();
        picture = QImage();
    }
    QString whyNot() const { return file.whyNot(); }

private:
    void decode()
    {
        // Out of memory here is a picture that fails: the sheets are then composed the slow way.
        try {
            if (file.canReadRows())
                decodeRows();
            else
                decodeWhole();
        } catch (const std::bad_alloc &) {
            publish(0, true);
        }
    }

    // A JPEG as stored: its rows go straight into the picture as they are decoded.
    void decodeRows()
    {
        const QSize stored = file.size();
        // Within Qt's allocation limit, as every picture read whole.
        QImage rows;
        if (!QImageIOHandler::allocateImage(stored, QImage::Format_RGB888, &rows))
            return publish(0, true);
        // Taken before the picture is shared with the copies, which only read it.
        uchar *bits = rows.bits();
        const qsizetype stride = rows.bytesPerLine();
        {
            std::lock_guard<std::mutex> lock(mutex);
            picture = std::move(rows);
            totalRows = stored.height();
        }
        const bool read = file.readRows([&](int y, const uchar *row) {
            std::memcpy(bits + y * stride, row, size_t(stored.width()) * 3);
            if ((y + 1) % PublishedRows == 0)
                publish(y + 1, false);
        });
        publish(totalRows, !read);
    }

    void decodeWhole()
    {
        const QImage decoded = file.read();
        // The file may hold another picture than the header told when the copies were placed.
        if (decoded.isNull() || placedSize(decoded.size(), turned) != size)
            return publish(0, true);
        QImage pixels = copyPixels(decoded, turned);
        if (pixels.isNull())
            return publish(0, true);
        std::lock_guard<std::mutex> lock(mutex);
        picture = std::move(pixels);
        totalRows = picture.height();
        rowsReady = totalRows;
        ready.notify_all();
    }

    void publish(int rows, bool failure)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            rowsReady = rows;
            failed = failed || failure;
        }
        ready.notify_all();
    }

    std::mutex mutex;
    std::condition_variable ready;
    QImage picture;
    int totalRows = 1;
    int rowsReady = 0;
    bool failed = false;
    bool started = false;
    // Last, so that it is the first to go: its thread is waited for before what it uses goes.
    std::future<void> decoding;
};

// The sheets drawn a band at a time from the planned pictures.
class Composition
{
public:
    Composition(const SheetLayout &layout, std::vector<std::unique_ptr<PlannedPicture>> &pictures,
                const QVector<Lane> &lanes)
        : turned(layout.direction == CopyDirection::RotateLeftToRight), pictures(pictures)
    {
        const CopyDirection across =
            turned ? CopyDirection::TopToBottom : CopyDirection::RotateLeftToRight;
        for (const Lane &lane : lanes)
            laneLines.push_back({lane, CuttingLineStamp(lane.area.size(), across)});
    }

    // Draws the band of sheet `sheet`: every copy reaching it, then its cutting line, in the
    // placer's order, then the lanes' lines. False when a picture fails to decode.
    bool draw(int sheet, const SheetBand &band)
    {
        startDecodes(sheet, band);
        for (const auto &picture : pictures) {
            for (const PlacedCopy &copy : picture->copies) {
                if (copy.sheet != sheet || !picture->reach(copy.area).intersects(band.area()))
                    continue;
                if (copy.area.intersects(band.area())) {
                    const QImage *pixels =
                        picture->pixels(rowsNeeded(QImage::Format_RGB888, copy.area, band, turned));
                    if (!pixels)
                        return false;
                    drawCopy(band, *pixels, copy.area, turned);
                }
                picture->line->stamp(band, copy.area);
            }
        }
        for (const auto &[lane, line] : laneLines)
            if (lane.sheet == sheet)
                line.stamp(band, lane.area);
        releaseDrawn(sheet, band);
        return true;
    }

private:
    // The pictures whose copies come within reach of the band start decoding, on the threads
    // there are; any other the band needs is decoded when it is drawn from.
    void startDecodes(int sheet, const SheetBand &band)
    {
        int decoding = 0;
        for (const auto &picture : pictures)
            decoding += picture->isDecoding();
        const int within = band.top + band.rows + Lookahead;
        for (const auto &picture : pictures) {
            if (decoding >= DecodingThreads)
                return;
            const bool near = std::any_of(
                picture->copies.begin(), picture->copies.end(), [&](const PlacedCopy &copy) {
                    return copy.sheet == sheet && picture->reach(copy.area).top() < within;
                });
            if (near && !picture->isStarted()) {
                picture->start(true);
                ++decoding;
            }
        }
    }

    void releaseDrawn(int sheet, const SheetBand &band)
    {
        for (const auto &picture : pictures) {
            const auto [lastSheet, lastRow] = picture->lastReach();
            if (lastSheet < sheet || (lastSheet == sheet && lastRow < band.top + band.rows))
                picture->release();
        }
    }

    const bool turned;
    std::vector<std::unique_ptr<PlannedPicture>> &pictures;
    std::vector<std::pair<Lane, CuttingLineStamp>> laneLines;
};

// Puts every written sheet in place, then takes away what an earlier Go wrote beyond them.
bool commitAll(std::vector<std::unique_ptr<SheetWriter>> &writers, const QString &destination,
               SheetRun &run)
{
    for (const auto &writer : writers)
        if (!writer->commit(&run.saveError))
            return false;
    removeEarlierSheets(destination, int(writers.size()));
    return true;
}

QString sheetPath(const QString &destination, int sheet)
{
    return joinFolderAndName(destination, sheetFileName(sheet + 1));
}

SheetMark markOf(SheetMark mark, int sheet, int sheets)
{
    mark.sheet = sheet + 1;
    mark.sheets = sheets;
    return mark;
}

// The same sheets the slow way: every picture read whole, the sheets composed in memory, then
// saved.
SheetRun composeThenSave(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                         const QString &folder, const QString &destination, const SheetMark &mark)
{
    SheetRun run;
    run.outcome = composeSheet(layout, requests, [&](const QString &name, QString *whyNot) {
        return readPicture(joinFolderAndName(folder, name), whyNot);
    });
    if (run.outcome.placedCopies == 0)
        return run;
    const int sheets = int(run.outcome.sheets.size());
    std::vector<std::unique_ptr<SheetWriter>> writers;
    for (int sheet = 0; sheet < sheets; ++sheet) {
        writers.push_back(std::make_unique<SheetWriter>(layout.size, sheetPath(destination, sheet),
                                                        markComment(markOf(mark, sheet, sheets))));
        SheetWriter &writer = *writers.back();
        const QImage &composed = run.outcome.sheets[sheet];
        for (SheetBand band = writer.nextBand(); band.rows > 0; band = writer.nextBand()) {
            for (int y = 0; y < band.rows; ++y)
                std::memcpy(band.bits + y * band.stride, composed.constScanLine(band.top + y),
                            size_t(band.width) * 3);
            writer.submit(band);
        }
        if (!writer.finish(&run.saveError))
            return run;
        run.paths << sheetPath(destination, sheet);
    }
    run.saved = commitAll(writers, destination, run);
    return run;
}
} // namespace

SheetRun composeAndSaveSheets(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                              const QString &folder, const QString &destination,
                              const SheetMark &mark)
{
    SheetRun run;
    SheetOutcome &outcome = run.outcome;
    outcome.margins = layout.margins;
    if (layout.size.width() <= 0 || layout.size.height() <= 0) {
        outcome.sheetUnusable = true;
        return run;
    }

    // Every copy's place, from the sizes the headers tell.
    const bool turned = layout.direction == CopyDirection::RotateLeftToRight;
    CopyPlacer placer(layout, outcome);
    std::vector<std::unique_ptr<PlannedPicture>> pictures;
    for (const SheetRequest &request : requests) {
        if (!placer.wants(request))
            continue;
        auto picture =
            std::make_unique<PlannedPicture>(joinFolderAndName(folder, request.name), turned);
        if (!picture->file.isReadable()) {
            outcome.unreadable << QStringLiteral("%1 (%2)").arg(request.name,
                                                                picture->file.whyNot());
            continue;
        }
        picture->size = placedSize(picture->file.size(), turned);
        picture->copies = placer.place(request.name, picture->size, request.copies);
        if (picture->copies.isEmpty())
            continue;
        picture->line = std::make_unique<CuttingLineStamp>(picture->size, layout.direction);
        pictures.push_back(std::move(picture));
    }
    if (outcome.placedCopies == 0)
        return run;

    Composition composition(layout, pictures, placer.lanes());
    std::vector<std::unique_ptr<SheetWriter>> writers;
    for (int sheet = 0; sheet < outcome.sheetCount; ++sheet) {
        writers.push_back(
            std::make_unique<SheetWriter>(layout.size, sheetPath(destination, sheet),
                                          markComment(markOf(mark, sheet, outcome.sheetCount))));
        SheetWriter &writer = *writers.back();
        for (SheetBand band = writer.nextBand(); band.rows > 0; band = writer.nextBand()) {
            if (!composition.draw(sheet, band)) {
                // A picture failed after its header was read: it is skipped and the later ones
                // move up, which the plan did not foresee.
                writers.clear();
                pictures.clear();
                return composeThenSave(layout, requests, folder, destination, mark);
            }
            writer.submit(band);
        }
        if (!writer.finish(&run.saveError))
            return run;
        run.paths << sheetPath(destination, sheet);
    }
    run.saved = commitAll(writers, destination, run);
    return run;
}
