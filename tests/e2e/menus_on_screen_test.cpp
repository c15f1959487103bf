// What a newcomer meets at start-up, as only a whole run shows it: the splash
// fades in from black, a click ends the whole sequence (the next splash image
// never shows), the front end of the bundled menu system follows, and Tab
// opens the dialog that asks before quitting. The splash images, the play
// button and the dialog's buttons are fixture images of one plain colour
// each, so the checks hold whatever the bundled art looks like; how menus and
// dialogs draw is the GL test's.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/e2e/harness.h"

namespace {

using pixel = std::array<int, 3>;

constexpr int playGameFunction = 7;  // the menu button function that loads a game
constexpr int dialogOkX = 300, dialogCancelX = 500, dialogButtonY = 370;

bool near(const pixel& got, const pixel& want, int tolerance = 24)
{
    for (int i = 0; i < 3; ++i)
        if (got[i] < want[i] - tolerance || got[i] > want[i] + tolerance) return false;
    return true;
}

const pixel red{255, 0, 0}, green{0, 255, 0};

// The second splash image, plain green, at any brightness above black: the
// window's samples all green.
bool greenSplashShown(const e2e::Image& s)
{
    for (const auto& [x, y] : {std::pair{400, 20}, {100, 300}, {400, 300}, {700, 580}}) {
        const pixel p = s.at(x, y);
        if (p[1] <= 2 || p[0] > 10 || p[2] > 10) return false;
    }
    return true;
}

// The menu image index of the first button of the front end's menu 0 with `func`.
int buttonImage(const e2e::MenuFile& menus, int func)
{
    for (int b = 0; menus.number("menu0button" + std::to_string(b) + "func") != -1; ++b)
        if (menus.number("menu0button" + std::to_string(b) + "func") == func)
            return menus.number("menu0button" + std::to_string(b) + "tex");
    return -1;
}

TEST(MenusOnScreen, TheSplashFadesInAClickEndsItAndTheFrontEndAndItsDialogShow)
{
    e2e::App app;
    // The splash brightens a step a frame for 3 s; at 10 frames a second (or
    // fewer, on a slow machine) it is still rising, short of full brightness,
    // all that time.
    std::string settings = e2e::settingsFile("Quorvane Front End", 0, 0);
    settings.replace(settings.find("f fps 60"), 8, "f fps 10");
    app.writeFile("system/system.cfg", settings);
    app.usePlainSplash();
    app.copyFixture("images/font_green.png", "splash1.jpg");  // an image is known by its content
    const e2e::MenuFile menus(app.path("system/ui.cfg"));
    int playX = 0, playY = 0;
    ASSERT_TRUE(menus.button(0, playGameFunction, playX, playY));
    const int playImage = buttonImage(menus, playGameFunction);
    ASSERT_GE(playImage, 0);
    app.copyFixture("images/font_green.png", "ui/" + std::to_string(10000 + playImage) + ".png");
    app.copyFixture("images/font_green.png", "uireq/ok.png");
    app.copyFixture("images/font_red.jpg", "uireq/cancel.jpg");  // a .jpg is taken before the .png
    ASSERT_TRUE(app.start("Quorvane Front End"));

    // The red splash rises from black: brighter than the first lit frame seen.
    const e2e::Image dim = app.waitForScreen(e2e::plainSplashLit);
    ASSERT_TRUE(dim.valid());
    const int first = dim.at(400, 300)[0];
    EXPECT_TRUE(app.waitForScreen([first](const e2e::Image& s) {
                       return e2e::plainSplashShown(s) && s.at(400, 300)[0] > first;
                   }).valid());

    // A click ends the sequence, whose next image would come after the red
    // one's 7 s: the front end, its play button where its menu file puts it.
    ASSERT_TRUE(app.click(400, 590));
    auto frontEnd = [&](const e2e::Image& s) { return near(s.at(playX, playY), green) && !near(s.at(400, 20), red); };
    const e2e::Image after =
        app.waitForScreen([&](const e2e::Image& s) { return greenSplashShown(s) || frontEnd(s); });
    EXPECT_TRUE(after.valid() && !greenSplashShown(after) && frontEnd(after));

    // Tab: the quit dialog, its checkmark and cross.
    ASSERT_TRUE(app.key("Tab"));
    EXPECT_TRUE(app.waitForScreen([](const e2e::Image& s) {
                       return near(s.at(dialogOkX, dialogButtonY), green) &&
                              near(s.at(dialogCancelX, dialogButtonY), red);
                   }).valid());
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
