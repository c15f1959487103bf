// Start-up: the fixed sequence that builds every subsystem and enters the GLUT
// main loop, the reshape handler, full-screen switching, and the settings file
// `system/system.cfg` (read at start-up, written by saveSystem).
#pragma once
#include <string>

// Minimum valid window and the fallback geometry.
constexpr int minWindowWidth = 800;
constexpr int minWindowHeight = 600;

struct windowGeometry {
    int x, y, width, height;
};

// Applies the window rule to the values of the settings table: all four are
// valid together or all four fall back to 0, 0, 800 x 600.
bool validateWindowGeometry(windowGeometry& geometry);

// Settings applied from the table scriptSys at start-up, with their fallbacks.
void readFrameCap();          // fps: missing or 0 gives 30 with an error line
void readDebugMode();         // debugMode, then the input state and the first game state
void readSoundAndLastGame();  // lastGameEdited, sound, soundVolume
void raiseIntroductionOnFirstRun();  // firstTime 0 or less (or missing) raises the introduction panel

void init();
void changeSize(int width, int height);
void setFullScreen(bool on, bool quiet);
// Writes system/system.cfg. A file that cannot be written ends the program
// (quitEngine with an error); one whose folder another copy of the program
// holds past the wait is reported not saved, and the program goes on.
void saveSystem();

// The exact text saveSystem writes, from the current state.
std::string systemSettingsText();
