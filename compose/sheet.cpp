#include "compose/sheet.h"

#include "compose/sheetparts.h"
#include "pictures/runaside.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <future>
#include <optional>

int inchesToPixels(const QString &inches)
{
    bool isNumber = false;
    const double value = inches.toDouble(&isNumber);
    if (!isNumber)
        return 0;
    // Decimal inches are rarely exact doubles: 8.27 is stored as 8.2699999999999996, whose
    // product with 300 rounds up to 2481.0. The fused multiply-add yields the rounding error
    // of that product exactly, which decides the truncation.
    const double product = value * SheetDotsPerInch;
    if (!std::isfinite(product) || product <= 0 || product >= double(INT_MAX))
        return 0;
    const double error = std::fma(value, double(SheetDotsPerInch), -product);
    double pixels = std::trunc(product);
    if (pixels == product && error < 0)
        pixels -= 1;
    return int(pixels);
}

QImage turnForRow(const QImage &picture)
{
    return picture.transformed(QTransform().rotate(90.0, Qt::ZAxis), Qt::FastTransformation);
}

QImage blankSheet(QSize size)
{
    QImage sheet(size, QImage::Format_RGB888);
    if (!sheet.isNull()) {
        sheet.fill(Qt::white);
        sheet.setDotsPerMeterX(SheetDotsPerMetre);
        sheet.setDotsPerMeterY(SheetDotsPerMetre);
        // Pictures are placed in sRGB; the JPEG writer embeds this as an ICC profile.
        sheet.setColorSpace(QColorSpace::SRgb);
    }
    return sheet;
}

QImage convertHere(const QImage &picture, QImage::Format format)
{
    if (picture.format() == format)
        return picture;
    QImage converted(picture.size(), format);
    if (converted.isNull())
        return converted;
    // Qt converts 65536 pixels or more on its thread pool; a row of a picture is fewer.
    const qsizetype rowBytes =
        std::min(converted.bytesPerLine(), qsizetype(picture.width()) * converted.depth() / 8);
    for (int y = 0; y < picture.height(); ++y) {
        QImage row(picture.constScanLine(y), picture.width(), 1, picture.bytesPerLine(),
                   picture.format());
        row.setColorTable(picture.colorTable());
        std::memcpy(converted.scanLine(y), row.convertToFormat(format).constScanLine(0),
                    size_t(rowBytes));
    }
    return converted;
}

namespace {
// A premultiplied channel over an opaque one, rounded as Qt's raster engine rounds it.
inline uchar over(uint source, uint destination, uint transparency)
{
    const uint product = destination * transparency;
    return uchar(source + ((product + (product >> 8) + 0x80) >> 8));
}
} // namespace

void paintOver(const SheetPixels &sheet, const QImage &picture, QPoint at, QRect part)
{
    const QRect area = QRect(at, part.size()) & QRect(QPoint(0, 0), sheet.size);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb *in =
            reinterpret_cast<const QRgb *>(picture.constScanLine(part.top() + y - at.y())) +
            part.left() + area.left() - at.x();
        uchar *out = sheet.bits + y * sheet.stride + 3 * qsizetype(area.left());
        for (int x = area.left(); x <= area.right(); ++x, ++in, out += 3) {
            const QRgb pixel = *in;
            const uint transparency = 255 - qAlpha(pixel);
            if (transparency == 0) {
                out[0] = uchar(qRed(pixel));
                out[1] = uchar(qGreen(pixel));
                out[2] = uchar(qBlue(pixel));
            } else if (pixel != 0) {
                out[0] = over(qRed(pixel), out[0], transparency);
                out[1] = over(qGreen(pixel), out[1], transparency);
                out[2] = over(qBlue(pixel), out[2], transparency);
            }
        }
    }
}

namespace {
// Writes an opaque 32-bit picture onto the sheet with its top-left corner at `at`, turned a
// quarter turn clockwise when `turned`, clipped to the sheet. The pixels are those that
// painting the picture (or turnForRow(picture)) gives; turning while copying saves making the
// turned picture first, and the rows are shared between two threads.
void copyOpaque(const SheetPixels &sheet, const QImage &picture, QPoint at, bool turned)
{
    const QSize placed = placedSize(picture.size(), turned);
    const QRect area = QRect(at, placed) & QRect(QPoint(0, 0), sheet.size);
    if (area.isEmpty())
        return;
    const qsizetype stride = picture.bytesPerLine();
    const uchar *bits = picture.constBits();
    const int lastRow = picture.height() - 1;
    auto copyRows = [&](int top, int bottom) {
        for (int y = top; y <= bottom; ++y) {
            uchar *out = sheet.bits + y * sheet.stride + 3 * area.left();
            // Straight, a sheet row is a picture row; turned, it is a picture column, read
            // from the bottom row upwards.
            const uchar *in = turned ? bits + qsizetype(lastRow - (area.left() - at.x())) * stride +
                                           qsizetype(y - at.y()) * 4
                                     : bits + qsizetype(y - at.y()) * stride +
                                           qsizetype(area.left() - at.x()) * 4;
            const qsizetype step = turned ? -stride : 4;
            for (int x = area.left(); x <= area.right(); ++x, in += step, out += 3) {
                const QRgb pixel = *reinterpret_cast<const QRgb *>(in);
                out[0] = uchar(qRed(pixel));
                out[1] = uchar(qGreen(pixel));
                out[2] = uchar(qBlue(pixel));
            }
        }
    };
    const int middle = area.top() + area.height() / 2;
    std::future<void> upper = runAside([&] { copyRows(area.top(), middle - 1); });
    copyRows(middle, area.bottom());
    upper.get();
}
} // namespace

void placeCopies(const SheetPixels &sheet, const SheetLayout &layout, QImage picture,
                 const QVector<QPoint> &corners, bool lines)
{
    const bool turned = layout.direction == CopyDirection::RotateLeftToRight;
    const QSize size = placedSize(picture.size(), turned);
    const bool opaque = !picture.hasAlphaChannel();
    if (opaque) {
        picture = convertHere(picture, QImage::Format_RGB32);
    } else {
        picture = convertHere(picture, QImage::Format_ARGB32_Premultiplied);
        if (turned)
            picture = turnForRow(picture);
    }
    const CuttingLineStamp cuttingLine(size, layout.direction);
    for (const QPoint at : corners) {
        if (opaque)
            copyOpaque(sheet, picture, at, turned);
        else
            paintOver(sheet, picture, at, picture.rect());
        if (lines)
            cuttingLine.stamp(sheet, at);
    }
}

void CuttingLineStamp::stamp(const SheetPixels &sheet, QPoint copyCorner,
                             const QRegion &within) const
{
    const QPoint origin = copyCorner - QPoint(Margin, Margin);
    for (const QRect &part : within &QRect(origin, strip.size()))
        paintOver(sheet, strip, part.topLeft(), part.translated(-origin));
}

CuttingLineStamp::CuttingLineStamp(QSize copy, CopyDirection direction)
{
    const int across = 2 * Margin + 2;
    strip = QImage(direction == CopyDirection::TopToBottom
                       ? QSize(copy.width() + 2 * Margin + 1, across)
                       : QSize(across, copy.height() + 2 * Margin + 1),
                   QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    drawCuttingLine(painter, QRect(QPoint(Margin, Margin), copy), direction);
}

namespace {
// The sheet less its margins; a side is 0 or less when a margin reaches past the sheet.
QSize roomInsideMargins(const SheetLayout &layout)
{
    auto side = [](int sheet, int margin) {
        return int(std::clamp<qint64>(qint64(sheet) - margin, INT_MIN, INT_MAX));
    };
    return QSize(side(layout.size.width(), layout.margins.x()),
                 side(layout.size.height(), layout.margins.y()));
}
} // namespace

CopyPlacer::CopyPlacer(const SheetLayout &layout, SheetOutcome &outcome)
    : layout(layout), outcome(outcome), nextX(layout.margins.x()), nextY(layout.margins.y())
{}

bool CopyPlacer::wants(const SheetRequest &request)
{
    if (request.copies > 0 && full)
        outcome.copiesLeftOut += request.copies;
    return request.copies > 0 && !full;
}

QVector<QPoint> CopyPlacer::place(const QString &name, QSize size, int copies)
{
    const bool inColumn = layout.direction == CopyDirection::TopToBottom;
    if (inColumn)
        nextX = layout.margins.x();
    else
        nextY = layout.margins.y();
    QVector<QPoint> corners;
    for (int copy = 0; copy < copies; ++copy) {
        const bool fits = inColumn ? nextY + size.height() <= layout.size.height()
                                   : nextX + size.width() <= layout.size.width();
        if (!fits) {
            if (outcome.placedCopies == 0)
                outcome.firstTooLarge = {name, size, roomInsideMargins(layout)};
            outcome.copiesLeftOut += copies - copy;
            full = true;
            break;
        }
        const bool onSheet = nextX < layout.size.width() && nextX + size.width() > 0 &&
                             nextY < layout.size.height() && nextY + size.height() > 0;
        if (onSheet) {
            // On the sheet, so both coordinates are within a picture's side of it.
            corners << QPoint(int(nextX), int(nextY));
            ++outcome.placedCopies;
        } else {
            ++outcome.copiesOutside;
            ++outcome.copiesLeftOut;
        }
        if (inColumn)
            nextY += size.height();
        else
            nextX += size.width();
    }
    return corners;
}

void drawCuttingLine(QPainter &painter, const QRect &copy, CopyDirection direction)
{
    static const QPen whitePen(QBrush(Qt::white), 2.0, Qt::DashDotLine, Qt::RoundCap,
                               Qt::RoundJoin);
    static const QPen blackPen(QBrush(Qt::black), 2.0, Qt::DashDotLine, Qt::RoundCap,
                               Qt::RoundJoin);
    const int x = copy.x();
    const int y = copy.y();
    if (direction == CopyDirection::TopToBottom) {
        painter.setPen(whitePen);
        painter.drawLine(x, y, x + copy.width(), y);
        painter.setPen(blackPen);
        painter.drawLine(x, y + 1, x + copy.width(), y + 1);
    } else {
        painter.setPen(whitePen);
        painter.drawLine(x, y, x, y + copy.height());
        painter.setPen(blackPen);
        painter.drawLine(x + 1, y, x + 1, y + copy.height());
    }
}

SheetOutcome composeSheet(const SheetLayout &layout, const QVector<SheetRequest> &requests,
                          const PictureLoader &load)
{
    SheetOutcome outcome;
    outcome.margins = layout.margins;
    if (layout.size.width() <= 0 || layout.size.height() <= 0) {
        outcome.sheetUnusable = true;
        return outcome;
    }
    // The blank sheet is made on another core while the first picture loads.
    std::future<QImage> blank = runAside([&layout] { return blankSheet(layout.size); });
    std::optional<SheetPixels> pixels;
    // Waits for the blank sheet the first time; false when it could not be allocated.
    auto sheetReady = [&] {
        if (blank.valid()) {
            outcome.sheet = blank.get();
            if (!outcome.sheet.isNull())
                pixels.emplace(outcome.sheet);
        }
        return !outcome.sheet.isNull();
    };

    const bool turned = layout.direction == CopyDirection::RotateLeftToRight;
    CopyPlacer placer(layout, outcome);
    for (const SheetRequest &request : requests) {
        if (!placer.wants(request))
            continue;
        QString whyNot;
        QImage picture = load(request.name, &whyNot);
        if (picture.isNull()) {
            outcome.unreadable << QStringLiteral("%1 (%2)").arg(request.name, whyNot);
            continue;
        }
        const QSize size = placedSize(picture.size(), turned);
        const QVector<QPoint> corners = placer.place(request.name, size, request.copies);
        if (corners.isEmpty())
            continue;
        if (!sheetReady())
            break;
        placeCopies(*pixels, layout, std::move(picture), corners, true);
    }
    if (!sheetReady()) {
        outcome.sheetUnusable = true;
        outcome.placedCopies = 0;
    }
    return outcome;
}

QString completionReport(const SheetOutcome &outcome)
{
    QStringList lines{QCoreApplication::translate("Quorvel", "Job Completed")};
    for (const QString &skipped : outcome.unreadable)
        lines << QCoreApplication::translate("Quorvel", "Skipped, could not be read: %1")
                     .arg(skipped);
    if (outcome.copiesLeftOut == 1)
        lines << QCoreApplication::translate("Quorvel",
                                             "1 copy did not fit on the sheet and was left out.");
    else if (outcome.copiesLeftOut > 1)
        lines << QCoreApplication::translate(
                     "Quorvel", "%1 copies did not fit on the sheet and were left out.")
                     .arg(outcome.copiesLeftOut);
    return lines.join(QLatin1Char('\n'));
}

QString nothingPlacedReport(const SheetOutcome &outcome, const QVector<SheetRequest> &requests)
{
    QStringList lines{QCoreApplication::translate("Quorvel", "No sheet was written.")};
    if (outcome.sheetUnusable) {
        lines << QCoreApplication::translate("Quorvel", "The sheet size is not usable.");
    } else if (requests.isEmpty()) {
        lines << QCoreApplication::translate("Quorvel", "No picture is selected.");
    } else {
        const bool anyCopies = std::any_of(requests.begin(), requests.end(),
                                           [](const SheetRequest &r) { return r.copies > 0; });
        if (!anyCopies)
            lines << QCoreApplication::translate("Quorvel",
                                                 "Every selected picture is set to 0 copies.");
        for (const QString &skipped : outcome.unreadable)
            lines << QCoreApplication::translate("Quorvel", "Could not be read: %1").arg(skipped);
        const auto &tooLarge = outcome.firstTooLarge;
        if (outcome.copiesOutside > 0 || (!tooLarge.name.isEmpty() && tooLarge.room.isEmpty()))
            lines << QCoreApplication::translate("Quorvel", "The margins (left %1, top %2 pixels) "
                                                            "put the copies outside the sheet.")
                         .arg(outcome.margins.x())
                         .arg(outcome.margins.y());
        else if (!tooLarge.name.isEmpty())
            lines << QCoreApplication::translate("Quorvel", "%1 (%2 x %3 pixels) does not fit in "
                                                            "the %4 x %5 pixels inside the "
                                                            "margins.")
                         .arg(tooLarge.name)
                         .arg(tooLarge.size.width())
                         .arg(tooLarge.size.height())
                         .arg(tooLarge.room.width())
                         .arg(tooLarge.room.height());
    }
    return lines.join(QLatin1Char('\n'));
}
