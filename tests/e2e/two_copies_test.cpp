// Two copies of the program in one working directory: the log they share
// holds every line of both runs, whole, whichever quits first, while a copy
// alone still starts it afresh; and a settings folder held by another copy
// only keeps the settings from being written, it never ends the program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Copies";
const char* const closingLine = "Closing log file ";
const char* const savingAtExit = "Saving System Data...";

using lineCounts = std::map<std::string, int>;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

lineCounts countsOf(const std::vector<std::string>& lines, int times = 1)
{
    lineCounts counts;
    for (const std::string& line : lines) counts[line] += times;
    return counts;
}

void add(lineCounts& to, const lineCounts& more)
{
    for (const auto& [line, n] : more) to[line] += n;
}

// The lines a copy wrote to the log, as its standard output has them: all
// before its settings are saved at exit, which follows the log's closing.
std::vector<std::string> runLines(const e2e::App& copy)
{
    std::vector<std::string> lines = linesOf(copy.programOutput());
    lines.erase(std::find(lines.begin(), lines.end(), savingAtExit), lines.end());
    return lines;
}

// Whether `part` stands in `whole` in its order (with other lines between).
bool inOrder(const std::vector<std::string>& part, const std::vector<std::string>& whole)
{
    size_t next = 0;
    for (const std::string& line : whole)
        if (next < part.size() && line == part[next]) ++next;
    return next == part.size();
}

// Has the copy's open console run `log <line>` and waits for the line in the log.
bool logThrough(e2e::App& copy, const std::string& line)
{
    return copy.type("log " + line) && copy.key("Return") && copy.waitForLog(line);
}

bool quitThroughConsole(e2e::App& copy)
{
    return copy.type("quit") && copy.key("Return");
}

TEST(TwoCopies, TheirOneLogHoldsBothRunsWholeWhicheverQuitsFirst)
{
    for (const bool firstQuitsFirst : {true, false}) {
        SCOPED_TRACE(firstQuitsFirst ? "the first copy quits first" : "the second copy quits first");
        e2e::App first, second;
        first.writeFile("system/system.cfg", e2e::settingsFile(title, 1, 0));
        first.writeFile("log.txt", "A line of an earlier run\n");
        ASSERT_TRUE(first.start(title));
        ASSERT_TRUE(first.openConsole());  // start-up is over

        // Alone, the copy started the log afresh; what it writes to the log
        // alone (not to standard output) is written by every run.
        const std::vector<std::string> alone = first.logLines();
        ASSERT_FALSE(alone.empty());
        EXPECT_EQ(alone.front(), "Quorvane");
        EXPECT_FALSE(first.logHas("A line of an earlier run"));
        lineCounts logOnly = countsOf(alone);
        for (const std::string& line : runLines(first)) {
            EXPECT_GT(logOnly[line], 0) << "not in the log: " << line;
            --logOnly[line];
        }
        logOnly[closingLine] = 1;

        ASSERT_TRUE(logThrough(first, "The first copy, alone."));
        ASSERT_TRUE(second.startBeside(first, title));
        ASSERT_TRUE(second.openConsole());
        ASSERT_TRUE(logThrough(second, "The second copy, beside the first."));
        ASSERT_TRUE(first.focus());
        ASSERT_TRUE(logThrough(first, "The first copy, beside the second."));

        e2e::App& early = firstQuitsFirst ? first : second;
        e2e::App& late = firstQuitsFirst ? second : first;
        ASSERT_TRUE(early.focus());
        ASSERT_TRUE(quitThroughConsole(early));
        EXPECT_EQ(early.waitExit(), 0);
        ASSERT_TRUE(late.focus());
        ASSERT_TRUE(logThrough(late, "The last copy, after the other quit."));
        ASSERT_TRUE(quitThroughConsole(late));
        EXPECT_EQ(late.waitExit(), 0);

        // Both runs' lines, each copy's in its order and ended by its closing
        // line, and nothing else: no line lost, cut, run together or doubled.
        const std::string log = first.readFile("log.txt");
        EXPECT_EQ(log.find('\0'), std::string::npos);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back(), '\n');
        const std::vector<std::string> lines = linesOf(log);
        lineCounts expected = countsOf(runLines(first));
        add(expected, countsOf(runLines(second)));
        for (const auto& [line, n] : logOnly) expected[line] += 2 * n;
        EXPECT_TRUE(countsOf(lines) == expected) << log;
        for (e2e::App* copy : {&first, &second}) {
            std::vector<std::string> own = runLines(*copy);
            own.push_back(closingLine);
            EXPECT_TRUE(inOrder(own, lines));
        }
        EXPECT_EQ(lines.back(), closingLine);
    }
}

// Another process's hold on a folder, taken as the program's folder lock takes it.
class FolderHold {
public:
    explicit FolderHold(const std::string& folder) : fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~FolderHold()
    {
        if (fd >= 0) ::close(fd);
    }
    FolderHold(const FolderHold&) = delete;
    FolderHold& operator=(const FolderHold&) = delete;
    bool take() { return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

private:
    int fd;
};

// The console's save and the quit, each after the 5 s the program waits for
// the other copy.
TEST(TwoCopies, ASettingsFolderHeldByAnotherCopyIsNotWrittenAndTheProgramGoesOnAndQuits)
{
    const std::string refusal =
        "ERROR: The system settings were not saved: another copy of the program is at work on system and has not let "
        "it go; try again once it is done.";
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 1, 0));
    const std::string settings = app.readFile("system/system.cfg");
    ASSERT_TRUE(app.start(title));
    ASSERT_TRUE(app.openConsole());
    FolderHold otherCopy(app.path("system"));
    ASSERT_TRUE(otherCopy.take());
    ASSERT_TRUE(app.type("save") && app.key("Return"));
    ASSERT_TRUE(app.waitForLog(refusal));
    ASSERT_TRUE(logThrough(app, "Still at work after the refused save."));
    ASSERT_TRUE(quitThroughConsole(app));
    EXPECT_EQ(app.waitExit(), 0);
    EXPECT_EQ(app.readFile("system/system.cfg"), settings);
    const std::vector<std::string> output = linesOf(app.programOutput());
    EXPECT_EQ(std::count(output.begin(), output.end(), refusal), 2);  // the save's and the quit's
    EXPECT_FALSE(app.logHas("Error opening the system file"));
    EXPECT_EQ(app.logLines().back(), closingLine);
}

}  // namespace
