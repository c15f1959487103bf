// The menu editor's clicks through the editors' click handler, one table of
// events on a menu system of four menus: selecting and dragging items, the
// menu stepper around the world editor's screen menu, the button size steps,
// the text-line limit, the picker rows and the text-line input state.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/editor_picking.h"
#include "editor/menu_editor_input.h"
#include "editor/menu_editor_picking.h"
#include "media/texture.h"
#include "menus/notice.h"
#include "menus/ui.h"

namespace {

constexpr int none = mouseButtonIdle, press = mouseButtonPressed, release = mouseButtonReleased;

float buttonField(int b, int field)
{
    float v[4] = {};
    int tex, func, func2;
    gameUI.uiGetButton(v[0], v[1], v[2], v[3], tex, func, func2, gameUI.getCurrentMenu(), b);
    return v[field];
}
enum { fx, fy, fw, fh };

struct clickCase {
    const char* what;
    int state, mode, menu, editorMenu;
    int r, b, left, right;
    bool drag, handled;
    std::function<void()> arrange;
    std::function<bool()> holds;
};

TEST(MenuEditorPicking, ClicksSelectDragStepAndRefuseWhatCouldNotBeSavedOrSeen)
{
    const clickCase cases[] = {
        {"a press selects a button silently for dragging", 6, -1, 0, 2, pickEditMenuButton, 1, press, none, false,
         true, [] {},
         [] {
             return worldEditor.getEditorMode() == editorModeMenuButton && worldEditor.getCurrentButton() == 1 &&
                    gameSys.getDragDelay() == 5 && gameSys.getInputState() == inputStateNormal;
         }},
        {"a text line takes the typed keys", 6, 0, 0, 2, pickEditMenuText, 1, release, none, false, true, [] {},
         [] { return worldEditor.getCurrentTextline() == 1 && gameSys.getInputState() == inputStateTextLine; }},
        {"a drag moves the selected button's centre to the pointer", 6, 1, 0, 2, pickEditMenuButton, 0, press, none,
         true, true, [] {}, [] { return buttonField(0, fx) == 300 && buttonField(0, fy) == 200 && buttonField(0, fw) == 3; }},
        {"a drag over another button moves nothing", 6, 1, 0, 2, pickEditMenuButton, 1, press, none, true, true,
         [] {}, [] { return buttonField(1, fx) == 100 && worldEditor.getCurrentButton() == 0; }},
        {"an item the menu lacks is not taken", 6, 0, 0, 2, pickEditMenuButton, 2, press, none, false, false, [] {},
         [] { return worldEditor.getEditorMode() == 0; }},
        {"the stepper skips the world editor's menu", 6, 1, 1, 2, pickNextMenu, 144, release, none, false, true,
         [] {}, [] { return gameUI.getCurrentMenu() == 3 && worldEditor.getEditorMode() == 0; }},
        {"and stays when that menu is the last", 6, 1, 2, 3, pickNextMenu, 144, release, none, false, true, [] {},
         [] { return gameUI.getCurrentMenu() == 2 && worldEditor.getEditorMode() == 0; }},
        {"or the first", 6, 0, 1, 0, pickPreviousMenu, 144, release, none, false, true, [] {},
         [] { return gameUI.getCurrentMenu() == 1; }},
        {"a width never steps below one", 6, 1, 0, 2, pickButtonWidthDown, 144, release, none, false, true,
         [] { gameUI.uiModifyButton(100, 100, 2, 2, 0, 0, 0, 0, 0); }, [] { return buttonField(0, fw) == 2; }},
        {"a right release steps by ten", 6, 1, 0, 2, pickButtonHeightUp, 144, none, release, false, true, [] {},
         [] { return buttonField(0, fh) == 12; }},
        {"a new text line is white in the middle", 6, 0, 0, 2, pickAddText, 144, release, none, false, true, [] {},
         [] {
             float x, y, r, g, b;
             std::string text;
             return gameUI.uiGetText(x, y, r, g, b, text, 0, 2) && x == 400 && y == 300 && r + g + b == 3 &&
                    text == "New Text" && worldEditor.getEditorMode() == 0;
         }},
        {"a menu holds no more lines than load back", 6, 0, 0, 2, pickAddText, 144, release, none, false, true,
         [] { gameUI.uiModifyText(0, 0, 1, 1, 1, "", 0, menuTextlineLimit - 1); },
         [] { return gameUI.menuGetTextlineCount(0) == menuTextlineLimit && notice.getTitle() == "Add Textline"; }},
        {"the picker steps one row a click", 6, 0, 0, 2, pickImageRowDown, 144, release, none, false, true,
         [] {
             uiImage.assign(200, img());
             gameUI.setUIImageCount(200);
             gameSys.setLeftMouse(press);
             const unsigned char rowDown[3] = {pickImageRowDown, pickControlMark, pickNoIndex};
             uiEditorPicking(rowDown);
         },
         [] { return worldEditor.getImageMenuRow() == 1; }},
        {"the world editor's mode 3 keeps its keys", 5, 3, 0, 2, pickBackground, 254, none, none, false, false, [] {},
         [] { return gameSys.getInputState() == inputStateNormal; }},
    };
    for (const clickCase& c : cases) {
        SCOPED_TRACE(c.what);
        gameUI = UI();
        gameUI.allocateMenu(4);
        gameUI.setEditorMenu(c.editorMenu);
        gameUI.setCurrentMenu(c.menu);
        for (int b = 0; b < 2; ++b) gameUI.uiModifyButton(100, 100 + 50 * b, 3, 2, 0, 0, 0, c.menu, b);
        for (int l = 0; l < 2; ++l) gameUI.uiModifyText(10, 10 * l, 1, 1, 1, "line", c.menu, l);
        worldEditor = editor();
        worldEditor.setEditorMode(c.mode);
        gameSys.setGameState(c.state);
        gameSys.setInputState(inputStateNormal);
        gameSys.setOrthoPos(300, 200);
        gameSys.setDragDelay(0);
        c.arrange();
        gameSys.setLeftMouse(c.left);
        gameSys.setRightMouse(c.right);
        gameSys.setDragState(c.drag);
        const unsigned char pixel[3] = {static_cast<unsigned char>(c.r), pickControlMark, static_cast<unsigned char>(c.b)};
        EXPECT_EQ(uiEditorPicking(pixel), c.handled);
        EXPECT_TRUE(c.holds());
    }

    // A text line takes no character past what the menu file reads back.
    gameUI.uiModifyText(0, 0, 1, 1, 1, std::string(menuTextlineLengthLimit - 1, 'a'), 0, 0);
    worldEditor.setCurrentTextline(0);
    menuEditorTextlineKeyboard('b');
    menuEditorTextlineKeyboard('c');
    float x, y, r, g, b;
    std::string text;
    gameUI.uiGetText(x, y, r, g, b, text, 0, 0);
    EXPECT_EQ(text, std::string(menuTextlineLengthLimit - 1, 'a') + "b");
}

}  // namespace
