// The console: its message history (newest first), scroll position, command
// line and slide state, and the per-frame drawing consoleRender. systemMsg
// puts every message line here through echo.
#pragma once
#include <deque>
#include <string>

enum consoleAnimState {
    consoleAnimStateClosed = 0,
    consoleAnimStateOpening = 1,
    consoleAnimStateOpen = 2,
    consoleAnimStateClosing = 3,
};

// Lines shown at once above the command line.
constexpr int consoleVisibleLines = 10;

class debugConsole {
public:
    // Opening takes the keyboard (console input state) and starts the slide in.
    void enableConsole();
    // Closing gives the keyboard back and starts the slide out; the console
    // stays shown until the slide has ended.
    void disableConsole();

    void echo(std::string line);
    std::string getLine(int i) const;
    int getLineCount() const { return lineCount; }

    void setCurrentLine(int i);
    int getCurrentLine() const { return currentLine; }
    // Scrolling: one line back (older), one line forward (newer), and the jumps
    // to the oldest and the newest line.
    void scrollOlder();
    void scrollNewer();
    void scrollOldest();
    void scrollNewest();

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

// Panel positions of the slide: the closed start and the open end.
constexpr float consoleClosedY = -70.0f;
constexpr float consoleOpenY = 80.0f;

// One step of the slide of `console`; false when the closing slide has just
// ended (the console is then hidden and nothing is to be drawn).
bool advanceConsoleSlide();
// The vertical centre of the panel in the 800 x 600 space.
float getConsoleSlidePosition();

// Opens the closed console or closes the open one. From its button the open
// and close sounds play; from the key, opening turns key auto-repeat on for
// the typing.
enum class consoleToggle { key, button };
void toggleConsole(consoleToggle from);

// Draws and animates the console; called while it is shown.
void consoleRender();
