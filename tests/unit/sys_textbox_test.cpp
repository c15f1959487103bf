// The system textboxes: their text entries and linked codes, and typing into
// the edited one through the keyboard's routing.
#include <gtest/gtest.h>

#include "core/input.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "menus/ui.h"
#include "menus/widgets.h"

namespace {

TEST(SysTextboxes, EditTheirEntryAndEnterLeavesOnlyALinkedBox)
{
    loadSysTextboxes();
    const int entries[] = {3, 4, 6, 7, 8, 9, 10};
    const int links[] = {-1, pickCreateMap, -1, pickResizeMap, pickRenameMap, pickRenameObject, pickApplyPhrase};
    for (int t = 0; t < pickSysTextboxCount; ++t) {
        float x = 0, y = 0, w = 0, h = 0;
        int text = -1;
        sysTextbox[t].getTextbox(x, y, w, h, text);
        EXPECT_EQ(text, entries[t]) << t;
        EXPECT_EQ(sysTextbox[t].getLinkedButton(), links[t]) << t;
    }

    uiScriptString.setString("", 3);
    uiScriptString.setString("", 8);
    gameSys.setGameState(gameStateWorldEditor);
    for (int t : {sysTextboxNewMapWidth, sysTextboxMapName}) {
        gameUI.setTextboxEdit(t);
        gameSys.setInputState(inputStateSysTextbox);
        for (unsigned char key : {'a', '-', ' ', 'b', static_cast<char>(keyCodeBackspace)}) keyboard(key, 0, 0);
        keyboard(keyCodeEnter, 0, 0);
    }
    EXPECT_EQ(uiScriptString.getString(3), "a- ");  // any character, within the box's 300 width
    EXPECT_EQ(uiScriptString.getString(8), "a- ");
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);  // the map name's box is linked

    gameUI.setTextboxEdit(sysTextboxNewMapWidth);
    gameSys.setInputState(inputStateSysTextbox);
    keyboard(keyCodeEnter, 0, 0);
    EXPECT_EQ(gameSys.getInputState(), inputStateSysTextbox);  // no link: Enter keeps typing
    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    gameUI.setTextboxEdit(-1);
    gameSys.setGameState(gameStateMenu);
}

}  // namespace
