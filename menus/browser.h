// The game browser: an overlay listing the game folders of `games/`, from
// which the user picks one by mouse; the chosen name goes to the entry of
// uiScriptString named by System::getDirTextbox(). Drawn while that entry is
// 0 or more. The world editor's click handler offers it its codes.
#pragma once

// Rows shown at once; more than browserScrollRows drawn rows show the down arrow.
constexpr int browserVisibleRows = 14;
constexpr int browserScrollRows = 12;

// Draws the browser in a frame, or its pick codes in the colour-pick pass.
void renderFileBrowser();

// The browser's codes on a left press (not a hover pass): confirm or cancel,
// a row (a second press on the selected row within doubleClickMs confirms
// it), and the two scroll arrows. True when the code is the browser's.
bool browserPicking(const unsigned char* pixel);
// Stores the selected game's name into the browser's target and closes it.
void confirmBrowserChoice();
