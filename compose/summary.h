#pragma once

#include <QString>

// A length in pixels of a 300 dpi picture as inches with one decimal, as C's "%.1f" writes it
// (1800 -> "6.0", 2475 -> "8.2").
QString inchesText(int pixels);

// The summary line above the lists: how many pictures are selected ("[3] - File(s)"), in
// each language's plural forms.
QString selectionSummaryText(int selected);

// What the selection summary does with the direction box.
enum class DirectionChoice {
    TopToBottom,       // the picture's width is the sheet's width: one column
    RotateLeftToRight, // the picture's width is the sheet's height: one turned row
    AskOperator,       // neither: the operator picks
};

// Compares the texts exactly, character for character: "6.0" matches "6.0" but not "6".
DirectionChoice chooseCopyDirection(const QString &pictureWidth, const QString &sheetWidth,
                                    const QString &sheetHeight);
