#pragma once

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QSize>

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
