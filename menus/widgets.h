// Choice widgets: small clickable controls shared by every 2D screen. In a
// frame each shows a system image; in the colour-pick pass it paints its pick
// colour (given as bytes) as a flat quad. Positions are centres and half
// extents in the 800 x 600 screen space.
#pragma once
#include <string>

// Depth of every widget quad.
constexpr float widgetDepth = -2.0f;

// System image `image` (its current frame when animated), or the flat pick
// square (r, g, b) in the pass.
void displaySingleChoice(int x, int y, int w, int h, int image, int r, int g, int b);
// A label starting at (x, y) followed by a plus and a minus button.
void displayChoice(int x, int y, const std::string& line, int p0, int p1, int p2, int m0, int m1, int m2);
// As displayChoice with the image and pick colour of each button given.
void displayCustomChoice(int x, int y, const std::string& line, int atex, int a0, int a1, int a2, int btex, int b0,
                         int b1, int b2);
