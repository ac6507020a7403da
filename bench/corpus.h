#pragma once

// The benchmarks' corpus, made at run time once and kept: camera photos, folders of links to
// them, 100-MP scans and print-size pictures in every format.

#include <QSize>
#include <QString>
#include <QStringList>

inline constexpr int PhotoCount = 60;
inline constexpr int ManyCount = 500;
inline constexpr int FolderCount = 10000;
// Scans as a studio's flatbed or film scanner writes them: 100 megapixels, 16 bits a sample.
inline constexpr int ScanCount = 4;
inline const QSize ScanSize(10000, 10000);
inline const QSize PhotoSize(4000, 3000);

struct Corpus
{
    QString photos;      // PhotoCount camera-sized JPEGs
    QString many;        // ManyCount links to them
    QString folder;      // FolderCount links to them: a whole shoot in one folder
    QString shoot;       // the same links and a print-size picture, PrintInShoot
    QString scans;       // ScanCount 100-MP 16-bit RGB TIFFs
    QString planarScans; // the same stored planar, one strip a plane
    QString prints;      // print-size pictures in every listed format
    QStringList photoFiles;
};

inline constexpr char PrintInShoot[] = "print.jpg";
// Among the prints: a 24 x 2.4 inch strip (7200 x 720) and a passport picture (413 x 531).
inline constexpr char RollStrip[] = "strip24.jpg";
inline constexpr char Passport[] = "passport.jpg";

// The corpus under `root`, made where it is missing.
Corpus makeCorpus(const QString &root);
