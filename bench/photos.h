#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Photo-like content: soft gradients, overlapping translucent shapes and sensor-like noise, so
// that JPEG sizes and decode times resemble camera pictures rather than flat colour.
QImage photoLikePicture(QSize size, quint32 seed);

// Writes a picture in the named Qt format ("jpeg" at quality 90, or "png", "tiff"); exits the
// benchmark with a message when it cannot.
void writeBenchPicture(const QImage &picture, const QString &path, const char *format);

// Median of the samples, in milliseconds.
double medianMs(QList<qint64> nanoseconds);
