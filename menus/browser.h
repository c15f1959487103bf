// The game browser: an overlay listing the game folders of `games/`, from
// which the user picks one by mouse; the chosen name goes to the entry of
// uiScriptString named by System::getDirTextbox(). Drawn while that entry is
// 0 or more; its clicks are served by the world editor's click handler.
#pragma once

// Rows shown at once; more than browserScrollRows drawn rows show the down arrow.
constexpr int browserVisibleRows = 14;
constexpr int browserScrollRows = 12;

// Draws the browser in a frame, or its pick codes in the colour-pick pass.
void renderFileBrowser();
