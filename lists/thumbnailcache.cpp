#include "lists/thumbnailcache.h"

#include "lists/thumbnails.h"
#include "pictures/pictures.h"
#include "pictures/wholeness.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cstdio>
#include <iterator>

namespace {
// The entry sizes of the standard, smallest first; an entry serves a thumbnail no larger than
// its size.
constexpr struct
{
    const char *folder;
    int edge;
} EntrySizes[] = {{"large", 256}, {"x-large", 512}, {"xx-large", 1024}};
// The largest entry the standard has; a bigger one is no thumbnail.
constexpr int LargestEntryEdge = std::end(EntrySizes)[-1].edge;
const QString FailureFolder = QStringLiteral("fail/quorvel-" QUORVEL_VERSION);

// What an entry must say of the file to be valid for it.
struct Stamp
{
    QByteArray uri;
    qint64 modified = 0; // seconds
    qint64 size = 0;
};

QImage readEntry(const QString &path, const Stamp &stamp)
{
    QFile file(path);
    // A cut-off entry is passed over before libpng would complain about it.
    if (!file.open(QIODevice::ReadOnly) || !pngReachesItsEnd(file) || !file.seek(0))
        return QImage();
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > LargestEntryEdge ||
        size.height() > LargestEntryEdge)
        return QImage();
    QImage entry = reader.read();
    const QString recordedSize = entry.text(QStringLiteral("Thumb::Size"));
    bool known = false;
    if (entry.isNull() || entry.text(QStringLiteral("Thumb::URI")).toUtf8() != stamp.uri ||
        entry.text(QStringLiteral("Thumb::MTime")).toLongLong(&known) != stamp.modified || !known ||
        (!recordedSize.isEmpty() && recordedSize.toLongLong() != stamp.size))
        return QImage();
    return entry;
}

// The shape of the picture an entry shows. Its own pixels decide; the picture's size it records
// (as the entry's maker saw it) only refines that where the two agree, as another program may
// record the stored size of a picture it shows turned.
QSize shapeOf(const QImage &entry)
{
    const QSize recorded(entry.text(QStringLiteral("Thumb::Image::Width")).toInt(),
                         entry.text(QStringLiteral("Thumb::Image::Height")).toInt());
    if (recorded.isEmpty())
        return entry.size();
    const QSize expected = thumbnailSize(recorded, std::max(entry.width(), entry.height()));
    const bool agrees = std::abs(expected.width() - entry.width()) <= 1 &&
                        std::abs(expected.height() - entry.height()) <= 1;
    return agrees ? recorded : entry.size();
}

// Makes a folder 700 unless it is there already: another program making it at the same
// moment is no failure.
bool makeFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    if (QDir().mkdir(folder))
        return QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    return QFileInfo(folder).isDir();
}

// Makes `folder` and every missing folder above it, each 700, as the desktop's own programs
// do (the cache's parent, ~/.cache, included).
bool makeFolders(const QString &folder)
{
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !QFileInfo(parent).isDir() && !makeFolders(parent))
        return false;
    return makeFolder(folder);
}

// Writes an entry as the standard asks: a temporary file in the same folder renamed into
// place, folders 700, files 600. Any failure leaves no entry and is not reported.
void writeEntry(const QString &folder, const QString &name, QImage entry, const Stamp &stamp,
                QSize viewed)
{
    if (!makeFolders(folder))
        return;
    entry.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(stamp.uri));
    entry.setText(QStringLiteral("Thumb::MTime"), QString::number(stamp.modified));
    entry.setText(QStringLiteral("Thumb::Size"), QString::number(stamp.size));
    entry.setText(QStringLiteral("Software"), QStringLiteral("Quorvel " QUORVEL_VERSION));
    if (viewed.isValid()) {
        entry.setText(QStringLiteral("Thumb::Image::Width"), QString::number(viewed.width()));
        entry.setText(QStringLiteral("Thumb::Image::Height"), QString::number(viewed.height()));
    }
    // A temporary file (made 600) renamed over the entry: readers see a whole entry or none.
    // Not synced to disk: a cache entry lost in a crash is only made again.
    QTemporaryFile file(folder + QStringLiteral("/.quorvel-XXXXXX.png"));
    if (!file.open())
        return;
    QImageWriter writer(&file, "png");
    // Quick to write: the entry is written while the listing goes on.
    writer.setCompression(1);
    if (writer.write(entry) && file.flush() &&
        std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(folder + QLatin1Char('/') + name).constData()) == 0)
        file.setAutoRemove(false);
}
} // namespace

ThumbnailCache::ThumbnailCache()
    : folder(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
             QStringLiteral("/thumbnails")),
      canonicalFolder(QFileInfo(folder).canonicalFilePath())
{}

QByteArray ThumbnailCache::uriOf(const QString &absolutePath)
{
    // As GLib's g_filename_to_uri makes it, byte for byte: every byte of the file name is
    // escaped but the unreserved characters, the sub-delimiters and ":@/".
    return QByteArrayLiteral("file://") +
           QFile::encodeName(absolutePath).toPercentEncoding(QByteArrayLiteral("!$&'()*+,=:@/"));
}

QString ThumbnailCache::entryNameOf(const QByteArray &uri)
{
    return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
           QStringLiteral(".png");
}

ThumbnailCache::Lookup ThumbnailCache::lookUp(const QString &path, int edge) const
{
    const QFileInfo info(path);
    // The desktop names entries by the path as it is, links not resolved.
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    // The cache's own files are never thumbnailed into it.
    if (!info.isFile() || folder.isEmpty() ||
        (!canonicalFolder.isEmpty() &&
         info.canonicalFilePath().startsWith(canonicalFolder + QLatin1Char('/'))))
        return {decodeThumbnail(path, edge), {}};
    // The list's thumbnail, from an entry or a fresh decode, in the picture's shape.
    auto fitted = [edge](const QImage &image, QSize viewed) {
        return image.scaled(thumbnailSize(viewed, edge), Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    };

    const Stamp stamp{uriOf(absolute), info.lastModified().toSecsSinceEpoch(), info.size()};
    const QString name = entryNameOf(stamp.uri);
    // Entries large enough for the thumbnail: a 2 x display wants x-large ones.
    for (const auto &size : EntrySizes) {
        if (size.edge < edge)
            continue;
        const QImage entry = readEntry(folder + QLatin1Char('/') + QLatin1String(size.folder) +
                                           QLatin1Char('/') + name,
                                       stamp);
        if (!entry.isNull())
            return {fitted(entry, shapeOf(entry)), {}};
    }
    const QString failures = folder + QLatin1Char('/') + FailureFolder;
    if (!readEntry(failures + QLatin1Char('/') + name, stamp).isNull())
        return {QImage(), {}};

    PictureFile picture(path);
    const QSize viewed = picture.size();
    // Written at the smallest entry size that serves this thumbnail.
    const auto *entrySize = std::find_if(std::begin(EntrySizes), std::end(EntrySizes) - 1,
                                         [edge](const auto &size) { return size.edge >= edge; });
    const QSize largeSize = std::max(viewed.width(), viewed.height()) > entrySize->edge
                                ? thumbnailSize(viewed, entrySize->edge)
                                : viewed;
    const QImage large = picture.isReadable() ? picture.read(largeSize) : QImage();
    if (large.isNull()) {
        // Only what the picture's content refuses is recorded: a file that could not be
        // opened (its permissions, the disk) may be mended without changing its stamp, and
        // memory may be there another time.
        if (!picture.isRefusedForItsContent())
            return {QImage(), {}};
        QImage failure(1, 1, QImage::Format_ARGB32);
        failure.fill(Qt::transparent);
        return {QImage(), [failures, name, failure, stamp] {
                    writeEntry(failures, name, failure, stamp, QSize());
                }};
    }
    const QString largeFolder = folder + QLatin1Char('/') + QLatin1String(entrySize->folder);
    return {fitted(large, viewed), [largeFolder, name, large, stamp, viewed] {
                writeEntry(largeFolder, name, large, stamp, viewed);
            }};
}
