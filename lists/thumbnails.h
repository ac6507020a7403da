#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Edge of the square that list thumbnails are fitted into.
inline constexpr int ThumbnailEdge = 200;

// The size a picture of the given stored size is decoded at to fit an edge x edge square:
// the longer side becomes the edge, the shorter one keeps the aspect ratio, truncated toward
// zero. A size the reader cannot tell gives edge x edge.
QSize thumbnailSize(QSize stored, int edge);

// Decodes a picture file directly at its thumbnail size, so that no full-size picture is held.
// A null image for a missing, refused or undecodable file. Safe to call from any thread.
QImage decodeThumbnail(const QString &path, int edge);
