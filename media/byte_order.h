// Numbers stored in a file's bytes: big-endian (most significant byte first)
// and little-endian (least significant first), of up to eight bytes. The
// callers make sure the bytes lie inside what they are handed.
#pragma once
#include <cstddef>
#include <string_view>

inline unsigned long bigEndian(std::string_view b, size_t at, size_t bytes)
{
    unsigned long v = 0;
    for (size_t i = 0; i < bytes; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

inline unsigned long littleEndian(std::string_view b, size_t at, size_t bytes)
{
    unsigned long v = 0;
    for (size_t i = bytes; i-- > 0;) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}
