#include "pictures/wholeness.h"
#include "testpictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

// Whether a picture reaches its end, decided by walking it from its start: trailers after the
// end are ignored, cuts anywhere are found.
class WholenessTest : public QObject
{
    Q_OBJECT

private slots:
    void walk_data();
    void walk();
};

namespace {
QByteArray encoded(const QImage &picture, const char *format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(picture);
    return buffer.data();
}

// Random bytes, rich in 0xFF 0xD9 and "IEND" as a video's would be by chance.
QByteArray randomTrailer(qsizetype size)
{
    QRandomGenerator random(7);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(random.bounded(256));
    for (qsizetype at = 100; at + 12 < size; at += 997)
        bytes.replace(at, 2, "\xFF\xD9");
    return bytes;
}

// A JPEG whose APP1 segment carries a whole JPEG, as EXIF thumbnails do.
QByteArray withEmbeddedThumbnail(const QByteArray &jpeg, const QByteArray &thumbnail)
{
    QByteArray segment("\xFF\xE1", 2);
    const int length = int(thumbnail.size()) + 2;
    segment.append(char(length >> 8)).append(char(length & 0xff)).append(thumbnail);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// The same JPEG with a restart marker after every row of blocks, rewritten by jpegtran.
QByteArray withRestartMarkers(const QByteArray &jpeg)
{
    QProcess jpegtran;
    jpegtran.start("jpegtran", {"-restart", "1"});
    jpegtran.write(jpeg);
    jpegtran.closeWriteChannel();
    if (!jpegtran.waitForFinished() || jpegtran.exitCode() != 0)
        return QByteArray();
    return jpegtran.readAllStandardOutput();
}
} // namespace

void WholenessTest::walk_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whole");

    const QImage photo = photoLikePicture({640, 480}, 3);
    const QByteArray jpeg = encoded(photo, "jpeg");
    const QByteArray progressive = encoded(photo, "jpeg", true);
    const QByteArray restarts = withRestartMarkers(jpeg);
    QVERIFY2(restarts.contains("\xFF\xD0"), "jpegtran wrote no restart markers");
    const QByteArray png = encoded(photo, "png");
    const QByteArray trailer = randomTrailer(300 * 1024);

    QTest::newRow("jpeg") << QByteArray("jpeg") << jpeg << true;
    QTest::newRow("jpeg, progressive") << QByteArray("jpeg") << progressive << true;
    QTest::newRow("jpeg, restart markers") << QByteArray("jpeg") << restarts << true;
    QTest::newRow("jpeg, video after it") << QByteArray("jpeg") << jpeg + trailer << true;
    QTest::newRow("jpeg, newline after it") << QByteArray("jpeg") << jpeg + "\n" << true;
    QTest::newRow("jpeg, second jpeg after it") << QByteArray("jpeg") << jpeg + jpeg << true;
    QTest::newRow("jpeg, embedded thumbnail")
        << QByteArray("jpeg") << withEmbeddedThumbnail(jpeg, encoded(photo.scaled(64, 48), "jpeg"))
        << true;
    for (double part : {0.1, 0.5, 0.9}) {
        const qsizetype at = qsizetype(jpeg.size() * part);
        QTest::addRow("jpeg cut at %.0f%%", part * 100)
            << QByteArray("jpeg") << jpeg.left(at) << false;
        QTest::addRow("progressive jpeg cut at %.0f%%", part * 100)
            << QByteArray("jpeg") << progressive.left(qsizetype(progressive.size() * part))
            << false;
        QTest::addRow("jpeg cut at %.0f%%, then a newline", part * 100)
            << QByteArray("jpeg") << jpeg.left(at) + "\n"
            << false;
    }
    QTest::newRow("jpeg without its last byte") << QByteArray("jpeg") << jpeg.chopped(1) << false;
    QTest::newRow("jpeg cut inside a segment") << QByteArray("jpeg") << jpeg.left(30) << false;
    QTest::newRow("jpeg cut, embedded thumbnail whole")
        << QByteArray("jpeg")
        << withEmbeddedThumbnail(jpeg, encoded(photo.scaled(64, 48), "jpeg")).chopped(2000)
        << false;
    QTest::newRow("no jpeg") << QByteArray("jpeg") << png << false;
    QTest::newRow("empty") << QByteArray("jpeg") << QByteArray() << false;

    QTest::newRow("png") << QByteArray("png") << png << true;
    QTest::newRow("png, newline after it") << QByteArray("png") << png + "\n" << true;
    QTest::newRow("png, random bytes after it") << QByteArray("png") << png + trailer << true;
    QTest::newRow("1 x 1 png, newline after it")
        << QByteArray("png") << encoded(solidPicture({1, 1}, Qt::red), "png") + "\n"
        << true;
    for (double part : {0.1, 0.5, 0.9})
        QTest::addRow("png cut at %.0f%%", part * 100)
            << QByteArray("png") << png.left(qsizetype(png.size() * part)) << false;
    QTest::newRow("png cut inside IEND's checksum") << QByteArray("png") << png.chopped(2) << false;
    QTest::newRow("png, chunk claiming 2 GB")
        << QByteArray("png") << png.left(33) + QByteArray("\x7F\xFF\xFF\xF0IDAT", 8) + trailer
        << false;
    QTest::newRow("no png") << QByteArray("png") << jpeg << false;
}

void WholenessTest::walk()
{
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whole);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(format == "jpeg" ? jpegReachesItsEnd(buffer) : pngReachesItsEnd(buffer), whole);
}

QTEST_MAIN(WholenessTest)
#include "tst_wholeness.moc"
