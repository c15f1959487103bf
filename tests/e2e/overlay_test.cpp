// The program's own images and the debug overlay on the real window: the
// overlay's lines appear in debug mode and not otherwise, and a missing
// system image is named in the log.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/harness.h"

namespace {

bool isYellow(const std::array<int, 3>& p)
{
    return p[0] > 180 && p[1] > 180 && p[2] < 90;
}

bool isGreen(const std::array<int, 3>& p)
{
    return p[1] > 160 && p[0] < 80 && p[2] < 80;
}

// Whether a band of rows of the overlay's text column holds a pixel of a kind.
template <typename predicate>
bool bandHas(const e2e::Image& shot, int centreY, predicate match)
{
    for (int y = centreY - 6; y <= centreY + 6; ++y)
        for (int x = 616; x < 800; ++x)
            if (match(shot.at(x, y))) return true;
    return false;
}

// The overlay's text lines start at y 20 and step down by 13.
int lineY(int line)
{
    return 20 + 13 * line;
}

TEST(DebugOverlay, ItsLinesAreOnTheScreenInDebugMode)
{
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile("Quorvane Overlay", 1, 0));
    app.copyFixture("images/font_red.jpg", "ui/10000.jpg");  // a front-end background of one colour
    ASSERT_TRUE(app.start("Quorvane Overlay"));
    ASSERT_TRUE(app.waitForLog("System images successfully read and loaded."));
    EXPECT_TRUE(app.logHasInOrder({"Reading System Images...", "System images successfully read and loaded."}));
    for (const std::string& line : app.logLines()) EXPECT_EQ(line.find("WARNING"), std::string::npos) << line;
    const e2e::Image shot = app.waitForScreen([](const e2e::Image& s) { return bandHas(s, lineY(6), isYellow); });
    ASSERT_TRUE(shot.valid());
    ASSERT_GE(shot.width, 800);
    // Lines 1 and 3 to 7 carry yellow figures, line 2 the green frame rate.
    for (int line : {0, 2, 3, 4, 5, 6}) EXPECT_TRUE(bandHas(shot, lineY(line), isYellow)) << "line " << line + 1;
    EXPECT_TRUE(bandHas(shot, lineY(1), isGreen));
    // In the menus the five lines of the menu system follow, each with a yellow part.
    for (int line = 7; line < 12; ++line) EXPECT_TRUE(bandHas(shot, lineY(line), isYellow)) << "line " << line + 1;
    EXPECT_FALSE(bandHas(shot, lineY(12), isYellow));
    // The half-transparent panel spans x 602 to 798 and y 7 to 165, over the
    // menu's plain background.
    auto difference = [](const std::array<int, 3>& a, const std::array<int, 3>& b) {
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    };
    EXPECT_GT(difference(shot.at(700, 150), shot.at(500, 150)), 30);
    EXPECT_LT(difference(shot.at(700, 170), shot.at(500, 170)), 10);
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST(DebugOverlay, NoOverlayOutsideDebugModeAndAMissingImageIsNamed)
{
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile("Quorvane Overlay", 0, 0));
    app.removeFile("uireq/crosshair.png");
    ASSERT_TRUE(app.start("Quorvane Overlay"));
    ASSERT_TRUE(app.waitForLog("System images successfully read and loaded."));
    EXPECT_TRUE(app.logHasInOrder({"Reading System Images...",
                                   "WARNING: System image uireq/crosshair (.jpg or .png) could not be found.",
                                   "System images successfully read and loaded."}));
    int warnings = 0;
    for (const std::string& line : app.logLines())
        if (line.find("WARNING") != std::string::npos) ++warnings;
    EXPECT_EQ(warnings, 1);
    ASSERT_TRUE(app.click(400, 580));  // leaves the splash screen, so the console can prove frames were drawn
    ASSERT_TRUE(app.sync());
    const e2e::Image shot = app.screenshot();
    ASSERT_TRUE(shot.valid());
    for (int line = 0; line < 7; ++line) EXPECT_FALSE(bandHas(shot, lineY(line), isYellow)) << line;
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
