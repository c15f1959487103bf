// What a newcomer sees with the bundled data: the splash fades in, a click
// ends it, the front-end menu shows its background, buttons and textboxes,
// and Tab opens the dialog that asks before quitting.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace {

using pixel = std::array<int, 3>;

// The mean brightness of the window's 800 x 600 area.
int meanBrightness(const e2e::Image& s)
{
    long sum = 0;
    for (int y = 0; y < 600; y += 4)
        for (int x = 0; x < 800; x += 4) {
            const pixel p = s.at(x, y);
            sum += p[0] + p[1] + p[2];
        }
    return static_cast<int>(sum / (200 * 150 * 3));
}

bool near(const pixel& got, const pixel& want, int tolerance = 24)
{
    for (int i = 0; i < 3; ++i)
        if (got[i] < want[i] - tolerance || got[i] > want[i] + tolerance) return false;
    return true;
}

TEST(MenusOnScreen, TheSplashFadesInAClickEndsItAndTheFrontEndAndItsDialogShow)
{
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile("Quorvane Front End", 0, 0));
    ASSERT_TRUE(app.start("Quorvane Front End"));

    // The title card (mean brightness about 39 when fully shown) rises from black.
    const e2e::Image dim = app.waitForScreen([](const e2e::Image& s) { return meanBrightness(s) > 2; });
    ASSERT_TRUE(dim.valid());
    const int start = meanBrightness(dim);
    EXPECT_LT(start, 30);
    const e2e::Image bright = app.waitForScreen([](const e2e::Image& s) {
        return near(s.at(300, 130), {254, 255, 253}) &&  // the logo's lettering
               near(s.at(400, 400), {81, 179, 106});     // a tile of the map
    });
    ASSERT_TRUE(bright.valid());
    EXPECT_GT(meanBrightness(bright), start);

    // A click ends it: the front-end menu with its sky, a button and a textbox.
    ASSERT_TRUE(app.click(400, 590));
    auto frontEnd = [](const e2e::Image& s) {
        return near(s.at(400, 20), {33, 65, 124}) && near(s.at(485, 200), {67, 117, 197}) &&
               near(s.at(320, 200), {31, 39, 55}) && near(s.at(700, 190), {126, 136, 156});
    };
    // Well before the 7 s after which the sequence would end by itself.
    EXPECT_TRUE(app.waitForScreen(frontEnd, 3000).valid());

    // Tab: dialog 0 over the darkened menu, its OK and Cancel buttons.
    ASSERT_TRUE(app.key("Tab"));
    auto dialog = [](const e2e::Image& s) {
        return near(s.at(275, 395), {56, 143, 78}) && near(s.at(475, 395), {165, 59, 53}) &&
               near(s.at(400, 160), {70, 110, 180}) && near(s.at(100, 300), {32, 40, 56});
    };
    EXPECT_TRUE(app.waitForScreen(dialog).valid());
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
