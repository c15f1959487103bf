// Reading BMP headers, and giving a BMP the form the image library reads
// exactly.
#include "media/image_bmp.h"

#include <cstdint>
#include <cstring>

#include "media/byte_order.h"
#include "media/colour_channel.h"

namespace {

constexpr size_t masksAt = bmpFileHeaderBytes + bmpInfoHeaderBytes;  // inside or after the header
constexpr size_t alphaMaskAt = masksAt + bmpMaskBytes;                // in the headers of 56 bytes and more
constexpr unsigned long fiveFiveFive[3] = {0x7c00, 0x03e0, 0x001f};    // 16-bit pixels without masks
constexpr unsigned long colourDepth = 24;

void putLittleEndian(char* b, size_t at, unsigned long v, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i) b[at + i] = static_cast<char>(v >> (8 * i) & 0xff);
}

unsigned long long rowBytes(unsigned long width, unsigned long depth)
{
    return (static_cast<unsigned long long>(width) * depth + 31) / 32 * 4;
}

// One channel of pixels laid out by masks: where its bits start and its
// largest value.
struct channel {
    unsigned shift = 0;
    uint64_t max = 0;
    unsigned char of(uint64_t pixel) const { return channelScaled(pixel >> shift & max, max); }
};

channel channelOf(unsigned long mask)
{
    channel c;
    if (mask == 0) return c;
    while (!(mask >> c.shift & 1)) ++c.shift;
    c.max = mask >> c.shift;
    return c;
}

}  // namespace

bmpFields bmpRead(std::string_view head)
{
    bmpFields f;
    f.infoBytes = littleEndian(head, bmpFileHeaderBytes, 4);
    f.core = f.infoBytes == bmpCoreHeaderBytes;
    f.dataAt = littleEndian(head, 10, 4);
    if (f.core) {
        f.width = littleEndian(head, 18, 2);
        f.height = littleEndian(head, 20, 2);
        f.planes = littleEndian(head, 22, 2);
        f.depth = littleEndian(head, 24, 2);
        return f;
    }
    auto side = [&](size_t at) {
        const long v = static_cast<int32_t>(littleEndian(head, at, 4));
        return static_cast<unsigned long>(v < 0 ? -v : v);
    };
    f.width = side(18);
    f.height = side(22);
    f.planes = littleEndian(head, 26, 2);
    f.depth = littleEndian(head, 28, 2);
    f.compression = littleEndian(head, 30, 4);
    f.dataBytes = littleEndian(head, 34, 4);
    f.coloursUsed = littleEndian(head, 46, 4);
    if (f.compression == bmpPlain && f.depth == 16) {
        for (int c = 0; c < 3; ++c) f.masks[c] = fiveFiveFive[c];
    } else if (f.compression == bmpBitFields && f.infoBytes != bmpOs2HeaderBytes && head.size() >= alphaMaskAt) {
        for (size_t c = 0; c < 3; ++c) f.masks[c] = littleEndian(head, masksAt + 4 * c, 4);
    }
    if (f.infoBytes >= alphaMaskAt + 4 - bmpFileHeaderBytes) f.alphaMask = littleEndian(head, alphaMaskAt, 4);
    return f;
}

unsigned long long bmpPaletteBytes(const bmpFields& f)
{
    const unsigned long depthColours = f.depth <= 8 ? 1ul << f.depth : 0;
    return static_cast<unsigned long long>(f.coloursUsed ? f.coloursUsed : depthColours) * (f.core ? 3 : 4);
}

bool bmpPixelsByMasks(const bmpFields& f)
{
    if (f.core) return false;  // its depths have no masks
    return (f.compression == bmpPlain && f.depth == 16) ||
           (f.compression == bmpBitFields && f.infoBytes != bmpOs2HeaderBytes);
}

bool bmpMasksReadable(const bmpFields& f)
{
    const uint64_t inPixel = f.depth >= 32 ? 0xffffffffull : (1ull << f.depth) - 1;
    uint64_t taken = 0;
    for (const unsigned long mask : f.masks) {
        const channel c = channelOf(mask);
        const uint64_t run = c.max;
        if ((run & (run + 1)) != 0 || (mask & ~inPixel) != 0 || (mask & taken) != 0) return false;
        taken |= mask;
    }
    return true;
}

void bmpToLibraryForm(byteBuffer& b)
{
    const bmpFields f = bmpRead(b);
    if (f.core || f.infoBytes == bmpInfoHeaderBytes || bmpPixelsByMasks(f)) return;
    const size_t paletteAt = bmpFileHeaderBytes + f.infoBytes;
    const size_t libraryPaletteAt = bmpFileHeaderBytes + bmpInfoHeaderBytes;
    const size_t paletteBytes = static_cast<size_t>(bmpPaletteBytes(f));
    if (paletteBytes > 0) std::memmove(b.data() + libraryPaletteAt, b.data() + paletteAt, paletteBytes);
    putLittleEndian(b.data(), bmpFileHeaderBytes, bmpInfoHeaderBytes, 4);
}

std::string bmpWithColourPixels(std::string_view b)
{
    const bmpFields f = bmpRead(b);
    if (!bmpPixelsByMasks(f)) return std::string();
    constexpr size_t headersBytes = bmpFileHeaderBytes + bmpInfoHeaderBytes;
    const size_t inRow = static_cast<size_t>(rowBytes(f.width, f.depth));
    const size_t outRow = static_cast<size_t>(rowBytes(f.width, colourDepth));
    const size_t pixelBytes = f.depth / 8, outBytes = outRow * f.height;
    std::string out(headersBytes + outBytes, '\0');
    out[0] = 'B';
    out[1] = 'M';
    putLittleEndian(out.data(), 2, static_cast<unsigned long>(out.size()), 4);
    putLittleEndian(out.data(), 10, headersBytes, 4);
    putLittleEndian(out.data(), bmpFileHeaderBytes, bmpInfoHeaderBytes, 4);
    out.replace(18, 8, b.substr(18, 8));  // width and height, its sign (the row order) kept
    putLittleEndian(out.data(), 26, 1, 2);
    putLittleEndian(out.data(), 28, colourDepth, 2);
    putLittleEndian(out.data(), 34, static_cast<unsigned long>(outBytes), 4);

    const channel red = channelOf(f.masks[0]), green = channelOf(f.masks[1]), blue = channelOf(f.masks[2]);
    for (size_t y = 0; y < f.height; ++y) {
        const size_t from = f.dataAt + y * inRow, to = headersBytes + y * outRow;
        for (size_t x = 0; x < f.width; ++x) {
            const uint64_t pixel = littleEndian(b, from + x * pixelBytes, pixelBytes);
            out[to + 3 * x] = static_cast<char>(blue.of(pixel));
            out[to + 3 * x + 1] = static_cast<char>(green.of(pixel));
            out[to + 3 * x + 2] = static_cast<char>(red.of(pixel));
        }
    }
    return out;
}
