#pragma once

#include <QString>

// A disk that fills up during a write, as a studio's does while a sheet is saved. Linked into a
// test program, the write() here stands in for the C library's for every caller in the process:
// once armed, writes to files under `folder` take from `bytes` of room; the write that reaches
// the end writes what fits and reports that much (as the kernel does), and every later one fails
// with ENOSPC, until the disk is freed.
namespace testsupport {

void fillDiskAfter(const QString &folder, qint64 bytes);
void freeDisk();

} // namespace testsupport
