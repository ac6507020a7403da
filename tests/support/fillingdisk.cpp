#include "fillingdisk.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <unistd.h>

namespace {
std::mutex guard;
std::atomic<bool> armed{false};
std::string filling; // the folder, with its trailing slash
qint64 room = 0;

// Whether `fd` is a file under the filling folder (a file made without a name included: its
// link reads "FOLDER/#123 (deleted)").
bool fills(int fd)
{
    char link[64];
    char path[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    return length > 0 && std::string(path, size_t(length)).rfind(filling, 0) == 0;
}
} // namespace

void testsupport::fillDiskAfter(const QString &folder, qint64 bytes)
{
    std::lock_guard<std::mutex> lock(guard);
    filling = folder.toStdString() + "/";
    room = bytes;
    armed = true;
}

void testsupport::freeDisk()
{
    armed = false;
}

extern "C" ssize_t write(int fd, const void *data, size_t count)
{
    using Write = ssize_t (*)(int, const void *, size_t);
    static const auto realWrite = reinterpret_cast<Write>(dlsym(RTLD_NEXT, "write"));
    if (armed && fd > 2 && fills(fd)) {
        std::lock_guard<std::mutex> lock(guard);
        if (room <= 0) {
            errno = ENOSPC;
            return -1;
        }
        const size_t fits = std::min<size_t>(count, size_t(room));
        const ssize_t written = realWrite(fd, data, fits);
        if (written > 0)
            room -= written;
        return written;
    }
    return realWrite(fd, data, count);
}
