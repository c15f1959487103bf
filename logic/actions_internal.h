// The actions' test hook: where the in-world texts of the text actions and
// the pointer shapes go, the text renderer (at x, height, y) and GLUT's
// cursor unless tests set their own; null restores the program's own. Only
// the actions and the tests include this header.
#pragma once
#include <string>

using worldTextFunc = void (*)(float x, float height, float y, const std::string& text);
using pointerShapeFunc = void (*)(int glutCursor);
void setActionOutputs(worldTextFunc text, pointerShapeFunc pointer);
