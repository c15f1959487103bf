// The console: its message history (newest first), scroll position, command
// line and slide state. systemMsg puts every message line here through echo.
#pragma once
#include <deque>
#include <string>

enum consoleAnimState {
    consoleAnimStateClosed = 0,
    consoleAnimStateOpening = 1,
    consoleAnimStateOpen = 2,
    consoleAnimStateClosing = 3,
};

class debugConsole {
public:
    void echo(std::string line);
    std::string getLine(int i) const;
    int getLineCount() const { return lineCount; }

    void setCurrentLine(int i);
    int getCurrentLine() const { return currentLine; }

    void setCommandLine(std::string text) { commandLine = std::move(text); }
    std::string getCommandLine() const { return commandLine; }

    void setConsoleState(bool on) { consoleEnabled = on; }
    bool getConsoleState() const { return consoleEnabled; }

    void setAnimState(int state) { animState = state; }
    int getAnimState() const { return animState; }

    void setBackgroundTexture(int tex) { backgroundTex = tex; }
    int getBackgroundTexture() const { return backgroundTex; }

private:
    std::deque<std::string> consoleLine;  // index 0 is the newest line
    int currentLine = 0;
    int backgroundTex = 0;
    bool consoleEnabled = false;
    std::string commandLine;
    bool hideNonConsoleText = false;
    int lineCount = 0;
    int animState = consoleAnimStateClosed;
};

extern debugConsole console;
