// Mouse input: the three GLUT mouse callbacks (buttons, passive motion,
// motion with a button held), the pointer positions they keep in gameSys,
// free look, and when a click, a wheel turn, a drag or a hover is handed to the
// picking core or to the editors.
#pragma once

// GLUT button numbers and event states.
enum mouseButtonId {
    mouseButtonLeft = 0,
    mouseButtonMiddle = 1,
    mouseButtonRight = 2,
    mouseWheelUp = 3,
    mouseWheelDown = 4,
};
enum mouseEventState { mouseEventDown = 0, mouseEventUp = 1 };

// Hover picks come at most once per this many ms, drag picks likewise
// (faster in the menu editor while an element is being edited).
constexpr int hoverPickIntervalMs = 30;
constexpr int dragPickIntervalMs = 30;
constexpr int fastDragPickIntervalMs = 5;
// Two clicks closer than this make a double click (on the selected object, on
// a row of the game browser).
constexpr int doubleClickMs = 500;
// Free look recentres the pointer after this many moves.
constexpr int freelookMovesBeforeCentring = 4;
// Pitch limits of free look by camera mode, degrees.
constexpr float firstPersonPitchLimit = 100.0f;
constexpr float thirdPersonPitchLimit = 23.0f;
// Window depth at which the pointer's world position is taken.
constexpr double pointerWorldDepth = 0.93;

// The left and right button states that gameSys holds for the current pick.
bool leftPressed();
bool leftReleased();
bool rightPressed();
bool rightReleased();
// True when exactly the shift modifier is held, or the right button is pressed:
// a click that extends the selection.
bool extendingSelection();

void mouse(int button, int state, int x, int y);
void mousePassive(int x, int y);
void mouseDrag(int x, int y);

void updateMousePos(int x, int y);
void updateFreelook(int x, int y);
void gameState3Mouse(int button, int state, int x, int y);
void gameState0MousePassive(int x, int y);
void gameState4MousePassive(int x, int y);

// The 800 x 600 position of window pixel (x, y) in a window width x height;
// false, leaving ox and oy alone, while the window has no area.
bool screenSpacePosition(int x, int y, int width, int height, int& ox, int& oy);

