#pragma once

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QSize>

class QPrinter;

// A sheet whose shape disagrees with the paper's orientation (a tall sheet on landscape paper,
// a wide one on portrait paper) is turned a quarter turn; a square sheet never is.
bool sheetNeedsTurn(QSize sheet, QPageLayout::Orientation paper);

// The sheet turned a quarter turn counter-clockwise, as seen on screen.
QImage turnForPaper(const QImage &sheet);

// Where a sheet of `sheet` pixels is drawn on paper of `paper` device pixels, relative to the
// printable area's corner. Cropping, the sheet is scaled to cover the paper with its aspect
// ratio kept and centred on it (offsets (W + 1 - width) / 2 and (H + 1 - height) / 2), the
// overhang cut off; otherwise it is drawn at its own size, one pixel to one device pixel.
QRectF printTarget(QSizeF sheet, QSizeF paper, bool crop);

// Prints `sheet` on one page as every sheet is printed: turned to the paper, placed from the
// printable area's corner, cropped to the paper when `crop`, and drawn scaled by `scale` from
// that corner (a printer's correction). False when the printer could not take the job.
bool printSheetImage(QPrinter &printer, QImage sheet, bool crop, QSizeF scale = QSizeF(1, 1));
