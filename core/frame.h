// The frame: idle callback, frame limiter, the display callback with its fixed
// order of 3D and 2D work, the 800 x 600 screen-space projection pair, and the
// orderly shutdown quitEngine.
#pragma once

// The fixed 2D screen space of every 2D drawer and of the pointer's screen
// position, whatever the window size; origin top left, y down.
constexpr int screenSpaceWidth = 800;
constexpr int screenSpaceHeight = 600;
constexpr int screenSpaceCentreX = screenSpaceWidth / 2;
constexpr int screenSpaceCentreY = screenSpaceHeight / 2;

// Exit statuses of quitEngine.
constexpr int quitStatusUser = 0;   // the user asked to quit
constexpr int quitStatusError = 1;  // a failure ended the program

// Frames in play and playtest come at most once per this many ms (strictly more).
constexpr int playFrameIntervalMs = 16;

// Sleeps until the next frame is due (in short slices), then asks for a redraw.
void idleFunc();
// Milliseconds until the frame limiter lets the next frame be drawn; 0 when due.
int msUntilNextFrame();
bool renderScene();
void display();
void draw2dortho();
void leave2dortho();
// Ends the process after the shutdown steps. Entered again while the shutdown
// runs (a save failure), it repeats nothing: it keeps the worse status and
// returns, and the first entry goes on to exit with it.
void quitEngine(int status = quitStatusUser);
