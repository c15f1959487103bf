// The menu editor's clicks, the parts of the editors' click handler that
// belong to it: selecting and dragging the buttons, textboxes and text lines
// of the edited menu, and the tools of its bar (stepping menus, background
// and button images through the menu image picker, button sizes, adding and
// deleting text lines, the animation of a menu image, leaving the project).
// `pixel` is the pick code R, G, B under the pointer.
#pragma once
#include "core/script.h"
#include "menus/ui_loader.h"

// The most text lines a menu may hold, and the longest text a line may take:
// what the menu loader reads back of a saved menu system.
constexpr int menuTextlineLimit = uiListLimit;
constexpr int menuTextlineLengthLimit = static_cast<int>(scriptObject::maxLineRemainder) - 1;

// Runs first on every call of the handler, hover passes included: keeps the
// typed keys going to the selected text line in the menu editor, and leaves
// the project on the leave icon. Never takes the code.
void menuEditorPrePicking(const unsigned char* pixel);
// The buttons, textboxes and text lines of the current menu: a click selects
// one, a drag pass moves the selected one to the pointer. True when taken.
bool menuEditorItemPicking(const unsigned char* pixel);
// The icons and tools of the bar and the menu image picker; a hover or a
// drag pass takes none. True when taken.
bool menuEditorToolPicking(const unsigned char* pixel);

// The menu image whose animation the editor edits, or null when its index
// names no menu image.
class img;
img* menuAnimationImage();

// What a button's size step refuses: a width or height below 1, which
// could no longer be selected or drawn.
constexpr float menuButtonMinSize = 1.0f;
