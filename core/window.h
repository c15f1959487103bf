// What the program asks of its window through GLUT besides drawing: the
// window's size in pixels, the modifier keys held with the current event, the
// pointer warp, and key auto-repeat. Each goes through one replaceable source
// (core/window_internal.h), so that windowless tests can stand in for GLUT.
#pragma once

// The window's size in pixels.
void windowSize(int& width, int& height);
// The modifier keys held with the current key or mouse event (GLUT's bits).
int keyModifiers();
// Moves the pointer to window pixel (x, y).
void warpPointer(int x, int y);
// Moves the pointer to the middle of the window; nothing before GLUT is started.
void centrePointer();
// Key auto-repeat: on while typing, off while a key state is held in play.
void setAutoRepeat(bool on);
