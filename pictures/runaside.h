#pragma once

#include <future>
#include <system_error>
#include <type_traits>
#include <utility>

// Starts `work` on a thread of its own. When no thread can be started (the process is at its
// limit of threads or memory), the work is put off and runs on the thread that asks for its
// result instead: slower, but nothing is lost and nothing is thrown.
template <typename Work> std::future<std::invoke_result_t<std::decay_t<Work>>> runAside(Work &&work)
{
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, std::forward<Work>(work));
    }
}
