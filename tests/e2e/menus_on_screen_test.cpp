// What a newcomer meets at start-up, as only a whole run shows it: the splash
// fades in from black, a click ends it, the front end of the bundled menu
// system follows, and Tab opens the dialog that asks before quitting. The
// splash, the play button and the dialog's buttons are fixture images of one
// plain colour each, so the checks hold whatever the bundled art looks like;
// how menus and dialogs draw is the GL test's.
#include <gtest/gtest.h>

#include <string>

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
    // The splash brightens a step a frame for 3 s; at 10 frames a second it is
    // still rising when a loaded machine takes its screenshots.
    std::string settings = e2e::settingsFile("Quorvane Front End", 0, 0);
    settings.replace(settings.find("f fps 60"), 8, "f fps 10");
    app.writeFile("system/system.cfg", settings);
    app.copyFixture("images/font_red.jpg", "splash0.jpg");
    const e2e::MenuFile menus(app.path("system/ui.cfg"));
    int playX = 0, playY = 0;
    ASSERT_TRUE(menus.button(0, playGameFunction, playX, playY));
    const int playImage = buttonImage(menus, playGameFunction);
    ASSERT_GE(playImage, 0);
    app.copyFixture("images/font_green.png", "ui/" + std::to_string(10000 + playImage) + ".png");
    app.copyFixture("images/font_green.png", "uireq/ok.png");
    app.copyFixture("images/font_red.jpg", "uireq/cancel.jpg");  // a .jpg is taken before the .png
    ASSERT_TRUE(app.start("Quorvane Front End"));

    // The red splash rises from black.
    const e2e::Image dim = app.waitForScreen([](const e2e::Image& s) { return s.at(400, 300)[0] > 2; });
    ASSERT_TRUE(dim.valid());
    const int first = dim.at(400, 300)[0];
    EXPECT_TRUE(app.waitForScreen([first](const e2e::Image& s) {
                       const pixel p = s.at(400, 300);
                       return p[0] > first + 30 && p[1] < 10 && p[2] < 10;
                   }).valid());

    // A click ends it, well before the 7 s after which the sequence would end
    // by itself: the front end, its play button where its menu file puts it.
    ASSERT_TRUE(app.click(400, 590));
    auto frontEnd = [&](const e2e::Image& s) { return near(s.at(playX, playY), green) && !near(s.at(400, 20), red); };
    EXPECT_TRUE(app.waitForScreen(frontEnd, 3000).valid());

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
