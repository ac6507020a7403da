#include "compose/sheet.h"

#include "compose/placement.h"
#include "compose/sheetparts.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

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

SheetBand wholeSheet(QImage &sheet)
{
    return SheetBand{sheet.bits(), sheet.bytesPerLine(), sheet.width(), 0, sheet.height()};
}

namespace {
// A premultiplied channel over an opaque one, rounded as Qt's raster engine rounds it.
inline uchar over(uint source, uint destination, uint transparency)
{
    const uint product = destination * transparency;
    return uchar(source + ((product + (product >> 8) + 0x80) >> 8));
}

// Paints `part` of a premultiplied picture over the band with the part's corner at `at`.
void paintOver(const SheetBand &band, const QImage &picture, QPoint at, QRect part)
{
    const QRect area = QRect(at, part.size()) & band.area();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb *in =
            reinterpret_cast<const QRgb *>(picture.constScanLine(part.top() + y - at.y())) +
            part.left() + area.left() - at.x();
        uchar *out = band.at(area.left(), y);
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

bool turnedWhileCopied(QImage::Format format, bool turned)
{
    return turned && format != QImage::Format_ARGB32_Premultiplied;
}
} // namespace

QImage copyPixels(const QImage &decoded, bool turned)
{
    if (decoded.hasAlphaChannel()) {
        const QImage premultiplied = convertHere(decoded, QImage::Format_ARGB32_Premultiplied);
        return turned ? turnForRow(premultiplied) : premultiplied;
    }
    // Through 32 bits, as every reader's colours are meant.
    return convertHere(convertHere(decoded, QImage::Format_RGB32), QImage::Format_RGB888);
}

int rowsNeeded(const QImage::Format format, const QRect &area, const SheetBand &band, bool turned)
{
    // Turned while copied, every sheet row of a copy is a column of the whole picture.
    if (turnedWhileCopied(format, turned))
        return area.width();
    return std::clamp(band.top + band.rows - area.top(), 0, area.height());
}

void drawCopy(const SheetBand &band, const QImage &pixels, const QRect &area, bool turned)
{
    const QRect part = area & band.area();
    if (part.isEmpty())
        return;
    if (pixels.format() == QImage::Format_ARGB32_Premultiplied) {
        paintOver(band, pixels, area.topLeft(), pixels.rect());
        return;
    }
    const uchar *bits = pixels.constBits();
    const qsizetype stride = pixels.bytesPerLine();
    if (!turned) {
        for (int y = part.top(); y <= part.bottom(); ++y)
            std::memcpy(band.at(part.left(), y),
                        bits + qsizetype(y - area.top()) * stride +
                            3 * qsizetype(part.left() - area.left()),
                        size_t(part.width()) * 3);
        return;
    }
    // Turned a quarter turn clockwise: sheet row y is picture column y - top, read from the
    // picture's last row upwards as x grows; taken a picture row at a time.
    const int lastRow = pixels.height() - 1;
    for (int x = part.left(); x <= part.right(); ++x) {
        const uchar *in = bits + qsizetype(lastRow - (x - area.left())) * stride +
                          3 * qsizetype(part.top() - area.top());
        for (int y = part.top(); y <= part.bottom(); ++y, in += 3) {
            uchar *out = band.at(x, y);
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
}

void CuttingLineStamp::stamp(const SheetBand &band, const QRect &area) const
{
    paintOver(band, strip, area.topLeft() - QPoint(Margin, Margin), strip.rect());
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
    // Each picture's copies are drawn as soon as it is loaded, each followed by its cutting line.
    const bool turned = layout.direction == CopyDirection::RotateLeftToRight;
    CopyPlacer placer(layout, outcome);
    auto sheetFor = [&](int sheet) -> QImage * {
        while (outcome.sheets.size() <= sheet)
            outcome.sheets << blankSheet(layout.size);
        return outcome.sheets[sheet].isNull() ? nullptr : &outcome.sheets[sheet];
    };
    bool allocated = true;
    for (const SheetRequest &request : requests) {
        if (!placer.wants(request))
            continue;
        QString whyNot;
        const QImage picture = load(request.name, &whyNot);
        if (picture.isNull()) {
            outcome.unreadable << QStringLiteral("%1 (%2)").arg(request.name, whyNot);
            continue;
        }
        const QSize size = placedSize(picture.size(), turned);
        const QVector<PlacedCopy> copies = placer.place(request.name, size, request.copies);
        if (copies.isEmpty())
            continue;
        const QImage pixels = copyPixels(picture, turned);
        const CuttingLineStamp cuttingLine(size, layout.direction);
        for (const PlacedCopy &copy : copies) {
            QImage *sheet = sheetFor(copy.sheet);
            allocated = allocated && sheet && !pixels.isNull();
            if (!allocated)
                break;
            const SheetBand band = wholeSheet(*sheet);
            drawCopy(band, pixels, copy.area, turned);
            cuttingLine.stamp(band, copy.area);
        }
    }
    const CopyDirection across =
        turned ? CopyDirection::TopToBottom : CopyDirection::RotateLeftToRight;
    for (const Lane &lane : placer.lanes()) {
        if (QImage *sheet = allocated ? sheetFor(lane.sheet) : nullptr)
            CuttingLineStamp(lane.area.size(), across).stamp(wholeSheet(*sheet), lane.area);
    }
    if (!allocated) {
        outcome.sheets.clear();
        outcome.sheetUnusable = true;
        outcome.placedCopies = 0;
        outcome.sheetCount = 0;
    }
    return outcome;
}

QString completionReport(const SheetOutcome &outcome, bool moreSheets)
{
    QStringList lines{QCoreApplication::translate("Quorvel", "Job Completed")};
    if (moreSheets)
        lines << (outcome.sheetCount == 1
                      ? QCoreApplication::translate("Quorvel", "1 sheet was written: 01.jpg.")
                      : QCoreApplication::translate("Quorvel",
                                                    "%n sheets were written: 01.jpg to %1.",
                                                    nullptr, outcome.sheetCount)
                            .arg(QString::asprintf("%02d.jpg", outcome.sheetCount)));
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
    if (outcome.copiesLeftOut > 0 && !moreSheets)
        lines << QCoreApplication::translate("Quorvel",
                                             "With \u201cMore sheets\u201d they continue on "
                                             "further sheets.");
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
