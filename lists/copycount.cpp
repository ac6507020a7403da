#include "lists/copycount.h"

#include <algorithm>

namespace {
constexpr int TagLength = 6;
}

bool parseCopyCountTag(QString &text, int &count)
{
    if (text.size() < TagLength || text[0] != QLatin1Char('<') || text[4] != QLatin1Char('>') ||
        text[5] != QLatin1Char(' '))
        return false;
    int value = 0;
    for (int i = 1; i <= 3; ++i) {
        const QChar digit = text[i];
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9'))
            return false;
        value = value * 10 + digit.digitValue();
    }
    count = value;
    // The name is taken exactly as the tag writer appended it: file names may begin or end
    // with blanks.
    text = text.mid(TagLength);
    return true;
}

ItemFile splitItemText(const QString &text)
{
    ItemFile file{1, text};
    parseCopyCountTag(file.name, file.copies);
    return file;
}

CopyCountMark copyCountMark(bool accepted, const QString &entered)
{
    const CopyCountMark oneCopy{QString(), Qt::AlignLeft | Qt::AlignVCenter, QColor(Qt::black)};
    if (!accepted || entered.isEmpty())
        return oneCopy;
    bool isNumber = false;
    const qlonglong copies = entered.toLongLong(&isNumber, 10);
    if (!isNumber || copies == 0)
        return {QStringLiteral("<000> "), Qt::AlignRight | Qt::AlignVCenter, QColor(Qt::red)};
    if (copies < 2)
        return oneCopy;
    const int capped = int(std::min<qlonglong>(copies, MaxCopyCount));
    return {QString::asprintf("<%03d> ", capped), Qt::AlignRight | Qt::AlignVCenter,
            QColor(Qt::blue)};
}
