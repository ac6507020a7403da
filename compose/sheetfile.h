#pragma once

#include <QString>
#include <memory>

class QImage;

// Every run writes its sheet under this name, replacing the sheet of the previous run.
inline constexpr char SheetFileName[] = "01.jpg";

// Writes a sheet (24-bit RGB) as a JPEG file through libjpeg-turbo with the settings Qt's JPEG
// writer uses (libjpeg's defaults, quality 80, 300 dpi, the sRGB profile), so that the file is
// the one Qt would write, on a thread of its own: libjpeg takes rows top to bottom, and each
// row is encoded as soon as the composition declares it final, while later pictures are still
// being decoded and placed. The file replaces `path` only once the whole sheet is on disk: a
// failed write (missing or read-only folder, full disk) leaves the previous sheet as it was and
// no temporary file behind.
class SheetWriter
{
public:
    // `sheet` is read, not copied: it must stay alive, and unshared, until the end.
    SheetWriter(const QImage &sheet, const QString &path);
    // Abandons the file unless finished.
    ~SheetWriter();
    SheetWriter(const SheetWriter &) = delete;
    SheetWriter &operator=(const SheetWriter &) = delete;

    // The rows above `rows` will not change any more.
    void rowsFinal(int rows);
    // Every row is final: waits for the encoding and puts the file in place. On failure,
    // *error says why.
    bool finish(QString *error);
    // Stops: no file is written and the previous sheet stays.
    void abandon();

private:
    struct Encoding;
    std::unique_ptr<Encoding> encoding;
};

// Writes a whole sheet at once, as above.
bool saveSheet(const QImage &sheet, const QString &path, QString *error);
