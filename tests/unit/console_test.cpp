// The console: scrolling bounds, opening and closing with the slide, and the
// command interpreter (word splitting, the accepted forms, the outputs).
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "core/input.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "menus/console.h"
#include "menus/console_commands.h"
#include "menus/help.h"
#include "test_util.h"
#include "world/world.h"

namespace {

void ignoreAutoRepeat(bool) {}

// The newest `count` console lines, oldest first (the order they were echoed).
std::vector<std::string> newestLines(int count)
{
    std::vector<std::string> lines;
    for (int i = count - 1; i >= 0; --i) lines.push_back(console.getLine(i));
    return lines;
}

// Runs a command and returns what it echoed, oldest first.
std::vector<std::string> run(const std::string& command)
{
    const int before = console.getLineCount();
    inputConsole(command);
    return newestLines(console.getLineCount() - before);
}

void closeConsoleFully()
{
    if (!console.getConsoleState()) return;
    console.disableConsole();
    for (int i = 0; i < 100 && advanceConsoleSlide(); ++i) continue;
}

TEST(ConsoleScroll, StaysWithinTheStoredLines)
{
    debugConsole empty;
    empty.scrollOlder();
    empty.scrollOldest();
    EXPECT_EQ(empty.getCurrentLine(), 0);
    empty.scrollNewer();
    EXPECT_EQ(empty.getCurrentLine(), 0);

    debugConsole five;
    for (int i = 0; i < 5; ++i) five.echo("line " + std::to_string(i));
    const std::pair<void (debugConsole::*)(), int> steps[] = {
        {&debugConsole::scrollOldest, 4}, {&debugConsole::scrollOlder, 4}, {&debugConsole::scrollNewer, 3},
        {&debugConsole::scrollNewest, 0}, {&debugConsole::scrollNewer, 0}};
    for (size_t i = 0; i < std::size(steps); ++i) {
        (five.*steps[i].first)();
        EXPECT_EQ(five.getCurrentLine(), steps[i].second) << "step " << i;
    }
    for (int i = 0; i < 10; ++i) five.scrollOlder();
    EXPECT_EQ(five.getCurrentLine(), 4);

    five.setCurrentLine(5);
    EXPECT_EQ(five.getCurrentLine(), 4);
    EXPECT_EQ(five.getLine(5), "");
    EXPECT_EQ(five.getLine(0), "line 4");
}

TEST(ConsoleScroll, ANewLineKeepsTheScrollPosition)
{
    debugConsole c;
    for (int i = 0; i < 3; ++i) c.echo("line " + std::to_string(i));
    c.scrollOlder();
    ASSERT_EQ(c.getLine(c.getCurrentLine()), "line 1");
    c.echo("line 3");
    EXPECT_EQ(c.getCurrentLine(), 1);
    EXPECT_EQ(c.getLine(c.getCurrentLine()), "line 2");
}

TEST(ConsoleSlide, OpensInFifteenStepsAndClosesInSixteenCalls)
{
    closeConsoleFully();
    gameSys.setInputState(inputStateNormal);
    const float start = getConsoleSlidePosition();
    ASSERT_EQ(start, consoleClosedY);

    console.enableConsole();
    EXPECT_TRUE(console.getConsoleState());
    EXPECT_EQ(gameSys.getInputState(), inputStateConsole);
    EXPECT_EQ(console.getAnimState(), consoleAnimStateOpening);
    for (int i = 0; i < 15; ++i) EXPECT_TRUE(advanceConsoleSlide());
    EXPECT_EQ(getConsoleSlidePosition(), consoleOpenY);
    EXPECT_EQ(console.getAnimState(), consoleAnimStateOpening);
    EXPECT_TRUE(advanceConsoleSlide());
    EXPECT_EQ(console.getAnimState(), consoleAnimStateOpen);
    EXPECT_EQ(getConsoleSlidePosition(), consoleOpenY);

    console.disableConsole();
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    EXPECT_TRUE(console.getConsoleState());
    for (int i = 0; i < 15; ++i) EXPECT_TRUE(advanceConsoleSlide()) << i;
    EXPECT_EQ(getConsoleSlidePosition(), consoleClosedY);
    EXPECT_TRUE(console.getConsoleState());
    gameSys.setInputState(inputStateConsole);
    EXPECT_FALSE(advanceConsoleSlide());
    EXPECT_FALSE(console.getConsoleState());
    EXPECT_EQ(console.getAnimState(), consoleAnimStateClosed);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
}

TEST(ConsoleSlide, ReversingMidwayTurnsBackFromWhereItStands)
{
    closeConsoleFully();
    console.enableConsole();
    for (int i = 0; i < 5; ++i) advanceConsoleSlide();
    EXPECT_EQ(getConsoleSlidePosition(), -20.0f);
    console.disableConsole();
    advanceConsoleSlide();
    EXPECT_EQ(getConsoleSlidePosition(), -30.0f);
    console.enableConsole();
    advanceConsoleSlide();
    EXPECT_EQ(getConsoleSlidePosition(), -20.0f);
    closeConsoleFully();
    EXPECT_FALSE(console.getConsoleState());
}

TEST(ConsoleCommandSplit, SplitsAtTheFirstBlankOnly)
{
    const struct { const char *command, *ident, *function; } cases[] = {
        {"echo a b", "echo", "a b"}, {"echo", "echo", ""}, {" help", "", "help"},
        {"log  two  blanks ", "log", " two  blanks "}, {"", "", ""}};
    for (const auto& c : cases) {
        const consoleCommandParts p = splitConsoleCommand(c.command);
        EXPECT_EQ(p.ident, c.ident) << '"' << c.command << '"';
        EXPECT_EQ(p.function, c.function) << '"' << c.command << '"';
    }
}

TEST(ConsoleCommandSplit, MapNumbersReadLikeADecimalInteger)
{
    const std::pair<const char*, int> cases[] = {
        {"2", 2}, {"  12abc", 12}, {"-1", -1}, {"+7", 7}, {"abc", 0}, {"", 0}, {"- 3", 0}, {"3 4", 3},
        {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN}};
    for (const auto& [text, number] : cases) EXPECT_EQ(readConsoleNumber(text), number) << '"' << text << '"';
}

TEST(ConsoleCommands, EchoesTheInputAndClosesWithAnEmptyLine)
{
    console.setCommandLine("echo a b");
    EXPECT_EQ(run("echo a b"), (std::vector<std::string>{"^wYou have entered: ^yecho a b", "", "a b", ""}));
    EXPECT_EQ(console.getCommandLine(), "");
    EXPECT_EQ(run("echo"), (std::vector<std::string>{"^wYou have entered: ^yecho", "", "", ""}));
    EXPECT_EQ(run("Echo x"), (std::vector<std::string>{"^wYou have entered: ^yEcho x", "", "x", ""}));
}

TEST(ConsoleCommands, WordsMatchOnlyInTheirListedForms)
{
    const std::string warning = "^yWARNING: ^wThat command wasn't found. Please try again.";
    const std::vector<std::string> help = {"^wYou have entered: ^yhelp", "", "", "^w^3Help", "",
                                           "^wType '^ycommands^w' for a list of commands", ""};
    EXPECT_EQ(run("help"), help);
    EXPECT_EQ(run("Help").size(), help.size());
    EXPECT_EQ(run("HELP"), (std::vector<std::string>{"^wYou have entered: ^yHELP", "", warning, ""}));
    EXPECT_EQ(run(" help"), (std::vector<std::string>{"^wYou have entered: ^y help", "", warning, ""}));
    EXPECT_EQ(run(""), (std::vector<std::string>{"^wYou have entered: ^y", "", warning, ""}));
    EXPECT_EQ(run("ECHO x")[2], warning);
}

TEST(ConsoleCommands, CommandsAndCreditsListTheirLines)
{
    const std::vector<std::string> commands = run("commands");
    ASSERT_EQ(commands.size(), 2u + 4u + 12u + 1u);
    EXPECT_EQ(commands[3], "^3^wCommands");
    EXPECT_EQ(commands[5], "^yWARNING: ^wImproper use may crash Quorvane!");
    EXPECT_EQ(commands[6], "^w'^ySave^w' - Saves current system settings.");
    EXPECT_EQ(commands[17], "^w'^ylog (message)^w' - Outputs a string to the log file: ^y/log.txt^w.");
    const std::vector<std::string> capital = run("Commands");
    ASSERT_EQ(capital.size(), commands.size());
    EXPECT_TRUE(std::equal(commands.begin() + 1, commands.end(), capital.begin() + 1));

    const std::vector<std::string> credits = run("credits");
    ASSERT_EQ(credits.size(), 2u + 3u + 4u + 1u);
    EXPECT_EQ(credits[3], "^3Credits");
    for (int i = 5; i < 9; ++i) EXPECT_EQ(credits[static_cast<size_t>(i)].rfind("^w", 0), 0u) << credits[i];
}

TEST(ConsoleCommands, DebugOffAndUnknownArgumentsChangeOnlyWhatTheySay)
{
    gameSys.setDebugState(true, true);
    EXPECT_EQ(run("debug off"), (std::vector<std::string>{"^wYou have entered: ^ydebug off", "",
                                                            "^wDebug mode ^yoff", ""}));
    EXPECT_FALSE(gameSys.getDebugState());
    // Already off: quietly refused, only the note; unknown arguments give the warning alone.
    for (auto [command, lines] : {std::pair<const char*, size_t>{"Debug Off", 4}, {"debug maybe", 3}, {"debug OFF", 3},
                                  {"fullscreen", 3}, {"fullscreen ON", 3}})
        EXPECT_EQ(run(command).size(), lines) << command;
    EXPECT_FALSE(gameSys.getDebugState());
    EXPECT_FALSE(gameSys.getFS());
}

TEST(ConsoleCommands, LoadHelpAndLoadGameTakeOnlyAGameName)
{
    testutil::TempDir dir;
    testutil::ScopedCwd cwd(dir.path());
    dir.write("outside/system/help.cfg", "s help0title Outside\ns help0line0 x\ns help1title end\n");
    uiHelp.clearData();
    uiHelp.menuSetMenuTitle(0, "Kept");
    for (const char* name : {"../outside", "..", "a/b"}) {
        run(std::string("loadhelp ") + name);
        EXPECT_EQ(console.getLine(1), std::string("^rERROR: ^wUnable to load the help of the game: ^y") + name);
        EXPECT_EQ(uiHelp.menuGetMenuTitle(0), "Kept") << name;
    }
    dir.write("x/system/map.cfg", "f version 1\n");
    const std::pair<const char*, const char*> refusals[] = {
        {"loadgame ../x", "^rERROR: ^wUnable to open game: ^y../x"},
        {"loadgame", "^rERROR:^w Enter a valid game name for a game to be loaded."},
        {"loadgame mainui", "You cannot load ^ymainui ^wor ^yingameui^w as a game!"}};
    for (const auto& [command, line] : refusals) {
        run(command);
        EXPECT_TRUE(testutil::consoleHas(line, 3)) << command;
        EXPECT_FALSE(world.getGameLoaded()) << command;
    }
}

TEST(ConsoleCommands, SaveWritesTheSettingsFile)
{
    testutil::TempDir dir;
    testutil::ScopedCwd cwd(dir.path());
    run("save");
    const std::string saved = dir.read("system/system.cfg");
    EXPECT_NE(saved.find("\nf firstTime 1\n"), std::string::npos);
    EXPECT_EQ(console.getLine(1), "Successfully saved system settings.");
}

class ConsoleKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        setAutoRepeatSwitch(ignoreAutoRepeat);
        closeConsoleFully();
        gameSys.setGameState(gameStateMenu);
        gameSys.setInputState(inputStateNormal);
    }
    void TearDown() override { closeConsoleFully(); }
};

TEST_F(ConsoleKeys, TypedKeysEditTheCommandLine)
{
    console.setCommandLine("");

    keyboard('`', 0, 0);
    ASSERT_TRUE(console.getConsoleState());
    ASSERT_EQ(gameSys.getInputState(), inputStateConsole);
    EXPECT_EQ(console.getCommandLine(), "");
    for (unsigned char key : std::string("echo hHx")) keyboard(key, 0, 0);
    EXPECT_EQ(console.getCommandLine(), "echo hHx");
    inputState1Keyboard('`');
    EXPECT_EQ(console.getCommandLine(), "echo hHx");
    EXPECT_TRUE(console.getConsoleState());
    for (int i = 0; i < 2; ++i) keyboard(keyCodeBackspace, 0, 0);
    EXPECT_EQ(console.getCommandLine(), "echo h");
    const int before = console.getLineCount();
    keyboard(keyCodeEnter, 0, 0);
    EXPECT_EQ(console.getLineCount(), before + 4);
    EXPECT_EQ(console.getLine(1), "h");
    EXPECT_EQ(console.getCommandLine(), "");
    keyboard(keyCodeBackspace, 0, 0);
    EXPECT_EQ(console.getCommandLine(), "");

    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(console.getAnimState(), consoleAnimStateClosing);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
}

TEST_F(ConsoleKeys, BackQuoteDoesNothingDuringTheSplash)
{
    gameSys.setGameState(gameStateSplash);
    keyboard('`', 0, 0);
    EXPECT_FALSE(console.getConsoleState());
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
}

TEST_F(ConsoleKeys, SpecialKeysScrollWhileTheConsoleIsShown)
{
    for (int i = 0; i < 12; ++i) console.echo("filler");
    console.setCurrentLine(0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), 0);  // closed: no scrolling

    console.enableConsole();
    const int oldest = console.getLineCount() - 1;
    const std::pair<int, int> steps[] = {{GLUT_KEY_UP, 1}, {GLUT_KEY_UP, 2}, {GLUT_KEY_DOWN, 1},
        {GLUT_KEY_PAGE_UP, oldest}, {GLUT_KEY_UP, oldest}, {GLUT_KEY_PAGE_DOWN, 0}, {GLUT_KEY_DOWN, 0}};
    for (size_t i = 0; i < std::size(steps); ++i) {
        processSpecialKeys(steps[i].first, 0, 0);
        EXPECT_EQ(console.getCurrentLine(), steps[i].second) << "step " << i;
    }
}

}  // namespace
