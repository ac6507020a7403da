#include "lists/thumbnails.h"

#include "app/pictures.h"

#include <QImageReader>

QSize thumbnailSize(QSize stored, int edge)
{
    const int w = stored.width();
    const int h = stored.height();
    if (w > h)
        return QSize(edge, int(double(edge) / w * h));
    if (h > w)
        return QSize(int(double(edge) / h * w), edge);
    return QSize(edge, edge);
}

QImage decodeThumbnail(const QString &path, int edge)
{
    QImageReader reader(path);
    if (!acceptPictureReader(reader))
        return QImage();
    reader.setScaledSize(thumbnailSize(reader.size(), edge));
    return reader.read();
}
