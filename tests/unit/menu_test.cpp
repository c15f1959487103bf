// The menu data model (growth, refused reads, menus that do not exist, the
// text table) and the menu loader on fixture ui.cfg files: end markers,
// limits, the fallback of a game without menus, and animation keys.
#include <gtest/gtest.h>

#include <sstream>

#include "core/script.h"
#include "core/system.h"
#include "media/image_loading.h"
#include "media/image_loading_internal.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/splash.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "tests/unit/test_util.h"

namespace {

using testutil::consoleHas;

TEST(MenuModel, WritesGrowListsWithDefaultsAndRefusedReadsGiveDefaults)
{
    console = debugConsole();
    Menu menu;
    float x = 7, y = 7, w = 7, h = 7;
    int tex = 7, func = 7, func2 = 7, text = 7;
    menu.menuGetButton(x, y, w, h, tex, func, func2, 0);
    EXPECT_TRUE(consoleHas("Attempt to access a button not in memory!"));
    EXPECT_EQ(std::vector<float>({x, y, w, h}), std::vector<float>({0, 0, 1, 1}));
    EXPECT_EQ(std::vector<int>({tex, func, func2}), std::vector<int>({0, 0, 0}));

    menu.menuModifyButton(10, 20, 30, 40, 3, 7, 2, 5);
    EXPECT_EQ(menu.getButtonCount(), 6);
    menu.menuGetButton(x, y, w, h, tex, func, func2, 4);
    EXPECT_EQ(std::vector<float>({x, y, w, h}), std::vector<float>({0, 0, 1, 1}));
    menu.menuGetButton(x, y, w, h, tex, func, func2, 5);
    EXPECT_EQ(std::vector<int>({tex, func, func2}), std::vector<int>({3, 7, 2}));

    menu.menuModifyTextbox(1, 2, 3, 4, 9, 0);
    EXPECT_EQ(menu.menuGetLinkedButton(0), linkedButtonNone);
    menu.menuSetLinkedButton(4, 0);
    menu.menuModifyTextbox(5, 6, 7, 8, 1, 0);  // keeps the linked button
    EXPECT_EQ(menu.menuGetLinkedButton(0), 4);
    menu.menuGetTextbox(x, y, w, h, text, 1);
    EXPECT_TRUE(consoleHas("Attempt to access a Textbox that does not exist in memory!"));
    EXPECT_EQ(text, 0);
    menu.menuModifyButton(0, 0, 0, 0, 0, 0, 0, -1);  // ignored
    EXPECT_EQ(menu.getButtonCount(), 6);
}

TEST(MenuModel, DeletingATextLineMovesTheLaterOnesUp)
{
    console = debugConsole();
    Menu menu;
    for (int l = 0; l < 3; ++l) menu.menuModifyText(l, 0, 0, 0, 0, "line" + std::to_string(l), l);
    EXPECT_TRUE(menu.menuDeleteTextline(0));
    ASSERT_EQ(menu.getTextlineCount(), 2);
    float x, y, r, g, b;
    std::string text;
    for (const auto& [l, expected] : {std::pair<int, std::string>{0, "line1"}, {1, "line2"}, {2, ""}}) {
        menu.menuGetText(x, y, r, g, b, text, l);
        EXPECT_EQ(text, expected) << l;
    }
    EXPECT_TRUE(consoleHas("Attempt to access a textline not in memory!"));
    Menu empty;
    EXPECT_TRUE(empty.menuDeleteTextline(0));
}

TEST(MenuModel, MenusOutsideTheListReadAsEmptyAndIgnoreWrites)
{
    UI ui;
    EXPECT_EQ(ui.getMenuCount(), -1);
    ui.allocateMenu(2);
    ui.uiModifyButton(1, 2, 3, 4, 5, 6, 7, 1, 0);
    ui.uiModifyButton(1, 2, 3, 4, 5, 6, 7, 2, 0);   // no menu 2
    ui.uiModifyButton(1, 2, 3, 4, 5, 6, 7, -1, 0);  // no menu -1
    ui.setMenuBackgroundTex(5, 3);
    EXPECT_EQ(ui.menuGetButtonCount(1), 1);
    EXPECT_EQ(ui.menuGetButtonCount(2), 0);
    EXPECT_EQ(ui.menuGetTextboxCount(-1), 0);
    EXPECT_EQ(ui.getMenuBackgroundTex(5), menuBackgroundNone);
    EXPECT_EQ(ui.uiGetLinkedButton(0, 9), linkedButtonNone);
    float x = 9, y = 9, w = 9, h = 9;
    int tex = 9, func = 9, func2 = 9;
    ui.uiGetButton(x, y, w, h, tex, func, func2, 2, 0);
    EXPECT_EQ(func, 0);

    // A smaller menu system keeps the menus, only the count drops; growing
    // again brings default menus.
    ui.allocateMenu(5);
    ui.allocateMenu(2);
    EXPECT_EQ(ui.getMenuCount(), 2);
    EXPECT_EQ(ui.menuGetButtonCount(1), 1);
    ui.allocateMenu(3);
    EXPECT_EQ(ui.menuGetButtonCount(2), 0);
}

TEST(MenuModel, TextTableGrowsToTheHighestIndexWrittenWithinItsBound)
{
    uiString table;
    EXPECT_EQ(table.getStringCount(), 0);
    table.setString("abc", 3);
    EXPECT_EQ(table.getStringCount(), 3);
    EXPECT_EQ(table.getString(3), "abc");
    for (int i : {2, 4, -1}) EXPECT_EQ(table.getString(i), "") << i;
    table.setString("x", -1);
    table.setString("far", uiStringIndexMax + 1);
    EXPECT_EQ(table.getStringCount(), 3);
    table.setString("last", uiStringIndexMax);
    EXPECT_EQ(table.getStringCount(), uiStringIndexMax);
}

// A ui.cfg in the layout the menu editor writes.
struct menuFile {
    std::ostringstream out;
    menuFile& line(const std::string& text)
    {
        out << text << '\n';
        return *this;
    }
    menuFile& button(int m, int b, int func, int tex = 0)
    {
        const std::string k = "menu" + std::to_string(m) + "button" + std::to_string(b);
        return line("f " + k + "x 100").line("f " + k + "y 50").line("f " + k + "w 40").line("f " + k + "h 10")
            .line("f " + k + "tex " + std::to_string(tex)).line("f " + k + "func " + std::to_string(func))
            .line("f " + k + "func2 " + std::to_string(b));
    }
    menuFile& textbox(int m, int t, int textnum, int linked)
    {
        const std::string k = "menu" + std::to_string(m) + "textbox" + std::to_string(t);
        return line("f " + k + "x 10").line("f " + k + "y 20").line("f " + k + "w 200").line("f " + k + "h 26")
            .line("f " + k + "textnum " + std::to_string(textnum)).line("f " + k + "linkedbutton " + std::to_string(linked));
    }
    menuFile& text(int m, int l, const std::string& s)
    {
        const std::string k = "menu" + std::to_string(m) + "text" + std::to_string(l);
        return line("f " + k + "x 5").line("f " + k + "y 6").line("f " + k + "r 1").line("f " + k + "g 1")
            .line("f " + k + "b 0").line("s " + k + "string " + s);
    }
    menuFile& ends(int m, int buttons, int textboxes, int texts)
    {
        const std::string k = "menu" + std::to_string(m);
        return line("s " + k + "button" + std::to_string(buttons) + " endButtonLoad")
            .line("s " + k + "textbox" + std::to_string(textboxes) + " endTextboxLoad")
            .line("s " + k + "text" + std::to_string(texts) + " endTextLoad");
    }
    std::string str() const { return out.str(); }
};

class MenuLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cwd = std::make_unique<testutil::ScopedCwd>(dir.path());
        gameUI = UI();
        console = debugConsole();
        scriptUI.clear();
        gameSys.setLastGameEdited("lastgame");
        setImageFileLoader(testutil::noTexture);
    }
    void TearDown() override
    {
        setImageFileLoader(nullptr);
        cwd.reset();
    }
    testutil::TempDir dir;
    std::unique_ptr<testutil::ScopedCwd> cwd;
};

TEST_F(MenuLoaderTest, MenusButtonsTextboxesAndTextLinesLoadUpToTheirEndMarkers)
{
    menuFile f;
    f.line("f intromenu 1").line("f ingamemenu 1").line("f editormenu 2").line("f editormainmenu 0")
        .line("f menu0background -1").ends(0, 0, 0, 0)
        .line("f menu1background 2").button(1, 0, 7).button(1, 1, 15).textbox(1, 0, 0, 1).text(1, 0, "^wHello")
        .ends(1, 2, 1, 1).line("s menu2 endMenuLoad");
    dir.write("system/ui.cfg", f.str());
    loadUI("default", false);

    // Menus, current, in-game, editor; menu 0's buttons and background; menu 1's lists and link.
    EXPECT_EQ((std::vector<int>{gameUI.getMenuCount(), gameUI.getCurrentMenu(), gameUI.getIngameMenu(),
                                gameUI.getEditorMenu(), gameUI.menuGetButtonCount(0), gameUI.getMenuBackgroundTex(0),
                                gameUI.menuGetButtonCount(1), gameUI.menuGetTextboxCount(1),
                                gameUI.menuGetTextlineCount(1), gameUI.uiGetLinkedButton(0, 1)}),
              (std::vector<int>{2, 1, 1, 2, 0, -1, 2, 1, 1, 1}));
    float x, y, w, h, r, g, b;
    int tex, func, func2;
    std::string text;
    gameUI.uiGetButton(x, y, w, h, tex, func, func2, 1, 1);
    EXPECT_EQ(func, 15);
    EXPECT_EQ(func2, 1);
    gameUI.uiGetText(x, y, r, g, b, text, 1, 0);
    EXPECT_EQ(text, "^wHello");
    EXPECT_EQ(uiScriptString.getString(uiStringGameToEdit), "lastgame");
    EXPECT_FALSE(consoleHas("ERROR"));
}

TEST_F(MenuLoaderTest, ListsWithoutEndMarkersOrPastTheirLimitStopWithAnErrorAndLoadingGoesOn)
{
    menuFile f;
    f.line("f intromenu 0").line("f menu0background 1");
    for (int b = 0; b < uiListLimit + 3; ++b) f.button(0, b, 1);
    f.line("s menu0button102 endButtonLoad");
    f.textbox(0, 0, 3, -1).textbox(0, 1, 12345, -1);  // no textbox end marker
    f.text(0, 0, "kept").line("s menu0text1 endTextLoad");
    f.line("f menu1background 0").ends(1, 0, 0, 0);    // no menu end marker after menu 1
    dir.write("system/ui.cfg", f.str());
    loadUI("default", false);

    EXPECT_EQ(gameUI.menuGetButtonCount(0), uiListLimit);
    EXPECT_TRUE(consoleHas("Exceeded maximum of allowed buttons in menu 0; only 99 are loaded."));
    EXPECT_EQ(gameUI.menuGetTextboxCount(0), 2);
    EXPECT_TRUE(consoleHas("The textboxes of menu 0 have no end marker \"endTextboxLoad\"; they end after 2."));
    float x, y, w, h;
    int text = 0;
    gameUI.uiGetTextbox(x, y, w, h, text, 0, 1);
    EXPECT_EQ(text, -1);
    EXPECT_TRUE(consoleHas("Textbox 1 of menu 0 names text 12345, above 9999; it shows no text."));
    EXPECT_EQ(gameUI.menuGetTextlineCount(0), 1);
    EXPECT_EQ(gameUI.getMenuCount(), 2);
    EXPECT_TRUE(consoleHas("The menu list has no end marker \"endMenuLoad\"; it ends after 2 menus."));
    EXPECT_TRUE(consoleHas("The User Interface has been Successfully Built."));
}

TEST_F(MenuLoaderTest, TheMenuListStopsAtItsLimit)
{
    menuFile f;
    f.line("f intromenu 0");
    for (int m = 0; m < uiListLimit + 1; ++m) f.line("f menu" + std::to_string(m) + "background 0").ends(m, 0, 0, 0);
    f.line("s menu100 endMenuLoad");
    dir.write("system/ui.cfg", f.str());
    loadUI("default", false);
    EXPECT_EQ(gameUI.getMenuCount(), uiListLimit);
    EXPECT_TRUE(consoleHas("Exceeded maximum of allowed menus; only 99 are loaded."));
}

TEST_F(MenuLoaderTest, UnreadableMenuFileGivesOneEmptyMenu)
{
    loadUI("default", false);
    EXPECT_TRUE(consoleHas("Error loading/reading file ^ysystem/ui.cfg"));
    EXPECT_TRUE(consoleHas("No menu file could be read; the menus stay empty."));
    EXPECT_EQ((std::vector<int>{gameUI.getMenuCount(), gameUI.getCurrentMenu(), gameUI.menuGetButtonCount(0),
                                gameUI.getMenuBackgroundTex(0)}),
              (std::vector<int>{1, 0, 0, menuBackgroundNone}));
}

TEST_F(MenuLoaderTest, GameWithoutMenusFallsBackToTheInGameMenusAndTheProgramsImages)
{
    menuFile f;
    f.line("f intromenu 0").line("f ingamemenu 0").line("f editormenu 0").line("f editormainmenu 0")
        .button(0, 0, 16).ends(0, 1, 0, 0).line("s menu1 endMenuLoad");
    dir.write("system/ingameui.cfg", f.str());
    dir.write("ui/a.png", "x");
    dir.write("ui/b.png", "x");
    dir.write("games/newgame/ui/own.png", "x");  // not looked at: the game's menus are not its own
    dir.write("games/newgame/splash0.jpg", "x");
    loadUI("newgame", true);

    EXPECT_TRUE(consoleHas("Unable to load specific game UI, using default instead."));
    EXPECT_EQ(gameUI.menuGetButtonCount(0), 1);
    EXPECT_EQ(gameUI.getUIImageCount(), 2);
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/newgame/ui/own.png"));
    EXPECT_TRUE(splash.getHideSplash());  // the program's own splash images, of which there are none
    EXPECT_EQ(uiScriptString.getString(uiStringGameToEdit), "lastgame");
}

TEST_F(MenuLoaderTest, GameMenusTakeTheGamesImagesAfterTheProgramsAndItsSplashImages)
{
    menuFile f;
    f.line("f intromenu 0").ends(0, 0, 0, 0).line("s menu1 endMenuLoad");
    dir.write("games/g/system/ui.cfg", f.str());
    for (const char* name : {"ui/a.png", "ui/b.png", "ui/c.png", "ui/d.png", "ui/e.png", "games/g/ui/x.png",
                             "games/g/ui/y.png", "games/g/ui/z.png", "games/g/splash0.jpg", "games/g/splash1.jpg",
                             "games/g/splash3.jpg"})
        dir.write(name, "x");
    loadUI("g", false);

    EXPECT_EQ(gameUI.getUIImageCount(), 10);
    EXPECT_EQ(uiImage.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(uiImage[static_cast<size_t>(i)].GetPointer(), i);
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/ui/10002.png"));  // numbered from 10000 again
    EXPECT_EQ(splash.getStartingSplash(), 8);
    EXPECT_EQ(splash.getSplash(), 2);
    EXPECT_FALSE(splash.getHideSplash());
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/splash1.jpg"));  // splash names are kept
}

TEST_F(MenuLoaderTest, AnimationKeysAreKeptWithinTheEditorsRange)
{
    menuFile f;
    f.line("f intromenu 0").ends(0, 0, 0, 0).line("s menu1 endMenuLoad")
        .line("f image0anim 1").line("f image0frame 12").line("f image0speed 50")
        .line("f image1anim 1").line("f image1frame 4").line("f image1speed 100")
        .line("f image2anim 2").line("f image2frame 4").line("f image2speed 300")
        .line("f image3anim 1").line("f image3speed 1001");
    dir.write("system/ui.cfg", f.str());
    for (const char* name : {"ui/a.png", "ui/b.png", "ui/c.png", "ui/d.png"}) dir.write(name, "x");
    loadUI("default", false);

    ASSERT_EQ(uiImage.size(), 4u);
    EXPECT_TRUE(uiImage[0].getAnimState());
    EXPECT_FALSE(uiImage[2].getAnimState());
    // Frame counts and speeds; image 3 has no frame key.
    EXPECT_EQ((std::vector<int>{uiImage[0].getFrameCount(), uiImage[1].getFrameCount(), uiImage[2].getFrameCount(),
                                uiImage[3].getFrameCount()}),
              (std::vector<int>{1, 4, 1, 1}));
    EXPECT_EQ((std::vector<int>{uiImage[0].getAnimSpeed(), uiImage[1].getAnimSpeed(), uiImage[3].getAnimSpeed()}),
              (std::vector<int>{1000, 100, 1000}));
}

TEST_F(MenuLoaderTest, LoadMenuClearsTheInteraction)
{
    gameUI.setHoverButton(3);
    gameUI.setPressedButton(2);
    gameUI.setTextboxEdit(1);
    gameUI.setHoverTextbox(0);
    gameSys.setInputState(inputStateMenuTextbox);
    loadMenu(4);
    EXPECT_EQ(gameUI.getCurrentMenu(), 4);
    EXPECT_EQ((std::vector<int>{gameUI.getHoverButton(), gameUI.getPressedButton(), gameUI.getTextboxEdit(),
                                gameUI.getHoverTextbox()}),
              (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
}

}  // namespace
