#include "print/papers.h"

#include "compose/sheet.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <cmath>

namespace {
// A size's sides, the shorter first.
QSizeF portrait(QSizeF size)
{
    return size.width() <= size.height() ? size : size.transposed();
}

bool sameSize(const QPageSize &a, const QPageSize &b, double tolerancePoints)
{
    const QSizeF one = portrait(a.size(QPageSize::Point));
    const QSizeF other = portrait(b.size(QPageSize::Point));
    return std::abs(one.width() - other.width()) <= tolerancePoints &&
           std::abs(one.height() - other.height()) <= tolerancePoints;
}

// A size in inches from its definition: Qt rounds converted sizes to two decimals, which is
// a pixel or two at 300 dpi.
QSizeF inchesOf(const QPageSize &size)
{
    const QSizeF defined = size.definitionSize();
    switch (size.definitionUnits()) {
    case QPageSize::Millimeter:
        return defined / 25.4;
    case QPageSize::Point:
        return defined / 72;
    case QPageSize::Inch:
        return defined;
    default:
        return size.size(QPageSize::Inch);
    }
}

Paper paperOf(const QString &name, const QPageSize &size)
{
    const QSizeF inches = inchesOf(size);
    return Paper{name, size, inchesText(inches.width()), inchesText(inches.height())};
}

} // namespace

QString inchesText(double inches)
{
    // The pixels the size itself gives, with room for the error of a decimal in binary.
    const int pixels = int(std::floor(inches * SheetDotsPerInch + 1e-6));
    for (int decimals = 1; decimals <= 6; ++decimals) {
        const QString text = QString::number(inches, 'f', decimals);
        if (inchesToPixels(text) == pixels)
            return text;
    }
    return QString::number(inches, 'f', 6);
}

QVector<Paper> standardPapers()
{
    auto inches = [](double width, double length, const char *name) {
        return paperOf(QString::fromLatin1(name),
                       QPageSize(QSizeF(width, length), QPageSize::Inch, QString::fromLatin1(name),
                                 QPageSize::ExactMatch));
    };
    auto centimetres = [](double width, double length, const char *name) {
        return paperOf(QString::fromLatin1(name),
                       QPageSize(QSizeF(width * 10, length * 10), QPageSize::Millimeter,
                                 QString::fromLatin1(name), QPageSize::ExactMatch));
    };
    // A4 and A3 keep the presets' texts: 2480 x 3506 and 3506 x 4959 pixels.
    return {Paper{QStringLiteral("A4"), QPageSize(QPageSize::A4), QStringLiteral("8.27"),
                  QStringLiteral("11.69")},
            Paper{QStringLiteral("A3"), QPageSize(QPageSize::A3), QStringLiteral("11.69"),
                  QStringLiteral("16.53")},
            paperOf(QStringLiteral("Letter"), QPageSize(QPageSize::Letter)),
            paperOf(QStringLiteral("Legal"), QPageSize(QPageSize::Legal)),
            inches(4, 6, "4 x 6 in"),
            inches(5, 7, "5 x 7 in"),
            inches(6, 8, "6 x 8 in"),
            inches(8, 10, "8 x 10 in"),
            centimetres(10, 15, "10 x 15 cm"),
            centimetres(13, 18, "13 x 18 cm")};
}

std::optional<Paper> customPaper(double width, double length, QPageSize::Unit unit)
{
    const double perInch = unit == QPageSize::Millimeter ? 25.4 : 1.0;
    const double longest = LongestPaperInches * perInch;
    if (!(width > 0 && length > 0 && width <= longest && length <= longest))
        return std::nullopt;
    const QString name =
        QStringLiteral("%1 x %2 %3")
            .arg(QLocale::c().toString(width, 'g', 6), QLocale::c().toString(length, 'g', 6),
                 unit == QPageSize::Millimeter ? QStringLiteral("mm") : QStringLiteral("in"));
    const Paper paper =
        paperOf(name, QPageSize(QSizeF(width, length), unit, name, QPageSize::ExactMatch));
    // At least a pixel each way.
    if (inchesToPixels(paper.widthInches) < 1 || inchesToPixels(paper.lengthInches) < 1)
        return std::nullopt;
    return paper;
}

std::optional<Paper> customPaperNamed(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]+(?:\\.[0-9]+)?) x ([0-9]+(?:\\.[0-9]+)?) (in|mm)$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const std::optional<Paper> paper = customPaper(
        match.captured(1).toDouble(), match.captured(2).toDouble(),
        match.captured(3) == QLatin1String("mm") ? QPageSize::Millimeter : QPageSize::Inch);
    // Named as it would be named: nothing else passes for a custom paper.
    return paper && paper->name == name ? paper : std::nullopt;
}

QVector<Paper> printerPapers(const QPrinterInfo &printer, const QVector<Paper> &known)
{
    QVector<Paper> papers;
    for (const QPageSize &size : printer.supportedPageSizes()) {
        const bool isKnown = std::any_of(known.begin(), known.end(), [&](const Paper &paper) {
            return paper.name == size.name() || sameSize(paper.size, size, 1.0);
        });
        const bool listed = std::any_of(papers.begin(), papers.end(), [&](const Paper &paper) {
            return sameSize(paper.size, size, 1.0);
        });
        if (!isKnown && !listed && size.isValid())
            papers << paperOf(size.name(), size);
    }
    return papers;
}

Paper paperOfSize(const QString &name, const QString &widthInches, const QString &lengthInches)
{
    return Paper{name,
                 QPageSize(QSizeF(widthInches.toDouble(), lengthInches.toDouble()), QPageSize::Inch,
                           name, QPageSize::ExactMatch),
                 widthInches, lengthInches};
}

std::optional<QPageSize> printersPaper(const QPrinterInfo &printer, const QPageSize &paper)
{
    for (const QPageSize &size : printer.supportedPageSizes())
        if (sameSize(size, paper, 1.0))
            return size;
    if (!printer.supportsCustomPageSizes())
        return std::nullopt;
    const QSizeF wanted = portrait(paper.size(QPageSize::Point));
    const QSizeF smallest = printer.minimumPhysicalPageSize().size(QPageSize::Point);
    const QSizeF largest = printer.maximumPhysicalPageSize().size(QPageSize::Point);
    const bool withinRange = !wanted.isEmpty() && wanted.width() >= smallest.width() - 1 &&
                             wanted.height() >= smallest.height() - 1 &&
                             wanted.width() <= largest.width() + 1 &&
                             wanted.height() <= largest.height() + 1;
    return withinRange ? std::optional<QPageSize>(paper) : std::nullopt;
}

QStringList paperNames(const QPrinterInfo &printer)
{
    QStringList names;
    for (const QPageSize &size : printer.supportedPageSizes())
        names << size.name();
    return names;
}
