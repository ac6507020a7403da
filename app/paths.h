#pragma once

#include <QString>

// Joins a folder text, as the operator typed or chose it, and a bare file name. An empty
// folder text stands for the working directory, so the bare name is returned (never "/name").
QString joinFolderAndName(const QString &folder, const QString &fileName);
