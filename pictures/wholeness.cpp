#include "pictures/wholeness.h"

#include <QIODevice>
#include <cstring>

namespace {
// Reads a device forwards through a fixed buffer; skipping far ahead seeks instead of reading.
class ForwardReader
{
public:
    explicit ForwardReader(QIODevice &device) : device(device) {}

    bool byte(uchar &value)
    {
        if (next == end && !refill())
            return false;
        value = buffer[next++];
        return true;
    }

    bool skip(qint64 count)
    {
        const qint64 buffered = end - next;
        if (count <= buffered) {
            next += int(count);
            return true;
        }
        count -= buffered;
        next = end = 0;
        // A seek past the end succeeds on a file; the size tells whether the bytes are there.
        const qint64 target = device.pos() + count;
        return target <= device.size() && device.seek(target);
    }

    // Moves to the next 0xFF byte, reading it.
    bool skipToFF()
    {
        for (;;) {
            if (next == end && !refill())
                return false;
            const void *found = std::memchr(buffer + next, 0xFF, size_t(end - next));
            if (found) {
                next = int(static_cast<const uchar *>(found) - buffer) + 1;
                return true;
            }
            next = end;
        }
    }

private:
    bool refill()
    {
        const qint64 got = device.read(reinterpret_cast<char *>(buffer), sizeof buffer);
        next = 0;
        end = got > 0 ? int(got) : 0;
        return end > 0;
    }

    QIODevice &device;
    uchar buffer[64 * 1024];
    int next = 0;
    int end = 0;
};

bool bigEndian(ForwardReader &reader, int bytes, quint32 &value)
{
    value = 0;
    for (int i = 0; i < bytes; ++i) {
        uchar b = 0;
        if (!reader.byte(b))
            return false;
        value = (value << 8) | b;
    }
    return true;
}

constexpr uchar StartOfImage = 0xD8;
constexpr uchar EndOfImage = 0xD9;
constexpr uchar StartOfScan = 0xDA;

bool isRestartMarker(uchar marker)
{
    return marker >= 0xD0 && marker <= 0xD7;
}

// Markers that stand alone, without a length: SOI, EOI, RSTn and TEM.
bool hasNoLength(uchar marker)
{
    return marker == StartOfImage || marker == EndOfImage || isRestartMarker(marker) ||
           marker == 0x01;
}

// Reads past the entropy-coded data of a scan; `marker` gets the marker that ends it.
bool skipEntropyCodedData(ForwardReader &reader, uchar &marker)
{
    for (;;) {
        if (!reader.skipToFF())
            return false;
        uchar b = 0;
        do {
            if (!reader.byte(b))
                return false;
        } while (b == 0xFF); // fill bytes
        // 0xFF 0x00 is a stuffed data byte; restart markers sit inside the scan.
        if (b != 0x00 && !isRestartMarker(b)) {
            marker = b;
            return true;
        }
    }
}
} // namespace

bool jpegReachesItsEnd(QIODevice &device)
{
    ForwardReader reader(device);
    uchar b0 = 0, b1 = 0;
    if (!reader.byte(b0) || !reader.byte(b1) || b0 != 0xFF || b1 != StartOfImage)
        return false;
    uchar marker = 0;
    for (;;) {
        // Bytes between segments are tolerated, as libjpeg does; fill bytes precede a marker.
        if (!reader.skipToFF())
            return false;
        do {
            if (!reader.byte(marker))
                return false;
        } while (marker == 0xFF);
        for (;;) {
            if (marker == EndOfImage)
                return true;
            if (marker == 0x00 || hasNoLength(marker))
                break;
            quint32 length = 0;
            if (!bigEndian(reader, 2, length) || length < 2 || !reader.skip(length - 2))
                return false;
            if (marker != StartOfScan)
                break;
            if (!skipEntropyCodedData(reader, marker))
                return false;
        }
    }
}

bool pngReachesItsEnd(QIODevice &device)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    ForwardReader reader(device);
    for (int i = 0; i < 8; ++i) {
        uchar b = 0;
        if (!reader.byte(b) || b != uchar(signature[i]))
            return false;
    }
    for (;;) {
        quint32 length = 0;
        quint32 type = 0;
        if (!bigEndian(reader, 4, length) || !bigEndian(reader, 4, type) || length > 0x7FFFFFFFu)
            return false;
        // The chunk's data and its checksum must be there, IEND's too.
        if (!reader.skip(qint64(length) + 4))
            return false;
        if (type == 0x49454E44u) // "IEND"
            return true;
    }
}
