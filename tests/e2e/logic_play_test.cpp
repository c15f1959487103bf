// Hand-written games played on the real program: loaded from the console,
// entered through their menu's one button, and run by their logic.cfg rules.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Logic";

// One map of 4 x 4 tiles with one object: global rules need an object.
const char* const mapFile =
    "f version 1\nf map0w 4\nf map0h 4\ns map0name Field\n"
    "s map0object0 6 6 1 1 1 1 0 0 1 1 1 1 thing 0 0 0 0\ns map0object1 endObjectLoad\ns map1 endMapLoad\n";

// Menu 0 is one button over the whole window that enters the game.
const char* const gameMenus =
    "f intromenu 0\nf ingamemenu 0\nf editormainmenu 0\nf editormenu 0\nf menu0background -1\n"
    "f menu0button0x 400\nf menu0button0y 300\nf menu0button0w 400\nf menu0button0h 300\nf menu0button0tex 19\n"
    "f menu0button0func 16\nf menu0button0func2 0\ns menu0button1 endButtonLoad\ns menu0textbox0 endTextboxLoad\n"
    "s menu0text0 endTextLoad\ns menu0string0 end\ns menu1 endMenuLoad\n";

constexpr int ownImage = 200;  // the game's first own image: solid green

bool isGreen(const std::array<int, 3>& p)
{
    return p[0] < 40 && p[1] > 215 && p[2] < 40;
}

// The image box covers the window; sampled away from the centre's crosshair.
bool boxShown(const e2e::Image& s)
{
    return isGreen(s.at(200, 450)) && isGreen(s.at(600, 150));
}

// The front end: a textbox for the game's name whose Enter runs the linked
// button, which loads the game named in that textbox's text.
const char* const frontEnd =
    "f intromenu 0\nf menu0background -1\n"
    "f menu0button0x 780\nf menu0button0y 580\nf menu0button0w 10\nf menu0button0h 10\nf menu0button0tex 19\n"
    "f menu0button0func 7\nf menu0button0func2 0\ns menu0button1 endButtonLoad\n"
    "f menu0textbox0x 400\nf menu0textbox0y 300\nf menu0textbox0w 600\nf menu0textbox0h 200\n"
    "f menu0textbox0textnum 0\nf menu0textbox0linkedbutton 0\ns menu0textbox1 endTextboxLoad\n"
    "s menu0text0 endTextLoad\ns menu0string0 end\ns menu1 endMenuLoad\n";
constexpr int textboxX = 500, textboxY = 350;  // inside the textbox
constexpr int gameButtonX = 400, gameButtonY = 450;

class LogicPlay : public ::testing::Test {
protected:
    e2e::App app;

    // Writes the game `name` with these global rules, starts the program and
    // loads the game by typing its name into the front end's textbox.
    void loadGame(const std::string& name, const std::string& rules)
    {
        app.writeFile("system/system.cfg", e2e::settingsFile(title, 1, 0));
        app.writeFile("system/ui.cfg", frontEnd);
        const std::string game = "games/" + name + "/";
        app.writeFile(game + "system/map.cfg", mapFile);
        app.writeFile(game + "system/ui.cfg", gameMenus);
        app.writeFile(game + "system/help.cfg", "s help0title end\n");
        app.writeFile(game + "system/logic.cfg", "f version 1\n" + rules);
        app.copyFixture("images/font_green.png", game + "map/10000.png");
        ASSERT_TRUE(app.start(title));
        ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
        ASSERT_TRUE(app.click(textboxX, textboxY));
        app.type(name);
        app.key("Return");
        ASSERT_TRUE(app.waitForLog("Game: " + name + " has been loaded successfully.", 20000));
    }

    // Clicks the game menu's button until `entered` shows on the screen.
    void enterGame(const std::function<bool(const e2e::Image&)>& entered)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            ASSERT_TRUE(app.click(gameButtonX, gameButtonY));
            if (app.waitForScreen(entered, 4000).valid()) return;
        }
        FAIL() << "the game was not entered";
    }
};

TEST_F(LogicPlay, AKeyRuleEndsTheProgram)
{
    // Do once: show the green image (a sign that play runs); key "a" pressed: terminate.
    loadGame("keyquit", "f map0sentencecount 2\ns map0sentence0 128 0 300 400 0 600 703 200\n"
                        "s map0sentence1 111 0 300 400 0 600 774 0\n");
    enterGame(boxShown);
    app.key("a");  // the program may end before the key is released
    EXPECT_EQ(app.waitExit(), 0);
    EXPECT_TRUE(app.exists("system/system.cfg"));
}

TEST_F(LogicPlay, ATimerRuleShowsTheImageBox)
{
    loadGame("timerbox", "f map0sentencecount 1\ns map0sentence0 132 1 300 400 0 600 703 " +
                             std::to_string(ownImage) + "\n");
    enterGame(boxShown);  // the box comes with the first second tick of play
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
