// The game image table: built-in images in the first 200 slots, filler
// records up to 199, the game's own images from 200; the menu image table's
// order; textures asked for in the files' numbered order.
#include <gtest/gtest.h>

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
        dir.write(name, "x");
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
    EXPECT_EQ(dir.read("games/g/map/10000.png"), "x");
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
    for (int i = 0; i < gameImgOwnBase + 3; ++i) dir.write("map/" + std::to_string(10000 + i) + ".png", "x");
    dir.write("games/g/map/own.png", "x");
    testing::internal::CaptureStdout();
    const int count = loadGameImages("g");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count, gameImgOwnBase + 1);
    EXPECT_EQ(gameImg[199].GetPointer(), 199);
    EXPECT_EQ(requested[200], "games/g/map/10000.png");  // the game's own image is still image 200
    EXPECT_NE(out.find("Only 200 images of map/ are loaded; 10200.png is not."), std::string::npos);
    EXPECT_NE(out.find("10202.png is not."), std::string::npos);
}

std::string littleEndian(uint32_t v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i) & 0xff);
    return out;
}

// The sizes the headers declare, read without decoding (PNG and JPEG go
// through the game loader's hostile-entry table).
TEST_F(ImageLoadingTest, HeadersDeclareTheirSizes)
{
    const std::string bmpInfo = "BM" + std::string(12, '\0') + littleEndian(40, 4);
    const struct {
        std::string name, bytes;
        bool known;
        unsigned long w, h;
    } cases[] = {
        {"a.gif", "GIF89a" + littleEndian(640, 2) + littleEndian(9000, 2), true, 640, 9000},
        {"b.bmp", bmpInfo + littleEndian(20000, 4) + littleEndian(static_cast<uint32_t>(-30), 4), true, 20000, 30},
        {"c.bmp", "BM" + std::string(12, '\0') + littleEndian(12, 4) + littleEndian(7, 2) + littleEndian(9, 2), true,
         7, 9},
        {"d.TGA", std::string(12, '\0') + littleEndian(8193, 2) + littleEndian(2, 2), true, 8193, 2},
        {"e.png", "\x89PNG\r\n\x1a\n\0\0", false, 0, 0},  // cut short
        {"f.xyz", std::string(40, 'x'), false, 0, 0},
    };
    for (const auto& c : cases) {
        dir.write(c.name, c.bytes);
        const imageSize size = declaredImageSize(c.name);
        EXPECT_EQ(size.known, c.known) << c.name;
        EXPECT_EQ(size.width, c.w) << c.name;
        EXPECT_EQ(size.height, c.h) << c.name;
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
    for (const char* name : {"ui/a.png", "ui/b.png", "uireq/font.png"}) dir.write(name, "x");
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
    for (const char* name : {"ui/a.png", "ui/b.png"}) dir.write(name, "x");
    deferTextures();
    loadUIImages("default");
    deleteUIImageTextures(2);
    makeDeferredTextures();
    EXPECT_TRUE(requested.empty());
    EXPECT_EQ(uiImage[0].GetTex(), 0);
    EXPECT_TRUE(requested.empty());
}

}  // namespace
