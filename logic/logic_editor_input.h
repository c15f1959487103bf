// The logic editor's keys and mouse events: closing its word chooser,
// closing the phrase editor and the phrase selector, the arrows that step
// through phrases and step the word under the pointer or in the open list,
// and the wheel and drags that step the word of the open list.
#pragma once

// Enter or Escape in the world editor's normal input state: closes an open
// word chooser. True when it closed one (the key then does nothing else).
bool logicEditorKeyboard(unsigned char key);
// Escape in any state: closes the phrase editor and the phrase selector.
// True when either was open.
bool closePhraseMenus();
// A special key in the world editor while the console is closed: the arrows
// step an open phrase panel (not while a system textbox is typed into), then,
// in the logic editor, the word of the open list or, with the list closed,
// make a left press under the pointer; left and up step back, right and down on.
void logicEditorSpecialKeys(int key);
// A press in the world editor `sinceLastClick` ms after the previous click:
// in the logic editor a quick second press closes the word chooser. True when
// the event ends here.
bool closeWordListOnQuickClick(int sinceLastClick);
// A wheel event in the logic editor: a down-event steps the open list's word
// (button 4 on, 3 back) and ends the event, an up-event goes on.
bool logicEditorWheel(int button, int state);
// A motion event with a button held at window pixel (x, y): with the list
// open, a move more than 10 pixels down or up from the last step steps its word.
void logicEditorDrag(int x, int y);
