// System calls made again after an interruption by a signal.
#include "core/retried_call.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

int openRetrying(const std::string& path, int flags, mode_t mode)
{
    int fd;
    do fd = ::open(path.c_str(), flags, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

int flockRetrying(int fd, int operation)
{
    int result;
    do result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}
