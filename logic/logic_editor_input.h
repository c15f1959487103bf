// The logic editor's keys and mouse events: closing its word chooser,
// closing the phrase editor and the phrase selector, the arrows that step
// through phrases, and the wheel over its word list.
#pragma once

// Enter or Escape in the world editor's normal input state: closes an open word chooser.
void logicEditorKeyboard(unsigned char key);
// Escape in any state: closes the phrase editor and the phrase selector.
void closePhraseMenus();
// A special key in the world editor while the console is closed.
void logicEditorSpecialKeys(int key);
// A press in the world editor `sinceLastClick` ms after the previous click:
// in the logic editor a quick second press closes the word chooser. True when
// the event ends here.
bool closeWordListOnQuickClick(int sinceLastClick);
// A wheel event in the logic editor; true when the event ends here.
bool logicEditorWheel(int button, int state);
