#pragma once

#include <QColor>
#include <QString>

// An input item's text may begin with a copy-count tag: "<", three decimal digits, ">" and one
// blank, as in "<005> beach.jpg". No tag means one copy; "<000> " means none.
inline constexpr int MaxCopyCount = 999;

// Splits a leading copy-count tag off `text`: on true, `count` holds the tag's count and `text`
// the bare file name that followed the tag. Anything but a well-formed tag, such as a file
// really named "<draft>.jpg", is left whole and gives false, with `count` untouched.
bool parseCopyCountTag(QString &text, int &count);

// An item text split by parseCopyCountTag: the copies it asks for (1 without a tag) and the
// bare file name.
struct ItemFile
{
    int copies = 1;
    QString name;
};
ItemFile splitItemText(const QString &text);

// How an input item looks once the copy-count prompt has closed.
struct CopyCountMark
{
    QString tag; // empty for one copy
    Qt::Alignment alignment;
    QColor colour;
};

// The tag, alignment and text colour for the prompt's outcome: blue and right-aligned for two
// or more copies (at most 999), red "<000> " for zero or text that is no whole number, black and
// left-aligned for one copy, a negative number, an empty text or a cancelled prompt.
CopyCountMark copyCountMark(bool accepted, const QString &entered);
