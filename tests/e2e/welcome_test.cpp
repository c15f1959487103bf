// The program's first start: the introduction panel comes up over the front
// end once the splash screen is left, and its checkmark takes it down; the
// editors' help lines are read on the way; a missing system image is named in
// the log, and outside debug mode no overlay shows.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/e2e/harness.h"

namespace {

// The checkmark, drawn with a plain green image put in place of the program's own.
constexpr int checkmarkX = 700, checkmarkY = 523;
const std::array<int, 3> checkmarkGreen{0, 255, 0};

bool checkmarkShown(const e2e::Image& shot)
{
    return shot.at(checkmarkX, checkmarkY) == checkmarkGreen &&
           shot.at(checkmarkX - 20, checkmarkY + 20) == checkmarkGreen;
}

TEST(Welcome, TheFirstStartShowsTheIntroductionUntilItsCheckmarkIsClicked)
{
    e2e::App app;
    std::string settings = e2e::settingsFile("Quorvane Welcome", 0, 0);
    settings.replace(settings.find("f firstTime 1"), std::string("f firstTime 1").size(), "f firstTime 0");
    app.writeFile("system/system.cfg", settings);
    app.copyFixture("images/font_green.png", "uireq/ok.png");
    app.removeFile("uireq/crosshair.png");
    ASSERT_TRUE(app.start("Quorvane Welcome"));
    ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    EXPECT_TRUE(app.waitForLog("system/uiinfo.cfg has been successfully loaded"));
    EXPECT_TRUE(app.logHasInOrder({"Reading System Images...",
                                   "WARNING: System image uireq/crosshair (.jpg or .png) could not be found.",
                                   "System images successfully read and loaded."}));
    int warnings = 0;
    for (const std::string& line : app.logLines()) warnings += line.find("WARNING") != std::string::npos;
    EXPECT_EQ(warnings, 1);
    ASSERT_TRUE(app.click(400, 300));  // leaves the splash screen, if it is still up

    ASSERT_TRUE(app.waitForScreen(checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    const e2e::Image front = app.waitForScreen([](const e2e::Image& shot) { return !checkmarkShown(shot); });
    ASSERT_TRUE(front.valid());
    // The overlay's text column (x 616 on, its lines from y 20 down by 13) holds no yellow.
    for (int y = 14; y <= 20 + 13 * 6 + 6; ++y)
        for (int x = 616; x < 800; ++x) {
            const std::array<int, 3> p = front.at(x, y);
            ASSERT_FALSE(p[0] > 180 && p[1] > 180 && p[2] < 90) << x << ", " << y;
        }

    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
    EXPECT_NE(app.readFile("system/system.cfg").find("\nf firstTime 1\n"), std::string::npos);
}

}  // namespace
