// File reading's test hooks: how far a reader reads ahead of what it was
// asked for, and a count of the bytes every read of this module has taken
// from files. Only the file reader and the tests include this header.
#pragma once
#include <cstddef>

constexpr size_t fileReadAhead = 64 * 1024;

// Bytes read from files since the program started.
unsigned long long fileBytesRead();
