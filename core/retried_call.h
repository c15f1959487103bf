// System calls made again when a signal interrupts them before they did
// anything (EINTR), so that a signal arriving mid-call is never taken for a
// failure of the call.
#pragma once
#include <sys/types.h>

#include <string>

// open(2) of `path` with `flags` (and `mode` for a file it creates), again
// after each interruption: the descriptor, or -1 with errno set.
int openRetrying(const std::string& path, int flags, mode_t mode = 0);
// flock(2) of `fd` with `operation`, again after each interruption: 0, or
// the errno of the failure (EWOULDBLOCK for a lock held elsewhere, with
// LOCK_NB).
int flockRetrying(int fd, int operation);
