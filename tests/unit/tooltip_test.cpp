// Tool tips: where the box and its lines go for a pointer position, how a
// long text wraps, and which texts the menu buttons and textboxes get.
#include <gtest/gtest.h>

#include "core/pick_codes.h"
#include "core/system.h"
#include "media/text.h"
#include "menus/button_actions.h"
#include "menus/tooltip.h"
#include "menus/ui.h"

namespace {

struct placementCase {
    const char* text;
    int mx, my;
    int boxX, boxY, halfWidth, halfHeight, textX, firstLineY, lastLine;
};

const char* const nextMap = "Go to the next map.";  // 19 characters: 171 wide
const char* const textLine = "Click to select this line of text. While clicking, drag your mouse to move the text.";

TEST(ToolTip, PlacementAndWrap)
{
    const placementCase cases[] = {
        {nextMap, 100, 100, 204, 145, 95, 12, 124, 145, 0},  // below and right of the pointer
        {nextMap, 100, 301, 204, 297, 95, 12, 124, 297, 0},  // low pointer: above it, y = 272
        {nextMap, 700, 100, 613, 145, 95, 12, 533, 145, 0},  // near the right edge: left of it
        {"", 100, 100, 120, 145, 10, 12, 124, 145, 0},       // an empty description: a small box
        {textLine, 100, 100, 250, 145, 140, 30, 124, 127, 3},
    };
    for (const placementCase& c : cases) {
        const toolTipLayout tip = placeToolTip(c.text, c.mx, c.my, getDisplayTextSize);
        SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.mx) + "," + std::to_string(c.my));
        EXPECT_EQ(tip.boxX, c.boxX);
        EXPECT_EQ(tip.boxY, c.boxY);
        EXPECT_EQ(tip.halfWidth, c.halfWidth);
        EXPECT_EQ(tip.halfHeight, c.halfHeight);
        EXPECT_EQ(tip.textX, c.textX);
        EXPECT_EQ(tip.firstLineY, c.firstLineY);
        EXPECT_EQ(tip.wrapped.lastLine, c.lastLine);
    }
    const wrappedText wrapped = placeToolTip(textLine, 100, 100, getDisplayTextSize).wrapped;
    EXPECT_EQ(wrapped.lines[0], "Click to select this line of ");
    EXPECT_EQ(wrapped.lines[1], "text. While clicking, drag ");
    EXPECT_EQ(wrapped.lines[2], "your mouse to move the ");
    EXPECT_EQ(wrapped.lines[3], "text.");
}

TEST(ToolTip, MenuButtonsAndTextboxesAreDescribedFromTheMenu)
{
    gameUI = UI();
    gameUI.allocateMenu(1);
    gameUI.uiModifyButton(0, 0, 1, 1, 0, buttonFuncLoadGame, 0, 0, 0);
    gameUI.uiModifyButton(0, 0, 1, 1, 0, buttonFuncDebugMode, 2, 0, 1);
    gameUI.uiModifyButton(0, 0, 1, 1, 0, buttonFuncLoadMenu, 4, 0, 2);
    gameUI.uiModifyButton(0, 0, 1, 1, 0, buttonFuncSoundOff, 0, 0, 3);
    gameUI.uiModifyTextbox(0, 0, 1, 1, 2, 0, 0);
    gameUI.uiModifyTextbox(0, 0, 1, 1, 7, 0, 1);
    const std::string editPrefix =
        "Click to select this button. While clicking, Drag your mouse to move the button. Effect: ";
    const std::string textboxPrefix =
        "Click to select this textbox. While clicking, drag your mouse to move the textbox. Use: ";

    EXPECT_EQ(toolTipText(pickMenuButton, 0), toolTipHidden);            // loading a game: no tip
    EXPECT_EQ(toolTipText(pickEditMenuButton, 0), editPrefix + "Hide");  // in the editor: the prefix shows
    EXPECT_EQ(toolTipText(pickMenuButton, 1), "");                       // debug mode 2: an empty text
    EXPECT_EQ(toolTipText(pickEditMenuButton, 2), editPrefix + "Load Menu ^y4");
    EXPECT_EQ(toolTipText(pickMenuButton, 3), "Disable Sound");
    EXPECT_EQ(toolTipText(pickMenuButton, 4), toolTipHidden);  // no such button
    EXPECT_EQ(toolTipText(pickEditMenuTextbox, 0), textboxPrefix + "Name of Game to Create");
    EXPECT_EQ(toolTipText(pickEditMenuTextbox, 1), textboxPrefix + "Description missing");
    EXPECT_EQ(toolTipText(pickMenuTextbox, 0), toolTipHidden);
    EXPECT_EQ(toolTipText(pickSysTextbox, 0), toolTipHidden);
    EXPECT_EQ(toolTipText(pickNextMap, 0), nextMap);
    EXPECT_EQ(toolTipText(pickTerrainReset, 0), toolTipHidden);  // an id without a text
    gameUI = UI();
}

}  // namespace
