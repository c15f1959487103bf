// Editing the words and values of logic rules by click (gameLogicColorPick):
// every box the logic editor draws with pickLogicWord, whose green byte names
// the rule and whose blue byte the slot. A word steps through its family,
// past hidden words and never onto an absent one; a value steps within the
// range of its kind or opens the chooser of its kind; a press on a word opens
// its choice list. Also the clicks that the arrow keys, the mouse wheel and
// dragging make on the logic editor.
#pragma once
#include <string>

// The list of choices is open while its timer is above 0; a press sets it to
// this, and the screen lowers it by one when it places the list.
constexpr int choiceListOpened = 1000;

// Handles one pickLogicWord code {62, rule, slot}. The direction comes from
// the arrow-key states (left -1, right +1), else from the button pressed: on
// a value the left button steps +1 and the right one -1, on a word neither
// steps. Nothing happens in a hover pass.
void gameLogicColorPick(const unsigned char* pixel);

// The word of step id `id` in a rule whose condition is `condition`, for ids
// reached by stepping: "NULL" beyond the range of an int.
std::string steppedWord(long long id, int condition);

// One step (direction -1 or +1) of the word whose choice list is open, as a
// left press with the left or right arrow key held: what the arrow keys, the
// wheel and dragging do while the list is open.
void stepListedWord(int direction);
// A left press under the pointer with the left (-1) or right (+1) arrow key
// held, run through the colour-pick pass: what an arrow key does while the
// list is closed.
void clickUnderPointer(int direction);
