#include "pictures/png.h"

#include "pictures/colour.h"
#include "pictures/orientation.h"
#include "pictures/refusal.h"

#include <QColorSpace>
#include <QIODevice>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <zlib.h>

namespace {
// An eXIf block or a compressed profile beyond this is no tag block or profile.
constexpr quint32 MaxMetadataChunk = 16u << 20;

// An iCCP chunk's body: a name, a zero byte, the compression method (0, zlib) and the profile.
QByteArray inflateProfile(const QByteArray &chunk)
{
    const qsizetype nameEnd = chunk.indexOf('\0');
    if (nameEnd < 1 || nameEnd > 79 || nameEnd + 2 > chunk.size() || chunk[nameEnd + 1] != 0)
        return QByteArray();
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return QByteArray();
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(chunk.constData())) + nameEnd + 2;
    stream.avail_in = uInt(chunk.size() - nameEnd - 2);
    QByteArray profile;
    int status = Z_OK;
    // Inflated no further than one byte beyond what a profile may be: a larger one is ignored.
    while (status == Z_OK && profile.size() <= MaxProfileBytes) {
        const qsizetype done = profile.size();
        profile.resize(done + 64 * 1024);
        stream.next_out = reinterpret_cast<Bytef *>(profile.data()) + done;
        stream.avail_out = 64 * 1024;
        status = inflate(&stream, Z_NO_FLUSH);
        profile.resize(done + 64 * 1024 - qsizetype(stream.avail_out));
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? profile : QByteArray();
}
} // namespace

bool looksLikePng(const QByteArray &head)
{
    return head.startsWith("\x89PNG\r\n\x1a\n");
}

bool readPngHeader(QIODevice *device, PictureHeader *header, bool withProfile, QString *why)
{
    const QByteArray start = device->read(8 + 8 + 13);
    if (start.size() < 8 + 8 + 13 || !looksLikePng(start) || start.mid(12, 4) != "IHDR")
        return refuse(why, QCoreApplication::translate("Quorvel",
                                                       "the PNG header is cut short or malformed"));
    header->size =
        QSize(int(std::min<quint32>(qFromBigEndian<quint32>(start.constData() + 16), INT_MAX)),
              int(std::min<quint32>(qFromBigEndian<quint32>(start.constData() + 20), INT_MAX)));
    // The rest of the header chunk (its CRC), then chunk after chunk up to the picture data.
    if (!device->seek(device->pos() + 4))
        return true;
    for (;;) {
        const QByteArray chunk = device->read(8);
        if (chunk.size() < 8)
            return true;
        const quint32 length = qFromBigEndian<quint32>(chunk.constData());
        const QByteArray type = chunk.mid(4);
        if (type == "IDAT" || type == "IEND")
            return true;
        if (length <= MaxMetadataChunk && type == "eXIf") {
            header->orientation = exifOrientation(device->read(length));
            device->seek(device->pos() + 4);
            continue;
        }
        if (length <= MaxMetadataChunk && type == "iCCP" && withProfile) {
            header->profile = inflateProfile(device->read(length));
            header->profileIgnored = header->profile.isEmpty();
            device->seek(device->pos() + 4);
            continue;
        }
        if (!device->seek(device->pos() + qint64(length) + 4))
            return true;
    }
}

QImage decodePng(QIODevice *device, QSize scaledSize, QString *why, PictureHeader *decoded)
{
    const qint64 start = device->pos();
    PictureHeader &header = *decoded;
    if (!readPngHeader(device, &header, true, why) || !device->seek(start))
        return QImage();
    QImageReader reader(device, "png");
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const bool scaling = scaledSize.isValid() && !scaledSize.isEmpty();
    // Qt's reader scales a picture of one bit a pixel into black and white whatever its
    // palette's colours: palette pictures are read whole and scaled here in full colour.
    const QImage::Format stored = reader.imageFormat();
    const bool palette = stored == QImage::Format_Mono || stored == QImage::Format_MonoLSB ||
                         stored == QImage::Format_Indexed8;
    if (scaling && !palette)
        reader.setScaledSize(scaledSize);
    QImage picture = reader.read();
    if (picture.isNull()) {
        refuse(why, reader.errorString());
        return QImage();
    }
    if (scaling && palette)
        picture = picture
                      .convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                 : QImage::Format_RGB32)
                      .scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Without a profile of its own, the colours its gAMA and cHRM chunks describe, as Qt
    // parsed them (not the profile this reader ignored, which Qt may have parsed too).
    const QByteArray profile =
        !header.profile.isEmpty() || header.profileIgnored ? header.profile
        : picture.colorSpace().isValid() && picture.colorSpace() != QColorSpace::SRgb
            ? picture.colorSpace().iccProfile()
            : QByteArray();
    // Converted pictures are tagged sRGB; the others carry no tag: their numbers are taken
    // as sRGB, whatever profile Qt may have half understood.
    if (!convertToSrgb(picture, profile))
        picture.setColorSpace(QColorSpace());
    return picture;
}
