#pragma once

#include "compose/sheetparts.h"
#include "pictures/pictureheader.h"

#include <QByteArray>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QImage;

// Every run writes its first sheet under this name, replacing the sheet of the previous run;
// further sheets are 02.jpg, 03.jpg and on.
inline constexpr char SheetFileName[] = "01.jpg";
// The file name of sheet `number`, from 1.
QString sheetFileName(int number);

// What every sheet a Go writes says of itself, in a JPEG comment "Quorvel: run=...; sheet=2/3;
// paper=...; size=...": which Go wrote it, so that Print finds the other sheets of that Go and a
// later Go can tell this program's sheets from other files of the same name; and the paper it
// was laid out for, so that Print can ask the printer for it.
struct SheetMark
{
    QString run;    // the Go that wrote it
    int sheet = 0;  // from 1
    int sheets = 0; // written by that Go
    QString paper;  // its name as the operator chose it; empty when not known
    QSizeF paperMm; // its size in millimetres
};
// The comment's text after its key (SheetMarkKey) and ": ".
QString markText(const SheetMark &mark);
QByteArray markComment(const SheetMark &mark);
// The mark of a sheet file; none for a file this program did not write.
std::optional<SheetMark> readSheetMark(const QString &path);
// The sheets of the Go that wrote the one marked `mark` that are in `folder`, in order.
QStringList sheetsOfRun(const QString &folder, const SheetMark &mark);
// Removes the sheets an earlier Go wrote beyond the `written` of the last one: 0N.jpg from
// written + 1 on, as long as they follow one another, and only those that carry a mark.
void removeEarlierSheets(const QString &folder, int written);

// Writes a sheet (24-bit RGB) as a JPEG file through libjpeg-turbo with the settings Qt's JPEG
// writer uses (libjpeg's defaults, quality 80, 300 dpi, the sRGB profile, the comment before it
// as Qt writes an image's text), so that the file is the one Qt would write, on a thread of its
// own: the sheet is handed over a band of rows at a time, top to bottom, each encoded while the
// next is drawn, so that a sheet of any size is never held whole. The file replaces `path` only
// at commit(): a failed write (missing or read-only folder, full disk) or an abandoned one leaves
// the previous sheet as it was and no temporary file behind.
class SheetWriter
{
public:
    SheetWriter(QSize size, const QString &path, const QByteArray &comment = QByteArray());
    // Abandons the file unless committed.
    ~SheetWriter();
    SheetWriter(const SheetWriter &) = delete;
    SheetWriter &operator=(const SheetWriter &) = delete;

    // The next rows to draw, white, top to bottom: a band of up to BandRows rows (fewer at the
    // foot); none (no rows) once every row has been handed over, or when the file cannot be
    // written. Waits while every band is still being encoded.
    static constexpr int BandRows = 64;
    SheetBand nextBand();
    // Hands a band from nextBand back, drawn, to be encoded.
    void submit(const SheetBand &band);
    // Waits until every row is encoded and the file complete; false, with *error, when it could
    // not be written.
    bool finish(QString *error);
    // Puts the finished file in place of the previous one.
    bool commit(QString *error);
    // Stops: no file is written and the previous sheet stays.
    void abandon();

private:
    struct Encoding;
    std::unique_ptr<Encoding> encoding;
};

// Writes a whole sheet at once, as above, and puts it in place.
bool saveSheet(const QImage &sheet, const QString &path, QString *error,
               const QByteArray &comment = QByteArray());
