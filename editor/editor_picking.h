// The editors' first click handler, offered every pick code in game states 5
// and 6 before the menu handler: the welcome panel's checkmark, the menu
// editor's items and tools, and the dialogs both editors share.
#pragma once

// `pixel`: the three bytes R, G, B of a pick code. True when the code was consumed.
bool uiEditorPicking(const unsigned char* pixel);
