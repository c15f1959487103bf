// The menu system's click handler: the menus of the loaded menu system, the
// dialog box, the help panel's opening and closing, the console's buttons and
// the toolbar codes, offered the pick code under the pointer by the picking
// core in its hover, left-press and left-release passes.
#pragma once

// `pixel`: the three bytes R, G, B of a pick code. 1 when the click or hover
// was consumed, 0 to let the next handler try.
int uiPicking(const unsigned char* pixel);
