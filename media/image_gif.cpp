// The GIF walk of the image check: the logical screen and its blocks up to
// the trailer, every image bounded, and each image's codes followed as the
// image library decodes them, so that it is handed data it decodes as
// other decoders do and never reads past.
#include <cstdint>
#include <string_view>

#include "media/byte_order.h"
#include "media/image_walk.h"

namespace {

constexpr int codeBitsMax = 12;  // the longest code, and 2^12 entries in the code table

// The data sub-blocks that follow a GIF extension or image: each a length
// byte and that many bytes, up to a length of 0. The position after them,
// or 0 when the file ends first. Every byte up to there is read.
size_t skipGifSubBlocks(fileReader& in, size_t at)
{
    const byteBuffer& b = in.bytes();
    while (in.has(at, 1)) {
        const size_t length = static_cast<unsigned char>(b[at]);
        at += 1 + length;
        if (length == 0) return at;
    }
    return 0;
}

// Reads the codes of a GIF image's data as the library does: a byte at a
// time across its sub-blocks, the first of them at `at`, least significant
// bits first. The library reads a whole sub-block when it needs its first
// byte; `blockEnd` is where the last one read ends.
class gifCodeReader {
public:
    gifCodeReader(std::string_view b, size_t at) : b(b), at(at), blockEnd(at) {}
    // The next code of `bits` bits; -1 when the sub-blocks end first.
    int next(int bits)
    {
        while (held < bits) {
            if (at == blockEnd && !nextBlock()) return -1;
            word |= static_cast<uint32_t>(static_cast<unsigned char>(b[at++])) << held;
            held += 8;
            ++bytesRead;
        }
        const int code = static_cast<int>(word & ((1u << bits) - 1));
        word >>= bits;
        held -= bits;
        return code;
    }
    // True when the sub-blocks end right after the one read last.
    bool atTerminator() const { return blockEnd < b.size() && b[blockEnd] == 0; }
    // The bits of the data the codes read so far take.
    uint64_t bitsRead() const { return 8 * uint64_t{bytesRead} - static_cast<uint64_t>(held); }

private:
    bool nextBlock()
    {
        const size_t length = blockEnd < b.size() ? static_cast<unsigned char>(b[blockEnd]) : 0;
        if (length == 0) return false;
        at = blockEnd + 1;
        blockEnd = at + length;
        return true;
    }
    std::string_view b;
    size_t at, blockEnd;
    size_t bytesRead = 0;
    uint32_t word = 0;
    int held = 0;
};

// Where the library's decoding of a GIF image's data is to end: the bit
// where the code that ends it begins (its end code, the code it reads past
// the image's last pixel, or a code naming a table entry the table does not
// hold yet), or where the codes run out before any, and the size of that
// code. `inLastBlock` when it ends in the last sub-block with its end code
// or its last pixel. A code naming an entry past the next one (or any entry
// right after a clear code) is damaged data: the library would take that
// entry, and those it then makes from it, from table memory nothing filled,
// so the image ends before that code.
struct gifDecodingEnd {
    uint64_t bit = 0;
    int codeBits = 0;
    bool inLastBlock = false;
};

// Follows an image's codes as the library decodes them, from its first code
// whether that is a clear code or not. Only the number of pixels each code
// gives is followed (a code of the table gives one more than the code it
// extends).
gifDecodingEnd gifDecoding(std::string_view b, size_t dataAt, int codeSize, byteCount pixels)
{
    constexpr int tableSize = 1 << codeBitsMax;
    const int clear = 1 << codeSize, end = clear + 1, firstEntry = clear + 2;
    std::vector<byteCount> lengths(tableSize, 1);
    gifCodeReader reader(b, dataAt);
    int bits = codeSize + 1, slot = firstEntry, top = 1 << bits, previous = 0;
    const auto ended = [&] { return gifDecodingEnd{reader.bitsRead() - bits, bits, reader.atTerminator()}; };
    const auto ranOut = [&] { return gifDecodingEnd{reader.bitsRead(), bits, false}; };
    const auto unknown = [&] { return gifDecodingEnd{reader.bitsRead() - bits, bits, false}; };
    byteCount decoded = 0;
    for (;;) {
        int code = reader.next(bits);
        if (code < 0) return ranOut();
        if (code == end || decoded >= pixels) return ended();
        if (code == clear) {
            bits = codeSize + 1, slot = firstEntry, top = 1 << bits;
            while ((code = reader.next(bits)) == clear) {
            }
            if (code < 0) return ranOut();
            if (code == end) return ended();
            if (code >= slot) return unknown();
            previous = code;
            ++decoded;
            continue;
        }
        if (code > slot) return unknown();
        const byteCount length = code == slot ? lengths[static_cast<size_t>(previous)] + 1
                                              : lengths[static_cast<size_t>(code)];
        if (slot < top) lengths[static_cast<size_t>(slot++)] = lengths[static_cast<size_t>(previous)] + 1;
        if (slot >= top && bits < codeBitsMax) top <<= 1, ++bits;
        previous = code;
        decoded += length;
    }
}

// The bytes a GIF image's sub-blocks from `dataAt` up to their terminator at
// `terminatorAt` carry.
std::string gifDataOf(std::string_view b, size_t dataAt, size_t terminatorAt)
{
    std::string data;
    for (size_t at = dataAt; at < terminatorAt; at += 1 + static_cast<unsigned char>(b[at]))
        data.append(b, at + 1, static_cast<unsigned char>(b[at]));
    return data;
}

// `data` as sub-blocks, without their terminator. No sub-block is of the
// length of a block's first byte (an extension's or an image's), which the
// library would take for one if its decoding ended before it.
std::string gifSubBlocksOf(const std::string& data)
{
    constexpr size_t subBlockMax = 255, extensionLength = 0x21, imageLength = 0x2C, shorter = 2;
    std::string blocks;
    for (size_t at = 0; at < data.size();) {
        size_t length = std::min(subBlockMax, data.size() - at);
        if (length == extensionLength || length == imageLength) length -= shorter;
        blocks += static_cast<char>(length);
        blocks.append(data, at, length);
        at += length;
    }
    return blocks;
}

// `data` with the code `code` of `bits` bits put before its first bit.
std::string gifCodeBefore(const std::string& data, int code, int bits)
{
    std::string out;
    out.reserve(data.size() + 2);
    uint32_t word = static_cast<uint32_t>(code);
    int held = bits;
    for (unsigned char byte : data) {
        word |= static_cast<uint32_t>(byte) << held;
        out += static_cast<char>(word & 0xff);
        word >>= 8;
    }
    for (; held > 0; held -= 8, word >>= 8) out += static_cast<char>(word & 0xff);
    return out;
}

// `data` with its first `bits` bits kept and the end code `endCode` of
// `codeBits` bits put after them.
std::string gifDataEndedAt(std::string data, uint64_t bits, int endCode, int codeBits)
{
    data.resize(static_cast<size_t>((bits + static_cast<uint64_t>(codeBits) + 7) / 8), '\0');
    for (uint64_t bit = bits; bit < 8ull * data.size(); ++bit) {
        const uint64_t i = bit - bits;
        const bool set = i < static_cast<uint64_t>(codeBits) && (endCode >> i & 1);
        const unsigned char mask = static_cast<unsigned char>(1u << (bit % 8));
        char& byte = data[static_cast<size_t>(bit / 8)];
        byte = static_cast<char>(set ? byte | mask : byte & ~mask);
    }
    return data;
}

// The library decodes an image's codes as far as gifDecoding says, then
// takes the next byte for the next block: data left after the sub-block
// where its decoding ends it would read as blocks (and draw an image whose
// header it found there wherever that header says, outside the screen), and
// codes that run out before an end code it would read on into the blocks
// that follow. Data whose first code is no clear code it decodes with a
// table one entry ahead of the encoder's, reading codes of the wrong size and
// entries it never set; such data is handed with a clear code first, which
// decodes as other decoders decode it. An image of one pixel is the
// exception: its one code the library decodes right without a clear code,
// and after one it fails. Empty data is handed as an end code alone. Unless
// its decoding is known to end in the last sub-block of data as the file
// holds it, the library is handed the codes up to where its decoding ends
// (or up to a code naming an entry its table does not hold yet, the image
// then shown as far as it goes), and an end code.
void handGifDataAsDecoded(headerReading& gif, std::string_view b, size_t dataAt, size_t terminatorAt, int codeSize,
                          byteCount pixels)
{
    const int clear = 1 << codeSize, endCode = clear + 1, firstBits = codeSize + 1;
    const bool asItIs = pixels == 1 || b[dataAt] == 0 || gifCodeReader(b, dataAt).next(firstBits) == clear;
    std::string data;
    gifDecodingEnd e;
    if (asItIs) {
        e = gifDecoding(b, dataAt, codeSize, pixels);
        if (e.inLastBlock) return;
        data = gifDataOf(b, dataAt, terminatorAt);
    } else {
        data = gifCodeBefore(gifDataOf(b, dataAt, terminatorAt), clear, firstBits);
        e = gifDecoding(gifSubBlocksOf(data) + '\0', 0, codeSize, pixels);
    }
    const std::string ended = gifDataEndedAt(std::move(data), e.bit, endCode, e.codeBits);
    gif.edits.push_back({dataAt, terminatorAt, gifSubBlocksOf(ended)});
}

size_t gifColourTableBytes(unsigned long flags)
{
    constexpr unsigned long hasTable = 0x80;
    return flags & hasTable ? size_t{3} << ((flags & 7) + 1) : 0;
}

}  // namespace

// GIF: the logical screen, then its blocks walked to the trailer: every
// image inside the screen and whole inside the file, at most gifFramesMax
// of them. Each image of an animation would take memory of the whole
// screen, so their number counts towards the pixels too, and towards the
// image data they need: a code of at most 12 bits gives at most 4,096
// pixels. An image coded for more than 256 colours, whose codes can name
// colours no table holds, is refused: the library decodes none coded for
// more than 512 (one coded for 4,096 fills the whole code table with its
// colours alone). The image ends with the trailer. The program shows the
// first image of a file, and the library is handed that image alone: the
// screen and its table, the blocks before the first image (its graphic
// control among them), the first image with its data as far as its
// decoding goes (above), then the trailer. The library, handed the images
// after it, takes their local tables onto the palette it already holds,
// past its end.
headerReading gifHeader(fileReader& in)
{
    constexpr int extension = 0x21, imageBlock = 0x2C, trailer = 0x3B;
    constexpr size_t screenBytes = 13, imageHeaderBytes = 10;
    // The first code size of an image: the bits of the colours its codes name.
    constexpr int gifCodeSizeMin = 2, gifCodeSizeMax = 8;
    const std::string cut = "is a GIF image cut short or damaged";
    const byteBuffer& b = in.bytes();
    if (!in.readTo(screenBytes)) return damaged(cut);
    headerReading gif = sized(imageFormatGif, littleEndian(b, 6, 2), littleEndian(b, 8, 2));
    constexpr byteCount codePixelsMax = byteCount{1} << codeBitsMax;
    gif.frames = 0;
    byteCount imageData = 0;
    size_t firstImageEnd = 0;
    size_t at = screenBytes + gifColourTableBytes(littleEndian(b, 10, 1));
    while (at != 0 && in.has(at, 1)) {
        const int block = static_cast<unsigned char>(b[at]);
        if (block == trailer && gif.frames > 0) {
            const byteCount pixels = byteCount{gif.width} * gif.height * gif.frames;
            const byteCount dataNeeded = (pixels + codePixelsMax - 1) / codePixelsMax * codeBitsMax / 8;
            gif.end = at + 1;
            gif.bytesNeeded = gif.end - imageData + dataNeeded;  // the rest of the image, and that data
            if (gif.frames > 1) gif.edits.push_back({firstImageEnd, at, ""});  // up to the trailer
            return gif;
        }
        if (block == extension && in.has(at, 2)) {
            at = skipGifSubBlocks(in, at + 2);
        } else if (block == imageBlock && in.has(at, imageHeaderBytes)) {
            const unsigned long left = littleEndian(b, at + 1, 2), top = littleEndian(b, at + 3, 2);
            const unsigned long w = littleEndian(b, at + 5, 2), h = littleEndian(b, at + 7, 2);
            if (w == 0 || h == 0) return damaged(cut);
            if (left + w > gif.width || top + h > gif.height)
                return damaged("is a GIF image with a frame outside its screen");
            if (++gif.frames > gifFramesMax)
                return damaged("is a GIF image of more than " + std::to_string(gifFramesMax) + " frames");
            at += imageHeaderBytes + gifColourTableBytes(littleEndian(b, at + 9, 1));
            if (!in.has(at, 1)) break;
            const int codeSize = static_cast<unsigned char>(b[at]);
            if (codeSize > gifCodeSizeMax && codeSize <= codeBitsMax)
                return damaged("is a GIF image coded for " + std::to_string(1ul << codeSize) +
                               " colours, more than a colour table holds");
            if (codeSize < gifCodeSizeMin || codeSize > gifCodeSizeMax) break;
            const size_t dataAt = at + 1;
            at = skipGifSubBlocks(in, dataAt);
            if (at == 0) break;
            if (gif.frames == 1) {
                handGifDataAsDecoded(gif, b, dataAt, at - 1, codeSize, byteCount{w} * h);
                firstImageEnd = at;
            }
            imageData += at - dataAt;
        } else {
            break;
        }
    }
    return damaged(cut);
}
