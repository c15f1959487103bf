// The log file and systemMsg. The log is flushed after every line so that a
// crash or a kill loses nothing and the file can be followed while running.
#include "core/log.h"

#include <cstdio>

#include "menus/console.h"

messageLog gameLog;

void messageLog::openLog(const std::string& name)
{
    file = name;
    if (logFile.is_open()) logFile.close();
    logFile.clear();
    logFile.open(file, std::ios::out | std::ios::trunc);
    warnIfUnopenable();
}

void messageLog::clearLog()
{
    if (logFile.is_open()) logFile.close();
    logFile.clear();
    logFile.open(file, std::ios::out | std::ios::trunc);
    warnIfUnopenable();
}

void messageLog::warnIfUnopenable()
{
    if (logFile.is_open() || warnedUnopenable) return;
    warnedUnopenable = true;
    const std::string text = QV_WARNING "Unable to open the log file ^y" + file + "^w; messages go to the console only.";
    console.echo(text);
    std::fputs(stripCodes(text).c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void messageLog::msg(const std::string& text)
{
    if (!logFile.is_open()) return;
    logFile << text << '\n';
    logFile.flush();
}

void messageLog::closeLog()
{
    if (!logFile.is_open()) return;
    logFile << "Closing log file \n";
    logFile.close();
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
