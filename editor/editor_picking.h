// The editors' first click handler, offered every pick code in game states 5
// and 6 before the menu handler, and the linked code of a system textbox on
// Enter. Its tests, in order: the welcome panel's checkmark; the items of
// the edited menu; then, unless a drag is in progress, the dialogs both
// editors share (not in a hover pass); then, outside the hover pass, the
// menu editor's tools.
#pragma once

// `pixel`: the three bytes R, G, B of a pick code. True when the code was consumed.
bool uiEditorPicking(const unsigned char* pixel);
// Enter in a system textbox: its linked code `code` as the pick code
// (code, 144, 144), served as an event of its own (not a mouse event).
bool uiEditorKeyPicking(int code);
// True while uiEditorKeyPicking serves Enter.
bool editorKeyEvent();
