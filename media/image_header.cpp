// Checking image files before they are decoded: the format by signature (or
// a TGA by its name and header), the declared size, and for JPEG and GIF the
// structure that leads to the image data.
#include "media/image_header.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "core/file_kind.h"
#include "core/log.h"

namespace {

using byteCount = unsigned long long;

constexpr size_t headBytes = 64;  // enough for every fixed-place header below
constexpr unsigned long pixelsMax = imageSideMax * imageSideMax;  // every frame of a GIF together

// Positioned reads from a file whose length is known.
class fileBytes {
public:
    explicit fileBytes(const std::string& path) : in(path, std::ios::binary)
    {
        in.seekg(0, std::ios::end);
        const std::streamoff end = in.tellg();
        length = in && end > 0 ? static_cast<byteCount>(end) : 0;
    }
    byteCount size() const { return length; }
    byteCount position() const { return at; }
    void seek(byteCount to)
    {
        in.clear();
        in.seekg(static_cast<std::streamoff>(to));
        at = to;
    }
    // The next byte, or -1 at the end.
    int next()
    {
        const int c = at < length ? in.get() : std::char_traits<char>::eof();
        if (c == std::char_traits<char>::eof()) return -1;
        ++at;
        return c;
    }
    // The `count` bytes at `from`; false when the file ends first.
    bool read(byteCount from, size_t count, std::string& out)
    {
        if (from > length || count > length - from) return false;
        out.assign(count, '\0');
        seek(from);
        at += count;
        return count == 0 || static_cast<bool>(in.read(&out[0], static_cast<std::streamsize>(count)));
    }
    // The byte at `from`, or -1 past the end.
    int byte(byteCount from)
    {
        if (from >= length) return -1;
        seek(from);
        return next();
    }

private:
    std::ifstream in;
    byteCount length = 0;
    byteCount at = 0;  // where next() reads
};

unsigned long bigEndian(const std::string& b, size_t at, size_t bytes)
{
    unsigned long v = 0;
    for (size_t i = 0; i < bytes; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

unsigned long littleEndian(const std::string& b, size_t at, size_t bytes)
{
    unsigned long v = 0;
    for (size_t i = bytes; i-- > 0;) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

bool startsWith(const std::string& b, const char* signature, size_t length)
{
    return b.size() >= length && std::memcmp(b.data(), signature, length) == 0;
}

bool endsWithNoCase(const std::string& text, const std::string& end)
{
    if (text.size() < end.size()) return false;
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

template <typename T, size_t n>
bool oneOf(T value, const T (&allowed)[n])
{
    return std::find(std::begin(allowed), std::end(allowed), value) != std::end(allowed);
}

// What a header says: the format with its size, or why it is refused.
struct headerReading {
    imageFormat format = imageFormatNone;
    unsigned long width = 0;
    unsigned long height = 0;
    unsigned long frames = 1;
    std::string fault;  // a damaged header: what is wrong, as the end of a sentence
};

headerReading sized(imageFormat format, unsigned long width, unsigned long height)
{
    headerReading r;
    r.format = format;
    r.width = width;
    r.height = height;
    return r;
}

headerReading damaged(const std::string& fault)
{
    headerReading r;
    r.fault = fault;
    return r;
}

// PNG: the signature, then the IHDR chunk of 13 bytes with width and height.
headerReading pngHeader(const std::string& head)
{
    constexpr unsigned long ihdrLength = 13;
    if (head.size() < 24 || bigEndian(head, 8, 4) != ihdrLength || head.compare(12, 4, "IHDR") != 0)
        return damaged("is a PNG image without its header chunk");
    return sized(imageFormatPng, bigEndian(head, 16, 4), bigEndian(head, 20, 4));
}

// BMP: the file header, then an information header of a known length. Its
// fields as the checks need them; the old 12-byte header holds 16-bit sizes
// and no palette length, every later one signed 32-bit sizes (a negative
// height is a top-down image).
struct bmpFields {
    bool core = false;
    unsigned long infoBytes = 0, dataAt = 0, width = 0, height = 0, planes = 0, depth = 0;
    unsigned long compression = 0, dataBytes = 0, coloursUsed = 0;
};

constexpr unsigned long bmpCoreHeaderBytes = 12;
constexpr size_t bmpFileHeaderBytes = 14;
enum { bmpPlain = 0, bmpRle8 = 1, bmpRle4 = 2, bmpBitFields = 3 };

bmpFields bmpRead(const std::string& head)
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
    return f;
}

// One plane, a pixel depth and compression the format defines, a palette no
// longer than the depth allows, and the palette and pixels inside the file
// (the library takes its allocations from these fields).
bool bmpFieldsFit(const bmpFields& f, byteCount fileSize)
{
    static const unsigned long depths[] = {1, 4, 8, 16, 24, 32};
    constexpr unsigned long paletteMax = 256;
    const bool compressionFits = f.compression == bmpPlain || (f.compression == bmpRle8 && f.depth == 8) ||
                                 (f.compression == bmpRle4 && f.depth == 4) ||
                                 (f.compression == bmpBitFields && (f.depth == 16 || f.depth == 32));
    if (f.planes != 1 || !oneOf(f.depth, depths) || !compressionFits || f.dataAt >= fileSize) return false;
    const unsigned long depthColours = f.depth <= 8 ? 1ul << f.depth : 0;
    if (f.coloursUsed > (depthColours ? depthColours : paletteMax)) return false;
    const byteCount paletteBytes = byteCount{f.coloursUsed ? f.coloursUsed : depthColours} * (f.core ? 3 : 4);
    const byteCount pixelBytes = fileSize - f.dataAt;
    if (bmpFileHeaderBytes + f.infoBytes + paletteBytes > fileSize || f.dataBytes > pixelBytes) return false;
    const bool bounded = f.width <= imageSideMax && f.height <= imageSideMax;  // else its size is what to report
    const byteCount rowBytes = (byteCount{f.width} * f.depth + 31) / 32 * 4;
    return f.compression != bmpPlain || !bounded || rowBytes * f.height <= pixelBytes;
}

headerReading bmpHeader(const std::string& head, byteCount fileSize)
{
    static const unsigned long infoHeaderBytes[] = {bmpCoreHeaderBytes, 40, 52, 56, 64, 108, 124};
    constexpr size_t coreEnd = 26, infoEnd = 50;
    const std::string fault = "is a BMP image whose header is cut short or damaged";
    if (head.size() < coreEnd) return damaged(fault);
    const unsigned long infoBytes = littleEndian(head, bmpFileHeaderBytes, 4);
    if (!oneOf(infoBytes, infoHeaderBytes) || (infoBytes != bmpCoreHeaderBytes && head.size() < infoEnd))
        return damaged(fault);
    const bmpFields f = bmpRead(head);
    if (!bmpFieldsFit(f, fileSize)) return damaged(fault);
    return sized(imageFormatBmp, f.width, f.height);
}

// TGA, which has no signature: an image type the format defines, with the
// colour map and pixel depth that type needs, and the header, image id and
// colour map inside the file (uncompressed pixels too).
headerReading tgaHeader(const std::string& head, byteCount fileSize)
{
    constexpr size_t headerBytes = 18;
    enum { mapped = 1, trueColour = 2, grey = 3, rleFlag = 8 };
    static const unsigned long trueColourDepths[] = {15, 16, 24, 32};
    static const unsigned long types[] = {mapped, trueColour, grey, mapped | rleFlag, trueColour | rleFlag,
                                          grey | rleFlag};
    const std::string fault = "is a TGA image whose header is cut short or damaged";
    if (head.size() < headerBytes) return damaged(fault);
    const unsigned long mapType = littleEndian(head, 1, 1), type = littleEndian(head, 2, 1);
    const unsigned long mapLength = littleEndian(head, 5, 2), mapDepth = littleEndian(head, 7, 1);
    const unsigned long width = littleEndian(head, 12, 2), height = littleEndian(head, 14, 2);
    const unsigned long depth = littleEndian(head, 16, 1);
    const unsigned long kind = type & ~static_cast<unsigned long>(rleFlag);
    if (!oneOf(type, types) || mapType > 1 || (kind == mapped) != (mapType == 1)) return damaged(fault);
    if (mapType == 1 && (mapLength == 0 || !oneOf(mapDepth, trueColourDepths))) return damaged(fault);
    const bool depthFits = kind == trueColour ? oneOf(depth, trueColourDepths) : depth == 8;
    if (!depthFits) return damaged(fault);
    const byteCount mapBytes = mapType == 1 ? byteCount{mapLength} * ((mapDepth + 7) / 8) : 0;
    byteCount needed = headerBytes + littleEndian(head, 0, 1) + mapBytes;
    if (!(type & rleFlag)) needed += byteCount{width} * height * ((depth + 7) / 8);
    const bool bounded = width <= imageSideMax && height <= imageSideMax;  // else its size is what to report
    if (bounded && needed > fileSize) return damaged("is a TGA image cut short");
    return sized(imageFormatTga, width, height);
}

bool isFrameMarker(int marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isStandaloneMarker(int marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// A second start of image, an end of image before a scan, a reserved
// marker, or none at all: no image data can follow.
bool endsBeforeScan(int marker)
{
    return marker < 0xC0 || marker == 0xD8 || marker == 0xD9;
}

// The marker that must come next, after its fill bytes; -1 when the file
// ends or holds something else there.
int markerHere(fileBytes& file)
{
    int c = file.next();
    if (c != 0xFF) return -1;
    do c = file.next();
    while (c == 0xFF);
    return c;
}

// The first marker after the data of a scan (in which a 0xFF byte is
// followed by 0 or a restart marker); -1 when the file ends first.
int markerAfterScanData(fileBytes& file)
{
    for (;;) {
        int c = file.next();
        if (c < 0) return -1;
        if (c != 0xFF) continue;
        do c = file.next();
        while (c == 0xFF);
        if (c < 0) return -1;
        if (c != 0x00 && !isStandaloneMarker(c)) return c;
    }
}

// JPEG: from the start-of-image marker every segment is walked, each skipped
// by its length, which must stay inside the file (the image library, asked
// to skip a segment that runs past the end, never returns), and the data of
// each scan is passed over up to the marker after it. The first frame header
// holds height and width, and a scan must follow it. The walk ends at the end
// of image, or at the end of the file once a scan has begun: an image cut in
// its data decodes as far as it goes.
headerReading jpegHeader(fileBytes& file)
{
    constexpr int startOfScan = 0xDA, endOfImage = 0xD9;
    const std::string cut = "is a JPEG image whose markers are cut short or damaged";
    headerReading frame = damaged(cut);
    bool scanned = false;
    file.seek(2);
    for (;;) {
        const int marker = scanned ? markerAfterScanData(file) : markerHere(file);
        if (scanned && (marker < 0 || marker == endOfImage)) return frame;
        if (isStandaloneMarker(marker)) continue;
        const byteCount at = file.position();
        std::string b;
        if (endsBeforeScan(marker) || !file.read(at, 2, b)) return damaged(cut);
        const unsigned long length = bigEndian(b, 0, 2);
        if (length < 2 || length > file.size() - at) return damaged(cut);
        if (isFrameMarker(marker) && frame.format == imageFormatNone) {
            if (length < 7 || !file.read(at + 3, 4, b)) return damaged(cut);
            frame = sized(imageFormatJpeg, bigEndian(b, 2, 2), bigEndian(b, 0, 2));
        }
        if (marker == startOfScan) {
            if (frame.format == imageFormatNone) return damaged(cut);
            scanned = true;
        }
        file.seek(at + length);
    }
}

// The data sub-blocks that follow a GIF extension or image: each a length
// byte and that many bytes, up to a length of 0. The position after them,
// or 0 when the file ends first.
byteCount skipGifSubBlocks(fileBytes& file, byteCount at)
{
    for (;;) {
        const int length = file.byte(at);
        if (length < 0) return 0;
        at += 1 + static_cast<byteCount>(length);
        if (length == 0) return at;
    }
}

byteCount gifColourTableBytes(unsigned long flags)
{
    constexpr unsigned long hasTable = 0x80;
    return flags & hasTable ? 3ull << ((flags & 7) + 1) : 0;
}

// GIF: the logical screen, then its blocks walked to the trailer: every
// image inside the screen and whole inside the file. Each image of an
// animation takes memory of the whole screen, so their number counts too.
headerReading gifHeader(const std::string& head, fileBytes& file)
{
    constexpr int extension = 0x21, imageBlock = 0x2C, trailer = 0x3B;
    constexpr size_t screenBytes = 13, imageHeaderBytes = 10;
    constexpr int gifCodeSizeMin = 2, gifCodeSizeMax = 8;  // the first LZW code size of an image
    const std::string cut = "is a GIF image cut short or damaged";
    if (head.size() < screenBytes) return damaged(cut);
    headerReading gif = sized(imageFormatGif, littleEndian(head, 6, 2), littleEndian(head, 8, 2));
    gif.frames = 0;
    byteCount at = screenBytes + gifColourTableBytes(littleEndian(head, 10, 1));
    for (;;) {
        const int block = file.byte(at);
        if (block == trailer && gif.frames > 0) return gif;
        std::string b;
        if (block == extension && file.byte(at + 1) >= 0) {
            at = skipGifSubBlocks(file, at + 2);
        } else if (block == imageBlock && file.read(at, imageHeaderBytes, b)) {
            const unsigned long left = littleEndian(b, 1, 2), top = littleEndian(b, 3, 2);
            const unsigned long w = littleEndian(b, 5, 2), h = littleEndian(b, 7, 2);
            if (w == 0 || h == 0 || left + w > gif.width || top + h > gif.height) return damaged(cut);
            ++gif.frames;
            at += imageHeaderBytes + gifColourTableBytes(littleEndian(b, 9, 1));
            const int codeSize = file.byte(at);
            if (codeSize < gifCodeSizeMin || codeSize > gifCodeSizeMax) return damaged(cut);
            at = skipGifSubBlocks(file, at + 1);
        } else {
            return damaged(cut);
        }
        if (at == 0) return damaged(cut);
    }
}

headerReading readHeader(const std::string& path)
{
    fileBytes file(path);
    std::string head;
    file.read(0, static_cast<size_t>(std::min<byteCount>(headBytes, file.size())), head);

    if (startsWith(head, "\x89PNG\r\n\x1a\n", 8)) return pngHeader(head);
    if (startsWith(head, "\xff\xd8", 2)) return jpegHeader(file);
    if (startsWith(head, "GIF87a", 6) || startsWith(head, "GIF89a", 6)) return gifHeader(head, file);
    if (startsWith(head, "BM", 2)) return bmpHeader(head, file.size());
    if (endsWithNoCase(path, ".tga")) return tgaHeader(head, file.size());
    return damaged("is no PNG, JPEG, GIF, BMP or TGA image");
}

std::string refusalOf(const headerReading& h, const std::string& path)
{
    const std::string size = std::to_string(h.width) + " x " + std::to_string(h.height) + " pixels";
    std::string why;
    if (!h.fault.empty()) why = h.fault;
    else if (h.width == 0 || h.height == 0) why = "declares " + size + ", an empty image";
    else if (h.width > imageSideMax || h.height > imageSideMax)
        why = "declares " + size + ", more than " + std::to_string(imageSideMax) + " on a side";
    else if (h.frames > pixelsMax / (h.width * h.height))
        why = "declares " + std::to_string(h.frames) + " images of " + size + ", more than " +
              std::to_string(pixelsMax) + " pixels in all";
    return why.empty() ? "" : "The image ^y" + path + "^w " + why + "; it is not loaded.";
}

}  // namespace

imageCheck checkImageFile(const std::string& path)
{
    if (!isRegularFile(path)) return {};
    const headerReading header = readHeader(path);
    imageCheck check;
    check.refusal = refusalOf(header, path);
    if (check.refusal.empty()) check.format = header.format;
    return check;
}

bool imageFileAcceptable(const std::string& path)
{
    const imageCheck check = checkImageFile(path);
    if (!check.refusal.empty()) systemMsg(QV_WARNING + check.refusal);
    return check.format != imageFormatNone;
}
