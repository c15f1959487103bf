// Choice widgets: small clickable controls shared by every 2D screen. In a
// frame each shows a system image; in the colour-pick pass it paints its pick
// colour (given as bytes) as a flat quad. Positions are centres and half
// extents in the 800 x 600 screen space. Also the program's own text fields
// (the system textboxes).
#pragma once
#include <array>
#include <string>

#include "core/pick_codes.h"
#include "menus/ui.h"

// Depth of every widget quad.
constexpr float widgetDepth = -2.0f;

// System image `image` (its current frame when animated), or the flat pick
// square (r, g, b) in the pass.
void displaySingleChoice(int x, int y, int w, int h, int image, int r, int g, int b);
// An invisible quad over the whole window (twice its size, from its centre)
// that answers as empty background in the pick pass.
void displayBackdrop();
// A label starting at (x, y) followed by a plus and a minus button.
void displayChoice(int x, int y, const std::string& line, int p0, int p1, int p2, int m0, int m1, int m2);
// As displayChoice with the image and pick colour of each button given.
void displayCustomChoice(int x, int y, const std::string& line, int atex, int a0, int a1, int a2, int btex, int b0,
                         int b1, int b2);

// The system textboxes, each editing one entry of uiScriptString; their
// linked button is the pick code Enter sends to the editors.
enum sysTextboxId {
    sysTextboxNewMapWidth = 0,
    sysTextboxNewMapHeight = 1,
    sysTextboxMapWidth = 2,
    sysTextboxMapHeight = 3,
    sysTextboxMapName = 4,
    sysTextboxObjectName = 5,
    sysTextboxPhrase = 6,
};
extern std::array<Textbox, pickSysTextboxCount> sysTextbox;

// Gives every system textbox its placeholder geometry, its text entry and its link.
void loadSysTextboxes();
// The text of system textbox `textbox` (its entry of uiScriptString); "" for no textbox.
std::string getSysTextboxText(int textbox);
void setSysTextboxText(int textbox, const std::string& text);
// System textbox `textbox` as a 22 high field spanning x - w .. x around row
// y, with its text and, while it is edited, a blinking '_'; `h` is not used.
// The box keeps the geometry it was last drawn with.
void displayTextbox(int x, int y, int w, int h, int textbox);
