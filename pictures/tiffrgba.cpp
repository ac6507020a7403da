#include "pictures/tiffparts.h"

#include "pictures/colour.h"
#include "pictures/picturerows.h"

#include <QScopeGuard>
#include <algorithm>
#include <vector>

// Decodes through libtiff's RGBA interface a band at a time: whole strips or rows of tiles,
// at least 64 rows, so that each strip or tile is decoded once.
bool readThroughRgba(TIFF *tiff, const Layout &s, const QByteArray &profile, PictureRows &picture,
                     QString *why)
{
    char message[1024] = {};
    TIFFRGBAImage rgba{};
    // Told to stop at the first strip or tile it cannot read, rather than skip it.
    if (!TIFFRGBAImageOK(tiff, message) || !TIFFRGBAImageBegin(&rgba, tiff, 1, message))
        return refuse(why, QString::fromLocal8Bit(message));
    const auto end = qScopeGuard([&rgba] { TIFFRGBAImageEnd(&rgba); });
    // Rows as stored: the orientation is applied by the caller, as for every format.
    rgba.req_orientation = ORIENTATION_TOPLEFT;
    rgba.orientation = ORIENTATION_TOPLEFT;
    const uint32_t bandRows =
        std::min<uint32_t>((63 / s.bandRows + 1) * s.bandRows, uint32_t(s.height));
    std::vector<uint32_t> raster;
    if (!allocateBuffer(raster, qint64(s.width) * bandRows, MaxBufferBytes, why))
        return false;
    const SrgbConversion colour(profile, PixelLayout::Rgb32, s.grey());
    for (uint32_t top = 0; top < uint32_t(s.height); top += bandRows) {
        const uint32_t rows = std::min(bandRows, uint32_t(s.height) - top);
        rgba.row_offset = int(top);
        rgba.col_offset = 0;
        if (!TIFFRGBAImageGet(&rgba, raster.data(), uint32_t(s.width), rows))
            return false;
        for (uint32_t y = 0; y < rows; ++y) {
            // libtiff's words hold red in the low byte; any alpha comes premultiplied.
            const uint32_t *in = raster.data() + qint64(y) * s.width;
            QRgb *out = picture.row(int(top + y));
            for (int x = 0; x < s.width; ++x)
                out[x] = qRgba(int(TIFFGetR(in[x])), int(TIFFGetG(in[x])), int(TIFFGetB(in[x])),
                               int(TIFFGetA(in[x])));
            colour.convert(out, out, s.width);
            picture.rowDone(int(top + y));
        }
    }
    return true;
}
