// The one file copy of the tests and the benchmarks: a file's bytes read and
// written through plain reads and writes, so that a copy works between any
// two file systems (the clone on a disk, the temporary folders on a tmpfs),
// where the file system library's own copy gives up on some kernels. A copy
// keeps its file's permission bits. Also the copy of a folder tree.
#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <cerrno>
#include <string>

namespace testutil {

namespace copydetail {

constexpr size_t chunkBytes = 1 << 16;

// A file descriptor closed with the object.
struct ownedFd {
    int fd;
    ~ownedFd()
    {
        if (fd >= 0) ::close(fd);
    }
};

[[noreturn]] inline void fail(const std::string& step, const boost::filesystem::path& from,
                              const boost::filesystem::path& to)
{
    throw boost::filesystem::filesystem_error("copyFile: " + step, from, to,
                                              boost::system::error_code(errno, boost::system::system_category()));
}

}  // namespace copydetail

// Copies the file `from` to `to`, replacing a file there, with `from`'s
// permission bits. Throws boost::filesystem::filesystem_error on failure.
inline void copyFile(const boost::filesystem::path& from, const boost::filesystem::path& to)
{
    using copydetail::fail;
    const copydetail::ownedFd in{::open(from.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat status;
    if (in.fd < 0 || ::fstat(in.fd, &status) != 0) fail("cannot open the file", from, to);
    const mode_t mode = status.st_mode & 07777;
    const copydetail::ownedFd out{::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode)};
    if (out.fd < 0 || ::fchmod(out.fd, mode) != 0) fail("cannot write the copy", from, to);
    char chunk[copydetail::chunkBytes];
    for (;;) {
        const ssize_t got = ::read(in.fd, chunk, sizeof chunk);
        if (got == 0) return;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail("cannot read the file", from, to);
        for (ssize_t put = 0; put < got;) {
            const ssize_t wrote = ::write(out.fd, chunk + put, got - put);
            if (wrote < 0 && errno != EINTR) fail("cannot write the copy", from, to);
            if (wrote > 0) put += wrote;
        }
    }
}

// Copies the folder tree `from` into the folder `to`, made when missing,
// replacing files already there.
inline void copyTree(const boost::filesystem::path& from, const boost::filesystem::path& to)
{
    namespace fs = boost::filesystem;
    fs::create_directories(to);
    for (fs::recursive_directory_iterator it(from), end; it != end; ++it) {
        const fs::path target = to / fs::relative(it->path(), from);
        if (fs::is_directory(it->path())) fs::create_directories(target);
        else copyFile(it->path(), target);
    }
}

}  // namespace testutil
