// The window queries and their replaceable GLUT sources.
#include "core/window.h"
#include "core/window_internal.h"

#include <GL/freeglut.h>

namespace {

void glutWindowSize(int& width, int& height)
{
    width = glutGet(GLUT_WINDOW_WIDTH);
    height = glutGet(GLUT_WINDOW_HEIGHT);
}

int glutModifiers()
{
    return glutGetModifiers();
}

void glutWarp(int x, int y)
{
    glutWarpPointer(x, y);
}

void glutAutoRepeat(bool on)
{
    glutIgnoreKeyRepeat(on ? 0 : 1);
}

windowSizeFunc windowSizeSource = glutWindowSize;
modifierFunc modifierSource = glutModifiers;
pointerWarpFunc pointerWarp = glutWarp;
autoRepeatFunc autoRepeatSwitch = glutAutoRepeat;

}  // namespace

void windowSize(int& width, int& height)
{
    windowSizeSource(width, height);
}

int keyModifiers()
{
    return modifierSource();
}

void warpPointer(int x, int y)
{
    pointerWarp(x, y);
}

void centrePointer()
{
    if (!glutGet(GLUT_INIT_STATE)) return;
    int width = 0, height = 0;
    windowSize(width, height);
    warpPointer(width / 2, height / 2);
}

void setAutoRepeat(bool on)
{
    autoRepeatSwitch(on);
}

void setWindowSizeSource(windowSizeFunc source)
{
    windowSizeSource = source ? source : glutWindowSize;
}

void setModifierSource(modifierFunc source)
{
    modifierSource = source ? source : glutModifiers;
}

void setPointerWarp(pointerWarpFunc warp)
{
    pointerWarp = warp ? warp : glutWarp;
}

void setAutoRepeatSwitch(autoRepeatFunc autoRepeat)
{
    autoRepeatSwitch = autoRepeat ? autoRepeat : glutAutoRepeat;
}
