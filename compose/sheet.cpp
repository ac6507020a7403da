#include "compose/sheet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>

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
                          const PictureLoader &load, SheetTimings *timings)
{
    QElapsedTimer clock;
    clock.start();
    // Adds the time since the last phase ended to one of the counters.
    auto phaseEnds = [&](qint64 SheetTimings::*counter) {
        if (timings)
            timings->*counter += clock.nsecsElapsed();
        clock.restart();
    };
    SheetOutcome outcome;
    if (layout.size.width() <= 0 || layout.size.height() <= 0) {
        outcome.sheetUnusable = true;
        return outcome;
    }
    outcome.sheet = QImage(layout.size, QImage::Format_RGB32);
    if (outcome.sheet.isNull()) {
        outcome.sheetUnusable = true;
        return outcome;
    }
    outcome.sheet.fill(Qt::white);
    outcome.sheet.setDotsPerMeterX(SheetDotsPerMetre);
    outcome.sheet.setDotsPerMeterY(SheetDotsPerMetre);

    const bool inColumn = layout.direction == CopyDirection::TopToBottom;
    QPainter painter(&outcome.sheet);
    QPoint next = layout.margins;
    bool full = false;
    for (const SheetRequest &request : requests) {
        if (request.copies <= 0)
            continue;
        if (full) {
            outcome.copiesLeftOut += request.copies;
            continue;
        }
        phaseEnds(&SheetTimings::paintNs);
        QString whyNot;
        QImage picture = load(request.name, &whyNot);
        phaseEnds(&SheetTimings::loadNs);
        if (picture.isNull()) {
            outcome.unreadable << QStringLiteral("%1 (%2)").arg(request.name, whyNot);
            continue;
        }
        if (inColumn) {
            next.setX(layout.margins.x());
        } else {
            picture = turnForRow(picture);
            phaseEnds(&SheetTimings::turnNs);
            next.setY(layout.margins.y());
        }
        const QSize size = picture.size();
        for (int copy = 0; copy < request.copies; ++copy) {
            const bool fits = inColumn ? next.y() + size.height() <= layout.size.height()
                                       : next.x() + size.width() <= layout.size.width();
            if (!fits) {
                if (outcome.placedCopies == 0)
                    outcome.firstTooLarge =
                        QCoreApplication::translate(
                            "Quorvel", "%1 (%2 x %3 pixels) does not fit in the %4 x %5 "
                                       "pixels inside the margins.")
                            .arg(request.name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(layout.size.width() - layout.margins.x())
                            .arg(layout.size.height() - layout.margins.y());
                outcome.copiesLeftOut += request.copies - copy;
                full = true;
                break;
            }
            painter.drawImage(next, picture);
            drawCuttingLine(painter, QRect(next, size), layout.direction);
            if (inColumn)
                next.ry() += size.height();
            else
                next.rx() += size.width();
            ++outcome.placedCopies;
        }
    }
    painter.end();
    phaseEnds(&SheetTimings::paintNs);
    return outcome;
}

QString completionReport(const SheetOutcome &outcome)
{
    QStringList lines{QStringLiteral("Job Completed")};
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
        if (!outcome.firstTooLarge.isEmpty())
            lines << outcome.firstTooLarge;
    }
    return lines.join(QLatin1Char('\n'));
}
