#include "pictures/colour.h"
#include "pictures/pictures.h"
#include "testsupport.h"

#include <QColorSpace>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <lcms2.h>

// Pictures as studios have them (TIFF layouts, CMYK, embedded profiles, orientation tags),
// written at run time by Debian's tools and compared, at a few points, with what an
// independent decoder makes of each.
class StudioFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsAsAnIndependentDecoder_data();
    void readsAsAnIndependentDecoder();
    void picturesWithoutAUsableProfileKeepTheirPixels_data();
    void picturesWithoutAUsableProfileKeepTheirPixels();
    void conversionAgreesWithLittleCms_data();
    void conversionAgreesWithLittleCms();

private:
    std::unique_ptr<testsupport::Sandbox> sandbox;
    QString folder;
};

namespace {
// Four flat quarters of colours inside every gamut used, distinct enough to tell all eight
// orientations apart.
QImage referencePicture()
{
    QImage picture(96, 64, QImage::Format_RGB32);
    const QRgb quarters[] = {qRgb(190, 60, 50), qRgb(70, 150, 80), qRgb(60, 80, 170),
                             qRgb(220, 200, 120)};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            picture.setPixel(x, y, quarters[(y >= 32) * 2 + (x >= 48)]);
    // The last two rows unlike the quarter above them: a reader that leaves the last row of a
    // strip, tile or plane unread shows what its buffer held before. Two alike, and in pairs of
    // columns, so that each 2 x 2 block of the half-size read is of one colour.
    for (int y : {62, 63})
        for (int x = 0; x < 96; ++x)
            picture.setPixel(x, y, qRgb(100, 110 + x / 2, 130));
    return picture;
}

// The middles of the four quarters of a picture of `size`.
QList<QPoint> probes(QSize size)
{
    const int w = size.width(), h = size.height();
    return {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
}

// Profiles Qt 6.4 cannot parse or the program used to misjudge, made with LittleCMS: an RGB
// profile that is a table (Adobe RGB sampled on a 33-point grid), the same table beside a
// linear sRGB matrix (LittleCMS uses the table), a linear profile that calls itself sRGB, and a
// grey profile of gamma 1.8 (as a dot-gain profile of an editor).
int tableToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void *toLab)
{
    cmsDoTransform(toLab, in, out, 1);
    return 1;
}

QByteArray saved(cmsHPROFILE profile, const char *description)
{
    cmsMLU *text = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", description);
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

cmsHPROFILE linearSrgb()
{
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsToneCurve *linear = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve *curves[3] = {linear, linear, linear};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(linear);
    return profile;
}

// Adds Adobe RGB, sampled into a table, as the profile's A2B0 tag.
cmsHPROFILE withAdobeTable(cmsHPROFILE profile)
{
    cmsHPROFILE adobe = cmsOpenProfileFromFile("/usr/share/color/icc/colord/AdobeRGB1998.icc", "r");
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab =
        cmsCreateTransform(adobe, TYPE_RGB_16, lab, TYPE_Lab_16, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsPipeline *table = cmsPipelineAlloc(nullptr, 3, 3);
    cmsStage *grid = cmsStageAllocCLut16bit(nullptr, 33, 3, 3, nullptr);
    cmsStageSampleCLut16bit(grid, tableToLab, toLab, 0);
    // Stored as an A2B table needs curves on both sides of the grid: identities here.
    cmsPipelineInsertStage(table, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsPipelineInsertStage(table, cmsAT_END, grid);
    cmsPipelineInsertStage(table, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsSetPCS(profile, cmsSigLabData);
    cmsWriteTag(profile, cmsSigAToB0Tag, table);
    cmsPipelineFree(table);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(adobe);
    return profile;
}

QByteArray tableOnlyProfile()
{
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, cmsSigDisplayClass);
    cmsSetColorSpace(profile, cmsSigRgbData);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    return saved(withAdobeTable(profile), "Adobe RGB as a table");
}

QByteArray greyProfile()
{
    cmsToneCurve *gamma = cmsBuildGamma(nullptr, 1.8);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), gamma);
    cmsFreeToneCurve(gamma);
    return saved(profile, "Grey gamma 1.8");
}

int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}
} // namespace

void StudioFilesTest::initTestCase()
{
    sandbox = std::make_unique<testsupport::Sandbox>();
    folder = sandbox->makeFolder("studio");
    writePicture(folder + "/reference.png", referencePicture());
    QFile p3(folder + "/p3.icc");
    QVERIFY(p3.open(QIODevice::WriteOnly));
    p3.write(QColorSpace(QColorSpace::DisplayP3).iccProfile());
    p3.close();
    const struct
    {
        const char *name;
        QByteArray bytes;
    } profiles[] = {{"table-rgb.icc", tableOnlyProfile()},
                    {"matrix-and-table.icc", saved(withAdobeTable(linearSrgb()), "sRGB")},
                    {"linear-named-srgb.icc", saved(linearSrgb(), "sRGB-elle-V2-g10")},
                    {"grey-gamma-1.8.icc", greyProfile()}};
    for (const auto &profile : profiles) {
        QFile file(folder + "/" + profile.name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(profile.bytes);
    }
    QProcess maker;
    maker.setProcessChannelMode(QProcess::ForwardedChannels);
    maker.start("/usr/bin/python3", {MAKE_STUDIO_FILES, folder});
    QVERIFY(maker.waitForFinished(120000));
    QCOMPARE(maker.exitCode(), 0);
}

void StudioFilesTest::readsAsAnIndependentDecoder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("tolerance");
    QFile manifest(folder + "/manifest.tsv");
    QVERIFY(manifest.open(QIODevice::ReadOnly));
    for (const QByteArray &line : manifest.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 3)
            QTest::newRow(fields[0].constData())
                << QString(fields[0]) << QString(fields[1]) << fields[2].toInt();
    }
}

void StudioFilesTest::readsAsAnIndependentDecoder()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QFETCH(int, tolerance);
    const QString path = folder + "/" + file;
    const QImage reference(folder + "/" + expected);
    QVERIFY(!reference.isNull());
    QString why;
    const QImage picture = readPicture(path, &why);
    QVERIFY2(!picture.isNull(), qPrintable(why));
    QCOMPARE(picture.size(), reference.size());
    QCOMPARE(viewedPictureSize(path), reference.size());
    // Every pixel, edges and transparency included.
    const QImage read = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage wanted = reference.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < wanted.height(); ++y)
        for (int x = 0; x < wanted.width(); ++x)
            QUORVEL_VERIFY_PIXEL(difference(read.pixel(x, y), wanted.pixel(x, y)) <= tolerance,
                                 qPrintable(QString("at %1,%2: %3 against %4")
                                                .arg(x)
                                                .arg(y)
                                                .arg(read.pixel(x, y), 8, 16)
                                                .arg(wanted.pixel(x, y), 8, 16)));
    // The thumbnail path (scaled decoding, then turned) agrees.
    PictureFile scaled(path);
    const QSize half = reference.size() / 2;
    const QImage small = scaled.read(half).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(small.size(), half);
    // Every pixel of it, first and last rows included, is the average of its 2 x 2 block, as
    // the row-by-row shrinking averages them. JPEG decodes at half size inside libjpeg, whose
    // scaled transform blurs the quarters' edges: there the middles of the quarters count.
    const bool scaledByLibjpeg = file.endsWith(".jpg");
    for (int y = 0; y < half.height(); ++y)
        for (int x = 0; x < half.width(); ++x) {
            if (scaledByLibjpeg && !probes(half).contains(QPoint(x, y)))
                continue;
            int sums[4] = {};
            for (const QPoint at : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb pixel = wanted.pixel(2 * x + at.x(), 2 * y + at.y());
                sums[0] += qRed(pixel), sums[1] += qGreen(pixel), sums[2] += qBlue(pixel);
                sums[3] += qAlpha(pixel);
            }
            const QRgb average =
                qRgba((sums[0] + 2) / 4, (sums[1] + 2) / 4, (sums[2] + 2) / 4, (sums[3] + 2) / 4);
            // Premultiplied: the colour of a nearly transparent pixel is of no account.
            QVERIFY2(difference(qPremultiply(small.pixel(x, y)), qPremultiply(average)) <=
                         tolerance + 6,
                     qPrintable(QString("at %1,%2 of the half-size read").arg(x).arg(y)));
        }
}

void StudioFilesTest::picturesWithoutAUsableProfileKeepTheirPixels_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name :
         {"no-profile.jpg", "srgb-profile.jpg", "broken-profile.jpg", "odd-space-profile.jpg",
          "cmyk-profile-on-rgb.jpg", "grey-profile-on-rgb.jpg", "reference.png"})
        QTest::newRow(name) << QString(name);
}

// Exactly the pixels Qt decodes: sheets of ordinary files come out as they always did.
void StudioFilesTest::picturesWithoutAUsableProfileKeepTheirPixels()
{
    QFETCH(QString, file);
    const QString path = folder + "/" + file;
    const QImage plain = QImage(path).convertToFormat(QImage::Format_RGB32);
    const QImage read = readPicture(path).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(read.size(), plain.size());
    for (int y = 0; y < plain.height(); ++y)
        QVERIFY(std::memcmp(read.constScanLine(y), plain.constScanLine(y),
                            size_t(plain.width()) * 4) == 0);
}

void StudioFilesTest::conversionAgreesWithLittleCms_data()
{
    QTest::addColumn<QByteArray>("profile");
    auto read = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QTest::newRow("Adobe RGB") << read("/usr/share/color/icc/colord/AdobeRGB1998.icc");
    QTest::newRow("ProPhoto") << read("/usr/share/color/icc/colord/ProPhotoRGB.icc");
    QTest::newRow("Display P3") << QColorSpace(QColorSpace::DisplayP3).iccProfile();
    QTest::newRow("Rec. 709") << read("/usr/share/color/icc/colord/Rec709.icc");
    // Colorants no real profile has (found by the fuzzer): the sums must not overflow.
    cmsHPROFILE wild = linearSrgb();
    const cmsCIEXYZ huge{5000, 4000, 3000};
    cmsWriteTag(wild, cmsSigRedColorantTag, &huge);
    QTest::newRow("colorants beyond reason") << saved(wild, "wild");
}

// Matrix-shaper profiles are converted by the program's own evaluation of the profile: it
// must give what LittleCMS's transform gives, over a grid of the whole RGB cube.
void StudioFilesTest::conversionAgreesWithLittleCms()
{
    QFETCH(QByteArray, profile);
    QVERIFY(!profile.isEmpty());
    QImage grid(64, 512, QImage::Format_RGB32);
    for (int i = 0; i < 32768; ++i)
        grid.setPixel(i % 64, i / 64,
                      qRgb((i & 31) * 255 / 31, ((i >> 5) & 31) * 255 / 31, (i >> 10) * 255 / 31));
    QImage converted = grid;
    QVERIFY(convertToSrgb(converted, profile));

    cmsHPROFILE source =
        cmsOpenProfileFromMem(profile.constData(), cmsUInt32Number(profile.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform =
        cmsCreateTransform(source, TYPE_BGRA_8, srgb, TYPE_BGRA_8, INTENT_RELATIVE_COLORIMETRIC,
                           cmsFLAGS_BLACKPOINTCOMPENSATION);
    QImage expected = grid.copy();
    for (int y = 0; y < expected.height(); ++y)
        cmsDoTransform(transform, expected.scanLine(y), expected.scanLine(y), 64);
    cmsDeleteTransform(transform);
    cmsCloseProfile(srgb);
    cmsCloseProfile(source);
    int worst = 0;
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x)
            worst = std::max(worst, difference(converted.pixel(x, y), expected.pixel(x, y)));
    QVERIFY2(worst <= 1, qPrintable(QString("off by %1").arg(worst)));
}

QTEST_MAIN(StudioFilesTest)
#include "tst_studiofiles.moc"
