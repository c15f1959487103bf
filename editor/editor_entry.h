// Moving between the front-end menus and the two editors: opening a game in
// the world editor and leaving it, the two menus that frame the world editor
// (the editor main menu, its start page, and the editor menu, over which the
// world editor draws its screen), opening the menu editor, and the one click
// both editors share, the button that collapses and restores their panel.
#pragma once
#include <string>

// Opens games/<name>/ in the world editor on its editor main menu; the names
// "mainui" and "ingameui" open the program's own menu projects in the menu
// editor instead. Refused, with a message and a notice, for a game without a
// readable system/map.cfg and while a game, a playtest or the world editor runs.
void loadGameEditor(std::string name);
// Leaves the world editor (game state 5, or 4 for a dialog over it) and the
// loaded game, back to the front-end menus; refused in any other state.
void leaveGameEditor();
// Shows the editor menu of the loaded menu system and greets the user with
// the world editor's welcome panel; the game state is not changed.
void editGame();
// Shows the editor main menu; the game state is not changed.
void editMenu();
// Opens the menu editor on menu 0 of the loaded menu system.
void loadUIEditor();
// The collapse and expand button of the editors' panel, on a left press in
// game state 5 or 6; `pixel` is the pick code R, G, B. True when handled.
bool uiAndGameEditorPicking(const unsigned char* pixel);

// What entering an editor starts from: no selection (tile, object, button,
// textbox, text line, multi-selection), no tool, help set 0, animation image
// 0 and the image picker's first row (an index of one editor's image table
// must not carry over into the other's).
void resetEditorSelections();
