#pragma once

// Thread starts refused on purpose, as a process at its limit of threads (a cgroup's pids limit,
// RLIMIT_NPROC) refuses them. Linked into a test program, the pthread_create here stands in for
// the C library's for every caller in the process (Qt, the C++ library, the program itself).
namespace testsupport {

// The next `count` thread starts fail with EAGAIN; every later one starts.
void refuseThreadStarts(int count);
// Thread starts refused so far.
int threadStartsRefused();

} // namespace testsupport
