// Reading the declared size of PNG, JPEG, GIF, BMP and TGA images.
#include "media/image_header.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "core/file_kind.h"
#include "core/log.h"

namespace {

constexpr size_t headBytes = 32;  // enough for every fixed-place header below

using byteString = std::string;

unsigned long bigEndian(const byteString& b, size_t at, size_t bytes)
{
    unsigned long v = 0;
    for (size_t i = 0; i < bytes; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

unsigned long littleEndian(const byteString& b, size_t at, size_t bytes)
{
    unsigned long v = 0;
    for (size_t i = bytes; i-- > 0;) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

bool startsWith(const byteString& b, const char* signature, size_t length)
{
    return b.size() >= length && std::memcmp(b.data(), signature, length) == 0;
}

bool endsWithNoCase(const std::string& text, const std::string& end)
{
    if (text.size() < end.size()) return false;
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

imageSize sized(unsigned long width, unsigned long height)
{
    return imageSize{true, width, height};
}

// PNG: the signature, then the IHDR chunk with width and height.
imageSize pngSize(const byteString& head)
{
    if (head.size() < 24 || head.compare(12, 4, "IHDR") != 0) return {};
    return sized(bigEndian(head, 16, 4), bigEndian(head, 20, 4));
}

imageSize gifSize(const byteString& head)
{
    if (head.size() < 10) return {};
    return sized(littleEndian(head, 6, 2), littleEndian(head, 8, 2));
}

// BMP: the old 12-byte header holds 16-bit sizes, every later one signed
// 32-bit sizes (a negative height is a top-down image).
imageSize bmpSize(const byteString& head)
{
    constexpr unsigned long coreHeaderBytes = 12;
    const bool core = head.size() >= 18 && littleEndian(head, 14, 4) == coreHeaderBytes;
    if (head.size() < (core ? 22u : 26u)) return {};
    if (core) return sized(littleEndian(head, 18, 2), littleEndian(head, 20, 2));
    auto side = [&](size_t at) {
        const long v = static_cast<int32_t>(littleEndian(head, at, 4));
        return static_cast<unsigned long>(v < 0 ? -v : v);
    };
    return sized(side(18), side(22));
}

imageSize tgaSize(const byteString& head)
{
    if (head.size() < 16) return {};
    return sized(littleEndian(head, 12, 2), littleEndian(head, 14, 2));
}

bool isFrameMarker(int marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// JPEG: the segments are walked, each skipped by its length, up to the
// first frame header, which holds height and width.
imageSize jpegSize(std::ifstream& in)
{
    in.clear();
    in.seekg(2);
    for (;;) {
        int c = in.get();
        if (c != 0xFF) return {};
        int marker = in.get();
        while (marker == 0xFF) marker = in.get();
        if (marker == std::char_traits<char>::eof()) return {};
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length follows
        if (marker == 0xD9 || marker == 0xDA) return {};                       // the image data begins
        unsigned char b[7] = {};
        if (!in.read(reinterpret_cast<char*>(b), 2)) return {};
        const unsigned length = static_cast<unsigned>(b[0]) << 8 | b[1];
        if (length < 2) return {};
        if (isFrameMarker(marker)) {
            if (!in.read(reinterpret_cast<char*>(b + 2), 5)) return {};
            return sized(static_cast<unsigned long>(b[5]) << 8 | b[6], static_cast<unsigned long>(b[3]) << 8 | b[4]);
        }
        in.seekg(static_cast<std::streamoff>(length) - 2, std::ios::cur);
    }
}

}  // namespace

imageSize declaredImageSize(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    byteString head(headBytes, '\0');
    in.read(&head[0], static_cast<std::streamsize>(headBytes));
    head.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));

    if (startsWith(head, "\x89PNG\r\n\x1a\n", 8)) return pngSize(head);
    if (startsWith(head, "\xff\xd8", 2)) return jpegSize(in);
    if (startsWith(head, "GIF87a", 6) || startsWith(head, "GIF89a", 6)) return gifSize(head);
    if (startsWith(head, "BM", 2)) return bmpSize(head);
    if (endsWithNoCase(path, ".tga")) return tgaSize(head);
    return {};
}

bool imageFileAcceptable(const std::string& path)
{
    if (!isRegularFile(path)) return false;  // its caller has named it
    const imageSize size = declaredImageSize(path);
    if (!size.known || (size.width <= imageSideMax && size.height <= imageSideMax)) return true;
    systemMsg(QV_WARNING "The image ^y" + path + "^w declares " + std::to_string(size.width) + " x " +
              std::to_string(size.height) + " pixels, more than " + std::to_string(imageSideMax) +
              " on a side; it is not loaded.");
    return false;
}
