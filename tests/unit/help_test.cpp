// Help files: topics and lines as read, the line cut, the list ends, the
// fallback from a game's help to the program's own, and the end of the
// program when no help file can be read.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <iterator>
#include <string>
#include <utility>

#include "core/input.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "menus/console.h"
#include "menus/help.h"
#include "test_util.h"

namespace {

void ignoreAutoRepeat(bool) {}

class HelpFile : public ::testing::Test {
protected:
    testutil::TempDir dir;
    testutil::ScopedCwd cwd{dir.path()};
};

TEST_F(HelpFile, ReadsTopicsAndLinesUpToTheirEndMarkers)
{
    dir.write("system/help.cfg", "s helptitle Guide\ns help0title First\ns help0line0 one\ns help0line1 two\n"
                                 "s help0line2 end\ns help1title Second\ns help1line0 end\ns help1line1 end\n"
                                 "s help2title end\ns help3title Hidden\n");
    initHelp("default");
    EXPECT_EQ(console.getLine(0), "Quorvane help file loaded successfully.");
    EXPECT_EQ(uiHelp.getHelpTitle(), "Guide");
    ASSERT_EQ(uiHelp.getMenuCount(), 2);
    EXPECT_EQ(uiHelp.menuGetMenuTitle(0), "First");
    EXPECT_EQ(uiHelp.getLineCount(0), 2);
    EXPECT_EQ(uiHelp.menuGetMenuLine(0, 1), "two");
    EXPECT_EQ(uiHelp.menuGetMenuLine(0, 2), "NULL");
    // Line 0 is stored whatever it holds.
    EXPECT_EQ(uiHelp.getLineCount(1), 1);
    EXPECT_EQ(uiHelp.menuGetMenuLine(1, 0), "end");
    EXPECT_EQ(uiHelp.getHelp(), 0);
    EXPECT_FALSE(uiHelp.getHelpState());
}

TEST_F(HelpFile, TopicZeroIsStoredEvenWhenItIsTheEndMarker)
{
    dir.write("system/help.cfg", "s help0title end\ns help0line0 end\n");
    initHelp("default");
    ASSERT_EQ(uiHelp.getMenuCount(), 1);
    EXPECT_EQ(uiHelp.menuGetMenuTitle(0), "end");
    EXPECT_EQ(uiHelp.getLineCount(0), 1);
    EXPECT_EQ(uiHelp.getHelpTitle(), "NULL");
}

TEST_F(HelpFile, ListsWithoutEndMarkersStopAtTheFirstAbsentKey)
{
    dir.write("system/help.cfg",
              "s help0title A\ns help0line0 a0\ns help0line1 a1\n"
              "s help1title B\ns help1line3 far\n");
    initHelp("default");
    ASSERT_EQ(uiHelp.getMenuCount(), 2);
    EXPECT_EQ(uiHelp.getLineCount(0), 2);
    EXPECT_EQ(uiHelp.getLineCount(1), 1);
    EXPECT_EQ(uiHelp.menuGetMenuLine(1, 0), "NULL");

    dir.write("system/help.cfg", "// nothing but a comment\n");
    initHelp("default");
    ASSERT_EQ(uiHelp.getMenuCount(), 1);
    EXPECT_EQ(uiHelp.menuGetMenuTitle(0), "NULL");
    EXPECT_EQ(uiHelp.menuGetMenuLine(0, 0), "NULL");
}

TEST_F(HelpFile, LongLinesAreCutToFiftyCharacters)
{
    const std::string line59(59, 'a'), line60 = "^y" + std::string(58, 'b');
    dir.write("system/help.cfg", "s help0title T\ns help0line0 " + line59 + "\ns help0line1 " + line60 +
                                     "\ns help0line2 end\ns help1title end\n");
    initHelp("default");
    EXPECT_EQ(uiHelp.menuGetMenuLine(0, 0), line59);
    EXPECT_EQ(uiHelp.menuGetMenuLine(0, 1), line60.substr(0, 50));
}

TEST_F(HelpFile, AGameHelpReplacesTheProgramsAndFallsBackToIt)
{
    dir.write("system/help.cfg", "s help0title Program\ns help0line0 x\ns help1title end\n");
    dir.write("games/demo/system/help.cfg", "s help0title Game\ns help0line0 y\ns help1title end\n");
    initHelp("demo");
    EXPECT_EQ(console.getLine(0), "^ydemo/system/help.cfg^w was loaded successfully.");
    EXPECT_EQ(uiHelp.menuGetMenuTitle(0), "Game");

    uiHelp.setHelp(3);
    gameSys.setInputState(inputStateHelp);
    initHelp("nohelp");
    EXPECT_EQ(console.getLine(1), "Attempted to load: ^ynohelp/system/help.cfg^w, but it failed");
    EXPECT_EQ(console.getLine(0), "Loading Quorvane help instead.");
    EXPECT_EQ(uiHelp.menuGetMenuTitle(0), "Program");
    EXPECT_EQ(uiHelp.getHelp(), 0);
    EXPECT_EQ(gameSys.getInputState(), inputStateHelp);  // reading leaves the input state alone
    gameSys.setInputState(inputStateNormal);
}

TEST_F(HelpFile, NoHelpFileEndsTheProgramWithAnErrorStatus)
{
    EXPECT_EXIT(initHelp("default"), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(initHelp("somegame"), ::testing::ExitedWithCode(1), "");
}

TEST(HelpTopics, GrowOnWriteAndAnswerNullOutside)
{
    help h;
    h.menuSetMenuLine(2, 1, "late");
    EXPECT_EQ(h.getMenuCount(), 3);
    EXPECT_EQ(h.getLineCount(2), 2);
    EXPECT_EQ(h.menuGetMenuLine(2, 0), "");
    EXPECT_EQ(h.menuGetMenuTitle(0), "");
    for (int t : {3, -1}) EXPECT_EQ(h.menuGetMenuTitle(t), "NULL") << t;
    EXPECT_EQ(h.getLineCount(5), 0);
    h.menuSetMenuLine(-1, 0, "x");
    h.menuSetMenuLine(0, -1, "x");
    EXPECT_EQ(h.getMenuCount(), 3);
    EXPECT_EQ(h.getLineCount(0), 0);
    h.clearData();
    EXPECT_EQ(h.getMenuCount(), 0);
    EXPECT_EQ(h.getHelpTitle(), "");
}

TEST(HelpKeys, HOpensAndClosesAndArrowsPageWithoutWrapping)
{
    setAutoRepeatSwitch(ignoreAutoRepeat);
    uiHelp.clearData();
    for (int t = 0; t < 3; ++t) uiHelp.menuSetMenuTitle(t, "topic");
    gameSys.setGameState(gameStateMenu);
    gameSys.setInputState(inputStateNormal);

    keyboard('h', 0, 0);
    ASSERT_TRUE(uiHelp.getHelpState());
    EXPECT_EQ(gameSys.getInputState(), inputStateHelp);
    const std::pair<int, int> pages[] = {{GLUT_KEY_LEFT, 0}, {GLUT_KEY_RIGHT, 1}, {GLUT_KEY_DOWN, 2},
                                         {GLUT_KEY_DOWN, 2}, {GLUT_KEY_UP, 1}};
    for (size_t i = 0; i < std::size(pages); ++i) {
        processSpecialKeys(pages[i].first, 0, 0);
        EXPECT_EQ(uiHelp.getHelp(), pages[i].second) << "key " << i;
    }
    keyboard('H', 0, 0);
    EXPECT_FALSE(uiHelp.getHelpState());
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);

    keyboard('H', 0, 0);
    ASSERT_TRUE(uiHelp.getHelpState());
    keyboard('x', 0, 0);
    EXPECT_TRUE(uiHelp.getHelpState());
    keyboard(keyCodeEscape, 0, 0);
    EXPECT_FALSE(uiHelp.getHelpState());
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);

    processSpecialKeys(GLUT_KEY_F3, 0, 0);
    EXPECT_TRUE(uiHelp.getHelpState());
    processSpecialKeys(GLUT_KEY_F3, 0, 0);
    EXPECT_FALSE(uiHelp.getHelpState());

    // In play the letter belongs to the game.
    gameSys.setGameState(gameStatePlay);
    keyboard('h', 0, 0);
    EXPECT_FALSE(uiHelp.getHelpState());
    EXPECT_EQ(gameSys.getAlphabetKeyState('h' - 'a'), keyStatePressed);
    keyboardUp('h', 0, 0);
    keyboard('H', 0, 0);
    EXPECT_FALSE(uiHelp.getHelpState());
    EXPECT_EQ(gameSys.getAlphabetKeyState('h' - 'a'), keyStateIdle);
    gameSys.setGameState(gameStateMenu);
    setAutoRepeatSwitch(nullptr);
}

}  // namespace
