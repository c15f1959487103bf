// Debug overlay, frame counter and volume display: the half-transparent panel
// of figures drawn while debug mode is on, the frame counter that feeds its
// frame rate, the volume bar shown for a moment after a volume change, and
// the console notice for debug mode.
#pragma once
#include <string>
#include <vector>

// Echoes the debug-mode notice to the console.
void debugInit();
// Draws the overlay (every drawn frame while debug mode is on).
void debugRender();
// Counts one drawn frame; updates the System frame rate once a second.
void framesPerSecond();
// Draws the volume display while the System volume timer is above 0.
void renderVolume();

// What the overlay's common lines show.
struct debugFigures {
    int fps = 0;
    float camx = 0, camy = 0, camz = 0;
    float pitch = 0, yaw = 0;
    int mousex = 0, mousey = 0;
    double worldx = 0, worldz = 0;
    int elapsed = 0;
};
std::vector<std::string> debugCommonLines(const debugFigures& figures);

// The game's lines: map count, current map, its size and its object count.
// The five menu-system lines of the menu states.
std::vector<std::string> debugMenuLines(int currentMenu, int menuCount, int buttons, int textboxes, int textLines);
std::vector<std::string> debugGameLines(int mapCount, int currentMap, int mapWidth, int mapHeight, int objectCount);

// Where the overlay goes: not at all, at the top or moved down.
struct debugPlacement {
    bool shown;
    float centreY;
    float textY;
};
debugPlacement placeDebugPanel(bool consoleShown, int mousex, int mousey);

// The frame counter: frames since the last update and that update's time.
class frameCounter {
public:
    // Counts a frame at `now` (ms); true with `fps` set once more than a
    // second has passed since the last update.
    bool count(int now, int& fps);

private:
    int frameCount = 0;
    int timeSinceCheck = 0;
};

// The volume display's text for a volume of 0 to 1.
std::string volumeText(float volume);
