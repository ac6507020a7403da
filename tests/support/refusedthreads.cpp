#include "refusedthreads.h"

#include <atomic>
#include <cerrno>
#include <dlfcn.h>
#include <pthread.h>

namespace {
std::atomic<int> toRefuse{0};
std::atomic<int> refused{0};
} // namespace

void testsupport::refuseThreadStarts(int count)
{
    toRefuse = count;
}

int testsupport::threadStartsRefused()
{
    return refused;
}

extern "C" int pthread_create(pthread_t *thread, const pthread_attr_t *attributes,
                              void *(*start)(void *), void *argument) noexcept
{
    using Create = int (*)(pthread_t *, const pthread_attr_t *, void *(*)(void *), void *);
    static const auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    for (int left = toRefuse; left > 0;) {
        if (toRefuse.compare_exchange_weak(left, left - 1)) {
            ++refused;
            return EAGAIN;
        }
    }
    return create(thread, attributes, start, argument);
}
