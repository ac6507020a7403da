#include "app/quorvel.h"
#include "gatedpictures.h"
#include "lists/thumbnails.h"
#include "listsfixture.h"
#include "pictures/pictures.h"
#include "testsupport.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QThread>
#include <QtPlugin>
#include <future>

Q_IMPORT_PLUGIN(GatedPlugin)

using namespace testsupport;

// Listing folders into the two lists, thumbnails and the folder buttons.
class ImageListsTest : public ListsFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listingOrderAndFilters();
    void emptyAndMissingFolders();
    void emptyPathListsTheWorkingFolder();
    void thumbnailSizeRule_data();
    void thumbnailSizeRule();
    void thumbnailsAreDecodedAtTheirSize_data();
    void thumbnailsAreDecodedAtTheirSize();
    void otherFormatsUnderPictureNamesAreNotDecoded_data();
    void otherFormatsUnderPictureNamesAreNotDecoded();
    void largePhotoLoads();
    void parallelDecodingKeepsTheListingOrder_data();
    void parallelDecodingKeepsTheListingOrder();
    void loaderDroppedEarly();
    void overtakenFillLeavesOnlyTheNewerListing_data();
    void overtakenFillLeavesOnlyTheNewerListing();
};

void ImageListsTest::initTestCase()
{
    sandbox = std::make_unique<Sandbox>();
}

void ImageListsTest::init()
{
    openWindow();
}

void ImageListsTest::cleanup()
{
    delete dialog;
    ThumbnailLoader::setDecodingThreads(QThread::idealThreadCount());
}

void ImageListsTest::listingOrderAndFilters()
{
    const QString folder = sandbox->makeFolder("order");
    const QImage picture = solidPicture({12, 8}, Qt::darkGreen);
    writePicture(folder + "/b.JPG", picture, "jpeg");
    writePicture(folder + "/A.png", picture, "png");
    writeTga(folder + "/a.tga", picture);
    writePicture(folder + "/c.tif", picture, "tiff");
    writePicture(folder + "/C.TIFF", picture, "tiff");
    writePicture(folder + "/d.jpeg", picture, "jpeg");
    // Among wide pictures, one taller than wide shows whole too.
    writePicture(folder + "/D tall.png", solidPicture({8, 16}, Qt::darkGreen), "png");
    writePicture(folder + "/.hidden.jpg", picture, "jpeg");
    writePicture(folder + "/e.bmp", picture, "bmp");
    QFile notes(folder + "/notes.txt");
    QVERIFY(notes.open(QIODevice::WriteOnly));
    QDir(folder).mkdir("folder.jpg");

    dialog->fillImageList(folder, input());
    QCOMPARE(texts(input()),
             QStringList({"A.png", "C.TIFF", "D tall.png", "a.tga", "b.JPG", "c.tif", "d.jpeg"}));
    QCOMPARE(input()->iconSize(), QSize(200, 200));
    QCOMPARE(input()->viewMode(), QListView::ListMode);
    QCOMPARE(input()->currentRow(), 0);
    QVERIFY(input()->item(0)->isSelected());
    QCOMPARE(input()->selectedItems().size(), 1);
    QVERIFY(waitForThumbnails(input()));
    for (int row = 0; row < input()->count(); ++row) {
        QCOMPARE(input()->item(row)->type(), int(QListWidgetItem::Type));
        QVERIFY2(showsThumbnail(input()->item(row)), qPrintable(input()->item(row)->text()));
    }
}

void ImageListsTest::emptyAndMissingFolders()
{
    const QString pictures = sandbox->makeFolder("some");
    writePicture(pictures + "/x.png", solidPicture({10, 10}, Qt::red));
    dialog->fillImageList(pictures, output());
    QCOMPARE(output()->count(), 1);
    output()->setIconSize(QSize(16, 16));
    output()->setViewMode(QListView::IconMode);

    dialog->fillImageList(sandbox->makeFolder("empty"), output());
    QCOMPARE(output()->count(), 0);
    QVERIFY(!output()->currentItem());
    QCOMPARE(output()->iconSize(), QSize(16, 16));
    QCOMPARE(output()->viewMode(), QListView::IconMode);

    dialog->fillImageList(pictures, output());
    dialog->fillImageList(sandbox->path("no/such/folder"), output());
    QCOMPARE(output()->count(), 0);
}

void ImageListsTest::emptyPathListsTheWorkingFolder()
{
    writePicture(sandbox->path("cwd/here.png"), solidPicture({10, 10}, Qt::red));
    dialog->fillImageList("", output());
    QCOMPARE(texts(output()), QStringList{"here.png"});
    QVERIFY(waitForThumbnails(output()));
    QVERIFY(showsThumbnail(output()->item(0)));
    QFile::remove(sandbox->path("cwd/here.png"));
}

void ImageListsTest::thumbnailSizeRule_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSize>("thumbnail");
    QTest::newRow("landscape 2:1") << QSize(600, 300) << QSize(200, 100);
    QTest::newRow("portrait 1:2") << QSize(300, 600) << QSize(100, 200);
    QTest::newRow("camera 4:3") << QSize(4000, 3000) << QSize(200, 150);
    QTest::newRow("square") << QSize(1000, 1000) << QSize(200, 200);
    QTest::newRow("3x2 truncates") << QSize(3, 2) << QSize(200, 133);
    QTest::newRow("size unknown") << QSize(-1, -1) << QSize(200, 200);
}

void ImageListsTest::thumbnailSizeRule()
{
    QFETCH(QSize, stored);
    QFETCH(QSize, thumbnail);
    QCOMPARE(thumbnailSize(stored, 200), thumbnail);
}

void ImageListsTest::thumbnailsAreDecodedAtTheirSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSize>("thumbnail");
    QTest::addColumn<bool>("palette"); // stored as a 1-bit palette picture
    QTest::newRow("jpeg") << "wide.jpg" << QSize(600, 300) << QSize(200, 100) << false;
    QTest::newRow("png") << "tall.png" << QSize(300, 600) << QSize(100, 200) << false;
    QTest::newRow("1-bit palette png")
        << "palette.png" << QSize(3000, 2000) << QSize(200, 133) << true;
    QTest::newRow("tiff") << "tiny.tif" << QSize(3, 2) << QSize(200, 133) << false;
    QTest::newRow("tga") << "photo.tga" << QSize(400, 300) << QSize(200, 150) << false;
}

void ImageListsTest::thumbnailsAreDecodedAtTheirSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, stored);
    QFETCH(QSize, thumbnail);
    QFETCH(bool, palette);
    const QString folder = sandbox->makeFolder("thumbs");
    const QString path = folder + "/" + name;
    const QRgb colour = palette ? qRgb(255, 165, 0) : qRgb(0, 0, 255);
    const QImage picture = solidPicture(stored, colour);
    if (name.endsWith(".tga"))
        writeTga(path, picture);
    else if (palette)
        writePicture(path, picture.convertToFormat(QImage::Format_Mono, {colour, qRgb(0, 0, 0)}));
    else
        writePicture(path, picture);
    const QImage made = decodeThumbnail(path, 200);
    QCOMPARE(made.size(), thumbnail);
    // The picture's colour throughout, as JPEG keeps a solid colour.
    for (const QPoint at : {QPoint(0, 0), QPoint(made.width() / 2, made.height() / 2),
                            QPoint(made.width() - 1, made.height() - 1)})
        QVERIFY2(qAbs(qRed(made.pixel(at)) - qRed(colour)) <= 2 &&
                     qAbs(qGreen(made.pixel(at)) - qGreen(colour)) <= 2 &&
                     qAbs(qBlue(made.pixel(at)) - qBlue(colour)) <= 2,
                 qPrintable(QString::number(made.pixel(at), 16)));
    dialog->fillImageList(folder, input());
    QVERIFY(waitForThumbnails(input()));
    QCOMPARE(opaqueIconArea(input()->item(0)).size(), thumbnail);
    QVERIFY(dialog->makeThumbnail(folder + "/missing.png", 200).isNull());
}

void ImageListsTest::otherFormatsUnderPictureNamesAreNotDecoded_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("webp") << QByteArray("webp");
    QTest::newRow("icns") << QByteArray("icns");
    QTest::newRow("bmp") << QByteArray("bmp");
}

void ImageListsTest::otherFormatsUnderPictureNamesAreNotDecoded()
{
    QFETCH(QByteArray, format);
    const QString folder = sandbox->makeFolder("disguised");
    const QString path =
        writePicture(folder + "/photo.jpg", solidPicture({64, 64}, Qt::red), format.constData());
    QVERIFY(QFileInfo(path).size() > 0);
    QVERIFY(readPicture(path).isNull());
    QVERIFY(!viewedPictureSize(path).isValid());
    dialog->fillImageList(folder, input());
    QCOMPARE(texts(input()), QStringList{"photo.jpg"});
    QVERIFY(waitForThumbnails(input()));
    // No thumbnail, and the row as tall as those with one.
    QVERIFY(!showsThumbnail(input()->item(0)));
    QVERIFY(input()->sizeHintForRow(0) >= input()->iconSize().height());
}

void ImageListsTest::largePhotoLoads()
{
    // 8000 x 6000 decodes to 183 MB, over the toolkit's default allocation limit.
    const QString path = sandbox->path("big.jpg");
    {
        QImage big(8000, 6000, QImage::Format_RGB32);
        big.fill(Qt::gray);
        writePicture(path, big, "jpeg");
    }
    const QImage loaded = readPicture(path);
    QCOMPARE(loaded.size(), QSize(8000, 6000));
    QFile::remove(path);
}

void ImageListsTest::parallelDecodingKeepsTheListingOrder_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("two threads") << 2;
    QTest::newRow("five threads") << 5;
}

void ImageListsTest::parallelDecodingKeepsTheListingOrder()
{
    QFETCH(int, threads);
    ThumbnailLoader::setDecodingThreads(threads);
    // Every picture is 200 high and of its own width, so each thumbnail tells which picture
    // it was made from.
    const QString folder = sandbox->makeFolder("widths");
    QStringList expectedNames;
    QList<QSize> expectedSizes;
    for (int i = 0; i < 24; ++i) {
        const int width = 40 + 6 * i;
        const QString name = QString("p%1.%2").arg(i, 2, 10, QChar('0')).arg(i % 2 ? "png" : "jpg");
        writePicture(folder + "/" + name, solidPicture({width, 200}, Qt::darkCyan));
        expectedNames << name;
        expectedSizes << QSize(width, 200);
    }
    dialog->fillImageList(folder, input());
    QCOMPARE(texts(input()), expectedNames);
    QVERIFY(waitForThumbnails(input()));
    for (int row = 0; row < input()->count(); ++row)
        QCOMPARE(opaqueIconArea(input()->item(row)).size(), expectedSizes[row]);
    QCOMPARE(input()->currentRow(), 0);
    QCOMPARE(input()->selectedItems().size(), 1);
}

void ImageListsTest::loaderDroppedEarly()
{
    ThumbnailLoader::setDecodingThreads(3);
    const QString folder = sandbox->makeFolder("dropped");
    QStringList paths;
    for (int i = 0; i < 40; ++i)
        paths << writePicture(QString("%1/%2.png").arg(folder).arg(i),
                              solidPicture({300 + i, 200}, Qt::red));
    // Loaders dropped while their workers are busy (held at the gate) leave nothing behind.
    for (int round = 0; round < 5; ++round) {
        // Pictures of their own: the thumbnail cache holds those of the rounds before.
        QStringList held;
        for (int i = 0; i < 3; ++i)
            held << writePicture(QString("%1/gated%2-%3.png").arg(folder).arg(round).arg(i),
                                 solidPicture({10, 10}, Qt::green));
        gate().reset();
        auto watchdog = std::async(std::launch::async, [] { gate().openAfter(10000); });
        {
            ThumbnailLoader early(held, 200, [] {});
            early.setView({0, 2}, {0, 2});
            QVERIFY(QTest::qWaitFor([] { return gate().held() == 3; }));
        }
        gate().setOpen(true);
        watchdog.get();
    }
    ThumbnailLoader full(paths, 200, [] {});
    full.setView({0, 4}, {0, 39});
    QVERIFY(QTest::qWaitFor([&] { return full.madeOnce() == 40; }));
    const QVector<ThumbnailLoader::Made> made = full.takeMade();
    QCOMPARE(made.size(), 40);
    for (const ThumbnailLoader::Made &thumbnail : made) {
        QVERIFY(thumbnail.kept);
        QCOMPARE(thumbnail.thumbnail.size(), QSize(200, int(200.0 / (300 + thumbnail.row) * 200)));
    }
}

void ImageListsTest::overtakenFillLeavesOnlyTheNewerListing_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("four threads") << 4;
}

void ImageListsTest::overtakenFillLeavesOnlyTheNewerListing()
{
    QFETCH(int, threads);
    ThumbnailLoader::setDecodingThreads(threads);
    const QString first = sandbox->makeFolder("first");
    const QString second = sandbox->makeFolder("second");
    for (int i = 0; i < 20; ++i)
        writePicture(QString("%1/first%2.png").arg(first).arg(i, 2, 10, QChar('0')),
                     solidPicture({20, 20}, Qt::red));
    for (int i = 0; i < 3; ++i)
        writePicture(QString("%1/second%2.png").arg(second).arg(i),
                     solidPicture({20, 20}, Qt::blue));

    // The newer fill comes while the older one's thumbnails are being made, as a Refresh
    // pressed at once does: only the newer listing's thumbnails reach the list.
    dialog->fillImageList(first, input());
    dialog->fillImageList(second, input());
    QCOMPARE(texts(input()), QStringList({"second0.png", "second1.png", "second2.png"}));
    QCOMPARE(input()->currentRow(), 0);
    QCOMPARE(input()->selectedItems().size(), 1);
    QVERIFY(waitForThumbnails(input()));
    ThumbnailLoader::waitForDecodesInFlight();
    QCoreApplication::processEvents();
    for (int row = 0; row < input()->count(); ++row)
        QCOMPARE(iconCentre(input()->item(row)), qRgb(0, 0, 255));
}

QTEST_MAIN(ImageListsTest)
#include "tst_imagelists.moc"
