// The log file `log.txt` and systemMsg, the one path by which every progress
// note, warning and error reaches the console, the log and standard output.
#pragma once
#include <fstream>
#include <string>

// Message prefixes shared by every subsystem.
#define QV_ERROR "^rERROR: ^w"
#define QV_WARNING "^yWARNING: ^w"
#define QV_NOTE "^yNOTE: ^w"

// The log file. (Named messageLog rather than log so it does not collide
// with the C library's log().)
class messageLog {
public:
    void openLog(const std::string& name);
    void clearLog();
    void msg(const std::string& text);
    void closeLog();
    bool isOpen() const { return logFile.is_open(); }

private:
    std::string file;
    std::ofstream logFile;
    bool warnedUnopenable = false;
    void warnIfUnopenable();
};

extern messageLog gameLog;

// Removes the inline "^x" codes: every '^' goes with the character after it.
std::string stripCodes(const std::string& text);

// Console (codes kept), log.txt and standard output (codes removed).
void systemMsg(std::string text);
