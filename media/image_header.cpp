// Checking image files before they are decoded: the format by signature (or
// a TGA by its name and header), the declared size, the lengths and offsets
// inside the file, where the image ends, and what would make decoding slow.
// Each walk passes over the bytes once, jumping by the lengths the file gives
// or searching them (with memchr, or sixteen bytes a step for a JPEG's
// markers), never calling a function per byte, and the file
// is read as far as the walk has come and about as far again, straight into
// memory that grows with the reads; the library is handed those bytes, not
// a copy, unless the check changes them.
#include "media/image_header.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/file_read.h"
#include "core/log.h"
#include "media/byte_order.h"
#include "media/image_bmp.h"
#include "media/image_walk.h"

namespace {

constexpr unsigned long pixelsMax = imageSideMax * imageSideMax;  // every frame of a GIF together

bool startsWith(fileReader& in, const char* signature, size_t length)
{
    return in.readTo(length) && std::memcmp(in.bytes().data(), signature, length) == 0;
}

bool endsWithNoCase(const std::string& text, const std::string& end)
{
    if (text.size() < end.size()) return false;
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

// The bytes of one decoded PNG pixel: 16-bit samples stay 16-bit.
unsigned long pngPixelBytes(unsigned long bitDepth, unsigned long colourType)
{
    static const struct {
        unsigned long colourType, channels;
    } channelsOf[] = {{0, 1}, {2, 3}, {3, 1}, {4, 2}, {6, 4}};
    constexpr unsigned long wideDepth = 16;
    for (const auto& c : channelsOf)
        if (c.colourType == colourType)
            return std::max(textureBytesPerPixel, c.channels * (bitDepth == wideDepth ? 2 : 1));
    return textureBytesPerPixel;
}

// PNG: the signature, the header chunk IHDR (width, height, bit depth and
// colour type), then chunk after chunk, each inside the file, up to the end
// chunk IEND, with image data (IDAT) on the way; the image ends with IEND.
// The library, handed a chunk before the image data that runs past the end,
// would read on for good. Once there is image data, the library reads no
// further chunk than it needs, so a file that ends (with a chunk cut short,
// or none) ends the image after its last whole chunk.
headerReading pngHeader(fileReader& in)
{
    constexpr size_t signatureBytes = 8, chunkFrameBytes = 12;  // a chunk's length, type and CRC
    constexpr size_t sizeEnd = 24, depthAt = 24, colourTypeAt = 25;
    constexpr unsigned long ihdrLength = 13, chunkLengthMax = 0x7fffffff;
    const byteBuffer& b = in.bytes();
    if (!in.readTo(sizeEnd) || bigEndian(b, 8, 4) != ihdrLength || b.view().compare(12, 4, "IHDR") != 0)
        return damaged("is a PNG image without its header chunk");
    headerReading png = sized(imageFormatPng, bigEndian(b, 16, 4), bigEndian(b, 20, 4));
    if (!sidesBounded(png.width, png.height)) return png;
    if (in.readTo(colourTypeAt + 1))
        png.bytesPerPixel = pngPixelBytes(bigEndian(b, depthAt, 1), bigEndian(b, colourTypeAt, 1));
    bool imageData = false;
    size_t at = signatureBytes;
    for (; in.has(at, chunkFrameBytes); at += chunkFrameBytes + bigEndian(b, at, 4)) {
        const unsigned long length = bigEndian(b, at, 4);
        if (length > chunkLengthMax || length > in.size() - at - chunkFrameBytes) break;
        if (b.view().compare(at + 4, 4, "IEND") == 0 && imageData) {
            png.end = at + chunkFrameBytes;
            return png;
        }
        imageData = imageData || b.view().compare(at + 4, 4, "IDAT") == 0;
    }
    if (!imageData) return damaged("is a PNG image cut short or damaged");
    png.end = at;
    return png;
}

constexpr byteCount bmpRunPixelsMax = 255;  // a run of two bytes

byteCount bmpRowBytes(const bmpFields& f)
{
    return (byteCount{f.width} * f.depth + 31) / 32 * 4;
}

// Where the headers, the masks after a 40-byte header and the palette end.
byteCount bmpTablesEnd(const bmpFields& f)
{
    const bool masksAfterHeader = f.compression == bmpBitFields && f.infoBytes == bmpInfoHeaderBytes;
    return bmpFileHeaderBytes + f.infoBytes + (masksAfterHeader ? bmpMaskBytes : 0) + bmpPaletteBytes(f);
}

// One plane, a pixel depth and compression the format defines, a palette no
// longer than the depth allows, and the palette and pixels inside the file
// (the library takes its allocations from these fields): the colour masks,
// and uncompressed pixels and pixels under colour masks whole.
bool bmpFieldsFit(const bmpFields& f, byteCount fileSize)
{
    static const unsigned long depths[] = {1, 4, 8, 16, 24, 32};
    constexpr unsigned long paletteMax = 256;
    const bool masks = f.compression == bmpBitFields && f.infoBytes != bmpOs2HeaderBytes;
    const bool compressionFits = f.compression == bmpPlain || (f.compression == bmpRle8 && f.depth == 8) ||
                                 (f.compression == bmpRle4 && f.depth == 4) ||
                                 (masks && (f.depth == 16 || f.depth == 32));
    if (f.planes != 1 || !oneOf(f.depth, depths) || !compressionFits || f.dataAt >= fileSize ||
        f.dataAt < bmpFileHeaderBytes + f.infoBytes)
        return false;
    const unsigned long depthColours = f.depth <= 8 ? 1ul << f.depth : 0;
    if (f.coloursUsed > (depthColours ? depthColours : paletteMax)) return false;
    const byteCount pixelBytes = fileSize - f.dataAt;
    if (bmpTablesEnd(f) > fileSize || f.dataBytes > pixelBytes) return false;
    const bool whole = f.compression == bmpPlain || f.compression == bmpBitFields;
    return !whole || !sidesBounded(f.width, f.height) || bmpRowBytes(f) * f.height <= pixelBytes;
}

// Where run-length pixels end: after the pair that ends the bitmap, after
// the last row's line end (and an end of bitmap right after it), or where
// the file ends. Pairs of a count and a pixel are runs; a count of 0 makes
// the next byte a code: 0 ends a line, 1 the bitmap, 2 moves by the next two
// bytes, more gives as many pixels as they are, padded to an even length.
size_t bmpRunsEnd(fileReader& in, const bmpFields& f)
{
    enum { endOfLine = 0, endOfBitmap = 1, move = 2 };
    const byteBuffer& b = in.bytes();
    size_t at = f.dataAt;
    unsigned long row = 0;
    while (in.has(at, 2)) {
        const unsigned count = static_cast<unsigned char>(b[at]), code = static_cast<unsigned char>(b[at + 1]);
        if (row >= f.height && !(count == 0 && code == endOfBitmap)) return at;
        at += 2;
        if (count > 0) continue;
        if (code == endOfBitmap) return at;
        if (code == endOfLine) {
            ++row;
        } else if (code == move) {
            if (!in.has(at, 2)) break;
            row += static_cast<unsigned char>(b[at + 1]);
            at += 2;
        } else {
            const size_t bytes = f.compression == bmpRle4 ? (code + 1) / 2 : code;
            at += (bytes + 1) / 2 * 2;
        }
    }
    return std::min(at, in.size());
}

// BMP: the file header, then an information header of a known length (its
// fields: media/image_bmp.h), the palette and the pixels inside the file,
// and colour masks the program can read; the image ends with its pixels.
// Run-length pixels take at least a run of two bytes for every 255.
headerReading bmpHeader(fileReader& in)
{
    static const unsigned long infoHeaderBytes[] = {bmpCoreHeaderBytes, bmpInfoHeaderBytes, 52, 56,
                                                    bmpOs2HeaderBytes,  108,                124};
    constexpr size_t coreEnd = bmpFileHeaderBytes + bmpCoreHeaderBytes;
    constexpr size_t masksEnd = bmpFileHeaderBytes + bmpInfoHeaderBytes + bmpMaskBytes;
    const std::string fault = "is a BMP image whose header is cut short or damaged";
    if (!in.readTo(coreEnd)) return damaged(fault);
    const unsigned long infoBytes = littleEndian(in.bytes(), bmpFileHeaderBytes, 4);
    if (!oneOf(infoBytes, infoHeaderBytes) || !in.readTo(bmpFileHeaderBytes + infoBytes)) return damaged(fault);
    in.readTo(std::min(in.size(), masksEnd));  // the masks after a 40-byte header, when there are any
    const bmpFields f = bmpRead(in.bytes());
    if (!bmpFieldsFit(f, in.size())) return damaged(fault);
    if (f.compression == bmpBitFields && f.alphaMask != 0)
        return damaged("is a BMP image with an alpha mask, which cannot be decoded");
    if (bmpPixelsByMasks(f) && !bmpMasksReadable(f))
        return damaged("is a BMP image whose colour masks cannot be decoded");
    headerReading bmp = sized(imageFormatBmp, f.width, f.height);
    if (!sidesBounded(f.width, f.height)) return bmp;
    byteCount end = f.dataAt + bmpRowBytes(f) * f.height;
    if (f.compression == bmpRle8 || f.compression == bmpRle4) {
        end = std::max<byteCount>(f.dataAt + f.dataBytes, bmpRunsEnd(in, f));
        bmp.bytesNeeded = f.dataAt + 2 * ((byteCount{f.width} * f.height + bmpRunPixelsMax - 1) / bmpRunPixelsMax);
    }
    bmp.end = static_cast<size_t>(std::max(end, bmpTablesEnd(f)));
    return bmp;
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

// The JPEG processes the library does not decode, by the marker that starts
// their frames (or, for the hierarchical ones, their first segment).
const char* undecodableJpegKind(int marker)
{
    static const struct {
        int marker;
        const char* kind;
    } kinds[] = {{0xC3, "lossless"},     {0xCB, "lossless"},     {0xC5, "hierarchical"}, {0xC6, "hierarchical"},
                 {0xC7, "hierarchical"}, {0xCD, "hierarchical"}, {0xCE, "hierarchical"}, {0xCF, "hierarchical"},
                 {0xDE, "hierarchical"}};
    for (const auto& k : kinds)
        if (k.marker == marker) return k.kind;
    return nullptr;
}

// The 8 x 8 blocks of a JPEG frame whose header's length field is at `at`:
// every component's, at its sampling factors. 0 for a damaged header.
byteCount jpegBlocks(std::string_view b, size_t at, unsigned long length, unsigned long width,
                     unsigned long height)
{
    constexpr size_t componentsAt = 7, componentBytes = 3;
    constexpr unsigned long samplingMax = 4;
    const unsigned long components = bigEndian(b, at + componentsAt, 1);
    if (components == 0 || length < componentsAt + 1 + componentBytes * components) return 0;
    unsigned long hMax = 0, vMax = 0;
    for (unsigned long c = 0; c < components; ++c) {
        const unsigned long sampling = bigEndian(b, at + componentsAt + 2 + componentBytes * c, 1);
        const unsigned long h = sampling >> 4, v = sampling & 15;
        if (h == 0 || v == 0 || h > samplingMax || v > samplingMax) return 0;
        hMax = std::max(hMax, h);
        vMax = std::max(vMax, v);
    }
    byteCount blocks = 0;
    for (unsigned long c = 0; c < components; ++c) {
        const unsigned long sampling = bigEndian(b, at + componentsAt + 2 + componentBytes * c, 1);
        const byteCount w = (byteCount{width} * (sampling >> 4) + hMax - 1) / hMax;
        const byteCount h = (byteCount{height} * (sampling & 15) + vMax - 1) / vMax;
        blocks += (w + 7) / 8 * ((h + 7) / 8);
    }
    return blocks;
}

// Where the first byte from `at` on that is not 0xFF lies, stepping over
// the bytes read so far and reading on as needed; the file's size when none.
size_t pastFillBytes(fileReader& in, size_t at)
{
    const byteBuffer& b = in.bytes();
    while (in.has(at, 1)) {
        const char* p = b.data() + at;
        const char* const end = b.data() + b.size();
        while (p < end && static_cast<unsigned char>(*p) == 0xFF) ++p;
        at = static_cast<size_t>(p - b.data());
        if (p < end) break;
    }
    return at;
}

// The first 0xFF of `bytes` from `at` on that is not followed by 0 (in scan
// data, 0xFF followed by 0 is a 0xFF byte, a quarter of a percent of the
// bytes there), or where the last byte lies when there is none before it:
// that one's follower is not known yet. Sixteen byte pairs are looked at a
// step where the processor can; `at` is below the size.
size_t markerCandidate(const byteBuffer& bytes, size_t at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t last = bytes.size() - 1;
#if defined(__SSE2__)
    constexpr size_t step = 16;
    const __m128i fill = _mm_set1_epi8(static_cast<char>(0xFF)), zero = _mm_setzero_si128();
    for (; at + step <= last; at += step) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at + 1));
        const __m128i marks = _mm_andnot_si128(_mm_cmpeq_epi8(next, zero), _mm_cmpeq_epi8(here, fill));
        if (const int found = _mm_movemask_epi8(marks)) return at + static_cast<size_t>(__builtin_ctz(found));
    }
#endif
    for (; at < last; ++at)
        if (b[at] == 0xFF && b[at + 1] != 0) return at;
    return last;
}

// The next marker from `at`, found as libjpeg finds it: stray bytes before
// it are passed over (libjpeg warns of them), and so are fill bytes and a
// 0xFF followed by 0 (in scan data, a 0xFF byte); `at` moves past it. -1 when
// the file ends first. The search steps over the bytes read so far, and
// reads on only where they end.
int nextMarker(fileReader& in, size_t& at)
{
    const byteBuffer& b = in.bytes();
    for (;;) {
        for (;;) {  // in what is read so far, then in the file read on
            if (!in.has(at, 1)) return -1;
            at = markerCandidate(b, at);
            if (static_cast<unsigned char>(b[at]) == 0xFF) break;
            ++at;
        }
        at = pastFillBytes(in, at);
        if (!in.has(at, 1)) return -1;
        const int marker = static_cast<unsigned char>(b[at++]);
        if (marker != 0x00) return marker;
    }
}

// JPEG: from the start-of-image marker every segment is walked, each skipped
// by its length, which must stay inside the file (the image library, asked
// to skip a segment that runs past the end, never returns), and the data of
// each scan is passed over up to the marker after it; stray bytes before a
// marker are passed over as the library passes them. The first frame header
// holds height and width, every frame is one the library decodes (8-bit
// samples, no lossless or hierarchical process), a scan must follow it and
// there are at most jpegScansMax scans. Every block of the frame takes at
// least a bit of its data. The walk ends at the end of image, where the
// image ends, or at the end of the file once a scan has begun: an image cut
// in its data decodes as far as it goes, the end of image it lacks put after
// its bytes (the library fails where its data just stops).
headerReading jpegHeader(fileReader& in)
{
    constexpr int startOfScan = 0xDA, endOfImage = 0xD9;
    constexpr unsigned long samplePrecision = 8;
    const byteBuffer& b = in.bytes();
    const std::string cut = "is a JPEG image whose markers are cut short or damaged";
    headerReading frame = damaged(cut);
    unsigned long scans = 0;
    size_t at = 2;
    for (;;) {
        const int marker = nextMarker(in, at);
        if (scans > 0 && marker == endOfImage) {
            frame.end = at;
            return frame;
        }
        if (scans > 0 && marker < 0) {
            frame.end = in.size();
            frame.edits.push_back({frame.end, frame.end, std::string("\xff\xd9", 2)});
            return frame;
        }
        if (isStandaloneMarker(marker)) continue;  // the restart markers in a scan's data too
        if (endsBeforeScan(marker) || !in.has(at, 2)) return damaged(cut);
        const unsigned long length = bigEndian(b, at, 2);
        if (length < 2 || !in.has(at, length)) return damaged(cut);
        if (const char* kind = undecodableJpegKind(marker))
            return damaged("is a " + std::string(kind) + " JPEG image, which cannot be decoded");
        if (isFrameMarker(marker)) {
            if (length < 7) return damaged(cut);
            const unsigned long precision = bigEndian(b, at + 2, 1);
            if (precision != samplePrecision)
                return damaged("is a " + std::to_string(precision) + "-bit JPEG image, which cannot be decoded");
            if (frame.format == imageFormatNone) {
                frame = sized(imageFormatJpeg, bigEndian(b, at + 5, 2), bigEndian(b, at + 3, 2));
                const byteCount blocks = jpegBlocks(b, at, length, frame.width, frame.height);
                if (blocks == 0) return damaged(cut);
                frame.bytesNeeded = (blocks + 7) / 8;
            }
        }
        if (marker == startOfScan) {
            if (frame.format == imageFormatNone) return damaged(cut);
            if (++scans > jpegScansMax)
                return damaged("is a JPEG image of more than " + std::to_string(jpegScansMax) + " scans");
        }
        at += length;
    }
}

headerReading readHeader(const std::string& path, fileReader& in)
{
    if (startsWith(in, "\x89PNG\r\n\x1a\n", 8)) return pngHeader(in);
    if (startsWith(in, "\xff\xd8", 2)) return jpegHeader(in);
    if (startsWith(in, "GIF87a", 6) || startsWith(in, "GIF89a", 6)) return gifHeader(in);
    if (startsWith(in, "BM", 2)) return bmpHeader(in);
    if (endsWithNoCase(path, ".tga")) return tgaHeader(in);
    return damaged("is no PNG, JPEG, GIF, BMP or TGA image");
}

std::string refusalText(const std::string& path, const std::string& why)
{
    return "The image ^y" + path + "^w " + why + "; it is not loaded.";
}

const char* formatName(imageFormat format)
{
    static const char* const names[] = {"", "PNG", "JPEG", "GIF", "BMP", "TGA"};
    return names[format];
}

std::string refusalOf(const headerReading& h, const std::string& path)
{
    const std::string size = std::to_string(h.width) + " x " + std::to_string(h.height) + " pixels";
    std::string why;
    if (!h.fault.empty()) why = h.fault;
    else if (h.width == 0 || h.height == 0) why = "declares " + size + ", an empty image";
    else if (!sidesBounded(h.width, h.height))
        why = "declares " + size + ", more than " + std::to_string(imageSideMax) + " on a side";
    else if (h.frames > pixelsMax / (h.width * h.height))
        why = "declares " + std::to_string(h.frames) + " images of " + size + ", more than " +
              std::to_string(pixelsMax) + " pixels in all";
    else if (h.bytesNeeded > h.end)
        why = "is a " + std::string(formatName(h.format)) + " image too short for the " + size + " it declares";
    return why.empty() ? "" : refusalText(path, why);
}

// The image's bytes `file` with the header's edits made, in memory of just
// their size.
byteBuffer editedBytes(std::string_view file, const headerReading& header)
{
    size_t size = header.end;
    for (const byteEdit& e : header.edits) size = size - (e.to - e.from) + e.bytes.size();
    byteBuffer bytes(size);
    size_t at = 0;
    for (const byteEdit& e : header.edits) {
        bytes.append(file.substr(at, e.from - at));
        bytes.append(e.bytes);
        at = e.to;
    }
    bytes.append(file.substr(at, header.end - at));
    return bytes;
}

// The image's own bytes in the form the library is handed them: those read,
// taken from the reader, unless the header's edits change them; a BMP given
// the header the library reads (in place).
byteBuffer libraryForm(fileReader& file, const headerReading& header)
{
    byteBuffer bytes = header.edits.empty() ? file.takeBytes(header.end) : editedBytes(file.bytes(), header);
    if (header.format == imageFormatBmp) bmpToLibraryForm(bytes);
    return bytes;
}

checkedImage readImageFile(const std::string& path)
{
    checkedImage image;
    image.path = path;
    std::string reason;
    fileReader file;
    const fileReadResult opened = file.open(path, static_cast<size_t>(imageFileBytesMax), reason);
    if (opened == fileReadResult::missing || opened == fileReadResult::notAFile) return image;
    if (opened != fileReadResult::read) {
        image.refusal = refusalText(path, reason);
        return image;
    }
    const headerReading header = readHeader(path, file);
    image.refusal = refusalOf(header, path);
    if (file.readError() != 0 || (image.refusal.empty() && !file.readTo(header.end)))
        image.refusal = refusalText(path, fileReadFailureText(file.readError()));
    if (!image.refusal.empty()) return image;
    image.bytes = libraryForm(file, header);
    image.format = header.format;
    image.decodedBytes = byteCount{header.width} * header.height * header.bytesPerPixel;
    return image;
}

}  // namespace

checkedImage readAcceptedImage(const std::string& path)
{
    checkedImage image = readImageFile(path);
    if (!image.refusal.empty()) systemMsg(QV_WARNING + image.refusal);
    return image;
}
