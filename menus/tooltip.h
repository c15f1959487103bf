// Tool tips: a small box near the pointer saying what the control under it
// does, once the pointer has rested on it for toolTipDelayMs. The tip is
// keyed by the red byte of the control's pick code (the tip id), for menu
// buttons and textboxes also by the blue byte (the sub-id); the tip state
// lives in gameUI and is set by the picking core's hover pass.
#pragma once
#include <string>

#include "menus/notice.h"

constexpr int toolTipDelayMs = 1500;
// The text of an id that shows no tip.
constexpr const char* toolTipHidden = "Hide";

// The text of tip id `id` with sub-id `sub`: toolTipHidden when it shows no
// tip (an id without a text too). Menu buttons and textboxes read the
// current menu.
std::string toolTipText(int id, int sub);
// The description of button (identifier 22 in the menu editor, 37 on a shown
// menu) or textbox (23) `identifier2` of the current menu.
std::string getEditorObjectInfo(int identifier, int identifier2);

// Where a tip of `text` goes for the pointer at (mx, my) of the 800 x 600
// space, with `measure` the width of a line as the font draws it.
struct toolTipLayout {
    wrappedText wrapped;
    int boxX, boxY, halfWidth, halfHeight;  // the box: centre and half-extents
    int textX, firstLineY;                  // line i starts at (textX, firstLineY + toolTipLinePitch * i)
};
constexpr int toolTipLinePitch = 12;
using toolTipMeasureFunc = float (*)(const std::string& text);
toolTipLayout placeToolTip(const std::string& text, int mx, int my, toolTipMeasureFunc measure);

// Draws the tip of the current tip state, or nothing.
void toolTipRender();
