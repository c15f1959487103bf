// Loading a game from the console on the real program: the sample game loads
// with its loader's lines in order, and refused names change nothing on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <map>

#include "tests/e2e/harness.h"

namespace {

namespace fs = boost::filesystem;

const char* const title = "Quorvane Load";

// Every file of the working directory with its size, the log aside.
std::map<std::string, uintmax_t> filesOf(const e2e::App& app)
{
    std::map<std::string, uintmax_t> files;
    for (fs::recursive_directory_iterator it(app.dir()), end; it != end; ++it) {
        if (!fs::is_regular_file(it->path())) continue;
        const std::string name = fs::relative(it->path(), app.dir()).string();
        if (name != "log.txt") files[name] = fs::file_size(it->path());
    }
    return files;
}

class LoadGameApp : public ::testing::Test {
protected:
    e2e::App app;
    void SetUp() override
    {
        app.writeFile("system/system.cfg", e2e::settingsFile(title, 1, 1));
        ASSERT_TRUE(app.start(title));
        ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    }
    // Opens the console, types the command and sends it. The console closes
    // after a load command; it opens again once its closing slide has ended.
    void command(const std::string& text)
    {
        ASSERT_TRUE(app.waitConsoleClosed());
        ASSERT_TRUE(app.openConsole());
        if (!text.empty()) {
            ASSERT_TRUE(app.type(text));
        }
        ASSERT_TRUE(app.key("Return"));
    }
};

TEST_F(LoadGameApp, TheSampleGameLoadsInOrderAndRenamesNothing)
{
    const auto before = filesOf(app);
    command("loadgame sample");
    ASSERT_TRUE(app.waitForLog("Game: sample has been loaded successfully."));
    EXPECT_TRUE(app.logHasInOrder({
        "games/sample/system/ui.cfg has been successfully loaded",
        "games/sample/system/help.cfg has been successfully loaded",
        "games/sample/system/map.cfg has been successfully loaded",
        "games/sample/system/logic.cfg has been successfully loaded",
        "Game: sample has been loaded successfully.",
    }));
    const std::vector<std::string> lines = app.logLines();
    auto line = std::find_if(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.find("games/sample/") != std::string::npos; });
    for (; line != lines.end(); ++line) {
        EXPECT_EQ(line->find("ERROR"), std::string::npos) << *line;
        EXPECT_EQ(line->find("WARNING"), std::string::npos) << *line;
    }
    EXPECT_EQ(filesOf(app), before);  // every file already carries its number
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST_F(LoadGameApp, RefusedNamesAreReportedAndChangeNothing)
{
    app.writeFile("x/system/map.cfg", "f version 1\ns map0 Outside\n");
    const auto before = filesOf(app);
    command("loadgame nosuchgame");
    ASSERT_TRUE(app.waitForLog("ERROR: Unable to open game: nosuchgame"));
    command("loadgame");
    ASSERT_TRUE(app.waitForLog("ERROR: Enter a valid game name for a game to be loaded."));
    command("loadgame mainui");
    ASSERT_TRUE(app.waitForLog("ERROR: You cannot load mainui or ingameui as a game!"));
    command("loadgame ../x");
    ASSERT_TRUE(app.waitForLog("ERROR: Unable to open game: ../x"));
    for (const std::string& line : app.logLines()) {
        EXPECT_EQ(line.find("has been loaded successfully"), std::string::npos) << line;
        EXPECT_EQ(line.find("x/system/map.cfg has been"), std::string::npos) << line;
    }
    EXPECT_EQ(filesOf(app), before);
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

}  // namespace
