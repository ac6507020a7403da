#include "app/quorvel.h"
#include "lists/thumbnailcache.h"
#include "lists/thumbnails.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QListWidget>
#include <QTest>
#include <sys/fsuid.h>

using namespace testsupport;

namespace {
QByteArray uriOf(const QString &file);
}

// Thumbnails shared with the desktop through its thumbnail cache, which points at the
// sandbox (XDG_CACHE_HOME) in every test.
class ThumbnailCacheTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void urisAreGLibs_data();
    void urisAreGLibs();
    void entryIsWrittenAndServesTheNextListing();
    void hostileEntriesAreIgnoredAndReplaced_data();
    void hostileEntriesAreIgnoredAndReplaced();
    void noEntryIsWritten_data();
    void noEntryIsWritten();
    void failuresWaitForTheFileToChange();
    void thumbnailsAtTheScreensPixelRatio();

private:
    std::unique_ptr<Sandbox> sandbox;
    Quorvel *dialog = nullptr;
    QString folder;
    QString picture;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
    QString root() const { return sandbox->path("cache") + "/thumbnails"; }
    // Lists the folder and waits for its thumbnails and the cache entries they taught.
    void list(const QString &path)
    {
        dialog->fillImageList(path, input());
        QVERIFY(waitForThumbnails(input()));
        ThumbnailLoader::waitForDecodesInFlight();
    }
    QString entryFor(const QString &file, const char *kind = "large") const
    {
        return root() + "/" + kind + "/" +
               QCryptographicHash::hash(uriOf(file), QCryptographicHash::Md5).toHex() + ".png";
    }
    // The colour in the middle of a row's icon; 0 where it shows no picture.
    QRgb iconColour(int row)
    {
        const QImage icon = input()->item(row)->icon().pixmap(200, 200).toImage();
        const QRgb middle = icon.isNull() ? 0 : icon.pixel(icon.width() / 2, icon.height() / 2);
        return qAlpha(middle) == 0 ? 0 : middle | 0xFF000000u;
    }
};

namespace {
// File names as GLib's g_filename_to_uri escapes them (made with GLib 2.74): space, ";", "[",
// "]", "#", "?" and "%" escaped, the sub-delimiters "!$&'()*+,=" and ":@" kept.
const struct
{
    const char *name;
    const char *escaped;
} GLibNames[] = {
    {"IMG_1 [edit];v2.jpg", "IMG_1%20%5Bedit%5D%3Bv2.jpg"},
    {"IMG_1 [edit];v2.png", "IMG_1%20%5Bedit%5D%3Bv2.png"},
    {"été 100% #1?.png", "%C3%A9t%C3%A9%20100%25%20%231%3F.png"},
    {"a&b=c,d+e!$'()*.tif", "a&b=c,d+e!$'()*.tif"},
    {"x:y@z~_-.jpg", "x:y@z~_-.jpg"},
    {"tab\there.jpg", "tab%09here.jpg"},
    {"ünï cödé.jpeg", "%C3%BCn%C3%AF%20c%C3%B6d%C3%A9.jpeg"},
};

// The URI the desktop gives a file: its folder as it is (the sandbox's folders need no
// escaping), its name as GLib escapes it.
QByteArray uriOf(const QString &file)
{
    const QFileInfo info(file);
    QByteArray name = info.fileName().toUtf8();
    for (const auto &known : GLibNames)
        if (info.fileName() == QString::fromUtf8(known.name))
            name = known.escaped;
    return "file://" + QDir::cleanPath(info.absolutePath()).toUtf8() + "/" + name;
}

qint64 modifiedSeconds(const QString &file)
{
    return QFileInfo(file).lastModified().toSecsSinceEpoch();
}

// Rewrites a file's bytes in place, keeping its size and modification time, so that only a
// fresh decode could tell.
void replaceKeepingStamp(const QString &file, const QByteArray &bytes)
{
    const QDateTime modified = QFileInfo(file).lastModified();
    QFile out(file);
    QVERIFY(out.open(QIODevice::ReadWrite));
    QCOMPARE(out.size(), bytes.size());
    out.write(bytes);
    QVERIFY(out.flush()); // a later flush would stamp the file anew
    QVERIFY(out.setFileTime(modified, QFileDevice::FileModificationTime));
}

void touchLater(const QString &file)
{
    QFile out(file);
    QVERIFY(out.open(QIODevice::ReadWrite));
    QVERIFY(out.setFileTime(QFileInfo(file).lastModified().addSecs(10),
                            QFileDevice::FileModificationTime));
}

QByteArray readAll(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// Writes an entry as desktop programs do: PNG text chunks keyed "Thumb::URI" and so on.
void writeEntry(const QString &path, QImage image, const QMap<QString, QString> &keys)
{
    QDir().mkpath(QFileInfo(path).path());
    for (auto key = keys.begin(); key != keys.end(); ++key)
        image.setText(key.key(), key.value());
    QVERIFY(QImageWriter(path, "png").write(image));
}
} // namespace

void ThumbnailCacheTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void ThumbnailCacheTest::init()
{
    QDir(sandbox->path("cache")).removeRecursively();
    folder = sandbox->makeFolder("photos");
    // A name whose URI other programs escape differently from QUrl.
    picture = writePicture(folder + "/IMG_1 [edit];v2.png", solidPicture({600, 300}, Qt::blue));
    dialog = new Quorvel;
}

void ThumbnailCacheTest::cleanup()
{
    delete dialog;
}

void ThumbnailCacheTest::urisAreGLibs_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("uri");
    for (const char *folder : {"/srv/photos/", "/home/op/Pictures/shoot 2026/"}) {
        const QByteArray escapedFolder = QByteArray(folder).replace(" ", "%20");
        for (const auto &known : GLibNames) {
            const QString name = QString::fromUtf8(known.name);
            QTest::newRow(qPrintable(folder + name))
                << QString(folder + name) << QByteArray("file://" + escapedFolder + known.escaped);
        }
    }
}

void ThumbnailCacheTest::urisAreGLibs()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, uri);
    QCOMPARE(ThumbnailCache::uriOf(path), uri);
}

void ThumbnailCacheTest::entryIsWrittenAndServesTheNextListing()
{
    list(folder);
    const QString entry = entryFor(picture);
    QImageReader reader(entry);
    const QImage written = reader.read();
    QCOMPARE(written.size(), QSize(256, 128));
    QCOMPARE(written.text("Thumb::URI").toUtf8(), uriOf(picture));
    QCOMPARE(written.text("Thumb::MTime").toLongLong(), modifiedSeconds(picture));
    QCOMPARE(written.text("Thumb::Size").toLongLong(), QFileInfo(picture).size());
    QVERIFY(written.text("Software").startsWith("Quorvel "));
    // 600 and 700: the owner's alone (group and others have no bits), the cache's parent
    // (~/.cache) made too.
    const auto ownerReadWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto groupAndOthers = QFileDevice::Permissions(0x00FF);
    QCOMPARE(QFileInfo(entry).permissions() &
                 (groupAndOthers | QFileDevice::ExeOwner | ownerReadWrite),
             ownerReadWrite);
    for (const QString &made : {sandbox->path("cache"), root(), root() + "/large"})
        QCOMPARE(QFileInfo(made).permissions() &
                     (groupAndOthers | ownerReadWrite | QFileDevice::ExeOwner),
                 ownerReadWrite | QFileDevice::ExeOwner);
    QVERIFY(QDir(root() + "/large").entryList(QDir::Files | QDir::Hidden).size() == 1);

    // Reached through a symbolic link, the file has the entry of the link's path, as the
    // file manager showing that folder names it.
    const QString linked = sandbox->path("linked");
    QFile::remove(linked);
    QVERIFY(QFile::link(folder, linked));
    list(linked);
    QVERIFY(QFile::exists(entryFor(linked + "/" + QFileInfo(picture).fileName())));

    // Undecodable now, yet listed with its picture: the entry served, not the file.
    replaceKeepingStamp(picture, QByteArray(readAll(picture).size(), 'x'));
    list(folder);
    QCOMPARE(iconColour(0), qRgb(0, 0, 255));

    // Another program's entry recording the picture's stored, unturned size: the entry's own
    // pixels give the shape.
    QImage entryImage(entry);
    entryImage.setText("Thumb::Image::Width", "300");
    entryImage.setText("Thumb::Image::Height", "600");
    QVERIFY(entryImage.save(entry));
    list(folder);
    QCOMPARE(opaqueIconArea(input()->item(0)).size(), QSize(200, 100));
}

void ThumbnailCacheTest::hostileEntriesAreIgnoredAndReplaced_data()
{
    QTest::addColumn<QString>("key"); // an entry key given `value`; removed when empty
    QTest::addColumn<QString>("value");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("damage"); // what happens to the written entry's bytes
    const QSize large(256, 128);
    QTest::newRow("garbage") << ""
                             << "" << large << "garbage";
    QTest::newRow("cut off") << ""
                             << "" << large << "cut off";
    QTest::newRow("another file's") << "Thumb::URI"
                                    << "file:///somewhere/else.png" << large << "";
    QTest::newRow("absurd size") << ""
                                 << "" << QSize(4000, 2000) << "";
    QTest::newRow("other file size") << "Thumb::Size"
                                     << "12" << large << "";
    QTest::newRow("no modification time") << "Thumb::MTime"
                                          << "" << large << "";
    QTest::newRow("stale: the file changed since") << "Thumb::MTime"
                                                   << "older" << large << "";
}

void ThumbnailCacheTest::hostileEntriesAreIgnoredAndReplaced()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QSize, size);
    QFETCH(QString, damage);
    const QString entry = entryFor(picture);
    const QString uri = QString::fromUtf8(uriOf(picture));
    QMap<QString, QString> keys{{"Thumb::URI", uri},
                                {"Thumb::MTime", QString::number(modifiedSeconds(picture))},
                                {"Thumb::Size", QString::number(QFileInfo(picture).size())}};
    if (value == "older")
        value = QString::number(modifiedSeconds(picture) - 10);
    if (!key.isEmpty() && value.isEmpty())
        keys.remove(key);
    else if (!key.isEmpty())
        keys[key] = value;
    writeEntry(entry, solidPicture(size, Qt::green), keys);
    const QByteArray written = readAll(entry);
    if (!damage.isEmpty()) {
        QFile out(entry);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(damage == "garbage" ? QByteArray(5000, '\x89')
                                      : written.left(written.size() / 2));
    }
    list(folder);
    QCOMPARE(iconColour(0), qRgb(0, 0, 255));
    const QImage replaced(entry);
    QCOMPARE(replaced.size(), QSize(256, 128));
    QCOMPARE(replaced.text("Thumb::URI"), uri);
    QCOMPARE(replaced.text("Thumb::MTime").toLongLong(), modifiedSeconds(picture));
    QCOMPARE(replaced.pixel(128, 64), qRgb(0, 0, 255));
}

void ThumbnailCacheTest::noEntryIsWritten_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cache folder is a file") << "file";
    QTest::newRow("read-only cache folder") << "read-only";
    QTest::newRow("the cache's own folder listed") << "own folder";
}

// Listing still works, with every thumbnail, and the cache is left as it was.
void ThumbnailCacheTest::noEntryIsWritten()
{
    QFETCH(QString, how);
    std::unique_ptr<ScratchMount> mount;
    QString listed = folder;
    QString unwritten = entryFor(picture);
    if (how == "file") {
        QDir().mkpath(sandbox->path("cache"));
        QFile blocker(root());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else if (how == "read-only") {
        mount = std::make_unique<ScratchMount>(root(), "1M");
        QUORVEL_NEED_MOUNT(*mount);
        QVERIFY(mount->makeReadOnly());
    } else {
        list(folder);
        listed = root() + "/large";
        unwritten = entryFor(entryFor(picture));
    }
    const QStringList before = QDir(root() + "/large").entryList(QDir::Files);
    list(listed);
    QCOMPARE(input()->count(), 1);
    QVERIFY(!input()->item(0)->icon().isNull());
    QVERIFY(!QFile::exists(unwritten));
    QCOMPARE(QDir(root() + "/large").entryList(QDir::Files), before);
    QVERIFY(!QDir(root() + "/fail").exists());
}

void ThumbnailCacheTest::failuresWaitForTheFileToChange()
{
    const QString broken = writePicture(folder + "/broken.jpg", solidPicture({300, 200}, Qt::red));
    const QByteArray whole = readAll(broken);
    QByteArray spoilt = whole;
    spoilt[0] = 'x'; // no longer starts like a JPEG
    replaceKeepingStamp(broken, spoilt);
    list(folder);
    QCOMPARE(input()->item(0)->text(), "IMG_1 [edit];v2.png");
    QCOMPARE(iconColour(1), QRgb(0));
    const QImage failure(entryFor(broken, "fail/quorvel-" QUORVEL_VERSION));
    QCOMPARE(failure.size(), QSize(1, 1));
    QCOMPARE(failure.text("Thumb::MTime").toLongLong(), modifiedSeconds(broken));

    // Mended behind the cache's back: the failure stands while the file looks the same...
    replaceKeepingStamp(broken, whole);
    list(folder);
    QCOMPARE(iconColour(1), QRgb(0));
    // ...and is retried once it changes.
    touchLater(broken);
    list(folder);
    const QRgb retried = iconColour(1);
    QVERIFY(qRed(retried) > 240 && qGreen(retried) < 16 && qBlue(retried) < 16);
    QVERIFY(QFile::exists(entryFor(broken)));

    // A file that cannot be opened records no failure: mending its permissions leaves its
    // stamp as it was. Root reads whatever the permissions say, so it is looked up as nobody.
    const QString locked = writePicture(folder + "/locked.png", solidPicture({30, 20}, Qt::red));
    QVERIFY(QFile::setPermissions(locked, {}));
    const auto searchable = QFileDevice::Permissions(0x7755); // rwxr-xr-x
    QVERIFY(QFile::setPermissions(sandbox->path(), searchable));
    QVERIFY(QFile::setPermissions(folder, searchable));
    const int previous = setfsuid(65534);
    const ThumbnailCache::Lookup lookup = ThumbnailCache().lookUp(locked, 200);
    setfsuid(uid_t(previous));
    QVERIFY(lookup.thumbnail.isNull());
    QVERIFY(!lookup.store);

    // Nor does a picture that memory was short for (here Qt's allocation limit, which the
    // 1250 x 937 decode for an x-large entry exceeds): it reads once there is memory.
    const QString large = writePicture(folder + "/large.jpg", solidPicture({2000, 1500}, Qt::red));
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    const ThumbnailCache::Lookup starved = ThumbnailCache().lookUp(large, 1024);
    QImageReader::setAllocationLimit(limit);
    QVERIFY(starved.thumbnail.isNull());
    QVERIFY(!starved.store);
    QVERIFY(!ThumbnailCache().lookUp(large, 1024).thumbnail.isNull());
}

// On a 2 x display (run again under QT_SCALE_FACTOR=2) thumbnails are made at 400 device
// pixels, from and into x-large entries, and shown at 200 pixels: sharp, not stretched.
void ThumbnailCacheTest::thumbnailsAtTheScreensPixelRatio()
{
    const qreal ratio = dialog->devicePixelRatioF();
    // Run again under QT_SCALE_FACTOR=2, which must take effect, or this repeats the 1 x case.
    QCOMPARE(ratio, qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                        ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                        : 1.0);
    list(folder);
    const bool doubled = ratio >= 2;
    const QImage entry(entryFor(picture, doubled ? "x-large" : "large"));
    QCOMPARE(entry.size(), doubled ? QSize(512, 256) : QSize(256, 128));
    QVERIFY(!QFile::exists(entryFor(picture, doubled ? "large" : "x-large")));
    // The 200 x 100 thumbnail in device pixels, across the middle of the square icon.
    const QPixmap shown = input()->item(0)->icon().pixmap(QSize(200, 200), ratio);
    QCOMPARE(shown.size(), QSize(200, 200) * ratio);
    QCOMPARE(shown.deviceIndependentSize(), QSizeF(200, 200));
    const QImage pixels = shown.toImage();
    QRect opaque;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (qAlpha(pixels.pixel(x, y)) == 255)
                opaque |= QRect(x, y, 1, 1);
    QCOMPARE(opaque, QRect(QPoint(0, 50) * ratio, QSize(200, 100) * ratio));
}

QTEST_MAIN(ThumbnailCacheTest)
#include "tst_thumbnailcache.moc"
