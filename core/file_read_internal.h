// File reading's test hooks: how far a reader reads ahead of what it was
// asked for, counts of the bytes every read of this module has taken from
// files and of the read calls that took them, and a function called between
// the look at a path and its open. Only the file reader and the tests
// include this header.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string>

// The least a reader reads past what it was asked for.
constexpr size_t fileReadAheadLeast = 64 * 1024;

// How far past the byte it was asked for a reader that holds `held` bytes
// reads on: as far as it had read already, and at least fileReadAheadLeast.
// Each read thus reaches about twice as far as the one before, so a file is
// read in a number of calls that grows with the logarithm of its size; and
// a reader asked for its first `end` bytes has read at most
// end + fileReadAheadAfter(end) of them, however long the file is.
inline size_t fileReadAheadAfter(size_t held)
{
    return std::max(fileReadAheadLeast, held);
}

// Bytes read from files since the program started.
unsigned long long fileBytesRead();
// Read calls made on files since the program started.
unsigned long long fileReadCalls();

// Called with the path once what stands there has been looked at and
// before it is opened (a test puts something else in its place); null for
// none.
using beforeOpenFunc = void (*)(const std::string& path);
void setBeforeOpen(beforeOpenFunc hook);
