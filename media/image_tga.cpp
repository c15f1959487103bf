// The TGA walk of the image check: an image type, colour map and pixel
// depth the library decodes, and the colour map and pixels inside the file.
#include "media/byte_order.h"
#include "media/image_walk.h"

namespace {

// Where the run-length packets that begin at `at` have given `pixels`
// pixels, or where the file ends first. A packet's first byte holds its
// pixel count less one, and whether one pixel value follows for them all.
size_t tgaPacketsEnd(fileReader& in, size_t at, byteCount pixels, byteCount pixelBytes)
{
    constexpr unsigned char repeated = 0x80, countBits = 0x7f;
    const byteBuffer& b = in.bytes();
    for (byteCount given = 0; given < pixels && in.has(at, 1);) {
        const unsigned char packet = static_cast<unsigned char>(b[at]);
        const byteCount count = (packet & countBits) + 1u;
        at += static_cast<size_t>(1 + (packet & repeated ? pixelBytes : count * pixelBytes));
        given += count;
    }
    return std::min(at, in.size());
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
// packet holds at most 128 pixels and takes a byte and a pixel value). The
// image ends with its pixels: for run-length ones, with the packet that
// gives its last pixel (or with the file).
// The library decodes only 8-bit grey and colour-mapped pixels (it reads
// 16-bit grey pixels, grey and alpha, as two pixels of grey), and it reads
// the colour map of an image that is not colour-mapped as its first pixels:
// one declared without entries it decodes, any other it does not.
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
    const unsigned long mapLength = littleEndian(b, 5, 2), mapDepth = littleEndian(b, 7, 1);
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
    const byteCount mapBytes = kind == tgaMapped ? byteCount{mapLength} * ((mapDepth + 7) / 8) : 0;
    const byteCount pixels = byteCount{width} * height, pixelBytes = (depth + 7) / 8;
    const byteCount pixelsAt = headerBytes + littleEndian(b, 0, 1) + mapBytes;
    byteCount needed = pixelsAt;
    if (type & tgaRunLength) needed += (pixels + packetPixelsMax - 1) / packetPixelsMax * (1 + pixelBytes);
    else needed += pixels * pixelBytes;
    headerReading tga = sized(imageFormatTga, width, height);
    if (!sidesBounded(width, height)) return tga;
    if (needed > in.size()) return damaged("is a TGA image cut short");
    tga.end = static_cast<size_t>(needed);
    if (type & tgaRunLength) tga.end = tgaPacketsEnd(in, static_cast<size_t>(pixelsAt), pixels, pixelBytes);
    return tga;
}
