#include "compose/sheetfile.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

bool saveSheet(const QImage &sheet, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(80);
    if (!writer.write(sheet)) {
        *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
