#include "print/printsheet.h"

#include "compose/sheet.h"
#include "pictures/pictures.h"
#include "print/printercolour.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <cstring>

bool sheetNeedsTurn(QSize sheet, QPageLayout::Orientation paper)
{
    if (paper == QPageLayout::Landscape)
        return sheet.width() < sheet.height();
    return sheet.width() > sheet.height();
}

QTransform turnForPaper(QSize sheet)
{
    // (x, y) goes to (y, width - x): the top-left corner to the bottom-left.
    return QTransform(0, -1, 1, 0, 0, sheet.width());
}

QRectF printTarget(QSizeF sheet, QSizeF paper, bool crop)
{
    if (!crop)
        return QRectF(QPointF(0, 0), sheet);
    const QSizeF cover = sheet.scaled(paper, Qt::KeepAspectRatioByExpanding);
    return QRectF((paper.width() + 1 - cover.width()) / 2,
                  (paper.height() + 1 - cover.height()) / 2, cover.width(), cover.height());
}

QTransform sheetOnPaper(QSize sheet, QSizeF paper, QPageLayout::Orientation orientation, bool crop,
                        QSizeF scale)
{
    const bool turned = sheetNeedsTurn(sheet, orientation);
    const QSize placed = turned ? sheet.transposed() : sheet;
    const QRectF target = printTarget(placed, paper, crop);
    return (turned ? turnForPaper(sheet) : QTransform()) *
           QTransform::fromScale(target.width() / placed.width(),
                                 target.height() / placed.height()) *
           QTransform::fromTranslate(target.x(), target.y()) *
           QTransform::fromScale(scale.width(), scale.height());
}

namespace {
// Rows of a sheet drawn at a time.
constexpr int BandRows = 128;

// The CUPS options of a job, as Qt's print dialog sets them: a list of names and values.
constexpr auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Asks CUPS to hand the job's colours to the printer as they are: they were converted to the
// printer's profile already, and a second conversion would spoil them.
void keepColoursAsConverted(QPrinter &printer)
{
    QStringList options = printer.printEngine()->property(CupsOptions).toStringList();
    const qsizetype at = options.indexOf(QStringLiteral("cm-calibration"));
    if (at >= 0 && at % 2 == 0)
        options.remove(at, 2);
    options << QStringLiteral("cm-calibration") << QStringLiteral("true");
    printer.printEngine()->setProperty(CupsOptions, options);
}

// Pages of one job, a sheet each, drawn a band of rows at a time.
class Pages
{
public:
    Pages(QPrinter &printer, bool crop, QSizeF scale, const PrinterColour *colour)
        : printer(printer), crop(crop), scale(scale), colour(colour)
    {
        if (colour)
            keepColoursAsConverted(printer);
        // One copy of each sheet at the program's resolution, whatever copies were asked for.
        printer.setCopyCount(1);
        printer.setResolution(SheetDotsPerInch);
        // A new printer keeps Qt's own margins of 10 points whatever the paper allows, which
        // would put the sheet 3.5 mm in: the painter starts at the printable area's corner, the
        // printer's minimum margins.
        const QPageLayout page = printer.pageLayout();
        printer.setPageMargins(page.minimumMargins(), page.units());
    }

    // With no printer installed, or printing to a file that cannot be written, the printer
    // still reports itself valid; only starting the painter tells.
    bool begin() { return painter.begin(&printer); }
    bool end() { return painter.end(); }

    // A new page for a sheet of `size`, drawn by the bands handed to draw().
    void startSheet(QSize size)
    {
        if (sheets++ > 0)
            printer.newPage();
        painter.setTransform(sheetOnPaper(size, printer.paperRect(QPrinter::DevicePixel).size(),
                                          printer.pageLayout().orientation(), crop, scale));
    }
    // Rows `top` on of the sheet, converted in place to the printer's profile where it has one.
    // Each band but the last holds the next band's first row too, so that bands drawn scaled
    // meet without a seam.
    void draw(QImage &band, int top)
    {
        if (colour)
            colour->convert(band);
        painter.drawImage(QRectF(0, top, band.width(), band.height()), band, QRectF(band.rect()),
                          Qt::AutoColor);
    }

    // A sheet in memory, a band of it at a time.
    void drawWhole(const QImage &sheet)
    {
        startSheet(sheet.size());
        for (int top = 0; top < sheet.height(); top += BandRows) {
            const int rows = std::min(BandRows + 1, sheet.height() - top);
            QImage band(sheet.constScanLine(top), sheet.width(), rows, sheet.bytesPerLine(),
                        sheet.format());
            draw(band, top);
        }
    }

private:
    QPrinter &printer;
    const bool crop;
    const QSizeF scale;
    const PrinterColour *const colour;
    QPainter painter;
    int sheets = 0;
};
} // namespace

bool printSheetFiles(QPrinter &printer, const QStringList &paths, bool crop, QSizeF scale,
                     const PrinterColour *colour, QString *whyNot)
{
    Pages pages(printer, crop, scale, colour);
    if (!pages.begin()) {
        *whyNot = QCoreApplication::translate("Quorvel", "the printer could not take the job");
        return false;
    }
    for (const QString &path : paths) {
        PictureFile file(path);
        bool read = file.isReadable();
        if (read && file.canReadRows()) {
            const QSize size = file.size();
            pages.startSheet(size);
            QImage band(size.width(), BandRows + 1, QImage::Format_RGB888);
            const qsizetype rowBytes = qsizetype(size.width()) * 3;
            int top = 0;
            int drawn = 0; // rows drawn
            read = file.readRows([&](int y, const uchar *row) {
                std::memcpy(band.scanLine(y - top), row, size_t(rowBytes));
                if (y - top == BandRows) {
                    pages.draw(band, top);
                    drawn = y + 1;
                    // The band's last row is the next band's first.
                    std::memcpy(band.scanLine(0), row, size_t(rowBytes));
                    top = y;
                }
            });
            if (read && drawn < size.height()) {
                band = band.copy(0, 0, size.width(), size.height() - top);
                pages.draw(band, top);
            }
        } else if (read) {
            const QImage sheet = file.read();
            read = !sheet.isNull();
            if (read)
                pages.drawWhole(sheet);
        }
        if (!read) {
            *whyNot = QCoreApplication::translate("Quorvel", "%1 cannot be read: %2")
                          .arg(path, file.whyNot());
            // Nothing of the job goes to the printer.
            printer.abort();
            return false;
        }
    }
    if (!pages.end()) {
        *whyNot = QCoreApplication::translate("Quorvel", "the printer could not take the job");
        return false;
    }
    return true;
}

bool printSheetImage(QPrinter &printer, const QImage &sheet, bool crop, QSizeF scale,
                     const PrinterColour *colour)
{
    Pages pages(printer, crop, scale, colour);
    if (!pages.begin())
        return false;
    pages.drawWhole(sheet);
    return pages.end();
}
