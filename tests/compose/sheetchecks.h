#pragma once

#include "compose/sheet.h"
#include "compose/sheetfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <algorithm>

// What the sheet tests look at in a composed sheet.
namespace sheetchecks {

inline const QSize A4(2480, 3506);

// The mark the Go's sheets carry in these tests.
inline SheetMark testMark()
{
    return SheetMark{"0123456789abcdef", 0, 0, "A4", QSizeF(210, 297)};
}

// The bytes Qt's JPEG writer writes for a sheet carrying `mark` as sheet `number` of `sheets`.
inline QByteArray writtenByQt(QImage sheet, int number, int sheets, SheetMark mark = testMark())
{
    mark.sheet = number;
    mark.sheets = sheets;
    sheet.setText(SheetMarkKey, markText(mark));
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, "jpeg");
    writer.setQuality(80);
    writer.write(sheet);
    return bytes.data();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when the sheet shows `picture` unchanged over `area` (in picture coordinates) with
// the picture's top-left corner at `at`.
inline bool showsPicture(const QImage &sheet, QPoint at, const QImage &picture, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (sheet.pixel(at.x() + x, at.y() + y) != picture.pixel(x, y))
                return false;
        }
    }
    return true;
}

// The largest difference of the two colours' channels.
inline int difference(QRgb a, QRgb b)
{
    return std::max(
        {qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
}

inline bool isWhite(const QImage &sheet, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (sheet.pixel(x, y) != qRgb(255, 255, 255))
                return false;
        }
    }
    return true;
}

// The copy's picture area that no cutting line touches: all but its two leading rows (column)
// or columns (row), and the trailing one, where the next copy's white line may fall.
inline QRect untouchedArea(QSize size, CopyDirection direction)
{
    return direction == CopyDirection::TopToBottom ? QRect(0, 2, size.width(), size.height() - 3)
                                                   : QRect(2, 0, size.width() - 3, size.height());
}

// A picture whose every pixel differs from its neighbours, so that a copy placed one pixel
// off, or turned the wrong way, cannot match.
inline QImage patternPicture(QSize size, int tag)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7 + tag * 40) % 251, (y * 5 + tag * 13) % 241, tag * 50 % 256);
    }
    return picture;
}

// Pictures in memory by name, counting each load.
struct Pictures
{
    QHash<QString, QImage> byName;
    QStringList loads;
    PictureLoader loader()
    {
        return [this](const QString &name, QString *whyNot) {
            loads << name;
            if (!byName.contains(name))
                *whyNot = "file not found";
            return byName.value(name);
        };
    }
};

} // namespace sheetchecks
