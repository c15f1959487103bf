// The test hooks of the window queries: tests set their own source for each;
// null restores GLUT's. Only the window module and the tests include this
// header.
#pragma once

using windowSizeFunc = void (*)(int& width, int& height);
using modifierFunc = int (*)();
using pointerWarpFunc = void (*)(int x, int y);
using autoRepeatFunc = void (*)(bool on);

void setWindowSizeSource(windowSizeFunc source);
void setModifierSource(modifierFunc source);
void setPointerWarp(pointerWarpFunc warp);
void setAutoRepeatSwitch(autoRepeatFunc autoRepeat);
