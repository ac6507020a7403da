#include "app/quorvel.h"
#include "lists/thumbnails.h"
#include "pictures/pictures.h"
#include "testsupport.h"

#include <QBuffer>
#include <QComboBox>
#include <QHash>
#include <QImageWriter>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <sys/resource.h>
#include <tiffio.h>
#include <vector>

using namespace testsupport;

// What operators' folders hold besides good pictures: empty, cut-off, lying and disguised
// files, odd names and extreme shapes. Nothing may crash, hang or take unbounded memory, and
// nothing unreadable may pass unnoticed.
class HostileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void readersRefuseWhatTheyCannotRead_data();
    void readersRefuseWhatTheyCannotRead();
    void thumbnailsOfExtremeShapes_data();
    void thumbnailsOfExtremeShapes();
    void wholeWorkflowOverTheCorpus();
    void junkSettingsStartNormally_data();
    void junkSettingsStartNormally();
    void unreadableSettingsFile();
    void profilesAreBoundedAndNotHeld();
    void memoryStaysBounded();

private:
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<ModalGuard> guard;
    QString corpus;
    QStringList readable;             // names that hold a picture
    QStringList unreadable;           // names that do not
    QHash<QString, QString> refusals; // name -> the words its refusal must contain
    QStringList sizeTold;             // names whose header tells a size, picture or not
    Quorvel *dialog = nullptr;
    QListWidget *input() { return dialog->findChild<QListWidget *>("lstPrintFiles"); }
};

namespace {
// Far below what any of the bombs would take if decoded (a 20000 x 20000 picture alone is
// 1.6 GB); AddressSanitizer's shadow memory and quarantine triple what a run touches.
#if defined(__SANITIZE_ADDRESS__)
constexpr long MemoryBoundMb = 750;
#else
constexpr long MemoryBoundMb = 250;
#endif

QByteArray encoded(const QImage &picture, const char *format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(picture);
    return buffer.data();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
}

void putBigEndian(QByteArray &bytes, qsizetype at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * (size - 1 - i))) & 0xff);
}

// A JPEG whose frame header claims another size than its data holds.
QByteArray jpegClaiming(QSize claimed)
{
    QByteArray jpeg = encoded(solidPicture({64, 48}, Qt::red), "jpeg");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    putBigEndian(jpeg, frame + 5, quint32(claimed.height()), 2);
    putBigEndian(jpeg, frame + 7, quint32(claimed.width()), 2);
    return jpeg;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffff;
    for (char byte : bytes) {
        crc ^= uchar(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// A PNG whose header claims another size, with a correct checksum so that it is believed.
QByteArray pngClaiming(QSize claimed)
{
    QByteArray png = encoded(solidPicture({64, 48}, Qt::red), "png");
    putBigEndian(png, 16, quint32(claimed.width()), 4);
    putBigEndian(png, 20, quint32(claimed.height()), 4);
    putBigEndian(png, 29, crc32(png.mid(12, 17)), 4);
    return png;
}

// A little-endian TIFF with some tags of its first directory set to other values (stored as
// LONG, which every one of them may be).
QByteArray withTiffTags(QByteArray tiff, const QHash<quint32, quint32> &values)
{
    auto read = [&](qsizetype at, int size) {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | uchar(tiff[at + i]);
        return value;
    };
    auto write = [&](qsizetype at, quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            tiff[at + i] = char((value >> (8 * i)) & 0xff);
    };
    const quint32 directory = read(4, 4);
    const quint32 entries = read(directory, 2);
    for (quint32 i = 0; i < entries; ++i) {
        const qsizetype entry = directory + 2 + 12 * i;
        const quint32 tag = read(entry, 2);
        if (!values.contains(tag))
            continue;
        write(entry + 2, 4, 2); // LONG
        write(entry + 4, 1, 4); // one value, held in the entry
        write(entry + 8, values[tag], 4);
    }
    return tiff;
}

// A TIFF whose image width and length tags claim another size.
QByteArray tiffClaiming(QSize claimed)
{
    return withTiffTags(encoded(solidPicture({64, 48}, Qt::red), "tiff"),
                        {{256, quint32(claimed.width())}, {257, quint32(claimed.height())}});
}

// TIFF layouts libtiff writes and Qt does not.
enum class TiffKind {
    TiledCmyk,  // one tile the picture's size, CMYK without ink
    LzwRgb,     // LZW-compressed strips of 16 rows
    LzwPalette, // the same with palette indices, read through libtiff's RGBA interface
};

QByteArray tiffThroughLibtiff(const QString &scratch, const QImage &picture, TiffKind kind)
{
    TIFF *tiff = TIFFOpen(QFile::encodeName(scratch).constData(), "w");
    const int width = picture.width(), height = picture.height();
    const int samples = kind == TiffKind::TiledCmyk ? 4 : kind == TiffKind::LzwRgb ? 3 : 1;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
    std::vector<uint16_t> map(256);
    for (int i = 0; i < 256; ++i)
        map[size_t(i)] = uint16_t(i * 257);
    switch (kind) {
    case TiffKind::TiledCmyk:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_SEPARATED);
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, uint32_t(width));
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, uint32_t(height));
        break;
    case TiffKind::LzwRgb:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        break;
    case TiffKind::LzwPalette:
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
        break;
    }
    if (kind != TiffKind::TiledCmyk) {
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16u);
    }
    std::vector<uchar> rows(size_t(width) * height * samples);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            uchar *out = &rows[(size_t(y) * width + x) * samples];
            out[0] = uchar(kind == TiffKind::LzwPalette ? qGray(pixel) : qRed(pixel));
            if (samples >= 3) {
                out[1] = uchar(qGreen(pixel));
                out[2] = uchar(qBlue(pixel));
            }
            if (samples == 4)
                out[3] = 0;
        }
    if (kind == TiffKind::TiledCmyk) {
        TIFFWriteTile(tiff, rows.data(), 0, 0, 0, 0);
    } else {
        for (int y = 0; y < height; ++y)
            TIFFWriteScanline(tiff, &rows[size_t(y) * width * samples], uint32_t(y), 0);
    }
    TIFFClose(tiff);
    QFile file(scratch);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// An uncompressed RGB TIFF with its directory right after the header and its strips of
// eight rows after that, as scanners and many editors write it.
QByteArray tiffWithLeadingDirectory(const QImage &picture)
{
    const int width = picture.width(), height = picture.height(), rowsPerStrip = 8;
    const int strips = (height + rowsPerStrip - 1) / rowsPerStrip;
    QByteArray tiff("II*\0", 4);
    auto put = [&](quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            tiff.append(char((value >> (8 * i)) & 0xff));
    };
    const quint32 entries = 9;
    const quint32 bitsAt = 8 + 2 + 12 * entries + 4;
    const quint32 offsetsAt = bitsAt + 6;
    const quint32 countsAt = offsetsAt + 4 * strips;
    const quint32 dataAt = countsAt + 4 * strips;
    put(8, 4);
    put(entries, 2);
    auto entry = [&](quint32 tag, quint32 type, quint32 count, quint32 value) {
        put(tag, 2);
        put(type, 2);
        put(count, 4);
        put(value, 4);
    };
    entry(256, 4, 1, quint32(width));
    entry(257, 4, 1, quint32(height));
    entry(258, 3, 3, bitsAt);
    entry(259, 3, 1, 1);
    entry(262, 3, 1, 2);
    entry(273, 4, quint32(strips), offsetsAt);
    entry(277, 3, 1, 3);
    entry(278, 4, 1, quint32(rowsPerStrip));
    entry(279, 4, quint32(strips), countsAt);
    put(0, 4);
    for (int i = 0; i < 3; ++i)
        put(8, 2);
    for (int strip = 0; strip < strips; ++strip)
        put(dataAt + quint32(strip * rowsPerStrip * width * 3), 4);
    for (int strip = 0; strip < strips; ++strip)
        put(quint32(std::min(rowsPerStrip, height - strip * rowsPerStrip) * width * 3), 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            tiff.append(char(qRed(pixel))).append(char(qGreen(pixel))).append(char(qBlue(pixel)));
        }
    return tiff;
}

// A JPEG that says, in its EXIF data, that it is to be shown turned a quarter turn.
QByteArray jpegWithOrientation6(const QImage &picture)
{
    QByteArray exif("Exif\0\0", 6);
    exif += QByteArray("II*\0\x08\0\0\0", 8);                     // TIFF header, first IFD at 8
    exif += QByteArray("\x01\0", 2);                              // one entry
    exif += QByteArray("\x12\x01\x03\0\x01\0\0\0\x06\0\0\0", 12); // orientation, SHORT, 6
    exif += QByteArray(4, '\0');                                  // no next IFD
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(((exif.size() + 2) >> 8) & 0xff));
    segment.append(char((exif.size() + 2) & 0xff));
    QByteArray jpeg = encoded(picture, "jpeg");
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

// A PNG carrying `profile` in an iCCP chunk, placed right after its header.
QByteArray pngWithProfile(const QImage &picture, const QByteArray &profile)
{
    QByteArray png = encoded(picture, "png");
    // qCompress puts the length before the zlib stream.
    const QByteArray body = QByteArray("hostile\0\0", 9) + qCompress(profile).mid(4);
    QByteArray chunk(4, '\0');
    putBigEndian(chunk, 0, quint32(body.size()), 4);
    chunk += "iCCP" + body;
    QByteArray crc(4, '\0');
    putBigEndian(crc, 0, crc32(chunk.mid(4)), 4);
    png.insert(33, chunk + crc);
    return png;
}

long residentMemoryMb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    }
    return -1;
}

long peakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}
} // namespace

void HostileTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
    corpus = sandbox->makeFolder("hostile");
    const QImage good = solidPicture({600, 300}, Qt::darkGreen);
    const auto keep = [&](const QString &name, const QByteArray &bytes, bool isPicture) {
        writeBytes(corpus + "/" + name, bytes);
        (isPicture ? readable : unreadable) << name;
        if (isPicture)
            sizeTold << name;
    };
    const auto refuse = [&](const QString &name, const QByteArray &bytes, const QString &why) {
        keep(name, bytes, false);
        refusals[name] = why;
    };
    const QString notAPicture = "not a JPEG, PNG, TIFF or TGA picture";
    for (const char *suffix : {"jpg", "png", "tif", "tga"})
        refuse(QString("empty.%1").arg(suffix), QByteArray(), notAPicture);
    for (const char *format : {"jpeg", "png"}) {
        const QByteArray whole = encoded(photoLikePicture({400, 300}, 5), format);
        const QString name = QString("cut.%1").arg(format == QByteArray("jpeg") ? "jpg" : format);
        refuse(name, whole.left(whole.size() / 2), "cut off before its end");
        // The summary reads the header alone, which outlives the cut.
        sizeTold << name;
    }
    // Qt writes the directory at the end: cut, the header is gone.
    const QByteArray tiff = encoded(photoLikePicture({400, 300}, 5), "tiff");
    refuse("cut.tiff", tiff.left(tiff.size() / 2), "cut off before its end");
    // The directory at the start: cut, the header stands and the strips are missing.
    const QByteArray leading = tiffWithLeadingDirectory(photoLikePicture({120, 100}, 6));
    keep("leading directory.tif", leading, true);
    refuse("leading directory cut at 40 %.tif", leading.left(leading.size() * 4 / 10),
           "cut off before its end");
    sizeTold << "leading directory cut at 40 %.tif";
    // A stretch of codes no LZW table can hold, in the middle of the strips: read sample by
    // sample, and through libtiff's RGBA interface.
    for (const auto &[name, kind] : {std::pair{QString("lzw"), TiffKind::LzwRgb},
                                     std::pair{QString("lzw palette"), TiffKind::LzwPalette}}) {
        QByteArray lzw =
            tiffThroughLibtiff(sandbox->path("scratch.tif"), photoLikePicture({200, 160}, 8), kind);
        keep(name + ".tif", lzw, true);
        lzw.replace(lzw.size() / 2, 64, QByteArray(64, '\xFF'));
        refuse(name + " with corrupt data.tif", lzw, "code not yet in table");
        sizeTold << name + " with corrupt data.tif";
    }
    // A small tiled CMYK picture whose tiles claim 2^30 rows (a 64 GB tile).
    const QByteArray tiled = tiffThroughLibtiff(
        sandbox->path("scratch.tif"), solidPicture({64, 64}, Qt::cyan), TiffKind::TiledCmyk);
    keep("tiled cmyk.tif", tiled, true);
    refuse("tiles of a billion rows.tif", withTiffTags(tiled, {{323, 1u << 30}}),
           "larger than its picture");
    sizeTold << "tiles of a billion rows.tif";
    refuse("samples without end.tif", withTiffTags(tiled, {{277, 60000}, {258, 8}}),
           "60000 samples a pixel");
    sizeTold << "samples without end.tif";
    refuse("bomb.jpg", jpegClaiming({20000, 20000}),
           "20000 x 20000 pixels is beyond the limits of 20000 pixels a side and 100 megapixels");
    refuse("bomb.png", pngClaiming({20000, 20000}), "20000 x 20000 pixels is beyond the limits");
    refuse("bomb.tif", tiffClaiming({60000, 60000}), "60000 x 60000 pixels is beyond the limits");
    refuse("icns.jpg", encoded(good, "icns"), notAPicture);
    refuse("webp.jpg", encoded(good, "webp"), notAPicture);
    refuse("bmp.jpg", encoded(good, "bmp"), notAPicture);
    TgaLayout plain;
    keep("no footer.tga", encodeTga(good, plain), true);
    TgaLayout rle;
    rle.type = 10;
    rle.footer = true;
    keep("rle.tga", encodeTga(good, rle), true);
    keep("exif6.jpg", jpegWithOrientation6(solidPicture({600, 300}, Qt::blue)), true);
    keep("with spaces and été.png", encoded(good, "png"), true);
    keep("<draft>.jpg", encoded(good, "jpeg"), true);
    keep("wider than the sheet.png", encoded(solidPicture({3000, 500}, Qt::gray), "png"), true);
    keep("dot.png", encoded(solidPicture({1, 1}, Qt::red), "png"), true);
    // Data after the picture's end: a phone's motion photo (a video, with end markers in it by
    // chance) and a stray newline.
    QByteArray video(300 * 1024, '\0');
    for (qsizetype at = 0; at < video.size(); ++at)
        video[at] = at % 1013 == 0 ? '\xFF' : at % 1013 == 1 ? '\xD9' : char(at * 7919 % 251);
    keep("motion photo.jpg", encoded(photoLikePicture({400, 300}, 6), "jpeg") + video, true);
    keep("dot and newline.png", encoded(solidPicture({1, 1}, Qt::red), "png") + "\n", true);
    // Named for TGA, holding another listed format: the content decides.
    keep("jpeg named.tga", encoded(good, "jpeg"), true);
    keep("png named.tga", encoded(good, "png"), true);
    keep("tiff named.tga", encoded(good, "tiff"), true);
    keep("strip across.png", encoded(solidPicture({10000, 1}, Qt::red), "png"), true);
    keep("strip down.png", encoded(solidPicture({1, 10000}, Qt::red), "png"), true);
    QDir(corpus).mkdir("folder.jpg");
}

void HostileTest::init()
{
    sandbox->clearSettings();
    guard = std::make_unique<ModalGuard>();
}

void HostileTest::cleanup()
{
    delete dialog;
    dialog = nullptr;
    QCOMPARE(guard->closed(), QStringList());
    guard.reset();
}

void HostileTest::readersRefuseWhatTheyCannotRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("picture");
    for (const QString &name : std::as_const(readable))
        QTest::newRow(qPrintable(name)) << name << true;
    for (const QString &name : std::as_const(unreadable))
        QTest::newRow(qPrintable(name)) << name << false;
}

void HostileTest::readersRefuseWhatTheyCannotRead()
{
    QFETCH(QString, name);
    QFETCH(bool, picture);
    const QString path = corpus + "/" + name;
    QString why;
    const QImage whole = readPicture(path, &why);
    QCOMPARE(!whole.isNull(), picture);
    QCOMPARE(why.isEmpty(), picture);
    QCOMPARE(viewedPictureSize(path).isValid(), sizeTold.contains(name));
    QCOMPARE(!decodeThumbnail(path, 200).isNull(), picture);
    // Every refusal names its cause.
    QCOMPARE(refusals.contains(name), !picture);
    QVERIFY2(why.contains(refusals.value(name)), qPrintable(why));
    // Turned as its EXIF orientation says.
    if (name == "exif6.jpg")
        QCOMPARE(whole.size(), QSize(300, 600));
}

void HostileTest::thumbnailsOfExtremeShapes_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSize>("thumbnail");
    QTest::newRow("4000 x 10") << QSize(4000, 10) << QSize(200, 1);
    QTest::newRow("10 x 4000") << QSize(10, 4000) << QSize(1, 200);
    QTest::newRow("10000 x 1") << QSize(10000, 1) << QSize(200, 1);
    QTest::newRow("1 x 1") << QSize(1, 1) << QSize(200, 200);
}

void HostileTest::thumbnailsOfExtremeShapes()
{
    QFETCH(QSize, stored);
    QFETCH(QSize, thumbnail);
    QCOMPARE(thumbnailSize(stored, 200), thumbnail);
    const QString path = writePicture(sandbox->path("shape.png"), solidPicture(stored, Qt::red));
    QCOMPARE(decodeThumbnail(path, 200).size(), thumbnail);
}

void HostileTest::wholeWorkflowOverTheCorpus()
{
    const QString destination = sandbox->makeFolder("hostile-sheets");
    dialog = new Quorvel;
    dialog->show();
    dialog->findChild<QLineEdit *>("lineSourcePath")->setText(corpus);
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(destination);
    dialog->fillImageList(corpus, input());

    // Listed: every file, the folder named like a picture not; icons only for pictures.
    QCOMPARE(input()->count(), readable.size() + unreadable.size());
    QVERIFY(waitForThumbnails(input()));
    for (int row = 0; row < input()->count(); ++row) {
        QListWidgetItem *item = input()->item(row);
        QVERIFY2(showsThumbnail(item) == readable.contains(item->text()), qPrintable(item->text()));
        QCOMPARE(item->icon().isNull(), unreadable.contains(item->text()));
    }

    // The selection moved over every item: sizes where the header tells them.
    for (int row = 0; row < input()->count(); ++row) {
        input()->scrollToItem(input()->item(row));
        QTest::mouseClick(input()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          input()->visualItemRect(input()->item(row)).center());
        QCOMPARE(input()->currentRow(), row);
        const QString width = dialog->findChild<QLineEdit *>("lineIPWidth")->text();
        QVERIFY2(!width.isEmpty() == sizeTold.contains(input()->item(row)->text()),
                 qPrintable(input()->item(row)->text()));
    }

    // Double-clicks on every item: the prompt, the viewer, the folder.
    {
        UrlRecorder desktop;
        for (int row = 0; row < input()->count(); ++row) {
            QListWidgetItem *item = input()->item(row);
            answerNextModal<QInputDialog>([](QInputDialog *prompt) { prompt->reject(); });
            doubleClickItem(input(), item, Qt::NoModifier);
            doubleClickItem(input(), item, Qt::ControlModifier);
            doubleClickItem(input(), item, Qt::ControlModifier | Qt::ShiftModifier);
        }
        QCOMPARE(desktop.urls.size(), 2 * input()->count());
    }

    // Go with everything selected, in a row and in a column.
    auto pressGo = [&] {
        MessageRecorder recorder;
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnGenerate"), Qt::LeftButton);
        input()->clearSelection();
        return recorder.messages;
    };
    for (int direction : {0, 1}) {
        for (int row = 0; row < input()->count(); ++row)
            input()->item(row)->setSelected(true);
        dialog->findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(direction);
        const QList<MessageSeen> messages = pressGo();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].title == "Task Completed", qPrintable(messages[0].text));
        QVERIFY(QFile::exists(destination + "/01.jpg"));
    }
    // The unreadable files with one picture small enough that all is used: every one of them
    // is named in the report.
    for (int row = 0; row < input()->count(); ++row) {
        const QString name = input()->item(row)->text();
        input()->item(row)->setSelected(unreadable.contains(name) || name == "dot.png");
    }
    const QList<MessageSeen> messages = pressGo();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, "Task Completed");
    for (const QString &name : std::as_const(unreadable))
        QVERIFY2(messages[0].text.contains("Skipped, could not be read: " + name + " ("),
                 qPrintable(name + " in:\n" + messages[0].text));

    // And print the last sheet, to a PDF file.
    const QString pdf = sandbox->path("hostile.pdf");
    printNextToPdfFile(pdf);
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    QCOMPARE(recorder.messages.size(), 0);
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.read(5) == "%PDF-");
}

void HostileTest::junkSettingsStartNormally_data()
{
    QTest::addColumn<QString>("margin");
    QTest::addColumn<int>("top");
    QTest::newRow("abc") << "abc" << 0;
    QTest::newRow("-50") << "-50" << -50;
    QTest::newRow("too large for a number") << "99999999999" << 0;
}

void HostileTest::junkSettingsStartNormally()
{
    QFETCH(QString, margin);
    QFETCH(int, top);
    const QString pictures = sandbox->makeFolder("junk-source");
    writePicture(pictures + "/red.png", solidPicture({2400, 600}, Qt::red));
    const QString fileInsteadOfFolder = sandbox->path("a file");
    writeBytes(fileInsteadOfFolder, "not a folder");
    {
        QSettings store("Morvane", "Quorvel");
        store.setValue("LastTopPadding", margin);
        store.setValue("LastLeftPadding", margin);
        store.setValue("LastSourcePath", pictures);
        store.setValue("LastDestinationPath", fileInsteadOfFolder);
        store.setValue("LastOPWidth", "\x01junk");
    }
    dialog = new Quorvel;
    QCOMPARE(input()->count(), 1);
    QCOMPARE(dialog->findChild<QListWidget *>("lstPrintFilesOutput")->count(), 0);
    QCOMPARE(dialog->findChild<QLineEdit *>("lineOPWidth")->text(), "8.27");

    // Generation takes the margins as whole numbers, anything else as 0.
    const QString destination = sandbox->makeFolder("junk-sheets");
    dialog->findChild<QLineEdit *>("lineDestPath")->setText(destination);
    dialog->findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(0);
    input()->item(0)->setSelected(true);
    MessageRecorder recorder;
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnGenerate"), Qt::LeftButton);
    QCOMPARE(recorder.messages.size(), 1);
    const QImage sheet(destination + "/01.jpg");
    QCOMPARE(sheet.size(), QSize(2480, 3506));
    // The 2400 x 600 picture ends 2400 and 600 pixels past the margins, whatever their sign.
    const auto isRed = [&](int x, int y) {
        const QRgb pixel = sheet.pixel(x, y);
        return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
    };
    const int right = top + 2400, bottom = top + 600;
    QVERIFY(isRed(right - 10, 300));
    QVERIFY(!isRed(right + 10, 300));
    QVERIFY(isRed(100, bottom - 10));
    QVERIFY(!isRed(100, bottom + 10));
}

void HostileTest::unreadableSettingsFile()
{
    // The store's file is a folder: nothing can be read from it or written to it.
    const QString file = sandbox->path("settings/Morvane/Quorvel.conf");
    QFile::remove(file);
    QDir().mkpath(file);
    dialog = new Quorvel;
    QCOMPARE(dialog->findChild<QLineEdit *>("lineSourcePath")->text(), "");
    QCOMPARE(dialog->findChild<QLineEdit *>("lineOPHeight")->text(), "11.69");
    delete dialog;
    dialog = nullptr;
    QDir(file).removeRecursively();

    // A store cut short in the middle of a line.
    writeBytes(file, "[General]\nLastSourcePath=/nowhere\nLastTopPadd");
    dialog = new Quorvel;
    QCOMPARE(dialog->findChild<QLineEdit *>("lineSourcePath")->text(), "/nowhere");
    QCOMPARE(input()->count(), 0);
}

// Profiles larger than any real one are ignored, and profiles that cannot be parsed leave
// nothing behind: a folder of files each with its own large broken profile holds no memory.
void HostileTest::profilesAreBoundedAndNotHeld()
{
    const QString folder = sandbox->makeFolder("profiles");
    const QImage picture = photoLikePicture({64, 48}, 3);
    QFile adobe("/usr/share/color/icc/colord/AdobeRGB1998.icc");
    QVERIFY(adobe.open(QIODevice::ReadOnly));
    const QByteArray adobeRgb = adobe.readAll();
    writeBytes(folder + "/adobe.png", pngWithProfile(picture, adobeRgb));
    writeBytes(folder + "/padded.png",
               pngWithProfile(picture, adobeRgb + QByteArray(9 << 20, '\0')));
    const QImage asStored = picture.convertToFormat(QImage::Format_RGB32);
    QVERIFY(readPicture(folder + "/adobe.png").convertToFormat(QImage::Format_RGB32) != asStored);
    QCOMPARE(readPicture(folder + "/padded.png").convertToFormat(QImage::Format_RGB32), asStored);

    QByteArray broken(7 << 20, '\x55');
    for (int i = 0; i < 20; ++i) {
        broken[1000] = char(i);
        writeBytes(QString("%1/broken%2.png").arg(folder).arg(i), pngWithProfile(picture, broken));
    }
    [[maybe_unused]] const long before = residentMemoryMb();
    for (int i = 0; i < 20; ++i)
        QVERIFY(!readPicture(QString("%1/broken%2.png").arg(folder).arg(i)).isNull());
        // AddressSanitizer's quarantine holds freed memory by design.
#if !defined(__SANITIZE_ADDRESS__)
    const long held = residentMemoryMb() - before;
    QVERIFY2(held < 40, qPrintable(QString("%1 MB held after reading").arg(held)));
#endif
}

void HostileTest::memoryStaysBounded()
{
    // Run last: the peak over everything above, bomb files included.
    const long peak = peakMemoryMb();
    QVERIFY2(peak < MemoryBoundMb,
             qPrintable(QString("peak memory %1 MB, bound %2 MB").arg(peak).arg(MemoryBoundMb)));
}

QTEST_MAIN(HostileTest)
#include "tst_hostile.moc"
