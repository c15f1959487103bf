// The menu editor's screen: the bar along the bottom with the tools of the
// editor mode (help lines, the menu's background and text lines, the selected
// button's image and size, the selected textbox or text line, the animation
// of a menu image), the animation, save and leave icons, the menu stepper,
// the selection marks and the tip bar. It is drawn over the edited menu, in
// the frame and, as flat pick codes, in the colour-pick pass.
#pragma once

// Draws the overlay of the current editor mode (game state 6).
void renderUIGameEditor();
