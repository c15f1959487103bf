// Reading a whole file into memory, safely: the file is opened without
// blocking (a named pipe or a device put in its place is refused at once,
// never waited on), must be a regular file (or a link to one), and is refused
// before a byte is read when it is larger than the caller allows. The bytes
// returned are the ones a reader checks and uses: nothing opens the file again.
#pragma once
#include <cstddef>
#include <string>

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

// The end of a sentence that refuses a file for its size: "is 2147483648
// bytes, more than the 1048576 it may hold".
std::string fileTooLargeText(unsigned long long size, unsigned long long limit);

// The size of the regular file at `path`, learnt without opening it; false
// when there is no regular file there.
bool regularFileSize(const std::string& path, unsigned long long& size);
