#pragma once

#include <QString>

class QImage;

// Every run writes its sheet under this name, replacing the sheet of the previous run.
inline constexpr char SheetFileName[] = "01.jpg";

// Writes the sheet as a JPEG of quality 80 through a temporary file that replaces `path` only
// once the whole picture is on disk: a failed write (missing or read-only folder, full disk)
// leaves the previous sheet as it was and no temporary file behind. On failure, *error says why.
bool saveSheet(const QImage &sheet, const QString &path, QString *error);
