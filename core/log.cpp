// The log file and systemMsg. The log is written line by line, each line the
// moment it is sent, so that a crash or a kill loses nothing and the file can
// be followed while running.
//
// The one log of a working directory: the file is opened in append mode, and
// each line, with its line feed, is handed to the system in one write, which
// puts it whole at the end of the file whatever another copy writes
// meanwhile. A copy holds the file shared (flock) from its opening to its
// closing. It empties the file only when it can first hold it alone, which it
// cannot while any other copy has it open; turning that hold into a shared
// one lets the lock go for a moment, and a copy starting just then may empty
// the file again, but neither has written a line by then: a copy writes only
// once it holds the file shared. Where the file system keeps no locks
// (or another program holds the file), nothing is emptied and every copy appends.
#include "core/log.h"
#include "core/log_internal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "core/retried_call.h"
#include "menus/console.h"

messageLog gameLog;

namespace {

// How long a copy waits for one that is emptying the log (a moment's work),
// and how often it looks meanwhile.
constexpr std::chrono::milliseconds sharedHoldWait{2000};
constexpr std::chrono::milliseconds retryEvery{5};

int forcedLockError = 0;

// One try at a lock of `kind` (LOCK_EX or LOCK_SH) on the open log, without
// waiting; 0 or the reason it was not had.
int tryLock(int fd, int kind)
{
    if (forcedLockError != 0) return forcedLockError;
    return flockRetrying(fd, kind | LOCK_NB);
}

// Holds the open log shared with the other copies, waiting while a starting
// copy holds it alone to empty it; past the wait the copy appends without a hold.
void holdShared(int fd)
{
    const auto giveUp = std::chrono::steady_clock::now() + sharedHoldWait;
    while (tryLock(fd, LOCK_SH) == EWOULDBLOCK && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(retryEvery);
}

// Empties the open log; one that cannot be emptied is appended to.
void empty(int fd)
{
    while (::ftruncate(fd, 0) != 0 && errno == EINTR) {
    }
}

}  // namespace

void failLogLock(int error)
{
    forcedLockError = error;
}

messageLog::~messageLog()
{
    close();
}

void messageLog::openLog(const std::string& name)
{
    file = name;
    clearLog();
}

void messageLog::clearLog()
{
    close();
    open();
}

void messageLog::open()
{
    logFile = openRetrying(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (logFile < 0) {
        warnIfUnopenable();
        return;
    }
    const int alone = tryLock(logFile, LOCK_EX);
    if (alone == 0) empty(logFile);
    if (alone == 0 || alone == EWOULDBLOCK) holdShared(logFile);
}

void messageLog::close()
{
    if (logFile < 0) return;
    ::close(logFile);  // lets the hold go
    logFile = -1;
}

void messageLog::warnIfUnopenable()
{
    if (warnedUnopenable) return;
    warnedUnopenable = true;
    const std::string text = QV_WARNING "Unable to open the log file ^y" + file + "^w; messages go to the console only.";
    console.echo(text);
    std::fputs(stripCodes(text).c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// One write, the line feed in it; write errors are ignored.
void messageLog::writeLine(const std::string& line)
{
    if (logFile < 0) return;
    ssize_t written;
    do written = ::write(logFile, line.data(), line.size());
    while (written < 0 && errno == EINTR);
}

void messageLog::msg(const std::string& text)
{
    writeLine(text + '\n');
}

void messageLog::closeLog()
{
    writeLine("Closing log file \n");
    close();
}

std::string stripCodes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^') {
            ++i;  // the code's follower goes with it
            continue;
        }
        out += text[i];
    }
    return out;
}

void systemMsg(std::string text)
{
    console.echo(text);
    const std::string plain = stripCodes(text);
    gameLog.msg(plain);
    std::fwrite(plain.data(), 1, plain.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
