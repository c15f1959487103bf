// The console: scrolling bounds, opening and closing with the slide, and the
// command interpreter (word splitting, the accepted forms, the outputs).
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "core/input.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "menus/console.h"
#include "menus/console_commands.h"
#include "menus/help.h"
#include "test_util.h"

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
    for (int i = 0; i < 100 && advanceConsoleSlide(); ++i) {
    }
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
    five.scrollOldest();
    EXPECT_EQ(five.getCurrentLine(), 4);
    five.scrollOlder();
    EXPECT_EQ(five.getCurrentLine(), 4);
    five.scrollNewer();
    EXPECT_EQ(five.getCurrentLine(), 3);
    five.scrollNewest();
    EXPECT_EQ(five.getCurrentLine(), 0);
    five.scrollNewer();
    EXPECT_EQ(five.getCurrentLine(), 0);
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
    consoleCommandParts p = splitConsoleCommand("echo a b");
    EXPECT_EQ(p.ident, "echo");
    EXPECT_EQ(p.function, "a b");
    p = splitConsoleCommand("echo");
    EXPECT_EQ(p.ident, "echo");
    EXPECT_EQ(p.function, "");
    p = splitConsoleCommand(" help");
    EXPECT_EQ(p.ident, "");
    EXPECT_EQ(p.function, "help");
    p = splitConsoleCommand("log  two  blanks ");
    EXPECT_EQ(p.ident, "log");
    EXPECT_EQ(p.function, " two  blanks ");
    p = splitConsoleCommand("");
    EXPECT_EQ(p.ident, "");
    EXPECT_EQ(p.function, "");
}

TEST(ConsoleCommandSplit, MapNumbersReadLikeADecimalInteger)
{
    EXPECT_EQ(readConsoleNumber("2"), 2);
    EXPECT_EQ(readConsoleNumber("  12abc"), 12);
    EXPECT_EQ(readConsoleNumber("-1"), -1);
    EXPECT_EQ(readConsoleNumber("+7"), 7);
    EXPECT_EQ(readConsoleNumber("abc"), 0);
    EXPECT_EQ(readConsoleNumber(""), 0);
    EXPECT_EQ(readConsoleNumber("- 3"), 0);
    EXPECT_EQ(readConsoleNumber("3 4"), 3);
    EXPECT_EQ(readConsoleNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(readConsoleNumber("-99999999999999999999"), INT_MIN);
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
    // Already off: quietly refused, only the note.
    EXPECT_EQ(run("Debug Off").size(), 4u);
    EXPECT_FALSE(gameSys.getDebugState());
    EXPECT_EQ(run("debug maybe").size(), 3u);
    EXPECT_EQ(run("debug OFF").size(), 3u);
    EXPECT_EQ(run("fullscreen").size(), 3u);
    EXPECT_EQ(run("fullscreen ON").size(), 3u);
    EXPECT_FALSE(gameSys.getFS());
}

TEST(ConsoleCommands, LoadHelpTakesOnlyAGameName)
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

TEST(ConsoleKeys, TypedKeysEditTheCommandLine)
{
    setAutoRepeatSwitch(ignoreAutoRepeat);
    closeConsoleFully();
    gameSys.setGameState(gameStateMenu);
    gameSys.setInputState(inputStateNormal);
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
    keyboard(keyCodeBackspace, 0, 0);
    keyboard(keyCodeBackspace, 0, 0);
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
    closeConsoleFully();
    setAutoRepeatSwitch(nullptr);
}

TEST(ConsoleKeys, BackQuoteDoesNothingDuringTheSplash)
{
    setAutoRepeatSwitch(ignoreAutoRepeat);
    closeConsoleFully();
    gameSys.setInputState(inputStateNormal);
    gameSys.setGameState(gameStateSplash);
    keyboard('`', 0, 0);
    EXPECT_FALSE(console.getConsoleState());
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    gameSys.setGameState(gameStateMenu);
    setAutoRepeatSwitch(nullptr);
}

TEST(ConsoleKeys, SpecialKeysScrollWhileTheConsoleIsShown)
{
    setAutoRepeatSwitch(ignoreAutoRepeat);
    closeConsoleFully();
    gameSys.setGameState(gameStateMenu);
    for (int i = 0; i < 12; ++i) console.echo("filler");
    console.setCurrentLine(0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), 0);  // closed: no scrolling

    console.enableConsole();
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), 2);
    processSpecialKeys(GLUT_KEY_DOWN, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), 1);
    processSpecialKeys(GLUT_KEY_PAGE_UP, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), console.getLineCount() - 1);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), console.getLineCount() - 1);
    processSpecialKeys(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), 0);
    processSpecialKeys(GLUT_KEY_DOWN, 0, 0);
    EXPECT_EQ(console.getCurrentLine(), 0);
    closeConsoleFully();
    setAutoRepeatSwitch(nullptr);
}

}  // namespace
