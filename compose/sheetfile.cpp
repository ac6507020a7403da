#include "compose/sheetfile.h"

#include "compose/sheet.h"
#include "pictures/jpegerrors.h"
#include "pictures/runaside.h"

#include <QColorSpace>
#include <QImage>
#include <QSaveFile>
#include <condition_variable>
#include <future>
#include <mutex>

namespace {
constexpr int Quality = 80;
constexpr size_t OutputBufferBytes = 64 * 1024;

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
    const uchar *bits;
    qsizetype stride;
    int width;
    int height;
    QString path;

    std::mutex mutex;
    std::condition_variable changed;
    int finalRows = 0;
    bool abandoned = false;
    QString error;
    std::future<bool> worker;

    // Waits until row `y` is final; false when the writing was abandoned.
    bool waitForRow(int y)
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return y < finalRows || abandoned; });
        return !abandoned;
    }

    // The encoding, between libjpeg's jump point and its calls: nothing here has a destructor
    // that an error could skip.
    bool compress(jpeg_compress_struct &info, JpegErrors &errors, FileDestination &destination,
                  const QByteArray &profile, bool *stopped)
    {
        if (setjmp(errors.jump))
            return false;
        jpeg_create_compress(&info);
        info.dest = &destination;
        info.image_width = JDIMENSION(width);
        info.image_height = JDIMENSION(height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        // 11811 dots per metre are written as 300 dots per inch, as Qt's writer rounds them.
        info.density_unit = 1;
        info.X_density = UINT16(SheetDotsPerInch);
        info.Y_density = UINT16(SheetDotsPerInch);
        jpeg_set_quality(&info, Quality, TRUE);
        jpeg_start_compress(&info, TRUE);
        jpeg_write_icc_profile(&info, reinterpret_cast<const JOCTET *>(profile.constData()),
                               unsigned(profile.size()));
        for (int y = 0; y < height; ++y) {
            if (!waitForRow(y)) {
                *stopped = true;
                return false;
            }
            JSAMPROW row = const_cast<uchar *>(bits + y * stride);
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        return true;
    }

    bool encode()
    {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            error = file.errorString();
            return false;
        }
        jpeg_compress_struct info{};
        JpegErrors errors;
        info.err = &errors;
        FileDestination destination{};
        destination.file = &file;
        destination.init_destination = startDestination;
        destination.empty_output_buffer = emptyBuffer;
        destination.term_destination = endDestination;
        const QByteArray profile = QColorSpace(QColorSpace::SRgb).iccProfile();
        bool stopped = false;
        const bool written = compress(info, errors, destination, profile, &stopped);
        jpeg_destroy_compress(&info);
        if (!written) {
            if (!stopped)
                error = file.errorString();
            file.cancelWriting();
            return false;
        }
        if (!file.commit()) {
            error = file.errorString();
            return false;
        }
        return true;
    }
};

SheetWriter::SheetWriter(const QImage &sheet, const QString &path)
    : encoding(std::make_unique<Encoding>())
{
    encoding->bits = sheet.constBits();
    encoding->stride = sheet.bytesPerLine();
    encoding->width = sheet.width();
    encoding->height = sheet.height();
    encoding->path = path;
    // Without a thread of its own, the encoding runs when finish() asks for it, every row
    // final by then.
    encoding->worker = runAside([state = encoding.get()] { return state->encode(); });
}

SheetWriter::~SheetWriter()
{
    abandon();
}

void SheetWriter::rowsFinal(int rows)
{
    {
        std::lock_guard<std::mutex> lock(encoding->mutex);
        if (rows <= encoding->finalRows)
            return;
        encoding->finalRows = rows;
    }
    encoding->changed.notify_one();
}

bool SheetWriter::finish(QString *error)
{
    rowsFinal(encoding->height);
    const bool written = encoding->worker.get();
    if (!written && error)
        *error = encoding->error;
    return written;
}

void SheetWriter::abandon()
{
    if (!encoding->worker.valid())
        return;
    {
        std::lock_guard<std::mutex> lock(encoding->mutex);
        encoding->abandoned = true;
    }
    encoding->changed.notify_one();
    encoding->worker.get();
}

bool saveSheet(const QImage &sheet, const QString &path, QString *error)
{
    const QImage rows = sheet.format() == QImage::Format_RGB888
                            ? sheet
                            : sheet.convertToFormat(QImage::Format_RGB888);
    SheetWriter writer(rows, path);
    return writer.finish(error);
}
