#pragma once

// The listing and the program's starts, measured in child processes of the benchmark, each
// reporting its own peak memory; the children print their figures for figuresFromChild.

#include <QElapsedTimer>
#include <QString>

// Lists `folder` `runs` times: with no cache, with an empty one before each run (entries
// written, and their writing waited for), or with every entry already there.
int listInChild(const QString &folder, int threads, int runs, const QString &cacheMode,
                const QString &cacheFolder);
// A start of the program on `folder`, its thumbnail cache at `cacheFolder`: prints the
// milliseconds from main() to the window shown, from there to its first screenful of
// thumbnails, and from End pressed to the last screenful's; with `scroll`, the list is then
// scrolled through a page at a time, each page's thumbnails waited for, and the peak memory of
// it all is printed (MB).
int startInChild(const QString &folder, const QString &cacheFolder, const QElapsedTimer &sinceMain,
                 bool scroll);
// Refresh pressed while the folder's thumbnails are being made, once `after` are made: the
// time from the press to the new listing's first thumbnail, median over `runs`.
int refillInChild(const QString &folder, int after, int runs);

// Go pressed `runs` times on the print among a shoot of FolderCount photos (corpus.h) while
// their thumbnails are made, from an empty cache: the median time from the press to the new
// sheet's thumbnail in the output list, listed again after the report.
int goWhileListingInChild(const QString &folder, int runs);

struct Listing
{
    double msPerPicture = 0;
    double peakMb = 0;
};
// Lists `folder` in a child: per picture and the child's peak memory.
Listing listThroughChild(const QString &folder, int threads, int runs,
                         const QString &cacheMode = "off");
