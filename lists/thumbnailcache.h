#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

// The desktop's shared thumbnail cache, as the freedesktop.org Thumbnail Managing Standard
// lays it out: PNG entries named by the MD5 of the file's file:// URI, in "large"
// (256 px), "x-large" and "xx-large" folders, valid while their Thumb::MTime (and Thumb::Size
// where present) match the file. File managers fill it for the folders they show, so a folder
// the operator has opened there lists without decoding a picture. A folder that cannot be
// written (read-only, full, missing and not creatable) only means no caching.
class ThumbnailCache
{
public:
    // $XDG_CACHE_HOME/thumbnails, ~/.cache/thumbnails by default.
    ThumbnailCache();

    // A list thumbnail of `path`, fitted into edge x edge.
    struct Lookup
    {
        QImage thumbnail; // null when the picture cannot be read
        // Writes what the lookup learnt to the cache (a new entry, or a recorded failure);
        // empty when there is nothing to write. Run it after the thumbnail is in use; it holds
        // all it needs, so it may outlive the cache object.
        std::function<void()> store;
    };
    // From a valid entry when there is one; otherwise decoded from the picture, and a failure
    // recorded under fail/ is not decoded again until the file changes. Any thread.
    Lookup lookUp(const QString &path, int edge) const;

    // The URI and entry name the standard gives a file, as GLib names it: from its absolute
    // path, symbolic links not resolved.
    static QByteArray uriOf(const QString &absolutePath);
    static QString entryNameOf(const QByteArray &uri);

private:
    QString folder;
    QString canonicalFolder; // empty while the folder does not exist
};
