#include "app/quorvel.h"
#include "craftedfiles.h"
#include "lists/thumbnails.h"
#include "pictures/pictures.h"
#include "testsupport.h"

#include <QComboBox>
#include <QHash>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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
    keep("exif6.jpg", jpegWithOrientation(solidPicture({600, 300}, Qt::blue), 6), true);
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
        // Every row as tall as those with a thumbnail, the unreadable ones too.
        QVERIFY(input()->sizeHintForRow(row) >= input()->iconSize().height());
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

// Profiles larger than any real one are ignored, whichever file carries them, and profiles that
// cannot be parsed leave nothing behind: a folder of files each with its own large broken profile
// holds no memory.
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
    // The same for a TIFF's profile, which no chunk's size bounds.
    auto tiffWithProfile = [&](const QString &name, const QByteArray &profile) {
        const QString path = folder + "/" + name;
        TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(asStored.width()));
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(asStored.height()));
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(asStored.height()));
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, uint32_t(profile.size()), profile.constData());
        const QImage rows = asStored.convertToFormat(QImage::Format_RGB888);
        for (int y = 0; y < rows.height(); ++y)
            TIFFWriteScanline(tiff, const_cast<uchar *>(rows.constScanLine(y)), uint32_t(y), 0);
        TIFFClose(tiff);
        return readPicture(path).convertToFormat(QImage::Format_RGB32);
    };
    QVERIFY(tiffWithProfile("adobe.tif", adobeRgb) != asStored);
    QCOMPARE(tiffWithProfile("padded.tif", adobeRgb + QByteArray(9 << 20, '\0')), asStored);

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
