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
#include <QUrl>
#include <cstdio>

namespace {
constexpr int LargeEdge = 256;
// The largest entry the standard has (xx-large); a bigger one is no thumbnail.
constexpr int LargestEntryEdge = 1024;
const char *const EntryFolders[] = {"large", "x-large", "xx-large"};
const QString FailureFolder = QStringLiteral("fail/quorvel-" QUORVEL_VERSION);

// What an entry must say of the file to be valid for it.
struct Stamp
{
    QByteArray uri;
    qint64 modified = 0; // seconds
    qint64 size = 0;
};

QImage readEntry(const QString &path, const Stamp &stamp, QSize *viewed)
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
    const QSize original(entry.text(QStringLiteral("Thumb::Image::Width")).toInt(),
                         entry.text(QStringLiteral("Thumb::Image::Height")).toInt());
    *viewed = original.isValid() && !original.isEmpty() ? original : entry.size();
    return entry;
}

// Makes `folder` and the folders between it and the cache's root (the thumbnails folder
// itself included) that are missing, each 700.
bool makeFolders(const QString &root, const QString &folder)
{
    if (!QDir().mkpath(QFileInfo(root).path()))
        return false;
    QString made = root;
    const QStringList below = QDir(root).relativeFilePath(folder).split(QLatin1Char('/'));
    for (int step = -1; step < below.size(); ++step) {
        if (step >= 0)
            made += QLatin1Char('/') + below[step];
        if (QFileInfo(made).isDir())
            continue;
        if (!QDir().mkdir(made) ||
            !QFile::setPermissions(made, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner))
            return false;
    }
    return true;
}

// Writes an entry as the standard asks: a temporary file in the same folder renamed into
// place, folders 700, files 600. Any failure leaves no entry and is not reported.
void writeEntry(const QString &root, const QString &folder, const QString &name, QImage entry,
                const Stamp &stamp, QSize viewed)
{
    if (!makeFolders(root, folder))
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

QByteArray ThumbnailCache::uriOf(const QString &canonicalPath)
{
    return QUrl::fromLocalFile(canonicalPath).toEncoded(QUrl::FullyEncoded);
}

QString ThumbnailCache::entryNameOf(const QByteArray &uri)
{
    return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
           QStringLiteral(".png");
}

ThumbnailCache::Lookup ThumbnailCache::lookUp(const QString &path, int edge) const
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    // The cache's own files are never thumbnailed into it.
    if (canonical.isEmpty() || folder.isEmpty() ||
        (!canonicalFolder.isEmpty() && canonical.startsWith(canonicalFolder + QLatin1Char('/'))))
        return {decodeThumbnail(path, edge), {}};
    // The list's thumbnail, from an entry or a fresh decode, sized as the picture is viewed.
    auto fitted = [edge](const QImage &image, QSize viewed) {
        return image.scaled(thumbnailSize(viewed, edge), Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    };

    const Stamp stamp{uriOf(canonical), info.lastModified().toSecsSinceEpoch(), info.size()};
    const QString name = entryNameOf(stamp.uri);
    for (const char *entryFolder : EntryFolders) {
        QSize viewed;
        const QImage entry = readEntry(folder + QLatin1Char('/') + QLatin1String(entryFolder) +
                                           QLatin1Char('/') + name,
                                       stamp, &viewed);
        if (!entry.isNull())
            return {fitted(entry, viewed), {}};
    }
    const QString failures = folder + QLatin1Char('/') + FailureFolder;
    QSize unused;
    if (!readEntry(failures + QLatin1Char('/') + name, stamp, &unused).isNull())
        return {QImage(), {}};

    PictureFile picture(path);
    const QSize viewed = picture.size();
    const QSize largeSize = std::max(viewed.width(), viewed.height()) > LargeEdge
                                ? thumbnailSize(viewed, LargeEdge)
                                : viewed;
    const QImage large = picture.isReadable() ? picture.read(largeSize) : QImage();
    if (large.isNull()) {
        QImage failure(1, 1, QImage::Format_ARGB32);
        failure.fill(Qt::transparent);
        return {QImage(), [root = folder, failures, name, failure, stamp] {
                    writeEntry(root, failures, name, failure, stamp, QSize());
                }};
    }
    const QString largeFolder = folder + QStringLiteral("/large");
    return {fitted(large, viewed), [root = folder, largeFolder, name, large, stamp, viewed] {
                writeEntry(root, largeFolder, name, large, stamp, viewed);
            }};
}
