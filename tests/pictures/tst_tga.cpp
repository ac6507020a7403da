#include "app/quorvel.h"
#include "lists/thumbnails.h"
#include "pictures/pictures.h"
#include "pictures/tga.h"
#include "testsupport.h"

#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

// The program's own TGA reader: every image type, depth and origin, files written by other
// tools, and malformed files.
class TgaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void handBuiltFiles_data();
    void handBuiltFiles();
    void alphaFollowsTheExtensionArea();
    void writtenByImageMagick_data();
    void writtenByImageMagick();
    void writtenByPillow_data();
    void writtenByPillow();
    void readThroughTheProgram();
    void scaledReading();
    void malformedFiles_data();
    void malformedFiles();
    void oversizedPicturesAreRefusedUnread();
    void everyWriterThroughTheWindow();

private:
    std::unique_ptr<testsupport::Sandbox> sandbox;
};

namespace {
// Quarters of pure colours (exact in every depth) and a few odd pixels that tell the origin.
QImage marker(bool withAlpha, bool greyOnly)
{
    QImage picture(13, 7, QImage::Format_ARGB32);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 13; ++x) {
            QRgb c = y < 3 ? (x < 6 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                           : (x < 6 ? qRgb(0, 0, 255) : qRgb(255, 255, 255));
            if (greyOnly)
                c = y < 3 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            picture.setPixel(x, y, c);
        }
    }
    picture.setPixel(0, 0, greyOnly ? qRgb(0, 0, 0) : qRgb(255, 255, 0));
    picture.setPixel(12, 6, greyOnly ? qRgb(255, 255, 255) : qRgb(0, 255, 255));
    if (withAlpha)
        picture.setPixel(5, 5, qRgba(0, 0, 0, 0));
    return picture;
}

bool samePixels(const QImage &actual, const QImage &expected, bool compareAlpha)
{
    if (actual.size() != expected.size())
        return false;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            if (compareAlpha ? a != e : (a & 0xffffff) != (e & 0xffffff))
                return false;
        }
    }
    return true;
}

// Decodes a TGA file written by another tool.
QImage decodeFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot open " + path;
        return QImage();
    }
    return decodeTga(file.readAll(), QSize(), error);
}

QString tool(const QString &name)
{
    const QString system = QStandardPaths::findExecutable(name, {"/usr/bin"});
    return system.isEmpty() ? QStandardPaths::findExecutable(name) : system;
}
} // namespace

void TgaTest::initTestCase()
{
    sandbox = std::make_unique<testsupport::Sandbox>();
}

void TgaTest::handBuiltFiles_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("mapBits");
    QTest::addColumn<int>("attributeBits");
    for (bool rle : {false, true}) {
        const int offset = rle ? 8 : 0;
        const char *form = rle ? "rle" : "raw";
        QTest::addRow("%s true-colour 24", form) << 2 + offset << 24 << 0 << 0;
        QTest::addRow("%s true-colour 32 alpha", form) << 2 + offset << 32 << 0 << 8;
        QTest::addRow("%s true-colour 32 no alpha", form) << 2 + offset << 32 << 0 << 0;
        QTest::addRow("%s true-colour 16 alpha", form) << 2 + offset << 16 << 0 << 1;
        QTest::addRow("%s true-colour 15", form) << 2 + offset << 15 << 0 << 0;
        QTest::addRow("%s greyscale 8", form) << 3 + offset << 8 << 0 << 0;
        QTest::addRow("%s greyscale 16 alpha", form) << 3 + offset << 16 << 0 << 8;
        QTest::addRow("%s mapped 8 of 24", form) << 1 + offset << 8 << 24 << 0;
        QTest::addRow("%s mapped 8 of 32 alpha", form) << 1 + offset << 8 << 32 << 8;
        QTest::addRow("%s mapped 16 of 16", form) << 1 + offset << 16 << 16 << 0;
        QTest::addRow("%s mapped 8 of 15", form) << 1 + offset << 8 << 15 << 0;
    }
}

void TgaTest::handBuiltFiles()
{
    QFETCH(int, type);
    QFETCH(int, bits);
    QFETCH(int, mapBits);
    QFETCH(int, attributeBits);
    const bool grey = type == 3 || type == 11;
    const bool alpha = attributeBits > 0;
    const QImage expected = marker(alpha, grey);
    // Every origin, with and without an image ID and the footer.
    for (int origin = 0; origin < 4; ++origin) {
        TgaLayout layout;
        layout.type = type;
        layout.bits = bits;
        layout.mapBits = mapBits;
        layout.attributeBits = attributeBits;
        layout.topToBottom = origin & 1;
        layout.rightToLeft = origin & 2;
        layout.idLength = origin * 60;
        layout.footer = origin % 2;
        layout.mapFirstEntry = origin == 3 ? 5 : 0;
        QString error;
        const QImage decoded = decodeTga(encodeTga(expected, layout), QSize(), &error);
        QVERIFY2(!decoded.isNull(), qPrintable(error));
        QCOMPARE(decoded.hasAlphaChannel(), alpha);
        QVERIFY2(samePixels(decoded, expected, alpha),
                 qPrintable(QString("origin %1").arg(origin)));
    }
}

void TgaTest::alphaFollowsTheExtensionArea()
{
    // 32 bits with alpha bits, but an extension area that says the alpha is not to be used.
    TgaLayout layout;
    layout.bits = 32;
    layout.attributeBits = 8;
    QByteArray file = encodeTga(marker(true, false), layout);
    const int extensionOffset = int(file.size());
    QByteArray extension(495, '\0');
    extension[0] = char(495 & 0xff);
    extension[1] = char(495 >> 8);
    extension[494] = 2; // undefined data, to be kept but not shown as alpha
    file += extension;
    QByteArray footer(4, '\0');
    for (int i = 0; i < 4; ++i)
        footer[i] = char((extensionOffset >> (8 * i)) & 0xff);
    footer += QByteArray(4, '\0') + QByteArray("TRUEVISION-XFILE.", 17) + QByteArray(1, '\0');
    file += footer;
    const QImage decoded = decodeTga(file, QSize(), nullptr);
    QVERIFY(!decoded.hasAlphaChannel());
    QCOMPARE(decoded.pixel(5, 5), qRgb(0, 0, 0));
}

void TgaTest::writtenByImageMagick_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("alpha");
    QTest::newRow("true-colour") << QStringList() << false;
    QTest::newRow("true-colour rle") << QStringList{"-compress", "RLE"} << false;
    QTest::newRow("with alpha rle") << QStringList{"-compress", "RLE"} << true;
    QTest::newRow("greyscale") << QStringList{"-type", "Grayscale"} << false;
    QTest::newRow("greyscale rle")
        << QStringList{"-type", "Grayscale", "-compress", "RLE"} << false;
    QTest::newRow("palette") << QStringList{"-type", "Palette"} << false;
    QTest::newRow("palette rle") << QStringList{"-type", "Palette", "-compress", "RLE"} << false;
}

void TgaTest::writtenByImageMagick()
{
    QFETCH(QStringList, options);
    QFETCH(bool, alpha);
    const QString convert = tool("convert");
    if (convert.isEmpty())
        QSKIP("ImageMagick is not installed (the test command installs it)");
    const bool grey = options.contains("Grayscale");
    QImage source = marker(alpha, grey).scaled(130, 70);
    const QString png = writePicture(sandbox->path("im-source.png"), source, "png");
    const QString tga = sandbox->path("im.tga");
    // ImageMagick 6 marks the origin right only when told the picture's orientation;
    // otherwise it writes the rows top-down under a bottom-up header.
    QFile::remove(tga);
    QCOMPARE(QProcess::execute(convert, QStringList{png, "-orient", "TopLeft"} << options << tga),
             0);
    QString error;
    const QImage decoded = decodeFile(tga, &error);
    QVERIFY2(!decoded.isNull(), qPrintable(error));
    QVERIFY(samePixels(decoded, source, alpha));

    // Without it, the file says bottom-up, and is read as the header says, as Pillow does.
    const QString python = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    if (python.isEmpty() || QProcess::execute(python, {"-c", "import PIL"}) != 0)
        return;
    const QString plain = sandbox->path("im-plain.tga");
    const QString byPillow = sandbox->path("im-plain-pillow.png");
    QFile::remove(plain);
    QCOMPARE(QProcess::execute(convert, QStringList{png} << options << plain), 0);
    QCOMPARE(QProcess::execute(python, {"-c", QString("from PIL import Image\nImage.open('%1')"
                                                      ".convert('RGBA').save('%2')")
                                                  .arg(plain, byPillow)}),
             0);
    QVERIFY(samePixels(decodeFile(plain, &error), QImage(byPillow), alpha));
}

void TgaTest::writtenByPillow_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("rle");
    for (const char *mode : {"RGB", "RGBA", "L", "P"}) {
        QTest::addRow("%s", mode) << QString(mode) << false;
        QTest::addRow("%s rle", mode) << QString(mode) << true;
    }
}

void TgaTest::writtenByPillow()
{
    QFETCH(QString, mode);
    QFETCH(bool, rle);
    const QString python = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    if (python.isEmpty() || QProcess::execute(python, {"-c", "import PIL"}) != 0)
        QSKIP("Pillow is not installed (the test command installs python3-pil)");
    const bool alpha = mode == "RGBA";
    const QImage source = marker(alpha, mode == "L").scaled(130, 70);
    const QString png = writePicture(sandbox->path("pil-source.png"), source, "png");
    const QString tga = sandbox->path("pil.tga");
    QFile::remove(tga);
    const QString script = QString("from PIL import Image\nimage = Image.open('%1').convert('%2')\n"
                                   "image.save('%3', rle=%4)\n")
                               .arg(png, mode == "P" ? "RGB" : mode, tga, rle ? "True" : "False");
    const QString paletted = mode == "P"
                                 ? QString("image = image.quantize(8)\nimage.save('%1', rle=%2)\n")
                                       .arg(tga, rle ? "True" : "False")
                                 : QString();
    QCOMPARE(QProcess::execute(python, {"-c", script + paletted}), 0);
    QString error;
    const QImage decoded = decodeFile(tga, &error);
    QVERIFY2(!decoded.isNull(), qPrintable(error));
    QVERIFY(samePixels(decoded, source, alpha));
}

void TgaTest::readThroughTheProgram()
{
    // A run-length encoded file, which Qt's own TGA plug-in refuses.
    TgaLayout layout;
    layout.type = 10;
    const QImage expected = marker(false, false).scaled(400, 300);
    const QString path = sandbox->path("through.tga");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(encodeTga(expected, layout));
    file.close();
    QCOMPARE(viewedPictureSize(path), QSize(400, 300));
    QString why;
    QVERIFY(samePixels(readPicture(path, &why), expected, false));
    QCOMPARE(decodeThumbnail(path, 200).size(), QSize(200, 150));
    // A TGA name on something else is not a picture.
    QFile fake(sandbox->path("fake.tga"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write(QByteArray(100, 'x'));
    fake.close();
    QVERIFY(readPicture(fake.fileName()).isNull());
    QVERIFY(!viewedPictureSize(fake.fileName()).isValid());
}

void TgaTest::scaledReading()
{
    // Left half red, right half blue, bottom-up: a box-filtered thumbnail keeps the halves.
    QImage halves(400, 200, QImage::Format_RGB32);
    halves.fill(Qt::red);
    for (int y = 0; y < 200; ++y)
        for (int x = 200; x < 400; ++x)
            halves.setPixel(x, y, qRgb(0, 0, 255));
    const QByteArray file = encodeTga(halves, TgaLayout());
    const QImage small = decodeTga(file, QSize(100, 50), nullptr);
    QCOMPARE(small.size(), QSize(100, 50));
    QCOMPARE(small.pixel(10, 25), qRgb(255, 0, 0));
    QCOMPARE(small.pixel(90, 25), qRgb(0, 0, 255));
    // Enlarging works too, with smooth scaling.
    QCOMPARE(decodeTga(file, QSize(800, 400), nullptr).size(), QSize(800, 400));
}

void TgaTest::malformedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    TgaLayout mappedLayout;
    mappedLayout.type = 9;
    mappedLayout.bits = 8;
    const QByteArray good = encodeTga(marker(false, false), TgaLayout());
    const QByteArray goodRle = encodeTga(marker(false, false).scaled(64, 64), [] {
        TgaLayout l;
        l.type = 10;
        return l;
    }());
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut") << good.left(10);
    QTest::newRow("pixels cut") << good.left(good.size() - 5);
    QTest::newRow("rle cut") << goodRle.left(goodRle.size() / 2);
    QByteArray badType = good;
    badType[2] = 7;
    QTest::newRow("unknown type") << badType;
    QByteArray badDepth = good;
    badDepth[16] = 12;
    QTest::newRow("odd depth") << badDepth;
    QByteArray zeroWidth = good;
    zeroWidth[12] = zeroWidth[13] = 0;
    QTest::newRow("zero width") << zeroWidth;
    QByteArray lyingHeight = good;
    lyingHeight[14] = char(0xff);
    lyingHeight[15] = char(0x01);
    QTest::newRow("lying height") << lyingHeight;
    QByteArray longId = good;
    longId[0] = char(255);
    QTest::newRow("id beyond the end") << longId.left(100);
    QByteArray mapped = encodeTga(marker(false, false), mappedLayout);
    mapped[5] = 2; // two map entries left, while pixels use more
    mapped[6] = 0;
    QTest::newRow("index outside the map") << mapped;
    QByteArray noMap = mapped;
    noMap[1] = 0;
    QTest::newRow("mapped without map") << noMap;
}

void TgaTest::malformedFiles()
{
    QFETCH(QByteArray, file);
    QString error;
    const QImage decoded = decodeTga(file, QSize(), &error);
    QVERIFY(decoded.isNull());
    QVERIFY(!error.isEmpty());
    QVERIFY(decodeTga(file, QSize(5, 5), nullptr).isNull());
}

void TgaTest::oversizedPicturesAreRefusedUnread()
{
    // 20001 x 2 claims a side beyond the limits; 12000 x 12000 too many pixels. Both small
    // files: the refusal must come before any allocation.
    for (const QSize claimed : {QSize(20001, 2), QSize(12000, 12000)}) {
        QByteArray header(18, '\0');
        header[2] = 10;
        header[12] = char(claimed.width() & 0xff);
        header[13] = char(claimed.width() >> 8);
        header[14] = char(claimed.height() & 0xff);
        header[15] = char(claimed.height() >> 8);
        header[16] = 24;
        QString error;
        QVERIFY(decodeTga(header + QByteArray(4096, '\x80'), QSize(), &error).isNull());
        QVERIFY2(error.contains("is beyond the limits"), qPrintable(error));
    }
}

// Files from every writer at hand, listed, measured, composed and printed through the window.
void TgaTest::everyWriterThroughTheWindow()
{
    using namespace testsupport;
    const QString folder = sandbox->makeFolder("writers");
    const QImage picture = marker(false, false).scaled(600, 300);
    writePicture(folder + "/source.png", picture, "png");
    QStringList names;
    TgaLayout rle;
    rle.type = 10;
    QFile handBuilt(folder + "/hand rle.tga");
    QVERIFY(handBuilt.open(QIODevice::WriteOnly));
    handBuilt.write(encodeTga(picture, rle));
    handBuilt.close();
    names << "hand rle.tga";
    if (const QString convert = tool("convert"); !convert.isEmpty()) {
        QCOMPARE(QProcess::execute(convert, {folder + "/source.png", "-orient", "TopLeft",
                                             "-compress", "RLE", folder + "/magick rle.tga"}),
                 0);
        names << "magick rle.tga";
    }
    const QString python = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    if (!python.isEmpty() && QProcess::execute(python, {"-c", "import PIL"}) == 0) {
        QCOMPARE(QProcess::execute(
                     python, {"-c", QString("from PIL import Image\nImage.open('%1')"
                                            ".save('%2', rle=True)")
                                        .arg(folder + "/source.png", folder + "/pillow rle.tga")}),
                 0);
        names << "pillow rle.tga";
    }
    QFile::remove(folder + "/source.png");

    ModalGuard guard;
    Quorvel dialog;
    dialog.show();
    auto *input = dialog.findChild<QListWidget *>("lstPrintFiles");
    dialog.findChild<QLineEdit *>("lineSourcePath")->setText(folder);
    dialog.findChild<QLineEdit *>("lineDestPath")->setText(folder);
    dialog.fillImageList(folder, input);
    QCOMPARE(input->count(), names.size());
    QVERIFY(waitForThumbnails(input));
    input->clearSelection();
    for (int row = 0; row < input->count(); ++row) {
        QVERIFY(showsThumbnail(input->item(row)));
        QTest::mouseClick(input->viewport(), Qt::LeftButton, Qt::NoModifier,
                          input->visualItemRect(input->item(row)).center());
        QCOMPARE(dialog.findChild<QLineEdit *>("lineIPWidth")->text(), "2.0");
        QCOMPARE(dialog.findChild<QLineEdit *>("lineIPHeight")->text(), "1.0");
    }
    dialog.findChild<QComboBox *>("cmbCopyDirection")->setCurrentIndex(0);
    {
        MessageRecorder recorder;
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnGenerate"), Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].text, "Job Completed");
    }
    // Every copy on the sheet: red top-left quarter, blue bottom-left, one under the other.
    const QImage sheet(folder + "/01.jpg");
    for (int copy = 0; copy < names.size(); ++copy) {
        QCOMPARE(qRed(sheet.pixel(100, copy * 300 + 60)) > 200, true);
        QCOMPARE(qBlue(sheet.pixel(100, copy * 300 + 240)) > 200, true);
    }
    // Renamed, the sheet no longer stands first in the output list, a TGA does: Print reads
    // that through the same reader.
    auto *output = dialog.findChild<QListWidget *>("lstPrintFilesOutput");
    QFile::rename(folder + "/01.jpg", folder + "/sheet.jpg");
    dialog.fillImageList(folder, output);
    QVERIFY(output->item(0)->text().endsWith(".tga"));
    const QString pdf = sandbox->path("tga.pdf");
    printNextToPdfFile(pdf);
    MessageRecorder recorder;
    QTest::mouseClick(dialog.findChild<QPushButton *>("btnPrint"), Qt::LeftButton);
    QVERIFY(recorder.messages.isEmpty());
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(guard.closed(), QStringList());
}

QTEST_MAIN(TgaTest)
#include "tst_tga.moc"
