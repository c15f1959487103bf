// The TGA walk of the image check: an image type, colour map and pixel
// depth the library decodes, the colour map and pixels inside the file and
// run-length pixels whole; a colour map of 15- or 16-bit entries, which the
// library leaves (all but one entry of) its palette unfilled for, is handed
// widened to 24-bit entries.
#include "media/byte_order.h"
#include "media/colour_channel.h"
#include "media/image_walk.h"

namespace {

// Where the run-length packets that begin at `at` have given `pixels`
// pixels; 0 when the file ends first, before the packet that gives the last
// pixel ends. A packet's first byte holds its pixel count less one, and
// whether one pixel value follows for them all.
size_t tgaPacketsEnd(fileReader& in, size_t at, byteCount pixels, byteCount pixelBytes)
{
    constexpr unsigned char repeated = 0x80, countBits = 0x7f;
    const byteBuffer& b = in.bytes();
    byteCount given = 0;
    while (given < pixels && in.has(at, 1)) {
        const unsigned char packet = static_cast<unsigned char>(b[at]);
        const byteCount count = (packet & countBits) + 1u;
        at += static_cast<size_t>(1 + (packet & repeated ? pixelBytes : count * pixelBytes));
        given += count;
    }
    return given >= pixels && at <= in.size() ? at : 0;
}

// The colour map of `entries` 15- or 16-bit entries at `at` (blue, green and
// red in 5 bits each from the lowest up; the top bit unused, or of a 16-bit
// entry its alpha), as 24-bit entries of blue, green and red, each channel
// scaled to the full 0 to 255.
std::string tgaColourMapWidened(std::string_view b, size_t at, unsigned long entries)
{
    constexpr unsigned long channelBits = 5, channelMax = (1ul << channelBits) - 1, entryBytes = 2;
    std::string wide;
    wide.reserve(3 * entries);
    for (unsigned long i = 0; i < entries; ++i) {
        const unsigned long entry = littleEndian(b, at + entryBytes * i, entryBytes);
        for (unsigned long c = 0; c < 3; ++c)
            wide += static_cast<char>(channelScaled(entry >> (channelBits * c) & channelMax, channelMax));
    }
    return wide;
}

enum { tgaMapped = 1, tgaTrueColour = 2, tgaGrey = 3, tgaRunLength = 8 };

// The pixels of a TGA image type, for a refusal that names them.
const char* tgaPixelsName(unsigned long kind)
{
    static const struct {
        unsigned long kind;
        const char* name;
    } names[] = {{tgaMapped, "colour-mapped"}, {tgaTrueColour, "colour"}, {tgaGrey, "grey"}};
    for (const auto& n : names)
        if (n.kind == kind) return n.name;
    return "";
}

}  // namespace

// TGA, which has no signature: an image type the format defines, with the
// colour map and pixel depth that type needs, and the header, image id and
// colour map inside the file, then the pixels: uncompressed ones whole, and
// for run-length pixels room for the packets they need at the least (a
// packet holds at most 128 pixels and takes a byte and a pixel value), and
// packets up to the last pixel. The image ends with its pixels: for
// run-length ones, with the packet that gives its last pixel.
// The library decodes only 8-bit grey and colour-mapped pixels (it reads
// 16-bit grey pixels, grey and alpha, as two pixels of grey), and it reads
// the colour map of an image that is not colour-mapped as its first pixels:
// one declared without entries it decodes, any other it does not. A colour
// map of 16-bit entries it reads into the first entry of its palette over
// and over, leaving the others unfilled, and one of 15-bit entries into no
// palette at all; an alpha bit of 16-bit entries 24-bit ones cannot hold.
headerReading tgaHeader(fileReader& in)
{
    constexpr size_t headerBytes = 18;
    constexpr byteCount packetPixelsMax = 128;
    static const unsigned long trueColourDepths[] = {15, 16, 24, 32};
    static const unsigned long types[] = {tgaMapped, tgaTrueColour, tgaGrey, tgaMapped | tgaRunLength,
                                          tgaTrueColour | tgaRunLength, tgaGrey | tgaRunLength};
    const std::string fault = "is a TGA image whose header is cut short or damaged";
    const byteBuffer& b = in.bytes();
    if (!in.readTo(headerBytes)) return damaged(fault);
    const unsigned long mapType = littleEndian(b, 1, 1), type = littleEndian(b, 2, 1);
    constexpr size_t mapDepthAt = 7, descriptorAt = 17;  // the descriptor's low bits: attribute (alpha) bits
    const unsigned long mapLength = littleEndian(b, 5, 2), mapDepth = littleEndian(b, mapDepthAt, 1);
    const unsigned long width = littleEndian(b, 12, 2), height = littleEndian(b, 14, 2);
    const unsigned long depth = littleEndian(b, 16, 1);
    const unsigned long kind = type & ~static_cast<unsigned long>(tgaRunLength);
    if (!oneOf(type, types) || mapType > 1 || (kind == tgaMapped && mapType != 1)) return damaged(fault);
    const std::string pixelsName = std::string(tgaPixelsName(kind)) + " pixels";
    if (kind != tgaMapped && mapType == 1 && mapLength > 0)
        return damaged("is a TGA image of " + pixelsName + " with a colour map, which cannot be decoded");
    if (kind == tgaMapped && (mapLength == 0 || !oneOf(mapDepth, trueColourDepths))) return damaged(fault);
    const bool depthFits = kind == tgaTrueColour ? oneOf(depth, trueColourDepths) : depth == 8;
    if (!depthFits)
        return damaged("is a TGA image of " + std::to_string(depth) + "-bit " + pixelsName +
                       ", which cannot be decoded");
    constexpr unsigned long attributeBits = 0x0f, wideMapDepth = 24;
    if (kind == tgaMapped && mapDepth == 16 && (littleEndian(b, descriptorAt, 1) & attributeBits) != 0)
        return damaged("is a TGA image whose 16-bit colour map holds alpha, which cannot be decoded");
    const byteCount mapBytes = kind == tgaMapped ? byteCount{mapLength} * ((mapDepth + 7) / 8) : 0;
    const byteCount pixels = byteCount{width} * height, pixelBytes = (depth + 7) / 8;
    const byteCount pixelsAt = headerBytes + littleEndian(b, 0, 1) + mapBytes;
    byteCount needed = pixelsAt;
    if (type & tgaRunLength) needed += (pixels + packetPixelsMax - 1) / packetPixelsMax * (1 + pixelBytes);
    else needed += pixels * pixelBytes;
    headerReading tga = sized(imageFormatTga, width, height);
    if (!sidesBounded(width, height)) return tga;
    const std::string cut = "is a TGA image cut short";
    if (needed > in.size()) return damaged(cut);
    tga.end = static_cast<size_t>(needed);
    if (type & tgaRunLength) tga.end = tgaPacketsEnd(in, static_cast<size_t>(pixelsAt), pixels, pixelBytes);
    if (tga.end == 0) return damaged(cut);
    if (kind == tgaMapped && mapDepth < wideMapDepth) {
        const size_t mapAt = static_cast<size_t>(pixelsAt - mapBytes);
        if (!in.readTo(static_cast<size_t>(pixelsAt))) return tga;  // the read's failure is named
        tga.edits.push_back({mapDepthAt, mapDepthAt + 1, std::string(1, static_cast<char>(wideMapDepth))});
        tga.edits.push_back({mapAt, static_cast<size_t>(pixelsAt), tgaColourMapWidened(b, mapAt, mapLength)});
    }
    return tga;
}
