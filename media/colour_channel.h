// A colour channel stored in fewer than 8 bits, as an 8-bit channel: its
// values scaled to the full 0 to 255, rounded, so that its largest value is
// full intensity (BMP pixels laid out by colour masks, TGA colour maps of
// 15- and 16-bit entries).
#pragma once
#include <cstdint>

inline unsigned char channelScaled(uint64_t value, uint64_t max)
{
    constexpr uint64_t fullChannel = 255;
    return max == 0 ? 0 : static_cast<unsigned char>((value * fullChannel + max / 2) / max);
}
