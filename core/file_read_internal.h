// File reading's test hooks: how far a reader reads ahead of what it was
// asked for, a count of the bytes every read of this module has taken from
// files, and a function called between the look at a path and its open.
// Only the file reader and the tests include this header.
#pragma once
#include <cstddef>
#include <string>

constexpr size_t fileReadAhead = 64 * 1024;

// Bytes read from files since the program started.
unsigned long long fileBytesRead();

// Called with the path once what stands there has been looked at and
// before it is opened (a test puts something else in its place); null for
// none.
using beforeOpenFunc = void (*)(const std::string& path);
void setBeforeOpen(beforeOpenFunc hook);
