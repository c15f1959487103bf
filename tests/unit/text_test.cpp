// Measuring bitmap-font text and finding glyph cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/text.h"

namespace {

struct cellCase {
    char letter;
    int column, row;
};

TEST(TextSize, SumsTheAdvancesOfEachGlyphAtItsSize)
{
    EXPECT_FLOAT_EQ(getDisplayTextSize(""), 0.0f);
    EXPECT_FLOAT_EQ(getDisplayTextSize("^yAB"), 18.0f);
    EXPECT_FLOAT_EQ(getDisplayTextSize("^4A"), 17.0f);
    EXPECT_FLOAT_EQ(getDisplayTextSize("A^4B"), 26.0f);
    EXPECT_FLOAT_EQ(getDisplayTextSize("^2AB^3C"), 11.0f + 11.0f + 13.0f);
    // Codes draw nothing: a trailing caret, a doubled caret, colour letters.
    EXPECT_FLOAT_EQ(getDisplayTextSize("A^"), 9.0f);
    EXPECT_FLOAT_EQ(getDisplayTextSize("^^A"), 9.0f);
    EXPECT_FLOAT_EQ(getDisplayTextSize("^W^e^5A"), 9.0f);
    // Blanks, line breaks and high bytes advance like any glyph.
    EXPECT_FLOAT_EQ(getDisplayTextSize(std::string("a b\n\xe9")), 5 * 9.0f);
}

TEST(TextSize, EachCallStartsAtSizeOne)
{
    EXPECT_FLOAT_EQ(getDisplayTextSize("^r^4"), 0.0f);
    EXPECT_FLOAT_EQ(getDisplayTextSize("A"), 9.0f);
}

TEST(FontCells, EveryListedCharacterHasItsCell)
{
    const cellCase cases[] = {
        {'A', 0, 0}, {'J', 9, 0}, {'K', 0, 1}, {'T', 9, 1}, {'U', 0, 2}, {'Z', 5, 2}, {'a', 6, 2}, {'d', 9, 2},
        {'e', 0, 3}, {'n', 9, 3}, {'o', 0, 4}, {'x', 9, 4}, {'y', 0, 5}, {'z', 1, 5}, {'.', 2, 5}, {'/', 3, 5},
        {',', 5, 5}, {'(', 6, 5}, {')', 7, 5}, {'!', 8, 5}, {':', 9, 5}, {'0', 0, 6}, {'7', 7, 6}, {'9', 9, 6},
        {'-', 0, 7}, {'_', 1, 7}, {'|', 2, 7}, {'@', 3, 7}, {'\'', 4, 7}, {'?', 5, 7}, {'+', 6, 7}, {'=', 7, 7},
        {'<', 8, 7}, {'>', 9, 7}, {'*', 0, 8}, {'#', 1, 8}, {'`', 2, 8}, {'~', 3, 8}, {'&', 4, 8}, {';', 5, 8},
    };
    for (const cellCase& c : cases) {
        float w = -1.0f, h = -1.0f;
        findFontPos(c.letter, w, h);
        EXPECT_NEAR(w, c.column * 0.1f, 1e-6f) << c.letter;
        EXPECT_NEAR(h, c.row * 0.1f, 1e-6f) << c.letter;
    }
}

TEST(FontCells, CharactersWithoutAGlyphTakeTheBlankCell)
{
    for (char c : std::string(" \"$%[]\\^{}\n\t\x7f\x01")) {
        float w = 0.0f, h = 0.0f;
        findFontPos(c, w, h);
        EXPECT_FLOAT_EQ(w, 0.9f) << int(c);
        EXPECT_FLOAT_EQ(h, 0.9f) << int(c);
    }
    float w = 0.0f, h = 0.0f;
    findFontPos(static_cast<char>(0xC3), w, h);
    EXPECT_FLOAT_EQ(w, 0.9f);
    EXPECT_FLOAT_EQ(h, 0.9f);
}

TEST(TextColours, LettersOfTheTableAndWhiteForEveryOther)
{
    const textColour red = colourOfCode('r');
    EXPECT_FLOAT_EQ(red.r, 0.9f);
    EXPECT_FLOAT_EQ(red.g, 0.0f);
    const textColour orange = colourOfCode('o');
    EXPECT_FLOAT_EQ(orange.r, 1.0f);
    EXPECT_FLOAT_EQ(orange.g, 140.0f / 255.0f);
    EXPECT_FLOAT_EQ(orange.b, 0.0f);
    const textColour black = colourOfCode('k');
    EXPECT_EQ(std::vector<float>({black.r, black.g, black.b}), std::vector<float>({0, 0, 0}));
    for (char c : std::string("ehijlquvxzRWY0569.\0", 20)) {
        const textColour white = colourOfCode(c);
        EXPECT_FLOAT_EQ(white.r, 1.0f) << c;
        EXPECT_FLOAT_EQ(white.g, 1.0f) << c;
        EXPECT_FLOAT_EQ(white.b, 1.0f) << c;
    }
}

}  // namespace
