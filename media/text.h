// Bitmap-font text: the one text renderer (on screen and standing in the
// world), its measure, and the inline codes: "^" and a digit 1 to 4 set the
// size of the glyphs that follow, "^" and any other character their colour.
// Every call starts at size 1 in white and ends in white. Nothing is drawn
// while the colour-pick pass runs.
#pragma once
#include <string>

// Glyph half-widths on screen for sizes 1 to 4; half-heights are 1.7 times
// these, and a glyph advances the pen by 2 x half-width + 1 pixels.
constexpr float textSizes[4] = {4.0f, 5.0f, 6.0f, 8.0f};
// Glyph half-widths in the world for sizes 1 to 4; a glyph advances 0.5.
constexpr float textSizesIngame[4] = {0.15f, 0.2f, 0.25f, 0.3f};
constexpr float glyphAspect = 1.7f;
constexpr float ingameAdvance = 0.5f;

// First glyph centred on (x, y) of the 800 x 600 screen space.
void displayTextString(float x, float y, const std::string& text);
// The text standing in the world at (x, y, z), turned towards the camera.
void displayTextStringIngame(float x, float y, float z, const std::string& text);
// Width in screen pixels as displayTextString lays the text out.
float getDisplayTextSize(const std::string& text);
// The atlas cell of a character: its left edge and its row offset, both in
// tenths; every character without a glyph gives the blank cell (0.9, 0.9).
void findFontPos(char letter, float& charw, float& charh);
// Sets the drawing colour of colour letter c (white for any other character).
void setColor(char c);

struct textColour {
    float r, g, b;
};
// The colour of colour letter c.
textColour colourOfCode(char c);
