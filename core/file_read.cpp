// File reads: a look at what stands at the path, a size limit, one open that
// does not block, a look at what was opened, then the bytes read as far as
// the reader asks and about as far again (for readWholeFile, the whole file
// into a string), into memory that grows with what is read.
#include "core/file_read.h"
#include "core/file_read_internal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>

#include "core/file_kind.h"
#include "core/retried_call.h"

namespace {

constexpr size_t readChunk = 64 * 1024;
// The most memory a reader makes for a file at its open: the whole file up
// to this size, so that the reads of most files fill it without its growing.
// Memory up to about this size the allocator takes from what earlier reads
// gave back; a larger room is fresh memory, every page of it cleared by the
// system as it is first written, which a file holding a small image and
// much else would pay for each time. Past it the room grows with the reads,
// to what each of them reaches, never to the file's size at once.
constexpr size_t openRoomMax = size_t{8} << 20;

unsigned long long bytesReadSoFar = 0;
unsigned long long readCallsSoFar = 0;
beforeOpenFunc beforeOpen = nullptr;

fileKind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode)) return fileKindRegular;
    if (S_ISDIR(mode)) return fileKindFolder;
    if (S_ISFIFO(mode)) return fileKindPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return fileKindDevice;
    if (S_ISSOCK(mode)) return fileKindSocket;
    return fileKindUnknown;
}

fileReadResult refuse(fileReadResult result, std::string text, std::string& reason)
{
    reason = std::move(text);
    return result;
}

// What `info` says of a file to be read within `sizeLimit`: `read` when it
// may be.
fileReadResult acceptable(const struct stat& info, size_t sizeLimit, std::string& reason)
{
    if (!S_ISREG(info.st_mode))
        return refuse(fileReadResult::notAFile, std::string("is ") + fileKindText(kindOfMode(info.st_mode)) +
                                                    ", not a file", reason);
    const auto size = static_cast<unsigned long long>(info.st_size);
    if (size > sizeLimit) return refuse(fileReadResult::tooLarge, fileTooLargeText(size, sizeLimit), reason);
    return fileReadResult::read;
}

// Opens the regular file at `path` for reading: what stands there is looked
// at first, and only a regular file within `sizeLimit` is opened; the open
// does not block, and the descriptor is looked at again. `fd` and `size` are
// set on `read`.
fileReadResult openRegularFile(const std::string& path, size_t sizeLimit, int& fd, size_t& size, std::string& reason)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT) return refuse(fileReadResult::missing, "is missing", reason);
        return refuse(fileReadResult::failed, std::string("cannot be examined: ") + std::strerror(error), reason);
    }
    if (const fileReadResult before = acceptable(info, sizeLimit, reason); before != fileReadResult::read)
        return before;
    if (beforeOpen) beforeOpen(path);
    fd = openRetrying(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) return refuse(fileReadResult::missing, "is missing", reason);
        return refuse(fileReadResult::failed, std::string("cannot be opened: ") + std::strerror(error), reason);
    }
    fileReadResult result = fileReadResult::read;
    if (::fstat(fd, &info) != 0)
        result = refuse(fileReadResult::failed, std::string("cannot be examined: ") + std::strerror(errno), reason);
    else
        result = acceptable(info, sizeLimit, reason);  // it was replaced after the first look
    if (result != fileReadResult::read) {
        ::close(fd);
        fd = -1;
        return result;
    }
    size = static_cast<size_t>(info.st_size);
    return result;
}

// read(2), counted, again after an interruption.
ssize_t readSome(int fd, char* into, size_t room)
{
    ssize_t n;
    do {
        n = ::read(fd, into, room);
        ++readCallsSoFar;
    } while (n < 0 && errno == EINTR);
    if (n > 0) bytesReadSoFar += static_cast<unsigned long long>(n);
    return n;
}

// Reads the bytes `from` to `to` of the file open as `fd` into `bytes` at the
// same place; where it stopped: short of `to` when the file got shorter, or
// when a read failed (`error` then says why).
size_t readRange(int fd, char* bytes, size_t from, size_t to, int& error)
{
    while (from < to) {
        const ssize_t n = readSome(fd, bytes + from, to - from);
        if (n < 0) error = errno;
        if (n <= 0) break;
        from += static_cast<size_t>(n);
    }
    return from;
}

// The bytes of a regular file for a stream, read in blocks, or straight
// into the reader's own memory for a large read. A failed read throws,
// which leaves the stream bad.
class regularFileBuffer : public std::streambuf {
public:
    explicit regularFileBuffer(int fd) : fd(fd) {}
    ~regularFileBuffer() override { ::close(fd); }

protected:
    int_type underflow() override
    {
        const size_t got = readInto(block, sizeof block);
        setg(block, block, block + got);
        return got == 0 ? traits_type::eof() : traits_type::to_int_type(block[0]);
    }
    std::streamsize xsgetn(char* into, std::streamsize count) override
    {
        std::streamsize done = std::min(count, static_cast<std::streamsize>(egptr() - gptr()));
        if (done > 0) {  // what the last block still holds
            std::memcpy(into, gptr(), static_cast<size_t>(done));
            gbump(static_cast<int>(done));
        }
        while (done < count) {
            const size_t got = readInto(into + done, static_cast<size_t>(count - done));
            if (got == 0) break;
            done += static_cast<std::streamsize>(got);
        }
        return done;
    }

private:
    size_t readInto(char* into, size_t room)
    {
        const ssize_t n = readSome(fd, into, room);
        if (n < 0) throw std::system_error(errno, std::generic_category());
        return static_cast<size_t>(n);
    }
    int fd;
    char block[readChunk];
};

class regularFileStream : public std::istream {
public:
    explicit regularFileStream(int fd) : std::istream(nullptr), buffer(fd) { rdbuf(&buffer); }

private:
    regularFileBuffer buffer;
};

}  // namespace

fileReadResult readWholeFile(const std::string& path, size_t sizeLimit, std::string& bytes, std::string& reason)
{
    bytes.clear();
    int fd = -1;
    size_t size = 0;
    const fileReadResult opened = openRegularFile(path, sizeLimit, fd, size, reason);
    if (opened != fileReadResult::read) return opened;
    int error = 0;
    try {
        bytes.resize(size);
        bytes.resize(readRange(fd, &bytes[0], 0, size, error));  // a file that got shorter gives what it holds
    } catch (const std::bad_alloc&) {
        error = ENOMEM;
    }
    ::close(fd);
    if (error == 0) return fileReadResult::read;
    std::string().swap(bytes);
    return refuse(fileReadResult::failed, fileReadFailureText(error), reason);
}

fileReader::~fileReader()
{
    if (fd >= 0) ::close(fd);
}

fileReadResult fileReader::open(const std::string& path, size_t sizeLimit, std::string& reason)
{
    const fileReadResult opened = openRegularFile(path, sizeLimit, fd, fileSize, reason);
    if (opened != fileReadResult::read) return opened;
    try {
        held = byteBuffer(std::min(fileSize, openRoomMax));
    } catch (const std::bad_alloc&) {
        return refuse(fileReadResult::failed, fileReadFailureText(ENOMEM), reason);
    }
    return opened;
}

bool fileReader::readOn(size_t end)
{
    if (end > fileSize || fd < 0 || error != 0) return false;
    const size_t target = end + std::min(fileReadAheadAfter(held.size()), fileSize - end);
    try {
        held.enlarge(target);
    } catch (const std::bad_alloc&) {
        error = ENOMEM;
        return false;
    }
    held.hold(readRange(fd, held.data(), held.size(), target, error));
    return held.size() >= end;
}

byteBuffer fileReader::takeBytes(size_t end)
{
    held.hold(std::min(end, held.size()));
    return std::move(held);
}

std::unique_ptr<std::istream> openRegularFileStream(const std::string& path)
{
    int fd = -1;
    size_t size = 0;
    std::string reason;
    if (openRegularFile(path, static_cast<size_t>(-1), fd, size, reason) != fileReadResult::read) return nullptr;
    return std::make_unique<regularFileStream>(fd);
}

unsigned long long fileBytesRead()
{
    return bytesReadSoFar;
}

unsigned long long fileReadCalls()
{
    return readCallsSoFar;
}

void setBeforeOpen(beforeOpenFunc hook)
{
    beforeOpen = hook;
}

std::string fileReadFailureText(int error)
{
    return std::string("cannot be read: ") + (error ? std::strerror(error) : "it got shorter while it was read");
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
