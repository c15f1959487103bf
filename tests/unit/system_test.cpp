// The System record's rules and the game list built from games/.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/system.h"
#include "menus/console.h"
#include "test_util.h"

namespace {

std::vector<std::string> gameList()
{
    std::vector<std::string> names;
    for (int i = 0; i < gameListSize && !gameSys.getDirName(i).empty(); ++i) names.push_back(gameSys.getDirName(i));
    return names;
}

TEST(SystemRecord, DebugStateRefusesTheSameStateLoudlyUnlessQuiet)
{
    gameSys.setDebugState(false, true);
    gameSys.setDebugState(true, true);
    ASSERT_TRUE(gameSys.getDebugState());
    const int lines = console.getLineCount();
    gameSys.setDebugState(true, true);
    EXPECT_EQ(console.getLineCount(), lines);
    gameSys.setDebugState(true, false);
    EXPECT_TRUE(gameSys.getDebugState());
    EXPECT_EQ(console.getLine(0), "Cannot change debug state, it is already ^yEnabled^w.");
    gameSys.setDebugState(false, false);
    EXPECT_FALSE(gameSys.getDebugState());
    gameSys.setDebugState(false, false);
    EXPECT_EQ(console.getLine(0), "Cannot change debug state, it is already ^yDisabled^w.");
}

TEST(SystemRecord, NamedKeysIgnoreBadIds)
{
    gameSys.resetKeyState();
    for (int id = 0; id < namedKeyCount; ++id) gameSys.setKeyState(id, keyStateIdle);
    gameSys.setKeyState(7, keyStatePressed);
    gameSys.setKeyState(-1, keyStatePressed);
    for (int id = 0; id < namedKeyCount; ++id) EXPECT_EQ(gameSys.getKeyState(id), keyStateIdle);
    EXPECT_EQ(gameSys.getKeyState(7), 0);
    EXPECT_EQ(gameSys.getKeyState(-1), 0);
    gameSys.setKeyState(keyEnter, keyStateReleased);
    gameSys.setKeyState(keyUp, keyStatePressed);
    EXPECT_EQ(gameSys.getKeyState(keyEnter), keyStateReleased);
    EXPECT_EQ(gameSys.getKeyState(keyUp), keyStatePressed);
    EXPECT_EQ(gameSys.getKeyState(keyDown), keyStateIdle);
}

TEST(SystemRecord, CurrentLetterFollowsTheLastPress)
{
    gameSys.resetKeyState();
    gameSys.setAlphabetKeyState(4, keyStatePressed);
    EXPECT_EQ(gameSys.getCurrentAlphabetKey(), 4);
    gameSys.setAlphabetKeyState(4, keyStateReleased);
    EXPECT_EQ(gameSys.getCurrentAlphabetKey(), -1);
    gameSys.setAlphabetKeyState(4, keyStatePressed);
    gameSys.setAlphabetKeyState(9, keyStateIdle);
    EXPECT_EQ(gameSys.getCurrentAlphabetKey(), -1);
    gameSys.setAlphabetKeyState(26, keyStatePressed);
    gameSys.setAlphabetKeyState(-1, keyStatePressed);
    EXPECT_EQ(gameSys.getAlphabetKeyState(26), 0);
    EXPECT_EQ(gameSys.getAlphabetKeyState(-1), 0);
    gameSys.setAlphabetKeyState(2, keyStatePressed);
    gameSys.resetKeyState();
    EXPECT_EQ(gameSys.getAlphabetKeyState(2), keyStateIdle);
    EXPECT_EQ(gameSys.getAlphabetKeyState(4), keyStateIdle);
    EXPECT_EQ(gameSys.getCurrentAlphabetKey(), -1);  // that letter is no longer held
}

TEST(SystemRecord, FolderSlotsAndName)
{
    gameSys.setDirName(128, "x");
    gameSys.setDirName(-1, "x");
    EXPECT_EQ(gameSys.getDirName(128), "");
    EXPECT_EQ(gameSys.getDirName(-1), "");
    gameSys.SetSystem(1, 2, 900, 700, std::string(300, 'n').c_str());
    EXPECT_EQ(std::string(gameSys.getName()), std::string(255, 'n'));
    EXPECT_EQ(gameSys.getFPSRender(), 60);
    EXPECT_EQ(gameSys.getWW(), 900);
    EXPECT_EQ(gameSys.getWH(), 700);
}

class GameListTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
};

TEST_F(GameListTest, SkipsReservedNamesAndFiles)
{
    for (const char* name : {"ui", "map", "alpha", "beta", "System", "system", "uireq", "soundreq", "documentation"})
        boost::filesystem::create_directories(dir.path() / "games" / name);
    dir.write("games/readme.txt", "not a game");
    testutil::ScopedCwd cwd(dir.path());
    gameSys.setSelectedDir(5);
    gameSys.setDirName(10, "stale");
    const int lines = console.getLineCount();
    updateGameList();
    std::vector<std::string> names = gameList();
    EXPECT_EQ(gameSys.getSelectedDir(), 0);
    EXPECT_EQ(gameSys.getDirName(10), "");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"System", "alpha", "beta"}));
    EXPECT_EQ(console.getLineCount() - lines, 3);
    EXPECT_EQ(console.getLine(0).rfind("^yGame: ^w", 0), 0u);
}

TEST_F(GameListTest, KeepsTheFirst128)
{
    for (int i = 0; i < 130; ++i) boost::filesystem::create_directories(dir.path() / "games" / ("g" + std::to_string(i)));
    testutil::ScopedCwd cwd(dir.path());
    updateGameList();
    EXPECT_EQ(gameList().size(), 128u);
}

TEST_F(GameListTest, MissingFolderGivesAnErrorAndAnEmptyList)
{
    testutil::ScopedCwd cwd(dir.path());
    gameSys.setDirName(0, "stale");
    updateGameList();
    EXPECT_TRUE(gameList().empty());
    EXPECT_EQ(console.getLine(0).rfind("^rERROR: ^w", 0), 0u);
}

}  // namespace
