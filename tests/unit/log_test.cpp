// The message path: codes kept on the console, removed in log.txt and on
// standard output; the log is complete at every moment and closes cleanly.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <sstream>

#include "core/log.h"
#include "core/log_internal.h"
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

// A log another copy has open is appended to, never emptied; lines land
// whole at its end in the order they are sent. Where the file system keeps
// no locks, no copy empties it.
TEST_F(LogTest, ALogAnotherCopyHasOpenIsAppendedToAndOnlyALoneCopyEmptiesIt)
{
    const std::string file = dir.file("log.txt");
    dir.write("log.txt", "old run\n");
    messageLog second;
    log.openLog(file);
    log.clearLog();
    log.msg("first 1");
    second.openLog(file);
    second.clearLog();
    second.msg("second 1");
    log.msg("first 2");
    log.closeLog();
    second.msg("second 2");
    log.openLog(file);  // the second still has it
    log.msg("first again");
    second.closeLog();
    log.closeLog();
    EXPECT_EQ(dir.read("log.txt"), "first 1\nsecond 1\nfirst 2\nClosing log file \nsecond 2\nfirst again\n"
                                   "Closing log file \nClosing log file \n");

    const std::string twoRuns = dir.read("log.txt");
    failLogLock(ENOLCK);
    log.openLog(file);
    log.clearLog();
    log.msg("no locks");
    log.closeLog();
    failLogLock(0);
    EXPECT_EQ(dir.read("log.txt"), twoRuns + "no locks\nClosing log file \n");
}

// Two processes sending lines at once: every line lands whole, each
// process's in its order, and nothing else is in the file.
TEST_F(LogTest, TheLinesOfTwoProcessesWritingAtOnceStayWhole)
{
    constexpr int linesEach = 20000;
    const std::string file = dir.file("log.txt");
    auto sendLines = [&](messageLog& to, const std::string& who) {
        for (int i = 0; i < linesEach; ++i) to.msg(who + " " + std::to_string(i));
        to.closeLog();
    };
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    log.openLog(file);
    std::fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        messageLog own;
        own.openLog(file);
        if (write(ready[1], "r", 1) != 1) _exit(1);
        sendLines(own, "child");
        _exit(0);
    }
    char sign = 0;
    ASSERT_EQ(read(ready[0], &sign, 1), 1);
    sendLines(log, "parent");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    close(ready[0]);
    close(ready[1]);

    std::istringstream in(dir.read("log.txt"));
    std::map<std::string, int> next = {{"parent", 0}, {"child", 0}};
    int closings = 0, others = 0;
    for (std::string line; std::getline(in, line);) {
        const size_t blank = line.find(' ');
        const std::string who = line.substr(0, blank);
        if (line == "Closing log file ") ++closings;
        else if (next.count(who) && line == who + " " + std::to_string(next[who])) ++next[who];
        else ++others;
    }
    EXPECT_EQ(next["parent"], linesEach);
    EXPECT_EQ(next["child"], linesEach);
    EXPECT_EQ(closings, 2);
    EXPECT_EQ(others, 0);
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
