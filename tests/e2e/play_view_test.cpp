// Playing the sample game on the real program: loaded from the console, its
// intro menu's play button enters play, and the window then shows the map
// (its stone and grass tiles under the sky) in place of the menu.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Play";
constexpr int playButtonX = 400, playButtonY = 320;  // the sample intro menu's first button

// The share of the window's pixels, sampled on a grid, that pass `test`.
template <typename predicate>
double share(const e2e::Image& shot, predicate test)
{
    int hits = 0, total = 0;
    for (int y = 0; y < shot.height; y += 10)
        for (int x = 0; x < shot.width; x += 10, ++total)
            if (test(x, y, shot.at(x, y))) ++hits;
    return total ? static_cast<double>(hits) / total : 0.0;
}

// The sample map's stone tiles and its sky, neither of which its menu shows.
bool stone(int, int, const std::array<int, 3>& p)
{
    return std::abs(p[0] - p[1]) < 12 && std::abs(p[1] - p[2]) < 12 && p[0] > 90 && p[0] < 200;
}
bool sky(int, int, const std::array<int, 3>& p)
{
    return p[2] > p[1] + 15 && p[1] > p[0] + 15;
}

TEST(PlayView, EnteringPlayFromTheSampleMenuShowsItsMap)
{
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 1, 0));  // debug: no splash after the load
    ASSERT_TRUE(app.start(title));
    ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    ASSERT_TRUE(app.openConsole());
    ASSERT_TRUE(app.type("loadgame sample"));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(app.waitForLog("Game: sample has been loaded successfully.", 20000));
    ASSERT_TRUE(app.waitConsoleClosed());
    const e2e::Image menu = app.screenshot();
    ASSERT_TRUE(menu.valid());
    EXPECT_LT(share(menu, stone), 0.02);
    EXPECT_LT(share(menu, sky), 0.05);

    ASSERT_TRUE(app.click(playButtonX, playButtonY));
    const e2e::Image play = app.waitForScreen([&](const e2e::Image& shot) {
        const auto changed = [&](int x, int y, const std::array<int, 3>& p) { return p != menu.at(x, y); };
        return share(shot, changed) > 0.5 && share(shot, stone) > 0.05 && share(shot, sky) > 0.1;
    });
    ASSERT_TRUE(play.valid()) << "the map did not appear";
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
