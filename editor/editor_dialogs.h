// The dialogs and panel switches both editors share: the new-map, copy-map,
// resize and rename dialogs of the world editor's panels, renaming the
// current object, storing a phrase typed in the logic editor, opening the
// logic editors and paging the tip bar. Their text comes from the system
// textboxes, numbers read as the console reads its arguments; Enter in a
// textbox fires its dialog as its checkmark does.
#pragma once

// The shared dialog codes of a click (never a hover pass) or of Enter in a
// system textbox; `pixel` is the pick code R, G, B. True when handled.
bool editorDialogPicking(const unsigned char* pixel);
