// libFuzzer target over every path that reads bytes from outside: the thumbnail maker, the
// selection summary's size reader, the sheet loader (which also serves printing, and takes in
// the TIFF reader, embedded profiles and orientation tags) and the TGA decoder. The first input
// byte picks the file name's suffix, the rest is the file.
#include "lists/thumbnails.h"
#include "pictures/pictures.h"
#include "pictures/tga.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {
QTemporaryDir *scratch = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    raiseImageAllocationLimit();
    scratch = new QTemporaryDir(QStringLiteral("/dev/shm/quorvel-fuzz-XXXXXX"));
    if (!scratch->isValid())
        scratch = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const char *const suffixes[] = {"jpg", "png", "tif", "tga"};
    const QString path = scratch->filePath(QStringLiteral("input.") + suffixes[data[0] % 4]);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            return 0;
    }
    decodeThumbnail(path, ThumbnailEdge);
    viewedPictureSize(path);
    readPicture(path);
    decodeTga(bytes, QSize(), nullptr);
    decodeTga(bytes, QSize(37, 21), nullptr);
    return 0;
}
