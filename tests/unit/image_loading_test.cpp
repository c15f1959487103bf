// The game image table: built-in images in the first 200 slots, filler
// records up to 199, the game's own images from 200; the menu image table's
// order; textures asked for in the files' numbered order; and which files
// reach the image library at all, decoded by it as a load does.
#include <gtest/gtest.h>

#include <IL/il.h>

#include <fstream>
#include <iterator>

#include "media/image_header.h"
#include "media/image_loading.h"
#include "media/image_loading_internal.h"
#include "media/texture.h"
#include "menus/ui.h"
#include "tests/unit/test_util.h"

namespace {

std::vector<std::string> requested;

unsigned int recordingLoader(const std::string& filename)
{
    requested.push_back(filename);
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

// The signature and header chunk of a PNG image: all the check reads.
std::string pngHead(uint32_t w, uint32_t h)
{
    return std::string("\x89PNG\r\n\x1a\n") + bigEndian(13, 4) + "IHDR" + bigEndian(w, 4) + bigEndian(h, 4) +
           std::string("\x08\x02\0\0\0", 5) + bigEndian(0, 4);
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
    EXPECT_EQ(loadGameImages("g"), gameImgOwnBase + 2);
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
    EXPECT_EQ(loadGameImages("g"), gameImgOwnBase);
    ASSERT_EQ(gameImg.size(), static_cast<size_t>(gameImgOwnBase));
    for (const img& record : gameImg) EXPECT_EQ(record.GetPointer(), identNumEmpty);
    EXPECT_TRUE(requested.empty());
}

TEST_F(ImageLoadingTest, MoreThanTwoHundredBuiltInImagesLoadTheFirst200AndReportTheRest)
{
    for (int i = 0; i < gameImgOwnBase + 3; ++i) dir.write("map/" + std::to_string(10000 + i) + ".png", pngHead(4, 4));
    dir.write("games/g/map/own.png", pngHead(4, 4));
    testing::internal::CaptureStdout();
    const int count = loadGameImages("g");
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

std::string tgaHead(int type, uint32_t w, uint32_t h, int depth)
{
    return std::string(2, '\0') + static_cast<char>(type) + std::string(9, '\0') + littleEndian(w, 2) +
           littleEndian(h, 2) + static_cast<char>(depth) + '\0';
}

// A 4 x 4 colour-mapped TGA image with two colours in its palette.
std::string tgaMapped(char index)
{
    return std::string("\0\x01\x01\0\0\x02\0\x18", 8) + std::string(4, '\0') + littleEndian(4, 2) +
           littleEndian(4, 2) + "\x08" + std::string(1, '\0') + "\x10\x20\x30\x40\x50\x60" + std::string(16, index);
}

// A BMP image with 16 bytes of pixels: two rows of two 24-bit pixels.
std::string bmp(uint32_t w, uint32_t h, int depth, int compression, uint32_t coloursUsed = 0)
{
    return "BM" + littleEndian(70, 4) + littleEndian(0, 4) + littleEndian(54, 4) + littleEndian(40, 4) +
           littleEndian(w, 4) + littleEndian(h, 4) + littleEndian(1, 2) + littleEndian(static_cast<uint32_t>(depth), 2) +
           littleEndian(static_cast<uint32_t>(compression), 4) + littleEndian(16, 4) + std::string(8, '\0') +
           littleEndian(coloursUsed, 4) + std::string(4, '\0') + std::string(16, '\x40');
}

// A GIF screen with a four-colour palette holding `frames` images of two
// pixels in a row, `left` pixels from the screen's left edge.
std::string gif(uint32_t w, uint32_t h, int frames, uint32_t left)
{
    std::string out = "GIF89a" + littleEndian(w, 2) + littleEndian(h, 2) + "\x81" + std::string(2, '\0') +
                      std::string("\0\0\0\xff\0\0\0\xff\0\0\0\xff", 12);
    for (int i = 0; i < frames; ++i)
        out += "," + littleEndian(left, 2) + littleEndian(0, 2) + littleEndian(2, 2) + littleEndian(1, 2) +
               std::string(1, '\0') + "\x02\x02\x4c\x0a" + std::string(1, '\0');
    return out + ";";
}

// Every file a user might drop into a game's map folder, through the real
// loader and the image library: only what passes the check is decoded, told
// its format whatever its name; the rest takes its slot with texture 0 and
// one warning naming it; the load ends and renames nothing.
TEST_F(ImageLoadingTest, OnlyCheckedImagesReachTheLibraryToldTheirFormat)
{
    static const bool libraryStarted = (ilInit(), true);
    (void)libraryStarted;
    setImageFileLoader(decodeWithoutTexture);  // the image's width as its texture
    const std::string photo = readFile(QV_FIXTURES_DIR "/images/font_red.jpg");
    const std::string splash = readFile(QV_DATA_DIR "/splash0.jpg");
    const std::string withMetadata = "\xff\xd8\xff\xe1" + bigEndian(5002, 2) + std::string(5000, 'M') + photo.substr(2);
    const std::string notAnImage = "is no PNG, JPEG, GIF, BMP or TGA image; it is not loaded.";
    const std::string jpegCut = "is a JPEG image whose markers are cut short or damaged";
    const std::string paletteShort = "names colours its palette does not hold; it is not loaded.";
    const std::string tgaDamaged = "is a TGA image whose header is cut short or damaged";
    const std::string pcx = std::string("\x0a\x05\x01\x08", 4) + littleEndian(0, 4) + littleEndian(65533, 2) +
                            littleEndian(65533, 2) + std::string(180, '\0');
    const struct {
        std::string name, bytes;
        unsigned int width;  // of the decoded image; 0: refused
        std::string warning;
    } rows[] = {
        {"10000.png", readFile(QV_FIXTURES_DIR "/images/quadrants.png"), 64, ""},
        {"10001.jpg", photo, 8, ""},
        {"10002.jpg", readFile(QV_FIXTURES_DIR "/images/quadrants.png"), 64, ""},  // a PNG by its content
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
        {"10017.gif", gif(2, 1, 1, 1), 0, "is a GIF image cut short or damaged"},
        {"10018.bmp", bmp(2, 2, 24, 0), 2, ""},
        {"10019.bmp", bmp(20000, static_cast<uint32_t>(-30), 24, 0), 0,
         "declares 20000 x 30 pixels, more than 8192 on a side"},
        {"10020.bmp", bmp(2, 2, 24, 1), 0, "is a BMP image whose header is cut short or damaged"},
        {"10021.png", pngHead(0, 5), 0, "declares 0 x 5 pixels, an empty image"},
        {"10022.bmp", bmp(2, 2, 1, 0, 0xed1000b0), 0, "is a BMP image whose header is cut short or damaged"},
        // A segment after the scan that runs past the end (the library would
        // skip it for good); image data cut short decodes as far as it goes.
        {"10023.jpg", photo.substr(0, photo.size() - 2) + "\xff\xe1\xff\xff", 0, jpegCut},
        {"10024.jpg", splash.substr(0, splash.size() * 2 / 3), 0, ""},
        // Pixels that name colours past the palette: turning them into
        // colours would read past it.
        {"10025.tga", tgaMapped('\x01'), 4, ""},
        {"10026.tga", tgaMapped('\xc8'), 0, paletteShort},
        {"10027.bmp", bmp(4, 2, 8, 0, 2), 0, paletteShort},
    };
    for (const auto& r : rows) dir.write("games/g/map/" + r.name, r.bytes);
    testing::internal::CaptureStdout();
    ASSERT_EQ(loadGameImages("g"), gameImgOwnBase + static_cast<int>(std::size(rows)));
    const std::string out = testing::internal::GetCapturedStdout();

    size_t k = gameImgOwnBase;
    for (const auto& r : rows) {
        const std::string path = "games/g/map/" + r.name;
        EXPECT_EQ(gameImg[k++].GetTex(), static_cast<int>(r.width)) << r.name;
        EXPECT_TRUE(boost::filesystem::exists(path)) << r.name;
        const std::string line = "WARNING: The image " + path + " ";
        const size_t at = out.find(line);
        if (r.warning.empty()) {
            EXPECT_EQ(at, std::string::npos) << r.name << out;
        } else {
            ASSERT_NE(at, std::string::npos) << r.name << out;
            EXPECT_EQ(out.find(line, at + 1), std::string::npos) << r.name << " named twice";
            EXPECT_EQ(out.compare(at + line.size(), r.warning.size(), r.warning), 0) << out.substr(at, 200);
        }
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
    loadUIImages("default");
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
    loadUIImages("default");
    deleteUIImageTextures(2);
    makeDeferredTextures();
    EXPECT_TRUE(requested.empty());
    EXPECT_EQ(uiImage[0].GetTex(), 0);
    EXPECT_TRUE(requested.empty());
}

}  // namespace
