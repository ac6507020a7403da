#pragma once

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QSize>
#include <QStringList>
#include <QTransform>

class PrinterColour;
class QPrinter;

// A sheet whose shape disagrees with the paper's orientation (a tall sheet on landscape paper,
// a wide one on portrait paper) is turned a quarter turn; a square sheet never is.
bool sheetNeedsTurn(QSize sheet, QPageLayout::Orientation paper);

// A quarter turn counter-clockwise, as seen on screen: from a sheet's pixels to the turned
// sheet's.
QTransform turnForPaper(QSize sheet);

// Where a sheet of `sheet` pixels is drawn on paper of `paper` device pixels, relative to the
// printable area's corner. Cropping, the sheet is scaled to cover the paper with its aspect
// ratio kept and centred on it (offsets (W + 1 - width) / 2 and (H + 1 - height) / 2), the
// overhang cut off; otherwise it is drawn at its own size, one pixel to one device pixel.
QRectF printTarget(QSizeF sheet, QSizeF paper, bool crop);

// From a sheet's pixels to device pixels on paper of `paper` device pixels, from its printable
// area's corner: turned to the paper's orientation, placed by printTarget and scaled by `scale`
// from the corner (a printer's correction).
QTransform sheetOnPaper(QSize sheet, QSizeF paper, QPageLayout::Orientation orientation, bool crop,
                        QSizeF scale);

// Prints sheets one page each in one job, as every sheet is printed (see sheetOnPaper), each
// drawn a band of rows at a time: a sheet file that is a JPEG as stored is read row by row and
// never held whole, so that a roll prints in bounded memory; any other picture is read whole.
// With `colour`, each band is converted to the printer's profile, and the printing system is
// asked not to convert the job's colours again. False, with *whyNot, when a sheet cannot be
// read, or the printer could not take the job.
bool printSheetFiles(QPrinter &printer, const QStringList &paths, bool crop, QSizeF scale,
                     const PrinterColour *colour, QString *whyNot);
// The same for one sheet in memory.
bool printSheetImage(QPrinter &printer, const QImage &sheet, bool crop, QSizeF scale,
                     const PrinterColour *colour);
