#include "compose/sheetrun.h"

#include "app/paths.h"
#include "compose/sheetfile.h"
#include "compose/sheetparts.h"
#include "pictures/pictures.h"
#include "pictures/runaside.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>
#include <future>
#include <memory>

namespace {
// Rows of a picture being decoded are handed to the writer this many at a time.
constexpr int PublishedRows = 32;

// One picture with copies on the sheet.
struct Job
{
    explicit Job(const QString &path) : file(path) {}

    PictureFile file;
    QSize size; // as placed: turned in a row
    QVector<QPoint> corners;
    bool streamed = false; // decoded row by row straight into its copies
    // Progress, kept by the thread that composes the column.
    int rowsWritten = 0;
    bool complete = false;
    int stampsDrawn = 0; // its copies' cutting lines are drawn in order
};

// The copies and cutting lines of the planned jobs, drawn into the sheet while the writer
// encodes what is final.
class Composition
{
public:
    Composition(const SheetLayout &layout, QImage &sheet, std::vector<Job> &jobs)
        : layout(layout), turned(layout.direction == CopyDirection::RotateLeftToRight), jobs(jobs),
          sheet(sheet)
    {}

    // Composes the sheet into `writer`; false when a picture fails to decode.
    bool compose(SheetWriter &writer)
    {
        this->writer = &writer;
        return turned ? composeRow() : composeColumn();
    }

private:
    // One picture after the other, each streamed or read whole; the writer follows.
    bool composeColumn()
    {
        for (Job &job : jobs) {
            if (job.streamed) {
                const bool read = job.file.readRows([&](int y, const uchar *row) {
                    writeRow(job, y, row);
                    job.rowsWritten = y + 1;
                    // The first copy's cutting line covers its first rows and the previous
                    // picture's last, which are all there by now.
                    if (job.stampsDrawn == 0 && job.rowsWritten >= CuttingLineStamp::Margin + 2)
                        drawStamps(job, 1);
                    // A band at a time: each hand-over may wake the writer.
                    if (job.rowsWritten % PublishedRows == 0)
                        publish();
                });
                if (!read)
                    return false;
            } else if (!placeWhole(job, true)) {
                return false;
            }
            // The other copies' lines cover their previous copy's last rows.
            drawStamps(job, int(job.corners.size()));
            job.complete = true;
            publish();
        }
        return true;
    }

    // Every copy of a row reaches the top rows, so the writer waits for all; the streamed
    // pictures are decoded two at a time meanwhile, the others read whole here in turn.
    bool composeRow()
    {
        // Every copy in copy order, with its picture's cutting line.
        struct Copy
        {
            QPoint corner;
            QRect area;
            const CuttingLineStamp *line;
        };
        std::vector<CuttingLineStamp> lines;
        lines.reserve(jobs.size());
        std::vector<Copy> copies;
        for (const Job &job : jobs) {
            lines.emplace_back(job.size, layout.direction);
            for (const QPoint at : job.corners)
                copies.push_back({at, QRect(at, job.size), &lines.back()});
        }
        std::deque<std::future<bool>> decoding;
        bool read = true;
        size_t first = 0; // the job's first copy
        for (Job &job : jobs) {
            const size_t end = first + job.corners.size();
            if (!job.streamed) {
                // A copy painted over the sheet (one with transparency) shows the lines of
                // earlier copies that reach into it beneath its pixels, in order.
                for (size_t copy = first; copy < end; ++copy)
                    for (size_t earlier = 0; earlier < copy; ++earlier)
                        copies[earlier].line->stamp(sheet, copies[earlier].corner,
                                                    copies[copy].area);
                // Its own lines come with the others': one might reach a copy still being
                // decoded.
                read = placeWhole(job, false) && read;
                first = end;
                continue;
            }
            first = end;
            if (decoding.size() == 2) {
                read = decoding.front().get() && read;
                decoding.pop_front();
            }
            decoding.push_back(runAside([this, &job] {
                // Out of memory here is a picture that fails: the sheet is then composed the
                // slow way.
                try {
                    return readTurned(job);
                } catch (const std::bad_alloc &) {
                    return false;
                }
            }));
        }
        for (std::future<bool> &decoded : decoding)
            read = decoded.get() && read;
        if (!read)
            return false;
        // In copy order, after every copy's pixels, each line kept out of the later copies,
        // whose pixels cover it where composeSheet draws each line right after its copy (a
        // copy one pixel wide has its line reach into the next).
        for (size_t copy = 0; copy < copies.size(); ++copy) {
            QRegion outsideLaterCopies(QRect(QPoint(0, 0), layout.size));
            for (size_t later = copy + 1; later < copies.size(); ++later)
                outsideLaterCopies -= copies[later].area;
            copies[copy].line->stamp(sheet, copies[copy].corner, outsideLaterCopies);
        }
        for (Job &job : jobs)
            job.complete = true;
        publish();
        return true;
    }

    // Reads the picture whole and places its copies as composeSheet does: a copy, then, with
    // `lines`, its cutting line. Fails for a picture no longer of its planned size.
    bool placeWhole(Job &job, bool lines)
    {
        QImage picture = job.file.read();
        if (picture.isNull() || placedSize(picture.size(), turned) != job.size)
            return false;
        placeCopies(sheet, layout, std::move(picture), job.corners, lines);
        if (lines)
            job.stampsDrawn = int(job.corners.size());
        return true;
    }

    // Picture row `y` (three bytes a pixel) into every copy of the job: a sheet row.
    void writeRow(const Job &job, int y, const uchar *row)
    {
        for (const QPoint at : std::as_const(job.corners)) {
            const int sheetY = at.y() + y;
            const int from = std::max(0, -at.x());
            const int to = std::min(job.size.width(), layout.size.width() - at.x());
            if (sheetY >= 0 && sheetY < layout.size.height() && from < to)
                std::memcpy(sheet.bits + sheetY * sheet.stride + 3 * qsizetype(at.x() + from),
                            row + 3 * qsizetype(from), size_t(to - from) * 3);
        }
    }

    // Decodes a picture of a row into its copies, turned a quarter turn clockwise: picture row
    // r becomes the sheet column at the copy's right edge less r, as copyOpaque turns it.
    // Rows are gathered a band at a time, so that the sheet is written a run of pixels per
    // sheet row rather than a pixel per row.
    bool readTurned(Job &job)
    {
        constexpr int Band = 32;
        const int rows = job.size.width(), length = job.size.height();
        std::vector<uchar> band(size_t(Band) * length * 3);
        auto flush = [&](int first, int count) {
            for (const QPoint at : std::as_const(job.corners)) {
                // Sheet columns of picture rows first .. first + count - 1, right to left.
                const int right = at.x() + rows - 1 - first;
                const int left = right - count + 1;
                const int clipLeft = std::max(left, 0);
                const int clipRight = std::min(right, layout.size.width() - 1);
                const int from = std::max(0, -at.y());
                const int to = std::min(length, layout.size.height() - at.y());
                for (int x = from; clipLeft <= clipRight && x < to; ++x) {
                    uchar *out =
                        sheet.bits + qsizetype(at.y() + x) * sheet.stride + 3 * qsizetype(clipLeft);
                    for (int column = clipLeft; column <= clipRight; ++column, out += 3) {
                        const uchar *in =
                            band.data() + (qsizetype(right - column) * length + x) * 3;
                        out[0] = in[0];
                        out[1] = in[1];
                        out[2] = in[2];
                    }
                }
            }
        };
        return job.file.readRows([&](int y, const uchar *row) {
            std::memcpy(band.data() + qsizetype(y % Band) * length * 3, row, size_t(length) * 3);
            if (y % Band == Band - 1 || y == rows - 1)
                flush(y - y % Band, y % Band + 1);
        });
    }

    // Draws the job's cutting lines up to the `upTo`th copy.
    void drawStamps(Job &job, int upTo)
    {
        if (job.stampsDrawn >= upTo)
            return;
        const CuttingLineStamp cuttingLine(job.size, layout.direction);
        for (; job.stampsDrawn < upTo; ++job.stampsDrawn)
            cuttingLine.stamp(sheet, job.corners[job.stampsDrawn]);
    }

    // Hands the writer the rows that nothing will change any more.
    void publish() { writer->rowsFinal(finalRows()); }

    // Rows above a cutting line still to come, or above a copy still being written, are final;
    // so are the rows written into a copy, up to where the next copy's line will reach.
    int finalRows() const
    {
        const int height = layout.size.height();
        auto clamped = [height](qint64 row) { return int(std::clamp<qint64>(row, 0, height)); };
        if (turned) {
            if (std::all_of(jobs.begin(), jobs.end(), [](const Job &job) { return job.complete; }))
                return height;
            int top = height;
            for (const Job &job : jobs)
                for (const QPoint at : job.corners)
                    top = std::min(top, clamped(qint64(at.y()) - CuttingLineStamp::Margin));
            return top;
        }
        for (size_t j = 0; j < jobs.size(); ++j) {
            const Job &job = jobs[j];
            for (int copy = 0; copy < job.corners.size(); ++copy) {
                const qint64 top = job.corners[copy].y();
                if (copy >= job.stampsDrawn)
                    return clamped(top - CuttingLineStamp::Margin);
                if (job.complete)
                    continue;
                const bool lastCopy = copy + 1 == job.corners.size();
                const qint64 nextLine =
                    !lastCopy ? job.corners[copy + 1].y() - CuttingLineStamp::Margin
                    : j + 1 < jobs.size()
                        ? jobs[j + 1].corners.first().y() - CuttingLineStamp::Margin
                        : qint64(height);
                return clamped(std::min(top + job.rowsWritten, nextLine));
            }
        }
        return height;
    }

    const SheetLayout &layout;
    const bool turned;
    std::vector<Job> &jobs;
    const SheetPixels sheet;
    SheetWriter *writer = nullptr;
};

// The same sheet the slow way: every picture read whole, then the sheet saved.
SheetRun composeThenSave(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                         const QString &folder, const QString &path)
{
    SheetRun run;
    run.outcome = composeSheet(layout, requests, [&](const QString &name, QString *whyNot) {
        return readPicture(joinFolderAndName(folder, name), whyNot);
    });
    if (run.outcome.placedCopies > 0)
        run.saved = saveSheet(run.outcome.sheet, path, &run.saveError);
    return run;
}
} // namespace

SheetRun composeAndSaveSheet(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                             const QString &folder, const QString &path)
{
    SheetRun run;
    SheetOutcome &outcome = run.outcome;
    outcome.margins = layout.margins;
    if (layout.size.width() <= 0 || layout.size.height() <= 0) {
        outcome.sheetUnusable = true;
        return run;
    }
    // The blank sheet is made on another core while the headers are read.
    std::future<QImage> blank = runAside([&layout] { return blankSheet(layout.size); });

    // Every copy's place, from the sizes the headers tell.
    const bool turned = layout.direction == CopyDirection::RotateLeftToRight;
    CopyPlacer placer(layout, outcome);
    std::vector<Job> jobs;
    for (const SheetRequest &request : requests) {
        if (!placer.wants(request))
            continue;
        Job job(joinFolderAndName(folder, request.name));
        if (!job.file.isReadable()) {
            outcome.unreadable << QStringLiteral("%1 (%2)").arg(request.name, job.file.whyNot());
            continue;
        }
        job.size = placedSize(job.file.size(), turned);
        job.corners = placer.place(request.name, job.size, request.copies);
        if (job.corners.isEmpty())
            continue;
        job.streamed = job.file.canReadRows();
        jobs.push_back(std::move(job));
    }
    outcome.sheet = blank.get();
    if (outcome.sheet.isNull()) {
        outcome.sheetUnusable = true;
        outcome.placedCopies = 0;
        return run;
    }
    if (outcome.placedCopies == 0)
        return run;

    Composition composition(layout, outcome.sheet, jobs);
    SheetWriter writer(outcome.sheet, path);
    if (!composition.compose(writer)) {
        // A picture failed after its header was read: it is skipped and the later ones move
        // up, which the plan did not foresee.
        writer.abandon();
        return composeThenSave(layout, requests, folder, path);
    }
    run.saved = writer.finish(&run.saveError);
    return run;
}
