// Whole-file reads: one non-blocking open, a look at what was opened, a size
// limit before reading, then the bytes read until the end.
#include "core/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "core/file_kind.h"

namespace {

constexpr size_t readChunk = 64 * 1024;

fileKind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode)) return fileKindRegular;
    if (S_ISDIR(mode)) return fileKindFolder;
    if (S_ISFIFO(mode)) return fileKindPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return fileKindDevice;
    if (S_ISSOCK(mode)) return fileKindSocket;
    return fileKindUnknown;
}

fileReadResult refuse(fileReadResult result, std::string text, std::string& bytes, std::string& reason)
{
    bytes.clear();
    reason = std::move(text);
    return result;
}

bool grow(std::string& bytes, size_t size)
{
    try {
        bytes.resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Reads `fd` to its end into `bytes`, never past `limit` + 1 bytes; 0 or the
// reason it stopped (ENOMEM when the bytes do not fit in memory). Room for
// the `expected` bytes and the end is made at once.
int readToEnd(int fd, size_t expected, size_t limit, std::string& bytes)
{
    size_t size = 0;
    if (!grow(bytes, std::min(expected, limit) + 1)) return ENOMEM;
    for (;;) {
        if (size == bytes.size() && !grow(bytes, size + readChunk)) return ENOMEM;
        const size_t room = std::min(bytes.size() - size, limit + 1 - size);
        const ssize_t n = ::read(fd, &bytes[size], room);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        size += static_cast<size_t>(n);
        if (n == 0 || size > limit) break;
    }
    bytes.resize(size);
    return 0;
}

}  // namespace

fileReadResult readWholeFile(const std::string& path, size_t sizeLimit, std::string& bytes, std::string& reason)
{
    int fd;
    do fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) return refuse(fileReadResult::missing, "is missing", bytes, reason);
        return refuse(fileReadResult::failed, std::string("cannot be opened: ") + std::strerror(error), bytes, reason);
    }
    struct stat info {};
    fileReadResult result = fileReadResult::read;
    std::string text;
    if (::fstat(fd, &info) != 0) {
        result = fileReadResult::failed;
        text = std::string("cannot be examined: ") + std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        result = fileReadResult::notAFile;
        text = std::string("is ") + fileKindText(kindOfMode(info.st_mode)) + ", not a file";
    } else if (static_cast<unsigned long long>(info.st_size) > sizeLimit) {
        result = fileReadResult::tooLarge;
        text = fileTooLargeText(static_cast<unsigned long long>(info.st_size), sizeLimit);
    } else if (const int error = readToEnd(fd, static_cast<size_t>(info.st_size), sizeLimit, bytes)) {
        result = fileReadResult::failed;
        text = std::string("cannot be read: ") + std::strerror(error);
    } else if (bytes.size() > sizeLimit) {  // it grew while it was read
        result = fileReadResult::tooLarge;
        text = fileTooLargeText(bytes.size(), sizeLimit);
    }
    ::close(fd);
    return result == fileReadResult::read ? result : refuse(result, text, bytes, reason);
}

std::string fileTooLargeText(unsigned long long size, unsigned long long limit)
{
    return "is " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) + " it may hold";
}

bool regularFileSize(const std::string& path, unsigned long long& size)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    size = static_cast<unsigned long long>(info.st_size);
    return true;
}
