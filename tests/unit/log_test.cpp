// The message path: codes kept on the console, removed in log.txt and on
// standard output; the log is complete at every moment and closes cleanly.
#include <gtest/gtest.h>

#include "core/log.h"
#include "menus/console.h"
#include "test_util.h"

namespace {

TEST(StripCodes, EveryCaretGoesWithItsFollower)
{
    EXPECT_EQ(stripCodes("^rERROR: ^wfile ^yname"), "ERROR: file name");
    EXPECT_EQ(stripCodes("^r^2^y"), "");
    EXPECT_EQ(stripCodes("a^^b"), "ab");
    EXPECT_EQ(stripCodes("end^"), "end");
    EXPECT_EQ(stripCodes("100% ^4big"), "100% big");
    EXPECT_EQ(stripCodes(""), "");
}

class LogTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    messageLog log;
};

TEST_F(LogTest, EveryLineIsOnDiskAtOnceAndCloseAppendsTheLastLine)
{
    const std::string file = dir.file("log.txt");
    log.openLog(file);
    log.clearLog();
    EXPECT_EQ(dir.read("log.txt"), "");
    log.msg("first");
    EXPECT_EQ(dir.read("log.txt"), "first\n");  // read while still open
    log.closeLog();
    log.msg("after close");
    EXPECT_EQ(dir.read("log.txt"), "first\nClosing log file \n");
}

TEST_F(LogTest, ReopeningTruncates)
{
    dir.write("log.txt", "old run\n");
    log.openLog(dir.file("log.txt"));
    log.msg("new");
    log.clearLog();
    log.msg("newer");
    log.closeLog();
    EXPECT_EQ(dir.read("log.txt"), "newer\nClosing log file \n");
}

TEST_F(LogTest, UnopenableLogWarnsOnceAndMessagesStillReachTheConsole)
{
    const int lines = console.getLineCount();
    log.openLog(dir.file("no/such/folder/log.txt"));
    log.clearLog();
    EXPECT_EQ(console.getLineCount() - lines, 1);
    EXPECT_EQ(console.getLine(0).rfind("^yWARNING: ^w", 0), 0u);
    log.msg("nowhere");
    EXPECT_FALSE(log.isOpen());
}

TEST_F(LogTest, SystemMsgReachesConsoleLogAndStandardOutput)
{
    testutil::ScopedCwd cwd(dir.path());
    gameLog.openLog("log.txt");
    testing::internal::CaptureStdout();
    systemMsg("^rERROR: ^wError loading/reading file ^yx.cfg");
    systemMsg("100%s done %d");
    systemMsg("^y^2");
    const std::string out = testing::internal::GetCapturedStdout();
    gameLog.closeLog();
    EXPECT_EQ(console.getLine(2), "^rERROR: ^wError loading/reading file ^yx.cfg");
    EXPECT_EQ(out, "ERROR: Error loading/reading file x.cfg\n100%s done %d\n\n");
    EXPECT_EQ(dir.read("log.txt"), "ERROR: Error loading/reading file x.cfg\n100%s done %d\n\nClosing log file \n");
}

TEST(ConsoleLines, NewestFirstWithoutLimit)
{
    debugConsole c;
    EXPECT_EQ(c.getLine(0), "");
    for (int i = 0; i < 10000; ++i) c.echo("line " + std::to_string(i));
    EXPECT_EQ(c.getLineCount(), 10000);
    EXPECT_EQ(c.getLine(0), "line 9999");
    EXPECT_EQ(c.getLine(9999), "line 0");
    EXPECT_EQ(c.getLine(10000), "");
    EXPECT_EQ(c.getLine(-1), "");
    c.setCurrentLine(10000);
    EXPECT_EQ(c.getCurrentLine(), 0);
    c.setCurrentLine(9999);
    EXPECT_EQ(c.getCurrentLine(), 9999);
    c.echo("^ycoloured");
    EXPECT_EQ(c.getCurrentLine(), 9999);  // a new line keeps the scroll position
    EXPECT_EQ(c.getLine(0), "^ycoloured");
}

}  // namespace
