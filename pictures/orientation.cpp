#include "pictures/orientation.h"

#include <QTransform>

QImageIOHandler::Transformations transformationForOrientation(int orientation)
{
    // Indexed by the tag's value; 0 stands for values outside 1 to 8.
    static const QImageIOHandler::Transformations turns[] = {
        QImageIOHandler::TransformationNone,     QImageIOHandler::TransformationNone,
        QImageIOHandler::TransformationMirror,   QImageIOHandler::TransformationRotate180,
        QImageIOHandler::TransformationFlip,     QImageIOHandler::TransformationFlipAndRotate90,
        QImageIOHandler::TransformationRotate90, QImageIOHandler::TransformationMirrorAndRotate90,
        QImageIOHandler::TransformationRotate270};
    return turns[orientation >= 1 && orientation <= 8 ? orientation : 0];
}

int exifOrientation(const QByteArray &tiff)
{
    if (tiff.size() < 8)
        return 0;
    const bool little = tiff.startsWith("II*");
    if (!little && !tiff.startsWith("MM\0*"))
        return 0;
    const auto *bytes = reinterpret_cast<const uchar *>(tiff.constData());
    auto read = [&](qint64 at, int size) -> quint32 {
        quint32 value = 0;
        for (int i = 0; i < size; ++i)
            value |= quint32(bytes[at + (little ? i : size - 1 - i)]) << (8 * i);
        return value;
    };
    const qint64 directory = read(4, 4);
    if (directory + 2 > tiff.size())
        return 0;
    const quint32 entries = read(directory, 2);
    for (quint32 i = 0; i < entries; ++i) {
        const qint64 entry = directory + 2 + 12 * qint64(i);
        if (entry + 12 > tiff.size())
            return 0;
        // Tag 274, type SHORT, one value, held in the entry itself.
        if (read(entry, 2) == 0x0112 && read(entry + 2, 2) == 3 && read(entry + 4, 4) == 1) {
            const int value = int(read(entry + 8, 2));
            return value >= 1 && value <= 8 ? value : 0;
        }
    }
    return 0;
}

QImage applyTransformation(const QImage &picture, QImageIOHandler::Transformations turn)
{
    if (turn == QImageIOHandler::TransformationNone)
        return picture;
    if (turn == QImageIOHandler::TransformationRotate270)
        return picture.transformed(QTransform().rotate(270));
    QImage turned = picture.mirrored(turn.testFlag(QImageIOHandler::TransformationMirror),
                                     turn.testFlag(QImageIOHandler::TransformationFlip));
    if (turn.testFlag(QImageIOHandler::TransformationRotate90))
        turned = turned.transformed(QTransform().rotate(90));
    return turned;
}
