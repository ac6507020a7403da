#include "pictures/jpeg.h"

#include "pictures/colour.h"
#include "pictures/jpegerrors.h"
#include "pictures/orientation.h"
#include "pictures/refusal.h"
#include "pictures/runaside.h"

#include <QIODevice>
#include <QImageIOHandler>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <future>
#include <mutex>
#include <vector>

namespace {
constexpr size_t InputBufferBytes = 64 * 1024;
// libjpeg's working memory (a progressive picture keeps all its coefficients) for the largest
// picture allowed, and not beyond.
constexpr long MaxDecoderMemory = 1024L * 1024 * 1024;

// Feeds libjpeg from a QIODevice through a buffer; skips seek.
struct DeviceSource : jpeg_source_mgr
{
    QIODevice *device;
    JOCTET buffer[InputBufferBytes];
    bool ended;
};

void startSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr info)
{
    auto *source = static_cast<DeviceSource *>(info->src);
    const qint64 got = source->device->read(reinterpret_cast<char *>(source->buffer),
                                            qint64(sizeof source->buffer));
    if (got <= 0) {
        // An end of image where the data ends, as libjpeg recommends, so that it stops; the
        // picture is cut off, which the decode then reports.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        source->bytes_in_buffer = 2;
        source->ended = true;
    } else {
        source->bytes_in_buffer = size_t(got);
    }
    source->next_input_byte = source->buffer;
    return TRUE;
}

void skipInput(j_decompress_ptr info, long count)
{
    auto *source = static_cast<DeviceSource *>(info->src);
    if (count <= 0)
        return;
    if (size_t(count) <= source->bytes_in_buffer) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= size_t(count);
        return;
    }
    const qint64 beyond = count - qint64(source->bytes_in_buffer);
    source->bytes_in_buffer = 0;
    if (!source->device->seek(source->device->pos() + beyond))
        fillInput(info);
}

void endSource(j_decompress_ptr) {}

int orientationOf(const jpeg_decompress_struct &info)
{
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length > 6 &&
            std::memcmp(marker->data, "Exif\0\0", 6) == 0)
            return exifOrientation(QByteArray(reinterpret_cast<const char *>(marker->data) + 6,
                                              qsizetype(marker->data_length) - 6));
    }
    return 0;
}

// libjpeg's objects with their error and source managers. Everything that longjmp may skip
// over lives here, created before the jump point.
struct Decompressor
{
    jpeg_decompress_struct info{};
    JpegErrors errors;
    DeviceSource source{};

    explicit Decompressor(QIODevice *device)
    {
        info.err = &errors;
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = MaxDecoderMemory;
        source.device = device;
        source.init_source = startSource;
        source.fill_input_buffer = fillInput;
        source.skip_input_data = skipInput;
        source.resync_to_restart = jpeg_resync_to_restart;
        source.term_source = endSource;
        info.src = &source;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    QString error() const { return errors.text(); }
    // What a decode that ran to its end says: a file that ended before the picture is cut off.
    bool refuseUnlessWhole(QString *why) const
    {
        return !source.ended || refuse(why, cutOffReason());
    }
    PictureHeader header() const
    {
        PictureHeader header;
        header.size = QSize(int(info.image_width), int(info.image_height));
        header.orientation = orientationOf(info);
        const QByteArray mark = QByteArray(SheetMarkKey) + ": run=";
        for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next)
            header.programSheet = header.programSheet ||
                                  (marker->marker == JPEG_COM &&
                                   QByteArray::fromRawData(reinterpret_cast<char *>(marker->data),
                                                           int(marker->data_length))
                                       .startsWith(mark));
        return header;
    }
};

// Reads up to the first scan; false, with libjpeg's message, when it cannot.
bool readHeader(Decompressor &jpeg, bool withProfile)
{
    if (setjmp(jpeg.errors.jump))
        return false;
    jpeg_save_markers(&jpeg.info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&jpeg.info, JPEG_COM, 0xFFFF);
    if (withProfile)
        jpeg_save_markers(&jpeg.info, JPEG_APP0 + 2, 0xFFFF);
    return jpeg_read_header(&jpeg.info, TRUE) == JPEG_HEADER_OK;
}

// Converts the rows of a picture to sRGB on another thread, behind the decoder, band by band.
class BandConverter
{
public:
    BandConverter(const SrgbConversion &colour, QImage &picture)
        : colour(colour), bits(picture.bits()), stride(picture.bytesPerLine()),
          width(picture.width())
    {
        worker = runAside([this] { run(); });
    }
    ~BandConverter() { finish(false); }

    void rowsDecoded(int rows)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            decoded = rows;
        }
        ready.notify_one();
    }
    // Waits for the conversion of the rows decoded so far; with `complete`, of every row.
    void finish(bool complete)
    {
        if (!worker.valid())
            return;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!complete)
                decoded = converted;
            stopping = true;
        }
        ready.notify_one();
        worker.get();
    }

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            ready.wait(lock, [this] { return decoded > converted || stopping; });
            const int from = converted, to = decoded;
            if (from == to && stopping)
                return;
            lock.unlock();
            for (int y = from; y < to; ++y) {
                auto *row = reinterpret_cast<QRgb *>(bits + y * stride);
                colour.convert(row, row, width);
            }
            lock.lock();
            converted = to;
        }
    }

    const SrgbConversion &colour;
    uchar *bits;
    qsizetype stride;
    int width;
    std::mutex mutex;
    std::condition_variable ready;
    int decoded = 0;
    int converted = 0;
    bool stopping = false;
    std::future<void> worker;
};

// What a decode needs beside libjpeg: made before the jump point, so that nothing with a
// destructor is skipped by an error.
// Rows handed over one by one are decoded into a band of this many.
constexpr int BandRows = 16;

struct Output
{
    uchar *bits; // the picture's rows, or the band's
    qsizetype stride;
    const SrgbConversion *colour;
    BandConverter *converter; // null: rows are converted as they come
    std::vector<uchar> *inks; // a row of CMYK samples; empty for three-channel pictures
    const std::function<void(int y, const uchar *row)> *deliver; // hands each row over

    uchar *row(int y) const { return bits + (deliver ? y % BandRows : y) * stride; }
};

bool decodeRows(Decompressor &jpeg, const Output &out)
{
    if (setjmp(jpeg.errors.jump))
        return false;
    jpeg_start_decompress(&jpeg.info);
    const int width = int(jpeg.info.output_width);
    while (jpeg.info.output_scanline < jpeg.info.output_height) {
        const int y = int(jpeg.info.output_scanline);
        int got = 1;
        if (!out.inks->empty()) {
            JSAMPROW samples = out.inks->data();
            jpeg_read_scanlines(&jpeg.info, &samples, 1);
            out.colour->convert(samples, reinterpret_cast<QRgb *>(out.row(y)), width);
        } else {
            // libjpeg-turbo writes B, G, R and an opaque byte: QRgb words as they lie in memory.
            JSAMPROW rows[BandRows];
            const int count = std::min(
                {int(jpeg.info.rec_outbuf_height), BandRows, int(jpeg.info.output_height) - y});
            for (int i = 0; i < count; ++i)
                rows[i] = out.row(y + i);
            got = int(jpeg_read_scanlines(&jpeg.info, rows, JDIMENSION(count)));
            if (out.converter) {
                out.converter->rowsDecoded(y + got);
            } else {
                for (int i = 0; i < got; ++i) {
                    auto *converted = reinterpret_cast<QRgb *>(rows[i]);
                    out.colour->convert(converted, converted, width);
                }
            }
        }
        for (int i = 0; out.deliver && i < got; ++i)
            (*out.deliver)(y + i, out.row(y + i));
    }
    jpeg_finish_decompress(&jpeg.info);
    return true;
}

// Chooses the pixels libjpeg delivers and the eighth of the size it decodes at: the nearest
// at or above the one wanted, as Qt's reader does.
bool prepareOutput(Decompressor &jpeg, QSize scaledSize, PixelLayout *layout)
{
    jpeg_decompress_struct &info = jpeg.info;
    if (setjmp(jpeg.errors.jump))
        return false;
    if (info.num_components == 4) {
        info.out_color_space = JCS_CMYK;
        *layout = info.saw_Adobe_marker ? PixelLayout::InvertedCmyk8 : PixelLayout::Cmyk8;
    } else if (info.num_components == 1) {
        info.out_color_space = JCS_GRAYSCALE;
        *layout = PixelLayout::Grey8;
    } else {
        info.out_color_space = JCS_EXT_BGRX;
        *layout = PixelLayout::Rgb32;
    }
    if (scaledSize.isValid() && !scaledSize.isEmpty() && info.image_width && info.image_height) {
        const double factor = std::min(double(info.image_width) / scaledSize.width(),
                                       double(info.image_height) / scaledSize.height());
        info.scale_num = std::clamp(int(std::ceil(8 / factor)), 1, 8);
        info.scale_denom = 8;
    }
    jpeg_calc_output_dimensions(&info);
    return true;
}

QByteArray profileOf(Decompressor &jpeg)
{
    JOCTET *bytes = nullptr;
    unsigned int length = 0;
    if (setjmp(jpeg.errors.jump))
        return QByteArray();
    if (!jpeg_read_icc_profile(&jpeg.info, &bytes, &length))
        return QByteArray();
    QByteArray profile(reinterpret_cast<const char *>(bytes), qsizetype(length));
    std::free(bytes);
    return profile;
}
} // namespace

bool looksLikeJpeg(const QByteArray &head)
{
    return head.startsWith("\xFF\xD8\xFF");
}

bool readJpegHeader(QIODevice *device, PictureHeader *header, QString *why)
{
    Decompressor jpeg(device);
    if (!readHeader(jpeg, false))
        return refuse(why, jpeg.error());
    *header = jpeg.header();
    return true;
}

QImage decodeJpeg(QIODevice *device, QSize scaledSize, QString *why, PictureHeader *header)
{
    Decompressor jpeg(device);
    if (!readHeader(jpeg, true)) {
        refuse(why, jpeg.error());
        return QImage();
    }
    *header = jpeg.header();
    jpeg_decompress_struct &info = jpeg.info;
    const QByteArray profile = profileOf(jpeg);
    PixelLayout layout = PixelLayout::Rgb32;
    if (!prepareOutput(jpeg, scaledSize, &layout)) {
        refuse(why, jpeg.error());
        return QImage();
    }
    const QSize decoded(int(info.output_width), int(info.output_height));
    QImage picture;
    if (!QImageIOHandler::allocateImage(decoded, QImage::Format_RGB32, &picture)) {
        refuse(why, noMemoryForPictureReason(decoded));
        return QImage();
    }
    // One grey or CMYK row at a time goes through the conversion into the picture's row.
    std::vector<uchar> samples;
    if (layout != PixelLayout::Rgb32)
        samples.resize(size_t(decoded.width()) * size_t(info.output_components));
    const SrgbConversion colour(profile, layout);
    // A large picture with a profile is converted on another core while it is decoded.
    std::unique_ptr<BandConverter> converter;
    if (layout == PixelLayout::Rgb32 && colour.usesProfile() &&
        qint64(decoded.width()) * decoded.height() >= 1'000'000)
        converter = std::make_unique<BandConverter>(colour, picture);
    const bool read = decodeRows(jpeg, {picture.bits(), picture.bytesPerLine(), &colour,
                                        converter.get(), &samples, nullptr});
    if (converter)
        converter->finish(read);
    if (!read) {
        refuse(why, jpeg.error());
        return QImage();
    }
    if (!jpeg.refuseUnlessWhole(why))
        return QImage();
    if (scaledSize.isValid() && !scaledSize.isEmpty() && picture.size() != scaledSize)
        picture = picture.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

bool decodeJpegRows(QIODevice *device, QSize size, QImageIOHandler::Transformations turn,
                    const JpegRow &row, QString *why)
{
    Decompressor jpeg(device);
    PixelLayout layout = PixelLayout::Rgb32;
    if (!readHeader(jpeg, true))
        return refuse(why, jpeg.error());
    const QByteArray profile = profileOf(jpeg);
    if (!prepareOutput(jpeg, QSize(), &layout))
        return refuse(why, jpeg.error());
    const int width = int(jpeg.info.output_width);
    const PictureHeader now = jpeg.header();
    if (now.size != size || transformationForOrientation(now.orientation) != turn)
        return refuse(why, changedReason());
    const SrgbConversion colour(profile, layout);
    // A picture whose colours are sRGB already comes from libjpeg as the rows go out; the
    // others are converted in QRgb words and packed.
    const bool asDecoded = layout == PixelLayout::Rgb32 && !colour.usesProfile();
    if (asDecoded)
        jpeg.info.out_color_space = JCS_RGB;
    const qsizetype stride = qsizetype(width) * (asDecoded ? 3 : 4);
    std::vector<uchar> band(size_t(stride) * BandRows);
    std::vector<uchar> samples;
    if (layout != PixelLayout::Rgb32)
        samples.resize(size_t(width) * size_t(jpeg.info.output_components));
    std::vector<uchar> packed(asDecoded ? 0 : size_t(width) * 3);
    const std::function<void(int, const uchar *)> deliver = [&](int y, const uchar *decoded) {
        if (asDecoded)
            return row(y, decoded);
        const auto *pixels = reinterpret_cast<const QRgb *>(decoded);
        for (int x = 0; x < width; ++x) {
            packed[size_t(x) * 3] = uchar(qRed(pixels[x]));
            packed[size_t(x) * 3 + 1] = uchar(qGreen(pixels[x]));
            packed[size_t(x) * 3 + 2] = uchar(qBlue(pixels[x]));
        }
        row(y, packed.data());
    };
    if (!decodeRows(jpeg, {band.data(), stride, &colour, nullptr, &samples, &deliver}))
        return refuse(why, jpeg.error());
    return jpeg.refuseUnlessWhole(why);
}
