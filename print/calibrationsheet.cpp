#include "print/calibrationsheet.h"

#include "compose/sheet.h"
#include "print/calibration.h"
#include "print/printerprofile.h"
#include "print/printsheet.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextStream>
#include <algorithm>

namespace {
constexpr double PixelsPerMm = SheetDotsPerInch / 25.4;

int mm(double millimetres)
{
    return qRound(millimetres * PixelsPerMm);
}

// A 200 mm scale from `origin` along `along` (a unit step, right or down), its ticks to the
// `across` side: 2.5 mm each millimetre, 4 mm each 5, 7 mm each 10 with its number. The main
// line covers exactly the 200 mm, from the first tick's outer edge to the last one's, and the
// ticks (2 pixels wide) stay within it.
void drawScale(QPainter &painter, QPoint origin, QPoint along, QPoint across)
{
    const int length = mm(CalibrationScaleMm);
    auto strip = [&](int from, int to, int width) {
        const QPoint corner = origin + along * from;
        const QPoint extent = along * (to - from) + across * width;
        painter.fillRect(QRect(corner, QSize(std::max(extent.x(), 1), std::max(extent.y(), 1))),
                         Qt::black);
    };
    strip(0, length, 3);
    QFont numbers = painter.font();
    numbers.setPixelSize(mm(3));
    painter.setFont(numbers);
    for (int millimetre = 0; millimetre <= int(CalibrationScaleMm); ++millimetre) {
        const int at = std::clamp(mm(millimetre) - 1, 0, length - 2);
        const int tick = millimetre % 10 == 0 ? mm(7) : millimetre % 5 == 0 ? mm(4) : mm(2.5);
        strip(at, at + 2, tick);
        if (millimetre % 10 == 0) {
            const QPoint end = origin + along * mm(millimetre) + across * (tick + mm(1));
            const QRect label(end.x() - mm(5), end.y() - mm(2), mm(10), mm(4));
            painter.drawText(across.x() != 0 ? label.translated(mm(4) * across.x(), 0) : label,
                             Qt::AlignCenter, QString::number(millimetre));
        }
    }
}

void drawFrame(QPainter &painter, QRect frame, const QString &label)
{
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(frame);
    painter.drawText(frame.adjusted(0, 0, 0, mm(8)), Qt::AlignBottom | Qt::AlignHCenter, label);
}
} // namespace

QImage calibrationSheet(const QString &printerName, const QDate &date)
{
    // A4 as the program lays sheets out: 8.27 x 11.69 inches at 300 dpi.
    QImage sheet(inchesToPixels(QStringLiteral("8.27")), inchesToPixels(QStringLiteral("11.69")),
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    sheet.setDotsPerMeterX(SheetDotsPerMetre);
    sheet.setDotsPerMeterY(SheetDotsPerMetre);
    QPainter painter(&sheet);
    QFont text = painter.font();
    text.setPixelSize(mm(4));
    painter.setFont(text);
    auto say = [](const char *words) { return QCoreApplication::translate("Quorvel", words); };

    const int left = (sheet.width() - mm(CalibrationScaleMm)) / 2;
    painter.drawText(QRect(left, mm(8), mm(200), mm(8)), Qt::AlignLeft | Qt::AlignVCenter,
                     say(QT_TRANSLATE_NOOP("Quorvel", "Printer calibration: %1, %2"))
                         .arg(printerName, QLocale().toString(date, QLocale::ShortFormat)));
    painter.drawText(QRect(left, mm(18), mm(200), mm(6)), Qt::AlignLeft | Qt::AlignVCenter,
                     say(QT_TRANSLATE_NOOP("Quorvel", "ACROSS: measure this scale from 0 to 200")));
    drawScale(painter, QPoint(left, mm(26)), QPoint(1, 0), QPoint(0, 1));

    const int top = mm(50);
    painter.save();
    painter.translate(mm(14), top + mm(CalibrationScaleMm) / 2);
    painter.rotate(-90);
    painter.drawText(QRect(-mm(100), -mm(3), mm(200), mm(6)), Qt::AlignCenter,
                     say(QT_TRANSLATE_NOOP("Quorvel", "DOWN: measure this scale from 0 to 200")));
    painter.restore();
    drawScale(painter, QPoint(mm(22), top), QPoint(0, 1), QPoint(1, 0));

    // Frames of the common sizes, to be checked by eye or ruler.
    drawFrame(painter, QRect(mm(70), top + mm(10), mm(35), mm(45)),
              say(QT_TRANSLATE_NOOP("Quorvel", "35 x 45 mm")));
    drawFrame(painter, QRect(mm(120), top + mm(10), 2 * SheetDotsPerInch, 2 * SheetDotsPerInch),
              say(QT_TRANSLATE_NOOP("Quorvel", "2 x 2 inches")));

    painter.drawText(
        QRect(mm(70), top + mm(90), mm(125), mm(60)), Qt::AlignLeft | Qt::TextWordWrap,
        say(QT_TRANSLATE_NOOP("Quorvel",
                              "1. Measure both scales with a ruler, from 0 to 200, to a tenth of a "
                              "millimetre.\n2. Type the two lengths in Printer calibration (or: "
                              "quorvel --calibrate PRINTER ACROSS DOWN). Sheets printed on this "
                              "printer are then scaled to true size.")));
    painter.end();
    return sheet;
}

bool printCalibrationSheet(QPrinter &printer, const PrinterColour *colour)
{
    return printSheetImage(printer, calibrationSheet(printer.printerName(), QDate::currentDate()),
                           false, QSizeF(1, 1), colour);
}

int printCalibrationSheetFromCommandLine(QSettings &settings, const QString &printerName)
{
    QTextStream err(stderr);
    const QPrinterInfo info = printerName.isEmpty()
                                  ? QPrinterInfo::defaultPrinter()
                                  : QPrinterInfo::printerInfo(knownPrinterName(
                                        printerName, QPrinterInfo::availablePrinterNames()));
    auto say = [](const char *words) { return QCoreApplication::translate("Quorvel", words); };
    if (info.isNull()) {
        err << "quorvel: "
            << (printerName.isEmpty()
                    ? say(QT_TRANSLATE_NOOP("Quorvel", "there is no default printer"))
                    : say(QT_TRANSLATE_NOOP("Quorvel", "no printer is named %1")).arg(printerName))
            << "\n";
        return 1;
    }
    QString whyNot;
    const auto colour = openStoredProfile(settings, info.printerName(), &whyNot);
    if (!whyNot.isEmpty()) {
        err << "quorvel: " << profileRefusedText(info.printerName(), whyNot) << "\n";
        return 1;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printCalibrationSheet(printer, colour.get())) {
        err << "quorvel: "
            << say(QT_TRANSLATE_NOOP("Quorvel", "%1 could not take the job"))
                   .arg(info.printerName())
            << "\n";
        return 1;
    }
    return 0;
}
