// The log file `log.txt` and systemMsg, the one path by which every progress
// note, warning and error reaches the console, the log and standard output.
// Copies of the program started in one working directory share the one log:
// each holds it (a shared advisory lock) for as long as it has it open, and
// only a copy that finds no other holding it starts it afresh; the others
// append. Every line goes to the end of the file in one write, so that the
// lines of two copies interleave whole.
#pragma once
#include <string>

// Message prefixes shared by every subsystem.
#define QV_ERROR "^rERROR: ^w"
#define QV_WARNING "^yWARNING: ^w"
#define QV_NOTE "^yNOTE: ^w"

// The log file. (Named messageLog rather than log so it does not collide
// with the C library's log().)
class messageLog {
public:
    messageLog() = default;
    ~messageLog();
    messageLog(const messageLog&) = delete;
    messageLog& operator=(const messageLog&) = delete;

    // Opens `name` to append to, emptied first unless another copy has it open.
    void openLog(const std::string& name);
    // Closes the log and opens it again as openLog does.
    void clearLog();
    void msg(const std::string& text);
    void closeLog();
    bool isOpen() const { return logFile >= 0; }

private:
    std::string file;
    int logFile = -1;  // the open file, in append mode
    bool warnedUnopenable = false;
    void open();
    void close();
    void writeLine(const std::string& line);
    void warnIfUnopenable();
};

extern messageLog gameLog;

// Removes the inline "^x" codes: every '^' goes with the character after it.
std::string stripCodes(const std::string& text);

// Console (codes kept), log.txt and standard output (codes removed).
void systemMsg(std::string text);
