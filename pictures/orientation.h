#pragma once

#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>

// Cameras and phones store a picture as the sensor read it and record, in an orientation tag
// (EXIF, PNG eXIf, TIFF Orientation: values 1 to 8), how it is to be turned for viewing.

// The turn an orientation value asks for, in Qt's terms; none for values outside 1 to 8.
QImageIOHandler::Transformations transformationForOrientation(int orientation);

// The orientation value in a TIFF-structured block (the body of an EXIF segment after
// "Exif\0\0", or a PNG eXIf chunk): 0 when there is none or the block is malformed.
int exifOrientation(const QByteArray &tiffStructure);

// The picture as it is to be viewed: mirrored and flipped first, then turned a quarter turn
// clockwise, as Qt orders these steps.
QImage applyTransformation(const QImage &picture, QImageIOHandler::Transformations turn);

// A stored size as it is viewed, and back (the same swap).
inline QSize viewedSize(QSize stored, QImageIOHandler::Transformations turn)
{
    return turn.testFlag(QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
}
