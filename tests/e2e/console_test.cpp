// The console, its commands, the help panel, notices and the function keys on
// the real window, driven by synthetic keys and clicks (resolved by the
// colour-pick pass) and checked by log.txt, the files written and the pixels
// on screen.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/harness.h"

namespace {

using pixel = std::array<int, 3>;

bool isText(const pixel& p)
{
    return p[0] > 200 && p[1] > 200;  // white or yellow glyphs
}

bool isYellow(const pixel& p)
{
    return p[0] > 200 && p[1] > 200 && p[2] < 90;
}

bool isMagenta(const pixel& p)
{
    return p[0] > 200 && p[1] < 80 && p[2] > 200;
}

bool isBlack(const pixel& p)
{
    return p[0] + p[1] + p[2] < 30;
}

// Whether the rows y - 3 to y + 3 between x0 and x1 hold a pixel of a kind.
bool bandHas(const e2e::Image& shot, int y, int x0, int x1, const std::function<bool(const pixel&)>& match)
{
    for (int row = y - 3; row <= y + 3; ++row)
        for (int x = x0; x < x1; ++x)
            if (match(shot.at(x, row))) return true;
    return false;
}

// The console shows its newest line at y 130 and older ones 13 above each other.
constexpr int consoleRow(int newest)
{
    return 130 - 13 * newest;
}

bool rowHasText(const e2e::Image& shot, int newest)
{
    return bandHas(shot, consoleRow(newest), 5, 700, isText);
}

// The console's buttons, the help panel's topics and close button and the
// notice, in the 800 x 600 space.
constexpr int consoleButtonX = 770, consoleCloseY = 20, consoleUpY = 60, consoleDownY = 100;
constexpr int helpTopicX = 60, helpTopic0Y = 80, helpTopicPitch = 40, helpCloseX = 70, helpCloseY = 535;
constexpr int noticeX = 130, noticeY = 75;

// The notice's title line.
bool noticeShown(const e2e::Image& s)
{
    return bandHas(s, 49, 115, 240, isText);
}

// The command line holds its prompt and nothing after it.
bool commandLineEmpty(const e2e::Image& s)
{
    return bandHas(s, 149, 5, 20, isText) && !bandHas(s, 149, 30, 700, isText);
}

// Types a command and waits until the console shows text in the rows it
// should and none in the others (the command line emptied again).
::testing::AssertionResult runCommand(e2e::App& app, const std::string& command, const std::vector<int>& textRows,
                                      const std::vector<int>& emptyRows, e2e::Image* shown = nullptr)
{
    app.type(command);
    app.key("Return");
    auto matches = [&](const e2e::Image& s) {
        for (int r : textRows)
            if (!rowHasText(s, r)) return false;
        for (int r : emptyRows)
            if (rowHasText(s, r)) return false;
        return commandLineEmpty(s);
    };
    const e2e::Image shot = app.waitForScreen(matches);
    if (shown) *shown = shot;
    if (shot.valid()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the console rows after '" << command << "' are not as expected";
}

class ConsoleApp : public ::testing::Test {
protected:
    e2e::App app;
    void startInMenus(const std::string& title)
    {
        app.writeFile("system/system.cfg", e2e::settingsFile(title, 1, 0));
        app.writeFile("system/ui.cfg", e2e::emptyMenuSystem());  // only the layers under test draw
        ASSERT_TRUE(app.start(title));
        ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
        app.key("F2");  // the debug overlay off, so only the layers under test draw
    }
};

TEST_F(ConsoleApp, BackQuoteOpensAndClosesTheConsoleButNotDuringTheSplash)
{
    app.writeFile("system/system.cfg", e2e::settingsFile("Quorvane Splash", 0, 0));
    app.writeFile("system/ui.cfg", e2e::emptyMenuSystem());
    // Three images, each shown for its time: the splash is still up when the key arrives.
    app.usePlainSplash(3);
    ASSERT_TRUE(app.start("Quorvane Splash"));
    ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    ASSERT_TRUE(app.waitForScreen(e2e::plainSplashLit).valid());
    app.key("grave");
    ASSERT_TRUE(app.click(400, 580));  // ends the splash, so the console can prove the key was handled
    ASSERT_TRUE(app.sync());
    EXPECT_TRUE(e2e::consoleShownClosed(app.screenshot()));
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST_F(ConsoleApp, OpensClosesAndRunsTheCommandsThatWriteToIt)
{
    startInMenus("Quorvane Console");
    ASSERT_TRUE(app.waitConsoleClosed());
    ASSERT_TRUE(app.openConsole());
    EXPECT_TRUE(app.closeConsole());
    ASSERT_TRUE(app.openConsole());

    // Output: its lines between the echoed input (and its empty line) and a closing empty line.
    e2e::Image shot;
    EXPECT_TRUE(runCommand(app, "credits", {1, 2, 3, 4, 6, 9}, {0, 5, 7, 8}));
    EXPECT_TRUE(runCommand(app, "help", {1, 3, 6}, {0, 2, 4, 5}, &shot));
    EXPECT_TRUE(bandHas(shot, consoleRow(1), 5, 700, isYellow));  // '^ycommands^w'
    EXPECT_TRUE(runCommand(app, "commands", {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}, &shot));
    EXPECT_TRUE(bandHas(shot, consoleRow(1), 5, 700, isYellow));
    EXPECT_TRUE(runCommand(app, "frobnicate now", {1, 3}, {0, 2, 4}, &shot));
    EXPECT_TRUE(bandHas(shot, consoleRow(1), 5, 120, isYellow));  // "WARNING:"
    EXPECT_TRUE(runCommand(app, "HELP", {1, 3}, {0, 2, 4}));
    EXPECT_TRUE(runCommand(app, "Help", {1, 3, 6}, {0, 2, 4, 5}));

    // echo reaches the console only, log the log file and standard output too.
    EXPECT_TRUE(runCommand(app, "echo Echoed words", {1, 3}, {0, 2, 4}));
    EXPECT_TRUE(runCommand(app, "log Logged words", {1, 3}, {0, 2, 4}));
    ASSERT_TRUE(app.waitForLog("Logged words"));
    EXPECT_TRUE(app.logHas("Logged words"));
    EXPECT_FALSE(app.logHas("Echoed words"));
    EXPECT_NE(app.programOutput().find("Logged words\n"), std::string::npos);
    EXPECT_EQ(app.programOutput().find("Echoed words"), std::string::npos);

    // Scrolling back moves older lines into the lowest row, by the keys and by the buttons.
    const auto older = [](const e2e::Image& s) { return rowHasText(s, 0); };
    const auto newest = [](const e2e::Image& s) { return !rowHasText(s, 0) && rowHasText(s, 1); };
    app.key("Page_Up");
    EXPECT_TRUE(app.waitForScreen(older).valid());
    app.key("Page_Down");
    EXPECT_TRUE(app.waitForScreen(newest).valid());
    ASSERT_TRUE(app.click(consoleButtonX, consoleUpY));
    EXPECT_TRUE(app.waitForScreen(older).valid()) << "the up button did not scroll";
    ASSERT_TRUE(app.click(consoleButtonX, consoleDownY));
    EXPECT_TRUE(app.waitForScreen(newest).valid()) << "the down button did not scroll back";

    app.key("Escape");
    EXPECT_TRUE(app.waitConsoleClosed());
    ASSERT_TRUE(app.openConsole());
    ASSERT_TRUE(app.click(consoleButtonX, consoleCloseY));
    EXPECT_TRUE(app.waitConsoleClosed()) << "the close button left the console open";
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST_F(ConsoleApp, DebugSaveAndQuitChangeAndWriteTheSettings)
{
    startInMenus("Quorvane Settings");
    ASSERT_TRUE(app.openConsole());
    app.removeFile("system/system.cfg");
    EXPECT_TRUE(runCommand(app, "debug off", {1, 3}, {0, 2, 4}));
    EXPECT_TRUE(runCommand(app, "save", {1, 2, 4}, {0, 3, 5}));
    ASSERT_TRUE(app.waitForLog("Successfully saved system settings."));
    EXPECT_NE(app.readFile("system/system.cfg").find("\nf debugMode 0\n"), std::string::npos);

    // debug on prints its notice lines; the overlay then shows once the console is gone.
    EXPECT_TRUE(runCommand(app, "debug on", {2, 3, 4, 7}, {0, 1, 5, 6, 8}));
    app.key("grave");
    EXPECT_TRUE(app.waitForScreen([](const e2e::Image& s) {
        return e2e::consoleShownClosed(s) && bandHas(s, 20, 616, 800, isYellow);
    }).valid());
    ASSERT_TRUE(app.openConsole());
    app.removeFile("system/system.cfg");
    app.type("quit");
    app.key("Return");
    EXPECT_EQ(app.waitExit(), 0);
    const std::string saved = app.readFile("system/system.cfg");
    EXPECT_NE(saved.find("\nf debugMode 1\n"), std::string::npos);
    EXPECT_NE(saved.find("\ns progName Quorvane Settings\n"), std::string::npos);
    EXPECT_EQ(app.logLines().back(), "Closing log file ");
}

TEST_F(ConsoleApp, F12SavesAScreenshotAndRaisesTheNoticeThatAClickTakesAway)
{
    startInMenus("Quorvane Shot");
    ASSERT_TRUE(app.waitConsoleClosed());
    app.key("F12");
    const e2e::Image shot = app.waitForScreen(noticeShown);
    ASSERT_TRUE(shot.valid());                                // the title
    EXPECT_TRUE(bandHas(shot, 105, 115, 300, [](const pixel& p) {  // the grey footer
        return p[0] > 120 && p[0] < 220 && p[1] > 120 && p[1] < 220;
    }));
    EXPECT_FALSE(isBlack(shot.at(113, 110)));  // inside the box, left of the text
    ASSERT_TRUE(app.exists("screen0.tga"));
    const std::string tga = app.readFile("screen0.tga");
    ASSERT_GT(tga.size(), 18u + 800u * 600u * 3u - 1u);
    EXPECT_EQ(tga[2], 2);  // uncompressed true colour
    EXPECT_FALSE(app.logHas("Unable to save a screenshot"));

    // A second screenshot takes the next name and keeps the notice up.
    app.key("F12");
    EXPECT_TRUE(app.waitForFile("screen1.tga"));
    ASSERT_TRUE(app.sync());
    EXPECT_TRUE(noticeShown(app.screenshot()));

    // A click beside the notice leaves it up; a click on it takes it away.
    ASSERT_TRUE(app.click(noticeX + 500, noticeY + 300));
    ASSERT_TRUE(app.sync());
    EXPECT_TRUE(noticeShown(app.screenshot()));
    ASSERT_TRUE(app.click(noticeX, noticeY));
    EXPECT_TRUE(app.waitForScreen([](const e2e::Image& s) { return !noticeShown(s); }).valid());
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST_F(ConsoleApp, AScreenshotThatCannotBeWrittenIsReportedAsAnError)
{
    // Every name the image library would choose is taken.
    for (int i = 0; i < 128; ++i) app.writeFile("screen" + std::to_string(i) + ".tga", "taken");
    startInMenus("Quorvane No Shot");
    app.key("F12");
    ASSERT_TRUE(app.waitForLog("ERROR: Unable to save a screenshot to the Quorvane directory."));
    // "^yERROR"
    EXPECT_TRUE(app.waitForScreen([](const e2e::Image& s) { return bandHas(s, 49, 115, 240, isYellow); }).valid());
    for (int i = 0; i < 128; ++i) EXPECT_EQ(app.readFile("screen" + std::to_string(i) + ".tga"), "taken");
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST_F(ConsoleApp, HOpensTheHelpTheArrowsAndClicksPageItEscapeAndItsButtonCloseIt)
{
    startInMenus("Quorvane Help");
    ASSERT_TRUE(app.waitConsoleClosed());
    // The selected topic's title stands on a magenta bar; topic rows are 40 apart from y 80.
    auto selected = [](int topic) {
        return [topic](const e2e::Image& s) {
            return s.valid() && isMagenta(s.at(55, 91 + 40 * topic)) && !isMagenta(s.at(55, 91 + 40 * (1 - topic)));
        };
    };
    app.key("h");
    const e2e::Image shot = app.waitForScreen(selected(0));
    ASSERT_TRUE(shot.valid());
    EXPECT_TRUE(bandHas(shot, 50, 98, 260, isYellow));  // the heading
    app.key("Down");
    EXPECT_TRUE(app.waitForScreen(selected(1)).valid());
    app.key("Left");
    EXPECT_TRUE(app.waitForScreen(selected(0)).valid());
    ASSERT_TRUE(app.click(helpTopicX, helpTopic0Y + helpTopicPitch));  // a click selects a topic
    EXPECT_TRUE(app.waitForScreen(selected(1)).valid());
    ASSERT_TRUE(app.click(helpTopicX, helpTopic0Y));
    EXPECT_TRUE(app.waitForScreen(selected(0)).valid());
    // No topic before the first. The console would leave the help's keys, so
    // a screenshot's notice (a file, then pixels) shows that Up was handled.
    app.key("Up");
    app.key("F12");
    ASSERT_TRUE(app.waitForFile("screen0.tga"));
    EXPECT_TRUE(app.waitForScreen([&](const e2e::Image& s) { return noticeShown(s) && selected(0)(s); }).valid());
    app.key("Escape");
    EXPECT_TRUE(app.waitForScreen([](const e2e::Image& s) { return isBlack(s.at(55, 91)) && isBlack(s.at(400, 300)); }).valid());
    app.key("H");
    EXPECT_TRUE(app.waitForScreen(selected(0)).valid());
    const auto closed = [](const e2e::Image& s) { return isBlack(s.at(400, 300)); };
    app.key("h");
    EXPECT_TRUE(app.waitForScreen(closed).valid());
    app.key("h");
    EXPECT_TRUE(app.waitForScreen(selected(0)).valid());
    ASSERT_TRUE(app.click(helpCloseX, helpCloseY));
    EXPECT_TRUE(app.waitForScreen(closed).valid()) << "the close button left help open";
    ASSERT_TRUE(app.closeWindow());
    EXPECT_EQ(app.waitExit(), 0);
}

TEST(HelpFile, WithoutTheProgramsHelpFileStartUpEndsWithAnError)
{
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile("Quorvane Helpless", 1, 0));
    app.removeFile("system/help.cfg");
    ASSERT_TRUE(app.start("Quorvane Helpless") || !app.running());
    EXPECT_EQ(app.waitExit(), 1);
    EXPECT_TRUE(app.logHasInOrder({"Error loading/reading file system/help.cfg",
                                   "Could not load any Help file. Create one and try again."}));
    EXPECT_NE(app.programOutput().find("Could not load any Help file. Create one and try again."), std::string::npos);
    EXPECT_EQ(app.logLines().back(), "Closing log file ");
}

}  // namespace
