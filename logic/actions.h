// The actions of logic rules (gameAction): what a firing rule does to the
// running game, its objects, scores, camera, sounds and input.
#pragma once
#include <string>

// Carries out action `action` (701 to 802; 700 and the reserved ids do
// nothing) with the rule's action value and its subject object, on the
// current map. An action whose object (value or subject) names no object of
// the current map does nothing.
void gameAction(int action, int value, int subject);

// Where the in-world texts of the text actions and the pointer shapes go: the
// text renderer (at x, height, y) and GLUT's cursor, unless tests set their
// own; null restores the program's own.
using worldTextFunc = void (*)(float x, float height, float y, const std::string& text);
using pointerShapeFunc = void (*)(int glutCursor);
void setActionOutputs(worldTextFunc text, pointerShapeFunc pointer);
