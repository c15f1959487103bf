// The menu editor's keys: Enter ends the selection of an element, the arrows
// move the selected button, textbox or text line, and a selected text line
// takes the typed characters. The keyboard routing calls them in game state 6.
#pragma once

// A character key while the console is closed and the help panel is not shown.
void menuEditorKeyboard(unsigned char key);
// A special key while the console is closed.
void menuEditorSpecialKeys(int key);
// A character key typed into the selected text line (input state 3).
void menuEditorTextlineKeyboard(unsigned char key);
