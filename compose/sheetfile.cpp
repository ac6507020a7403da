#include "compose/sheetfile.h"

#include "app/paths.h"
#include "compose/sheet.h"
#include "pictures/jpegerrors.h"
#include "pictures/runaside.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <vector>

QString sheetFileName(int number)
{
    return QString::asprintf("%02d.jpg", number);
}

QString markText(const SheetMark &mark)
{
    // In one pass: the paper's escapes must not be taken for places.
    return QStringLiteral("run=%1; sheet=%2/%3; paper=%4; size=%5x%6mm")
        .arg(mark.run, QString::number(mark.sheet), QString::number(mark.sheets),
             QString::fromLatin1(QUrl::toPercentEncoding(mark.paper)),
             QString::number(mark.paperMm.width(), 'f', 2),
             QString::number(mark.paperMm.height(), 'f', 2));
}

// As Qt writes an image's text: "key: value".
QByteArray markComment(const SheetMark &mark)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(SheetMarkKey), markText(mark)).toUtf8();
}

std::optional<SheetMark> readSheetMark(const QString &path)
{
    // Named as a JPEG, so that nothing else is looked for in the file.
    QImageReader reader(path, "jpeg");
    reader.setAutoDetectImageFormat(false);
    const QString text = reader.text(QLatin1String(SheetMarkKey));
    if (text.isEmpty())
        return std::nullopt;
    SheetMark mark;
    for (const QString &field : text.split(QStringLiteral("; "))) {
        const QString key = field.section(QLatin1Char('='), 0, 0);
        const QString value = field.section(QLatin1Char('='), 1);
        if (key == QLatin1String("run")) {
            mark.run = value;
        } else if (key == QLatin1String("sheet")) {
            mark.sheet = value.section(QLatin1Char('/'), 0, 0).toInt();
            mark.sheets = value.section(QLatin1Char('/'), 1).toInt();
        } else if (key == QLatin1String("paper")) {
            mark.paper = QUrl::fromPercentEncoding(value.toLatin1());
        } else if (key == QLatin1String("size") && value.endsWith(QLatin1String("mm"))) {
            const QString size = value.chopped(2);
            mark.paperMm = QSizeF(size.section(QLatin1Char('x'), 0, 0).toDouble(),
                                  size.section(QLatin1Char('x'), 1).toDouble());
        }
    }
    if (mark.run.isEmpty() || mark.sheet < 1 || mark.sheets < mark.sheet)
        return std::nullopt;
    return mark;
}

QStringList sheetsOfRun(const QString &folder, const SheetMark &mark)
{
    QStringList paths;
    for (int number = 1; number <= mark.sheets; ++number) {
        const QString path = joinFolderAndName(folder, sheetFileName(number));
        const std::optional<SheetMark> sheet = readSheetMark(path);
        if (sheet && sheet->run == mark.run && sheet->sheet == number)
            paths << path;
    }
    return paths;
}

void removeEarlierSheets(const QString &folder, int written)
{
    for (int number = written + 1;; ++number) {
        const QString path = joinFolderAndName(folder, sheetFileName(number));
        if (!QFileInfo::exists(path))
            return;
        // Another file of the same name is the operator's own.
        if (readSheetMark(path))
            QFile::remove(path);
    }
}

namespace {
constexpr int Quality = 80;
constexpr size_t OutputBufferBytes = 64 * 1024;
// Bands drawn ahead of the encoding.
constexpr int BandCount = 3;

// Hands libjpeg's output to the file; a failed write stops the encoding.
struct FileDestination : jpeg_destination_mgr
{
    QSaveFile *file;
    JOCTET buffer[OutputBufferBytes];
};

// Writes the whole of `bytes`. A write cut short (the disk filled up during it) reports no
// error of its own: writing the rest then fails with the system's reason.
bool writeAll(QSaveFile *file, const JOCTET *bytes, qint64 size)
{
    while (size > 0) {
        const qint64 written = file->write(reinterpret_cast<const char *>(bytes), size);
        if (written <= 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

void startDestination(j_compress_ptr info)
{
    auto *destination = static_cast<FileDestination *>(info->dest);
    destination->next_output_byte = destination->buffer;
    destination->free_in_buffer = sizeof destination->buffer;
}

boolean emptyBuffer(j_compress_ptr info)
{
    auto *destination = static_cast<FileDestination *>(info->dest);
    if (!writeAll(destination->file, destination->buffer, qint64(sizeof destination->buffer)))
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
    startDestination(info);
    return TRUE;
}

void endDestination(j_compress_ptr info)
{
    auto *destination = static_cast<FileDestination *>(info->dest);
    const qint64 left = qint64(sizeof destination->buffer - destination->free_in_buffer);
    if (!writeAll(destination->file, destination->buffer, left))
        info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
}
} // namespace

struct SheetWriter::Encoding
{
    Encoding(QSize size, const QString &path, const QByteArray &comment)
        : size(size), file(path), comment(comment)
    {
        info.err = &errors;
        jpeg_create_compress(&info);
        destination.file = &file;
        destination.init_destination = startDestination;
        destination.empty_output_buffer = emptyBuffer;
        destination.term_destination = endDestination;
        info.dest = &destination;
    }
    ~Encoding() { jpeg_destroy_compress(&info); }

    const QSize size;
    QSaveFile file;
    const QByteArray comment;
    jpeg_compress_struct info{};
    JpegErrors errors;
    FileDestination destination{};
    std::atomic<bool> failed{false};
    QString error;

    // Between libjpeg's jump point and its calls: nothing here has a destructor that an error
    // could skip. An error leaves the encoding failed.
    bool start()
    {
        // Unbuffered: libjpeg's output is gathered in the destination's buffer already, and bytes
        // Qt held back would be written only when the file is committed, which reports no
        // failure to write them (a disk full in the last bytes would leave a cut sheet).
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return fail();
        if (setjmp(errors.jump))
            return fail();
        info.image_width = JDIMENSION(size.width());
        info.image_height = JDIMENSION(size.height());
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        // 11811 dots per metre are written as 300 dots per inch, as Qt's writer rounds them.
        info.density_unit = 1;
        info.X_density = UINT16(SheetDotsPerInch);
        info.Y_density = UINT16(SheetDotsPerInch);
        jpeg_set_quality(&info, Quality, TRUE);
        jpeg_start_compress(&info, TRUE);
        if (!comment.isEmpty())
            jpeg_write_marker(&info, JPEG_COM,
                              reinterpret_cast<const JOCTET *>(comment.constData()),
                              unsigned(comment.size()));
        const QByteArray profile = QColorSpace(QColorSpace::SRgb).iccProfile();
        jpeg_write_icc_profile(&info, reinterpret_cast<const JOCTET *>(profile.constData()),
                               unsigned(profile.size()));
        return true;
    }
    bool encode(const SheetBand &band)
    {
        if (failed)
            return false;
        if (setjmp(errors.jump))
            return fail();
        for (int y = 0; y < band.rows; ++y) {
            JSAMPROW row = band.bits + y * band.stride;
            jpeg_write_scanlines(&info, &row, 1);
        }
        return true;
    }
    bool end()
    {
        if (failed)
            return false;
        if (setjmp(errors.jump))
            return fail();
        jpeg_finish_compress(&info);
        return true;
    }
    bool fail()
    {
        if (error.isEmpty())
            error = file.errorString().isEmpty() ? errors.text() : file.errorString();
        failed = true;
        return false;
    }

    // The bands: those free to draw in, and those handed over and waiting to be encoded.
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::vector<uchar>> buffers;
    std::deque<uchar *> free;
    std::deque<SheetBand> handedOver;
    int rowsHandedOut = 0;
    int rowsEncoded = 0;
    bool abandoned = false;
    // Without a thread of its own, each band is encoded as it is handed over.
    bool encodesInline = false;
    std::future<void> worker;

    // The encoding thread: each band as it is handed over, until every row is encoded, the
    // encoding fails or the writer is abandoned.
    void encodeHandedOver()
    {
        bool encoding = start();
        while (encoding) {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [this] { return !handedOver.empty() || abandoned; });
            if (abandoned)
                return;
            const SheetBand band = handedOver.front();
            handedOver.pop_front();
            lock.unlock();
            encoding = encode(band);
            lock.lock();
            free.push_back(band.bits);
            rowsEncoded += band.rows;
            encoding = encoding && rowsEncoded < size.height();
            changed.notify_all();
        }
        if (!failed)
            end();
        // A failure, or the end: nextBand gives no more bands. Taken, so that no waiter misses it.
        {
            std::lock_guard<std::mutex> lock(mutex);
        }
        changed.notify_all();
    }
};

SheetWriter::SheetWriter(QSize size, const QString &path, const QByteArray &comment)
    : encoding(std::make_unique<Encoding>(size, path, comment))
{
    Encoding &e = *encoding;
    const qsizetype stride = qsizetype(size.width()) * 3;
    try {
        e.buffers.assign(BandCount, std::vector<uchar>(size_t(stride) * BandRows));
    } catch (const std::bad_alloc &) {
        e.buffers.clear();
        e.error = QCoreApplication::translate("Quorvel", "not enough memory to write it");
        e.failed = true;
        return;
    }
    for (std::vector<uchar> &buffer : e.buffers)
        e.free.push_back(buffer.data());
    e.worker = runAside([state = encoding.get()] { state->encodeHandedOver(); });
    if (e.worker.wait_for(std::chrono::seconds(0)) == std::future_status::deferred) {
        e.worker = std::future<void>();
        e.encodesInline = true;
        e.start();
    }
}

SheetWriter::~SheetWriter()
{
    abandon();
}

SheetBand SheetWriter::nextBand()
{
    Encoding &e = *encoding;
    std::unique_lock<std::mutex> lock(e.mutex);
    e.changed.wait(lock, [&e] { return !e.free.empty() || e.failed || e.abandoned; });
    if (e.failed || e.abandoned || e.rowsHandedOut >= e.size.height())
        return SheetBand();
    SheetBand band{e.free.front(), qsizetype(e.size.width()) * 3, e.size.width(), e.rowsHandedOut,
                   std::min(BandRows, e.size.height() - e.rowsHandedOut)};
    e.free.pop_front();
    e.rowsHandedOut += band.rows;
    lock.unlock();
    std::memset(band.bits, 0xFF, size_t(band.stride) * size_t(band.rows));
    return band;
}

void SheetWriter::submit(const SheetBand &band)
{
    Encoding &e = *encoding;
    if (e.encodesInline) {
        e.encode(band);
        e.free.push_back(band.bits);
        e.rowsEncoded += band.rows;
        return;
    }
    {
        std::lock_guard<std::mutex> lock(e.mutex);
        e.handedOver.push_back(band);
    }
    e.changed.notify_all();
}

bool SheetWriter::finish(QString *error)
{
    Encoding &e = *encoding;
    if (e.worker.valid())
        e.worker.get();
    else if (e.encodesInline && e.rowsEncoded == e.size.height())
        e.end();
    const bool written = !e.failed && e.rowsEncoded == e.size.height();
    if (!written) {
        if (error)
            *error = e.error;
        abandon();
    }
    return written;
}

bool SheetWriter::commit(QString *error)
{
    Encoding &e = *encoding;
    if (!e.file.commit()) {
        if (error)
            *error = e.file.errorString();
        return false;
    }
    return true;
}

void SheetWriter::abandon()
{
    Encoding &e = *encoding;
    {
        std::lock_guard<std::mutex> lock(e.mutex);
        e.abandoned = true;
    }
    e.changed.notify_all();
    if (e.worker.valid())
        e.worker.get();
    if (e.file.isOpen())
        e.file.cancelWriting();
}

bool saveSheet(const QImage &sheet, const QString &path, QString *error, const QByteArray &comment)
{
    const QImage rows = sheet.format() == QImage::Format_RGB888
                            ? sheet
                            : sheet.convertToFormat(QImage::Format_RGB888);
    SheetWriter writer(rows.size(), path, comment);
    for (SheetBand band = writer.nextBand(); band.rows > 0; band = writer.nextBand()) {
        for (int y = 0; y < band.rows; ++y)
            std::memcpy(band.bits + y * band.stride, rows.constScanLine(band.top + y),
                        size_t(band.width) * 3);
        writer.submit(band);
    }
    return writer.finish(error) && writer.commit(error);
}
