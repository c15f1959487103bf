// Reading files safely. What stands at a path is learnt before anything
// opens it: only a regular file (or a link to one) is opened, never a named
// pipe or a device put in its place (opening a pipe lets a program waiting to
// write into it go on). The open itself does not block, and what it opened
// is looked at again, in case the entry was replaced in between. A file
// larger than the caller allows is refused before it is opened. The bytes
// read are the ones a reader checks and uses: nothing opens the file again.
#pragma once
#include <cstddef>
#include <istream>
#include <memory>
#include <string>

#include "core/byte_buffer.h"

enum class fileReadResult {
    read,        // `bytes` holds the whole file
    missing,     // nothing stands at the path
    notAFile,    // a folder, a pipe, a device ...
    tooLarge,    // larger than the limit; nothing was read
    failed,      // it could not be opened or read
};

// Reads the file at `path` whole into `bytes` when it holds at most
// `sizeLimit` bytes. On anything but `read`, `bytes` is empty and `reason`
// ends a sentence that begins with the path: "is a named pipe, not a file",
// "is 2147483648 bytes, more than the 1048576 it may hold", "cannot be read:
// Permission denied".
fileReadResult readWholeFile(const std::string& path, size_t sizeLimit, std::string& bytes, std::string& reason);

// A regular file read from its start only as far as its reader asks, and
// a read-ahead past that: a read that must reach byte `end` reads on past
// it by as many bytes as were read before it, at least 64 KiB (a plain read
// takes the file in one call; this reader, in one call per doubling of what
// it has read). A reader that knows where its data ends thus reads past it
// at most about as many bytes as the data holds, however long the file is.
// The bytes go into memory made when the file is opened, for the whole file
// when it holds at most 8 MiB, else for its first 8 MiB, which grows with
// the reads that go past it, to what each reaches and never to the file's
// size at once (a large file holding a small image takes 8 MiB or about
// twice the image, whichever is more, whatever follows it).
// They are read straight into it, nothing is cleared first, and a walk over
// them (memchr for one) steps over what is read so far.
class fileReader {
public:
    fileReader() = default;
    ~fileReader();
    fileReader(const fileReader&) = delete;
    fileReader& operator=(const fileReader&) = delete;

    // Opens the file at `path` as readWholeFile would read it, with the same
    // results and reasons (`read`: it is open, nothing read yet), and makes
    // the memory for its first reads (the whole file's, up to 8 MiB); a file
    // there is no memory for is `failed`.
    fileReadResult open(const std::string& path, size_t sizeLimit, std::string& reason);
    // The file's size when it was opened.
    size_t size() const { return fileSize; }
    // Makes bytes() hold at least the file's first `end` bytes, reading on
    // from where it stopped to past `end` by as many bytes as it held (at
    // least 64 KiB, at most to the file's end); false when the file is
    // shorter or a read fails (readError says why). As quick as a comparison
    // for bytes read already.
    bool readTo(size_t end) { return end <= held.size() || readOn(end); }
    // True when the file holds `count` bytes at `at`, which are then read
    // (readTo their end); no sum of the two can overflow.
    bool has(size_t at, size_t count) { return count <= fileSize && at <= fileSize - count && readTo(at + count); }
    // The bytes read so far.
    const byteBuffer& bytes() const { return held; }
    // The first `end` bytes read, taken from the reader (which holds none
    // after) in the memory they were read into.
    byteBuffer takeBytes(size_t end);
    // The errno of a read that failed, else 0.
    int readError() const { return error; }

private:
    bool readOn(size_t end);
    int fd = -1;
    size_t fileSize = 0;
    byteBuffer held;
    int error = 0;
};

// The regular file at `path` as a stream read from an open that neither
// blocks nor takes anything but a regular file; null when there is none.
// A read that fails leaves the stream bad.
std::unique_ptr<std::istream> openRegularFileStream(const std::string& path);

// The end of a sentence that names a read of a fileReader that failed, from
// its readError(): "cannot be read: Input/output error", or for 0 that the
// file got shorter while it was read.
std::string fileReadFailureText(int error);

// The end of a sentence that refuses a file for its size: "is 2147483648
// bytes, more than the 1048576 it may hold".
std::string fileTooLargeText(unsigned long long size, unsigned long long limit);

// The size of the regular file at `path`, learnt without opening it; false
// when there is no regular file there.
bool regularFileSize(const std::string& path, unsigned long long& size);
