// The tip bar along the top of both editors: one tip of the editor's own
// table with its counter, and the two arrows that step through the tips.
#pragma once

// Draws the bar for the editor's current tip: the world editor's table in
// the world editor, the menu editor's in the menu editor.
void renderTips();
