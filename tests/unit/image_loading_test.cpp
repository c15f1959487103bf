// The game image table: built-in images in the first 200 slots, filler
// records up to 199, the game's own images from 200; the menu image table's
// order; textures asked for in the files' numbered order; which files reach
// the image library at all, decoded by it as a load does, with the pixels
// they hold; and an image read and kept only up to its end.
#include <gtest/gtest.h>

#include <IL/il.h>

#include <array>
#include <fstream>
#include <iterator>

#include "core/file_read_internal.h"
#include "media/image_decode.h"
#include "media/image_header.h"
#include "media/image_loading.h"
#include "media/image_loading_budget.h"
#include "media/image_loading_internal.h"
#include "media/texture.h"
#include "menus/ui.h"
#include "tests/unit/test_util.h"
#include "world/game_files.h"

namespace {

std::vector<std::string> requested;

unsigned int recordingLoader(const checkedImage& image)
{
    requested.push_back(image.path);
    return static_cast<unsigned int>(requested.size());
}

std::string littleEndian(uint32_t v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i) & 0xff);
    return out;
}

std::string bigEndian(uint32_t v, int bytes)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(v >> (8 * i) & 0xff);
    return out;
}

uint32_t bigEndian(const std::string& b, size_t at)
{
    uint32_t v = 0;
    for (size_t i = at; i < at + 4; ++i) v = v << 8 | static_cast<unsigned char>(b[i]);
    return v;
}

// The chunks of a PNG image the check walks: the header, empty image data
// and the end; no pixels.
std::string pngHead(uint32_t w, uint32_t h, char depth = 8, char colourType = 2)
{
    return std::string("\x89PNG\r\n\x1a\n") + bigEndian(13, 4) + "IHDR" + bigEndian(w, 4) + bigEndian(h, 4) + depth +
           colourType + std::string(3, '\0') + bigEndian(0, 4) + bigEndian(0, 4) + "IDAT" + bigEndian(0, 4) +
           bigEndian(0, 4) + "IEND" + bigEndian(0, 4);
}

class ImageLoadingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        requested.clear();
        setImageFileLoader(recordingLoader);
        cwd = std::make_unique<testutil::ScopedCwd>(dir.path());
    }
    void TearDown() override
    {
        setImageFileLoader(nullptr);
        startImageBudget();
        cwd.reset();
    }
    testutil::TempDir dir;
    std::unique_ptr<testutil::ScopedCwd> cwd;
};

TEST_F(ImageLoadingTest, BuiltInImagesFillTheFirstSlotsAndTheGamesOwnStartAt200)
{
    for (const char* name : {"map/grass.png", "map/dirt.jpg", "map/stone.png", "games/g/map/crate.png",
                             "games/g/map/10000.png"})
        dir.write(name, pngHead(4, 4));
    EXPECT_EQ(loadGameImages("g", gameFolder("g")), gameImgOwnBase + 2);
    ASSERT_EQ(gameImg.size(), static_cast<size_t>(gameImgOwnBase + 2));
    EXPECT_EQ(requested, std::vector<std::string>({"map/10000.jpg", "map/10001.png", "map/10002.png",
                                                   "games/g/map/10000.png", "games/g/map/10001.png"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gameImg[static_cast<size_t>(i)].GetPointer(), i);
    EXPECT_EQ(gameImg[1].GetTex(), 2);
    for (int i = 3; i < gameImgOwnBase; ++i) {
        EXPECT_EQ(gameImg[static_cast<size_t>(i)].GetPointer(), identNumEmpty) << i;
        EXPECT_EQ(gameImg[static_cast<size_t>(i)].GetTex(), 0) << i;
    }
    EXPECT_EQ(gameImg[200].GetPointer(), 200);
    EXPECT_EQ(gameImg[201].GetTex(), 5);
    // The game's own file that was already numbered keeps its number.
    EXPECT_EQ(dir.read("games/g/map/10000.png"), pngHead(4, 4));
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/map/10001.png"));
}

TEST_F(ImageLoadingTest, WithoutFoldersAllTwoHundredSlotsAreFiller)
{
    EXPECT_EQ(loadGameImages("g", gameFolder("g")), gameImgOwnBase);
    ASSERT_EQ(gameImg.size(), static_cast<size_t>(gameImgOwnBase));
    for (const img& record : gameImg) EXPECT_EQ(record.GetPointer(), identNumEmpty);
    EXPECT_TRUE(requested.empty());
}

TEST_F(ImageLoadingTest, MoreThanTwoHundredBuiltInImagesLoadTheFirst200AndReportTheRest)
{
    for (int i = 0; i < gameImgOwnBase + 3; ++i) dir.write("map/" + std::to_string(10000 + i) + ".png", pngHead(4, 4));
    dir.write("games/g/map/own.png", pngHead(4, 4));
    testing::internal::CaptureStdout();
    const int count = loadGameImages("g", gameFolder("g"));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count, gameImgOwnBase + 1);
    EXPECT_EQ(gameImg[199].GetPointer(), 199);
    EXPECT_EQ(requested[200], "games/g/map/10000.png");  // the game's own image is still image 200
    EXPECT_NE(out.find("Only 200 images of map/ are loaded; 10200.png is not."), std::string::npos);
    EXPECT_NE(out.find("10202.png is not."), std::string::npos);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void startImageLibrary()
{
    static const bool started = (ilInit(), true);
    (void)started;
}

struct decodedImage {
    std::string handed;           // the checked bytes the library was handed
    std::vector<uint8_t> pixels;  // RGBA, top row first
};
std::map<std::string, decodedImage> decodedImages;  // by path

// Decodes as a load does and keeps the pixels as a texture gets them, in 8-bit RGBA.
unsigned int pixelKeepingLoader(const checkedImage& image)
{
    const unsigned int decoded = decodeImage(image);
    if (decoded == 0 || !ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) return 0;
    const size_t w = static_cast<size_t>(ilGetInteger(IL_IMAGE_WIDTH));
    const size_t h = static_cast<size_t>(ilGetInteger(IL_IMAGE_HEIGHT));
    const bool bottomUp = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
    decodedImage& kept = decodedImages[image.path];
    kept.handed.assign(image.bytes.data(), image.bytes.size());
    kept.pixels.clear();
    for (size_t y = 0; y < h; ++y) {
        const ILubyte* row = ilGetData() + 4 * w * (bottomUp ? h - 1 - y : y);
        kept.pixels.insert(kept.pixels.end(), row, row + 4 * w);
    }
    releaseDecodedImage(decoded);
    return static_cast<unsigned int>(w);
}

std::vector<uint8_t> pixelsOfGameImage(const std::string& path)
{
    decodedImages.erase(path);
    gameImg.assign(1, img());
    generateGameImage(path, 0);
    return decodedImages[path].pixels;
}

// The file at `path` made `size` bytes long with zeros that take no disk.
void padSparsely(const std::string& path, unsigned long long size)
{
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(size)), 0) << path;
}

struct colour {
    uint8_t r, g, b;
};
// 3 x 2 pixels, top row first, in channel values that 5- and 6-bit channels
// hold exactly.
const colour written[2][3] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {{206, 49, 8}, {8, 247, 206}, {255, 255, 255}}};

struct bmpLayout {
    const char* what;
    uint32_t headerBytes;
    uint32_t depth;
    uint32_t compression;           // 0 plain, 1 run-length, 3 colour masks
    std::array<uint32_t, 3> masks;  // red, green, blue, for 16- and 32-bit pixels
    size_t unusedBytes = 0;         // between the headers and the pixels
};

// A pixel's value under `masks`: each channel scaled to its bits.
uint32_t masked(const colour& c, const std::array<uint32_t, 3>& masks)
{
    const uint8_t channels[] = {c.r, c.g, c.b};
    uint32_t v = 0;
    for (size_t i = 0; i < 3; ++i) {
        const uint32_t shift = static_cast<uint32_t>(__builtin_ctz(masks[i])), max = masks[i] >> shift;
        v |= (channels[i] * max + 127) / 255 << shift;
    }
    return v;
}

// The colours above as a BMP of `layout`, rows bottom up; palette images
// hold the six colours in order.
std::string bmpImage(const bmpLayout& l)
{
    std::string palette, pixels;
    for (const auto& row : written)
        for (const colour& c : row)
            if (l.depth == 8) palette += std::string{char(c.b), char(c.g), char(c.r), 0};
    for (int y = 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < 3; ++x) {
            const colour& c = written[y][x];
            const char index = static_cast<char>(3 * y + x);
            if (l.compression == 1) row += std::string{1, index};  // a run of one pixel
            else if (l.depth == 8) row += index;
            else if (l.depth == 24) row += std::string{char(c.b), char(c.g), char(c.r)};
            else row += littleEndian(masked(c, l.masks), static_cast<int>(l.depth / 8));
        }
        if (l.compression == 1) row += std::string(2, '\0');  // end of line
        else row.resize((row.size() + 3) / 4 * 4, '\0');
        pixels += row;
    }
    if (l.compression == 1) pixels += std::string("\0\x01", 2);  // end of bitmap
    std::string header = littleEndian(l.headerBytes, 4) + littleEndian(3, 4) + littleEndian(2, 4) + littleEndian(1, 2) +
                         littleEndian(l.depth, 2) + littleEndian(l.compression, 4) +
                         littleEndian(static_cast<uint32_t>(pixels.size()), 4) + std::string(8, '\0') +
                         littleEndian(static_cast<uint32_t>(palette.size() / 4), 4) + std::string(4, '\0');
    std::string masks;
    for (uint32_t m : l.masks) masks += littleEndian(m, 4);
    if (l.headerBytes == 40 && l.compression == 3) header += masks;
    else header += (masks + littleEndian(0, 4) + "BGRs" + std::string(128, '\0')).substr(0, l.headerBytes - 40);
    const uint32_t offset = static_cast<uint32_t>(14 + header.size() + palette.size() + l.unusedBytes);
    return "BM" + littleEndian(offset + static_cast<uint32_t>(pixels.size()), 4) + littleEndian(0, 4) +
           littleEndian(offset, 4) + header + palette + std::string(l.unusedBytes, '\0') + pixels;
}

std::string tgaHead(int type, uint32_t w, uint32_t h, int depth)
{
    return std::string(2, '\0') + static_cast<char>(type) + std::string(9, '\0') + littleEndian(w, 2) +
           littleEndian(h, 2) + static_cast<char>(depth) + '\0';
}

// The TGA header `head` declaring a colour map of `entries` 24-bit colours,
// which follow it.
std::string tgaWithMap(std::string head, uint32_t entries)
{
    head[1] = 1;
    head.replace(5, 3, littleEndian(entries, 2) + '\x18');
    return head + std::string(3 * entries, '\x7f');
}

// A 4 x 4 colour-mapped TGA image with two colours in its palette.
std::string tgaMapped(char index)
{
    return std::string("\0\x01\x01\0\0\x02\0\x18", 8) + std::string(4, '\0') + littleEndian(4, 2) +
           littleEndian(4, 2) + "\x08" + std::string(1, '\0') + "\x10\x20\x30\x40\x50\x60" + std::string(16, index);
}

// A 4 x 2 colour-mapped TGA image, top row first, whose colour map holds
// five entries of `mapDepth` (15 or 16) bits: red, green, blue, a grey of 19
// in 31 and white (its top bit set); its pixels 0 1 2 3 and 4 4 3 2, in
// run-length packets or not.
std::string tgaMapOf16Bits(char mapDepth, bool runLength, char attributeBits = 0)
{
    std::string map;
    for (const uint32_t entry : {0x7c00, 0x03e0, 0x001f, 0x4e73, 0xffff}) map += littleEndian(entry, 2);
    const std::string pixels = runLength ? std::string("\x03\0\x01\x02\x03\x81\x04\x01\x03\x02", 10)
                                         : std::string("\0\x01\x02\x03\x04\x04\x03\x02", 8);
    return std::string("\0\x01", 2) + (runLength ? '\x09' : '\x01') + littleEndian(0, 2) + littleEndian(5, 2) +
           mapDepth + std::string(4, '\0') + littleEndian(4, 2) + littleEndian(2, 2) + '\x08' +
           static_cast<char>(0x20 | attributeBits) + map + pixels;
}

// A BMP image with 16 bytes of pixels: two rows of two 24-bit pixels.
std::string bmp(uint32_t w, uint32_t h, int depth, int compression, uint32_t coloursUsed = 0, char pixel = '\x40')
{
    return "BM" + littleEndian(70, 4) + littleEndian(0, 4) + littleEndian(54, 4) + littleEndian(40, 4) +
           littleEndian(w, 4) + littleEndian(h, 4) + littleEndian(1, 2) + littleEndian(static_cast<uint32_t>(depth), 2) +
           littleEndian(static_cast<uint32_t>(compression), 4) + littleEndian(16, 4) + std::string(8, '\0') +
           littleEndian(coloursUsed, 4) + std::string(4, '\0') + std::string(16, pixel);
}

// The same BMP with the 124-byte header image editors write: colour masks
// (as `masks`, red, green, blue and alpha), then colour space fields.
std::string bmpV5(std::string b, const std::string& masks = std::string(16, '\0'))
{
    const uint32_t longer = 124 - 40;
    b.replace(14, 4, littleEndian(124, 4));
    b.insert(54, masks + std::string(longer - masks.size(), '\0'));
    b.replace(2, 4, littleEndian(static_cast<uint32_t>(b.size()), 4));
    b.replace(10, 4, littleEndian(static_cast<uint32_t>(b.size()) - 16, 4));
    return b;
}

// The first frame header of a JPEG image given another marker or sample precision.
std::string jpegFrame(std::string jpeg, char marker, char precision = 8)
{
    const size_t at = jpeg.find("\xff\xc0");
    jpeg[at + 1] = marker;
    jpeg[at + 4] = precision;
    return jpeg;
}

// A progressive JPEG of `scans` scans with a byte of data each: only its markers are right.
std::string jpegScans(int scans, uint32_t side = 8)
{
    std::string out = "\xff\xd8\xff\xc2" + bigEndian(11, 2) + "\x08" + bigEndian(side, 2) + bigEndian(side, 2) +
                      std::string("\x01\x01\x11\x00", 4);
    for (int i = 0; i < scans; ++i)
        out += "\xff\xda" + bigEndian(8, 2) + std::string("\x01\x01\x00\x00\x00\x00\x2a", 7);
    return out + "\xff\xd9";
}

// A PNG image whose image data's CRC is wrong.
std::string badCrc(std::string png)
{
    const size_t at = png.find("IDAT");
    png[at + 4 + bigEndian(png, at - 4)] ^= 1;
    return png;
}

// A GIF screen with a four-colour palette holding `frames` images of two
// pixels in a row, `left` pixels from the screen's left edge; each image's
// data goes on with `zeros` bytes of 0 after its end code.
std::string gif(uint32_t w, uint32_t h, int frames, uint32_t left, size_t zeros = 0)
{
    std::string out = "GIF89a" + littleEndian(w, 2) + littleEndian(h, 2) + "\x81" + std::string(2, '\0') +
                      std::string("\0\0\0\xff\0\0\0\xff\0\0\0\xff", 12);
    std::string padding;
    for (size_t at = 0; at < zeros; at += 255) padding += static_cast<char>(std::min<size_t>(255, zeros - at)) +
                                                         std::string(std::min<size_t>(255, zeros - at), '\0');
    for (int i = 0; i < frames; ++i)
        out += "," + littleEndian(left, 2) + littleEndian(0, 2) + littleEndian(2, 2) + littleEndian(1, 2) +
               std::string(1, '\0') + "\x02\x02\x4c\x0a" + padding + std::string(1, '\0');
    return out + ";";
}

// The codes of a GIF of gif()'s four colours (a code size of 2).
constexpr int gifClear = 4, gifEnd = 5;

// The pixels `indices` as GIF codes, each pixel a code of its own, as
// encoders code them: with a clear code first or not, an end code last or
// not, and the codes `after` after them.
std::vector<int> gifCodes(const std::vector<int>& indices, bool clearFirst, bool endCode, std::vector<int> after = {})
{
    std::vector<int> codes;
    if (clearFirst) codes.push_back(gifClear);
    codes.insert(codes.end(), indices.begin(), indices.end());
    if (endCode) codes.push_back(gifEnd);
    codes.insert(codes.end(), after.begin(), after.end());
    return codes;
}

// `codes` as GIF image data of the first code size `codeSize`, in
// sub-blocks of at most `blockBytes`, the rest of the last byte zero, with
// their terminator. The codes start codeSize + 1 bits long and grow a bit
// each time the table's next entry reaches the next power of two, as
// decoders count them: every code but a clear or an end code makes an
// entry, except the first after a clear code (for a code size of 2, after
// the 3rd and the 11th code).
std::string gifData(const std::vector<int>& codes, int codeSize, size_t blockBytes = 255)
{
    const int clear = 1 << codeSize, end = clear + 1, firstBits = codeSize + 1, firstEntry = end + 1;
    int bits = firstBits, next = firstEntry;  // the next entry of the table
    bool first = true;
    std::string data;
    size_t at = 0;
    for (const int code : codes) {
        for (int bit = 0; bit < bits; ++bit, ++at) {
            if (at / 8 == data.size()) data += '\0';
            if (code >> bit & 1) data[at / 8] |= static_cast<char>(1 << (at % 8));
        }
        if (code == clear) bits = firstBits, next = firstEntry, first = true;
        if (code == clear || code == end) continue;
        if (!first) ++next;
        first = false;
        if (next == 1 << bits && bits < 12) ++bits;
    }
    std::string blocks;
    for (size_t from = 0; from < data.size(); from += blockBytes)
        blocks += static_cast<char>(std::min(blockBytes, data.size() - from)) + data.substr(from, blockBytes);
    return blocks + '\0';
}

// `codes` as the data of a GIF of `w` x `h` of gif()'s colours, in
// sub-blocks of at most `blockBytes`, at a first code size of `codeSize`; a
// comment of 40 bytes follows (what a library that read on past the codes
// would take for them).
std::string gifCoded(uint32_t w, uint32_t h, const std::vector<int>& codes, size_t blockBytes = 255, int codeSize = 2)
{
    const std::string screen = gif(w, h, 0, 0);
    return screen.substr(0, screen.size() - 1) + "," + littleEndian(0, 4) + littleEndian(w, 2) + littleEndian(h, 2) +
           '\0' + static_cast<char>(codeSize) + gifData(codes, codeSize, blockBytes) + "!\xfe\x28" +
           std::string(40, 'c') + '\0' + ';';
}

// 128 colours, as a GIF colour table.
std::string gifTable128()
{
    std::string table;
    for (int i = 0; i < 128; ++i)
        table += {static_cast<char>(2 * i), static_cast<char>(255 - i), static_cast<char>(37 * i)};
    return table;
}

// An animation of `frames` frames of `w` x `h` on a screen whose global
// table holds gifTable128(), each frame behind a graphic control extension
// and the same image: pixel i of colour 7i modulo 128, each pixel a code of
// its own (a code size of 7). Every frame after the first carries the
// global table as its local table too, as animations are written.
std::string gifAnimation(uint32_t w, uint32_t h, int frames)
{
    constexpr int codeSize = 7, colours = 1 << codeSize;
    std::vector<int> codes = {colours};  // a clear code first, an end code last
    for (uint32_t i = 0; i < w * h; ++i) codes.push_back(static_cast<int>(7 * i % colours));
    codes.push_back(colours + 1);
    const std::string image = "," + littleEndian(0, 4) + littleEndian(w, 2) + littleEndian(h, 2);
    const std::string data = static_cast<char>(codeSize) + gifData(codes, codeSize);
    const std::string graphicControl("!\xf9\x04\x04\x0a\0\0\0", 8), localTable = "\x86" + gifTable128();
    std::string out = "GIF89a" + littleEndian(w, 2) + littleEndian(h, 2) + "\xf6" + std::string(2, '\0') + gifTable128();
    for (int f = 0; f < frames; ++f) out += graphicControl + image + (f == 0 ? std::string(1, '\0') : localTable) + data;
    return out + ";";
}

// The RGBA pixels of `indices` into the colours of gif().
std::vector<uint8_t> gifColours(const std::vector<int>& indices)
{
    static const uint8_t colours[4][4] = {{0, 0, 0, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    std::vector<uint8_t> out;
    for (int i : indices) out.insert(out.end(), colours[i], colours[i] + 4);
    return out;
}

// Every file a user might drop into a game's map folder, through the real
// loader and the image library: only what passes the check is decoded, told
// its format whatever its name, with the pixels it holds; the rest takes its
// slot with texture 0 and one warning naming it; the load ends and renames
// nothing.
TEST_F(ImageLoadingTest, OnlyCheckedImagesReachTheLibraryToldTheirFormat)
{
    startImageLibrary();
    setImageFileLoader(pixelKeepingLoader);  // the image's width as its texture
    const std::string photo = readFile(QV_FIXTURES_DIR "/images/font_red.jpg");
    dir.write("photo.jpg", photo);
    const std::vector<uint8_t> photoPixels = pixelsOfGameImage("photo.jpg");
    const std::string gifTwo = gif(2, 1, 1, 0);
    dir.write("two.gif", gifTwo);
    const std::vector<uint8_t> gifTwoPixels = pixelsOfGameImage("two.gif");
    const std::vector<uint8_t> red = {255, 0, 0, 255}, green = {0, 255, 0, 255}, blue = {0, 0, 255, 255},
                               grey = {156, 156, 156, 255}, white = {255, 255, 255, 255};
    std::vector<uint8_t> mapOf16Bits;
    for (const auto* c : {&red, &green, &blue, &grey, &white, &white, &grey, &blue})
        mapOf16Bits.insert(mapOf16Bits.end(), c->begin(), c->end());
    // 4 x 2 pixels in run-length packets: 4 of one colour, then 4 as they are.
    const std::string tgaRuns = tgaHead(10, 4, 2, 24) + "\x83\x10\x20\x30\x03" + std::string(12, '\x40');
    const std::string firstFrame = gifAnimation(20, 15, 1);
    dir.write("first.gif", firstFrame);
    const std::vector<uint8_t> firstFramePixels = pixelsOfGameImage("first.gif");
    // 5 x 3 pixels, and the first 7 of them, as GIFs are coded.
    std::vector<int> indices;
    for (int i = 0; i < 15; ++i) indices.push_back((i % 5 + i / 5) % 4);
    const std::vector<int> cut(indices.begin(), indices.begin() + 7);
    std::vector<int> cutShown = cut;  // the rest in the colour of index 0
    cutShown.resize(indices.size(), 0);
    std::vector<int> cutThenPad = cut;  // the 4 bits that pad their last byte: a code of 0 as the library reads it
    cutThenPad.push_back(0);
    const std::string splash = readFile(QV_DATA_DIR "/splash0.jpg");
    const std::string withMetadata = "\xff\xd8\xff\xe1" + bigEndian(5002, 2) + std::string(5000, 'M') + photo.substr(2);
    const std::string notAnImage = "is no PNG, JPEG, GIF, BMP or TGA image; it is not loaded.";
    const std::string jpegCut = "is a JPEG image whose markers are cut short or damaged";
    const std::string paletteShort = "names colours its palette does not hold; it is not loaded.";
    const std::string tgaDamaged = "is a TGA image whose header is cut short or damaged";
    const std::string quadrants = readFile(QV_FIXTURES_DIR "/images/quadrants.png");
    const std::string halfAlpha = readFile(QV_FIXTURES_DIR "/images/halfalpha.png");  // 16 x 16
    const std::string pngCut = "is a PNG image cut short or damaged; it is not loaded.";
    const std::string bmpDamaged = "is a BMP image whose header is cut short or damaged";
    const std::string gifOutside = "is a GIF image with a frame outside its screen; it is not loaded.";
    const std::string tgaDepth = "is a TGA image of 16-bit grey pixels, which cannot be decoded";
    const std::string codedAsDecoded = gifCoded(5, 3, gifCodes(indices, true, true));
    std::vector<int> unknownEntry = {1, 2, 3, 12, 13};  // 12 and 13 in place of the next entries, 8 and 9
    unknownEntry.resize(13, 0);
    std::vector<int> beforeUnknown(unknownEntry.begin(), unknownEntry.begin() + 3);
    std::vector<int> beforeUnknownShown = beforeUnknown;  // the rest in the colour of index 0
    beforeUnknownShown.resize(7 * 2, 0);
    std::vector<int> pixels49, pixels63;  // come to 33 and 44 bytes with a clear and an end code
    for (int i = 0; i < 63; ++i) {
        if (i < 49) pixels49.push_back(i % 4);
        pixels63.push_back(i % 4);
    }
    // A sub-block of 44 bytes (the value of an image's first byte) holding an image 18,688 rows down.
    const std::string afterTheEnd = std::string("\x2c\0\0\0\x49\x44\x41\x4f\0\0\x02\x02\x4c\x0a", 14) +
                                    std::string(31, '\0');
    auto tooShort = [](const std::string& format) {
        return "is a " + format + " image too short for the 8192 x 8192 pixels it declares";
    };
    const std::string masks = littleEndian(0xff0000, 4) + littleEndian(0xff00, 4) + littleEndian(0xff, 4);
    const std::string pcx = std::string("\x0a\x05\x01\x08", 4) + littleEndian(0, 4) + littleEndian(65533, 2) +
                            littleEndian(65533, 2) + std::string(180, '\0');
    const struct {
        std::string name, bytes;
        unsigned int width;  // of the decoded image; 0: refused
        std::string warning;
        std::vector<uint8_t> pixels = {};   // RGBA, top row first, when they are to be compared
        std::string handed = {};            // the bytes the library is handed, when they are to be compared
        unsigned long long sparseSize = 0;  // the file's size, made up with a gap that takes no disk
    } rows[] = {
        {"10000.png", quadrants, 64, ""},
        {"10001.jpg", photo, 8, ""},
        {"10002.jpg", quadrants, 64, ""},  // a PNG by its content
        {"10003.hdr", "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 60000 +X 60000\n" + std::string(100, '\x02'), 0,
         notAnImage},
        {"10004.ppm", "P6\n60000 60000\n255\n" + std::string(100, '\x7f'), 0, notAnImage},
        {"10005.pcx", pcx, 0, notAnImage},
        {"10006.vst", tgaHead(2, 65535, 65535, 32) + std::string(64, '\0'), 0, notAnImage},
        {"10007.pgm", "P5\n4 4\n255\n\x01\x02\x03", 0, notAnImage},
        {"10008.pgm", "P5\n4 4\n255\n\x01\x02\x03", 0, notAnImage},
        {"10009.jpg", "\xff\xd8\xff\xe3\xff\xe3", 0, jpegCut},
        {"10010.jpg", withMetadata.substr(0, 3805), 0, jpegCut},
        {"10011.tga", tgaHead(2, 2, 2, 24) + std::string(12, '\x40'), 2, ""},
        {"10012.TGA", tgaHead(7, 2, 2, 24) + std::string(12, '\x40'), 0, tgaDamaged},
        {"10013.tga", tgaHead(2, 2, 2, 24) + std::string(5, '\x40'), 0, "is a TGA image cut short"},
        {"10014.tga", tgaHead(2, 9000, 2, 24), 0, "declares 9000 x 2 pixels, more than 8192 on a side"},
        {"10015.gif", gif(2, 1, 1, 0), 2, ""},
        {"10016.gif", gif(8192, 8192, 2, 0), 0, "declares 2 images of 8192 x 8192 pixels, more than 67108864"},
        {"10017.gif", gif(2, 1, 1, 1), 0, gifOutside},  // partly
        {"10018.bmp", bmp(2, 2, 24, 0), 2, ""},
        {"10019.bmp", bmp(20000, static_cast<uint32_t>(-30), 24, 0), 0,
         "declares 20000 x 30 pixels, more than 8192 on a side"},
        {"10020.bmp", bmp(2, 2, 24, 1), 0, bmpDamaged},
        {"10021.png", pngHead(0, 5), 0, "declares 0 x 5 pixels, an empty image"},
        {"10022.bmp", bmp(2, 2, 1, 0, 0xed1000b0), 0, bmpDamaged},
        // A segment after the scan that runs past the end (the library would
        // skip it for good); image data cut short decodes as far as it goes.
        {"10023.jpg", photo.substr(0, photo.size() - 2) + "\xff\xe1\xff\xff", 0, jpegCut},
        {"10024.jpg", splash.substr(0, splash.size() * 2 / 3), 800, ""},
        // Pixels that name colours past the palette: turning them into
        // colours would read past it.
        {"10025.tga", tgaMapped('\x01'), 4, ""},
        {"10026.tga", tgaMapped('\xc8'), 0, paletteShort},
        {"10027.bmp", bmp(4, 2, 8, 0, 2), 0, paletteShort},
        // Chunks that run past the end (the library would read on for good).
        {"10028.png", pngHead(4, 4).substr(0, 29) + "\x26\x93\x09\x29" + bigEndian(4259851, 4) + "tEXt" +
                          std::string(4, '\0'), 0, pngCut},
        {"10029.png", halfAlpha.substr(0, 60), 0, pngCut},
        {"10030.png", halfAlpha.substr(0, 33) + '\x40' + halfAlpha.substr(34), 0, pngCut},
        {"10031.png", pngHead(4, 4).erase(33, 12), 0, pngCut},  // no image data
        {"10032.png", badCrc(quadrants), 0, "could not be decoded: png library error; it is not loaded."},
        // What would keep the library busy, or allocating for pixels the file cannot hold.
        {"10033.jpg", jpegScans(1000), 0, "is a JPEG image of more than 50 scans; it is not loaded."},
        {"10034.gif", gif(2, 1, 4097, 0), 0, "is a GIF image of more than 4096 frames; it is not loaded."},
        {"10035.tga", std::string("\0\0\x0a\0\0\0\0\0\0\0\0\0\0\x20\0\x20\x20\0\xff\x10\x20\x30\x40", 23), 0,
         "is a TGA image cut short"},
        {"10036.bmp", bmp(8000, 8000, 32, 3), 0, bmpDamaged},
        // Longer BMP headers, handed over in the 40-byte form; an alpha mask has no place in it.
        {"10037.bmp", bmpV5(bmp(2, 2, 24, 0)), 2, ""},
        {"10038.bmp", bmpV5(bmp(4, 2, 8, 0, 2, '\x01')), 4, ""},
        {"10039.bmp", bmpV5(bmp(2, 2, 32, 3), masks + littleEndian(0, 4)), 2, ""},
        {"10040.bmp", bmpV5(bmp(2, 2, 32, 3), masks + littleEndian(0xff000000, 4)), 0,
         "is a BMP image with an alpha mask, which cannot be decoded"},
        // JPEG processes the library does not decode.
        {"10041.jpg", jpegFrame(photo, '\xc1', 12), 0, "is a 12-bit JPEG image, which cannot be decoded"},
        {"10042.jpg", jpegFrame(photo, '\xc3'), 0, "is a lossless JPEG image, which cannot be decoded"},
        {"10043.jpg", jpegFrame(photo, '\xc5'), 0, "is a hierarchical JPEG image, which cannot be decoded"},
        // Larger than any image within the bounds: refused before it is read.
        {"10044.jpg", photo, 0, "is 545259521 bytes, more than the 545259520 it may hold", {}, {},
         imageFileBytesMax + 1},
        // Fewer bytes than the pixels they declare take at the least, which the library would make up.
        {"10045.bmp", bmp(8192, 8192, 8, 1, 1), 0, tooShort("BMP")},  // runs of at most 255 pixels
        {"10046.gif", gif(8192, 8192, 1, 0), 0, tooShort("GIF")},      // codes of at most 4,096 pixels
        {"10047.jpg", jpegScans(10, 8192), 0, tooShort("JPEG")},       // a bit a block at the least
        // Image data going on after its decoding ends, which the library would read as a
        // frame of its own, drawn far outside the screen: the image alone is handed over.
        {"10048.gif", std::string(gifTwo).insert(39, afterTheEnd), 2, "", gifTwoPixels, gifTwo},
        // As encoders code GIFs: without a clear code first, without an end code (the
        // library would read on into the blocks that follow), without either, and codes
        // that stop short of the last pixel, shown as far as they go: handed with a clear
        // code first and an end code where the codes end, the bits after it clear.
        {"10049.gif", gifCoded(5, 3, gifCodes(indices, false, true)), 5, "", gifColours(indices), codedAsDecoded},
        {"10050.gif", gifCoded(5, 3, gifCodes(indices, true, false)), 5, "", gifColours(indices), codedAsDecoded},
        {"10051.gif", gifCoded(5, 3, gifCodes(indices, false, false)), 5, "", gifColours(indices), codedAsDecoded},
        {"10052.gif", gifCoded(5, 3, gifCodes(cut, true, false)), 5, "", gifColours(cutShown),
         gifCoded(5, 3, gifCodes(cutThenPad, true, true))},
        // Stray bytes before a marker, which the library passes over.
        {"10053.jpg", std::string(photo).insert(photo.find("\xff\xdb"), "\x12\x34\xff\x00", 4), 8, "", photoPixels},
        // A PNG whose file ends after its image data (here in its end chunk).
        {"10054.png", quadrants.substr(0, quadrants.size() - 4), 64, "", {}, quadrants.substr(0, quadrants.size() - 12)},
        // Colour masks that are no run of bits.
        {"10055.bmp", bmpV5(bmp(2, 2, 32, 3), littleEndian(0xff00ff, 4) + littleEndian(0xff00, 4) + std::string(8, '\0')),
         0, "is a BMP image whose colour masks cannot be decoded"},
        // A GIF frame wholly outside its screen (the library would write outside its memory).
        {"10056.gif", gif(2, 1, 1, 5), 0, gifOutside},
        // Codes going on in the last sub-block after an end code: the library stops at the
        // end code, and the data is handed as it is.
        {"10057.gif", gifCoded(5, 3, gifCodes(indices, true, true, {7, 7, 7, 7, 7, 7})), 5, "", gifColours(indices),
         gifCoded(5, 3, gifCodes(indices, true, true, {7, 7, 7, 7, 7, 7}))},
        // Codes naming entries past the next one, which the library would take from table
        // memory nothing filled: the image is shown as far as the code before them, handed
        // with an end code in their place, the codes after it dropped (their bits in the end
        // code's last byte too).
        {"10058.gif", gifCoded(7, 2, gifCodes(unknownEntry, true, true, {7, 7, 7, 7, 7, 7})), 7, "",
         gifColours(beforeUnknownShown), gifCoded(7, 2, gifCodes(beforeUnknown, true, true))},
        // Data handed changed that comes to 33 and 44 bytes: in sub-blocks of other lengths
        // than 0x21 and 0x2C, which the library would take for an extension and an image.
        {"10059.gif", gifCoded(7, 7, gifCodes(pixels49, true, false)), 7, "", gifColours(pixels49),
         gifCoded(7, 7, gifCodes(pixels49, true, true), 31)},
        {"10060.gif", gifCoded(9, 7, gifCodes(pixels63, true, false)), 9, "", gifColours(pixels63),
         gifCoded(9, 7, gifCodes(pixels63, true, true), 42)},
        // Empty data, handed as an end code alone, and a GIF of one pixel without a clear
        // code first, handed as it is (the library fails on its code after a clear code).
        {"10061.gif", gifCoded(2, 1, {}), 2, "", gifColours({0, 0}), gifCoded(2, 1, {gifEnd})},
        {"10062.gif", gifCoded(1, 1, {2, gifEnd}), 1, "", gifColours({2}), gifCoded(1, 1, {2, gifEnd})},
        // 16-bit grey TGAs, grey and alpha, which the library reads as two pixels of grey each.
        {"10063.tga", tgaHead(3, 2, 1, 16) + "\x10\xff\x80\x40", 0, tgaDepth},
        {"10064.tga", tgaHead(11, 2, 1, 16) + "\x81\x10\xff", 0, tgaDepth},
        // Colour TGAs that declare a colour map: without entries they decode, with any the
        // library reads the map as pixels.
        {"10065.tga", tgaWithMap(tgaHead(2, 2, 1, 24), 0) + "\x10\x20\x30\x40\x50\x60", 2, "",
         {0x30, 0x20, 0x10, 255, 0x60, 0x50, 0x40, 255}},
        {"10066.tga", tgaWithMap(tgaHead(10, 2, 1, 24), 0) + "\x81\x10\x20\x30", 2, "",
         {0x30, 0x20, 0x10, 255, 0x30, 0x20, 0x10, 255}},
        {"10067.tga", tgaWithMap(tgaHead(2, 2, 1, 24), 2) + "\x10\x20\x30\x40\x50\x60", 0,
         "is a TGA image of colour pixels with a colour map, which cannot be decoded"},
        // Restart markers before the frame and after the scan's data, which the library passes over.
        {"10068.jpg", photo.substr(0, 2) + "\xff\xd7" + photo.substr(2, photo.size() - 4) + "\xff\xd3\xff\xd0" +
                          photo.substr(photo.size() - 2), 8, "", photoPixels},
        // An animation whose second frame carries a local table: its first frame is shown,
        // handed alone (the library, handed the second, wrote past its palette).
        {"10069.gif", gifAnimation(20, 15, 2), 20, "", firstFramePixels, firstFrame},
        // Colour maps of 15- and 16-bit entries, of which the library fills at most its palette's
        // first entry: handed widened to 24-bit entries. An alpha bit those cannot hold.
        {"10070.tga", tgaMapOf16Bits(15, false), 4, "", mapOf16Bits},
        {"10071.tga", tgaMapOf16Bits(16, true), 4, "", mapOf16Bits},
        {"10072.tga", tgaMapOf16Bits(16, false, 1), 0,
         "is a TGA image whose 16-bit colour map holds alpha, which cannot be decoded"},
        // Run-length pixels that end before the last pixel (the library would make up the rest
        // from memory the file never filled): after a whole packet, in a packet, a byte short.
        {"10073.tga", tgaRuns.substr(0, 22), 0, "is a TGA image cut short"},
        {"10074.tga", tgaRuns.substr(0, 27), 0, "is a TGA image cut short"},
        {"10075.tga", tgaRuns.substr(0, tgaRuns.size() - 1), 0, "is a TGA image cut short"},
        // Coded for 4,096 colours, which fill the whole code table (valid, but the library decodes
        // nothing coded for more than 512).
        {"10076.gif", gifCoded(2, 2, {4096, 0, 1, 2, 3, 4097}, 255, 12), 0,
         "is a GIF image coded for 4096 colours, more than a colour table holds; it is not loaded."},
        // A run of fill bytes before a marker, which the library passes over.
        {"10077.jpg", std::string(photo).insert(photo.find("\xff\xdb"), 4, '\xff'), 8, "", photoPixels},
    };
    for (const auto& r : rows) {
        dir.write("games/g/map/" + r.name, r.bytes);
        if (r.sparseSize) boost::filesystem::resize_file(dir.path() / "games/g/map" / r.name, r.sparseSize);
    }
    testing::internal::CaptureStdout();
    ASSERT_EQ(loadGameImages("g", gameFolder("g")), gameImgOwnBase + static_cast<int>(std::size(rows)));
    const std::string out = testing::internal::GetCapturedStdout();

    size_t k = gameImgOwnBase;
    for (const auto& r : rows) {
        const std::string path = "games/g/map/" + r.name;
        EXPECT_EQ(gameImg[k++].GetTex(), static_cast<int>(r.width)) << r.name;
        if (!r.pixels.empty()) {
            EXPECT_EQ(decodedImages[path].pixels, r.pixels) << r.name;
        }
        if (!r.handed.empty()) {
            EXPECT_EQ(decodedImages[path].handed, r.handed) << r.name;
        }
        EXPECT_TRUE(boost::filesystem::exists(path)) << r.name;
        const std::string line = "WARNING: The image " + path + " ";
        const size_t at = out.find(line);
        if (r.warning.empty()) {
            EXPECT_EQ(at, std::string::npos) << r.name << out;
        } else {
            ASSERT_NE(at, std::string::npos) << r.name << out;
            EXPECT_EQ(out.find(line, at + 1), std::string::npos) << r.name << " named twice";
            EXPECT_EQ(out.compare(at + line.size(), r.warning.size(), r.warning), 0) << r.name << ": " << out.substr(at, 200);
        }
    }
}

// BMPs as paint programs write them, of every header length and pixel
// layout, through the check and the image library as a load does: every
// pixel is the colour written.
TEST_F(ImageLoadingTest, BmpsOfEveryHeaderAndLayoutShowThePixelsWritten)
{
    startImageLibrary();
    setImageFileLoader(pixelKeepingLoader);
    const std::array<uint32_t, 3> rgb565 = {0xf800, 0x07e0, 0x001f}, rgb555 = {0x7c00, 0x03e0, 0x001f};
    const std::array<uint32_t, 3> rgb888 = {0xff0000, 0xff00, 0xff}, bgr888 = {0xff, 0xff00, 0xff0000}, none = {};
    const bmpLayout layouts[] = {
        {"24-bit, 124-byte header", 124, 24, 0, none},
        {"5-6-5 masks after a 40-byte header", 40, 16, 3, rgb565},
        {"5-6-5 masks after a 40-byte header, unused bytes before the pixels", 40, 16, 3, rgb565, 6},
        {"5-6-5 masks in a 124-byte header", 124, 16, 3, rgb565},
        {"5-5-5 masks in a 108-byte header", 108, 16, 3, rgb555},
        {"16-bit pixels without masks, which are 5-5-5", 40, 16, 0, rgb555},
        {"32-bit masks without alpha, 124-byte header", 124, 32, 3, rgb888},
        {"32-bit masks, 56-byte header, unused bytes before the pixels", 56, 32, 3, bgr888, 10},
        {"8-bit palette, 124-byte header", 124, 8, 0, none},
        {"8-bit run-length, 124-byte header", 124, 8, 1, none},
    };
    std::vector<uint8_t> expected;
    for (const auto& row : written)
        for (const colour& c : row) expected.insert(expected.end(), {c.r, c.g, c.b, 255});
    for (const bmpLayout& l : layouts) {
        dir.write("layout.bmp", bmpImage(l));
        EXPECT_EQ(pixelsOfGameImage("layout.bmp"), expected) << l.what;
    }
}

// An image followed by far more zeros than it holds: its pixels are those of
// the image alone, the file is read hardly past the image's end, and the
// library is handed the image's bytes only.
TEST_F(ImageLoadingTest, AnImageIsReadOnlyUpToItsEnd)
{
    startImageLibrary();
    setImageFileLoader(pixelKeepingLoader);
    constexpr unsigned long long paddedSize = 64ull << 20;
    const struct {
        const char* name;
        std::string bytes;
    } images[] = {
        {"photo.jpg", readFile(QV_FIXTURES_DIR "/images/font_red.jpg")},
        {"quadrants.png", readFile(QV_FIXTURES_DIR "/images/quadrants.png")},
        {"two.gif", gif(2, 1, 1, 0)},
        {"plain.bmp", bmpImage({"24-bit", 40, 24, 0, {}})},
        {"runs.bmp", bmpImage({"8-bit run-length", 40, 8, 1, {}})},
        {"plain.tga", tgaHead(2, 2, 2, 24) + std::string(12, '\x40')},
        {"runs.tga", tgaHead(10, 2, 2, 24) + "\x83\x10\x20\x30"},  // one packet of 4 pixels
    };
    for (const auto& image : images) {
        SCOPED_TRACE(image.name);
        dir.write(image.name, image.bytes);
        const std::vector<uint8_t> alone = pixelsOfGameImage(image.name);
        ASSERT_FALSE(alone.empty());
        padSparsely(image.name, paddedSize);
        const unsigned long long before = fileBytesRead();
        EXPECT_EQ(pixelsOfGameImage(image.name), alone);
        EXPECT_LE(fileBytesRead() - before, image.bytes.size() + fileReadAheadAfter(image.bytes.size()));
        EXPECT_EQ(decodedImages[image.name].handed, image.bytes);
    }
}

// Images whose textures start-up puts off keep their own bytes and nothing
// that follows them (a JPEG cut in its data with the end of image it is
// handed), and those bytes count against the budget with the pixels until
// the textures are made: four images of 8192 x 8192 pixels fill the budget
// with their pixels alone, and the bytes kept take the fourth past it.
TEST_F(ImageLoadingTest, PutOffTexturesKeepOnlyTheirImagesBytesCountedAgainstTheBudget)
{
    const std::string photo = readFile(QV_FIXTURES_DIR "/images/font_red.jpg");
    const std::string quadrants = readFile(QV_FIXTURES_DIR "/images/quadrants.png");
    const std::string splash = readFile(QV_DATA_DIR "/splash0.jpg");
    const std::string cut = splash.substr(0, splash.size() * 2 / 3), endOfImage = "\xff\xd9";
    dir.write("ui/a.jpg", photo);
    dir.write("ui/b.png", quadrants);
    dir.write("ui/c.jpg", cut);
    padSparsely("ui/a.jpg", 64ull << 20);
    padSparsely("ui/b.png", 64ull << 20);
    deferTextures();
    loadUIImages("default", gameFolder("default"));
    EXPECT_EQ(deferredImageBytes(), photo.size() + quadrants.size() + cut.size() + endOfImage.size());
    makeDeferredTextures();
    EXPECT_EQ(deferredImageBytes(), 0u);
    EXPECT_EQ(requested, std::vector<std::string>({"ui/10000.jpg", "ui/10001.png", "ui/10002.jpg"}));

    boost::filesystem::remove_all(dir.path() / "ui");
    for (int i = 0; i < 4; ++i) dir.write("ui/" + std::to_string(10000 + i) + ".png", pngHead(8192, 8192));
    const std::string line = "WARNING: The image ui/10003.png would take the decoded images of this game past";
    for (const bool putOff : {true, false}) {
        requested.clear();
        if (putOff) deferTextures();
        testing::internal::CaptureStdout();
        loadUIImages("default", gameFolder("default"));
        const std::string out = testing::internal::GetCapturedStdout();
        makeDeferredTextures();
        EXPECT_EQ(out.find(line) != std::string::npos, putOff) << out;
        EXPECT_EQ(requested.size(), putOff ? 3u : 4u);
    }
}

// A put-off texture gives back the bytes it kept once it is made, and all
// it was counted when it is dropped unmade: three images of 8192 x 8192
// pixels put off leave room for a fourth only so.
TEST_F(ImageLoadingTest, PutOffTexturesGiveBackTheirBytesWhenMadeAndAllWhenDropped)
{
    for (int i = 0; i < 3; ++i) dir.write("ui/" + std::to_string(10000 + i) + ".png", pngHead(8192, 8192));
    dir.write("map/10000.png", pngHead(8192, 8192));
    dir.write("games/g/map/10000.png", pngHead(8192, 8192));
    for (const bool made : {true, false}) {
        SCOPED_TRACE(made ? "made" : "dropped");
        requested.clear();
        deferTextures();
        loadUIImages("default", gameFolder("default"));
        if (made) makeDeferredTextures();
        else deleteUIImageTextures(3);
        makeDeferredTextures();
        loadGameImages("g", gameFolder("g"));  // a fourth image, and a fifth, which fits only when the three were dropped
        EXPECT_EQ(requested.size(), made ? 4u : 2u);
        EXPECT_NE(gameImg[0].GetTex(), 0);
        EXPECT_EQ(gameImg[gameImgOwnBase].GetTex() != 0, !made);
    }
}

// A game's menu and map images decode to at most 1 GiB together (16-bit
// channels count twice, a GIF animation its first frame alone): past that
// an image is named with the budget and never decoded; the next load of a
// game counts afresh.
TEST_F(ImageLoadingTest, ImagesPastTheGamesBudgetAreNamedAndNeverDecoded)
{
    dir.write("games/g/ui/10000.png", pngHead(8192, 8192));
    dir.write("games/g/map/10000.png", pngHead(8192, 8192, 16, 6));
    dir.write("games/g/map/10001.gif", gif(4096, 4096, 4, 0, 6400));  // the data 4 frames of 4096 x 4096 take
    dir.write("games/g/map/10002.png", pngHead(8192, 6144));
    dir.write("games/g/map/10003.png", pngHead(4, 4));
    const std::string line = "WARNING: The image games/g/map/10003.png would take the decoded images of this game "
                             "past their 1024 MiB; it is not loaded.";
    for (int load = 0; load < 2; ++load) {
        requested.clear();
        testing::internal::CaptureStdout();
        loadUIImages("g", gameFolder("g"));
        loadGameImages("g", gameFolder("g"));
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(requested, std::vector<std::string>({"games/g/ui/10000.png", "games/g/map/10000.png",
                                                       "games/g/map/10001.gif", "games/g/map/10002.png"}));
        EXPECT_EQ(gameImg[gameImgOwnBase + 3].GetTex(), 0);
        EXPECT_NE(out.find(line), std::string::npos) << out;
        EXPECT_EQ(out.find("WARNING", out.find("WARNING") + 1), std::string::npos) << out;
    }
}

TEST_F(ImageLoadingTest, MenuImagesAreRegisteredWithTheirDefaultAnimation)
{
    uiImage.assign(1, img());
    uiImage[0].setAnimState(true);
    uiImage[0].setFrameCount(5);
    EXPECT_TRUE(generateImage("ui/x.png", 0));
    EXPECT_FALSE(uiImage[0].getAnimState());
    EXPECT_EQ(uiImage[0].getFrameCount(), 1);
    EXPECT_EQ(uiImage[0].getAnimSpeed(), 1000);
    EXPECT_TRUE(generateImage("ui/x.png", 3));  // no such record: nothing is written
    EXPECT_EQ(uiImage.size(), 1u);
}

TEST_F(ImageLoadingTest, DeferredTexturesAreMadeOnceWhenFirstAskedForOrAllAtTheEnd)
{
    for (const char* name : {"ui/a.png", "ui/b.png", "uireq/font.png"}) dir.write(name, pngHead(4, 4));
    deferTextures();
    loadUIImages("default", gameFolder("default"));
    loadSysImages();
    EXPECT_TRUE(requested.empty());
    const img copy = uiImage[1];
    EXPECT_EQ(uiImage[1].GetTex(), 1);  // asked for first: made first
    EXPECT_EQ(copy.GetTex(), 1);        // the copy waits for the same texture
    EXPECT_EQ(requested, std::vector<std::string>({"ui/10001.png"}));
    ASSERT_TRUE(texturesDeferred());
    makeDeferredTextures();
    EXPECT_FALSE(texturesDeferred());
    EXPECT_EQ(requested, std::vector<std::string>({"ui/10001.png", "ui/10000.png", "uireq/font.png"}));
    EXPECT_EQ(uiImage[0].GetTex(), 2);
    EXPECT_EQ(sysTexture(sysImageFont), 3);
    EXPECT_EQ(sysTexture(sysImageOn), 0);  // missing: nothing to make
    generateImage("ui/10000.png", 0);  // made at once again
    EXPECT_EQ(requested.size(), 4u);
    EXPECT_EQ(uiImage[0].GetTex(), 4);
}

// Freeing images whose textures are still put off decodes none of them, then or later.
TEST_F(ImageLoadingTest, FreeingImagesNeverMadeMakesNoTexture)
{
    for (const char* name : {"ui/a.png", "ui/b.png"}) dir.write(name, pngHead(4, 4));  // images the check takes
    deferTextures();
    loadUIImages("default", gameFolder("default"));
    deleteUIImageTextures(2);
    makeDeferredTextures();
    EXPECT_TRUE(requested.empty());
    EXPECT_EQ(uiImage[0].GetTex(), 0);
    EXPECT_TRUE(requested.empty());
}

}  // namespace
