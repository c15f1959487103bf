// The menu click handler on synthetic pick codes, as a user clicks a menu:
// hover, press and release on one button runs its function once; a release
// over another button runs nothing; a second click inside the debounce time is
// dropped; Enter in a textbox runs its linked button, and nothing at all when
// the link names no button.
#include <gtest/gtest.h>

#include "core/clock_internal.h"
#include "core/input.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "menus/button_actions.h"
#include "menus/ui.h"
#include "menus/ui_picking.h"

namespace {

int fakeNow = 0;
int fakeClock() { return fakeNow; }

// Button b opens the game browser for entry 10 + b, so a run shows in dirTextbox.
constexpr int entryBase = 10;
constexpr int missingButton = 7;

class UiPickingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeNow += 100000;
        setClockSource(fakeClock);
        gameUI = UI();
        gameUI.allocateMenu(1);
        for (int b = 0; b < 3; ++b)
            gameUI.uiModifyButton(100, 100 + 50 * b, 40, 20, 0, buttonFuncOpenGameBrowser, entryBase + b, 0, b);
        gameUI.uiModifyTextbox(300, 100, 200, 20, 0, 0, 0);
        gameUI.uiSetLinkedButton(missingButton, 0, 0);
        gameUI.uiModifyTextbox(300, 150, 200, 20, 1, 0, 1);
        gameUI.uiSetLinkedButton(1, 1, 0);
        gameSys.setGameState(gameStateMenu);
        gameSys.setInputState(inputStateNormal);
        gameSys.setDirTextbox(dirTextboxNone);
    }
    void TearDown() override
    {
        setClockSource(nullptr);
        gameSys.setDirTextbox(dirTextboxNone);
        gameSys.setInputState(inputStateNormal);
        gameUI = UI();
    }

    int pass(int r, int b, bool hover, int left)
    {
        const unsigned char pixel[3] = {static_cast<unsigned char>(r), pickControlMark, static_cast<unsigned char>(b)};
        gameSys.setHoverCheck(hover);
        gameSys.setLeftMouse(left);
        const int consumed = uiPicking(pixel);
        gameSys.setHoverCheck(false);
        return consumed;
    }
    // Hover on `from`, press there, release over `to`; true when both passes were consumed.
    bool click(int from, int to)
    {
        gameUI.setHoverButton(-1);
        gameUI.setPressedButton(pressedButtonNone);
        pass(pickMenuButton, from, true, mouseButtonIdle);
        const int pressed = pass(pickMenuButton, from, false, mouseButtonPressed);
        return pressed == 1 && pass(pickMenuButton, to, false, mouseButtonReleased) == 1;
    }
};

TEST_F(UiPickingTest, AClickRunsItsButtonOnceAndOnlyOverTheButtonPressed)
{
    EXPECT_TRUE(click(2, 2));
    EXPECT_EQ(gameSys.getDirTextbox(), entryBase + 2);
    EXPECT_EQ(gameUI.getPressedButton(), pressedButtonNone);

    fakeNow += 1000;
    gameSys.setDirTextbox(dirTextboxNone);
    EXPECT_TRUE(click(2, 1));  // dragged onto another button: consumed, nothing runs
    EXPECT_EQ(gameSys.getDirTextbox(), dirTextboxNone);

    fakeNow += 1000;
    EXPECT_TRUE(click(1, 1));
    EXPECT_EQ(gameSys.getDirTextbox(), entryBase + 1);
    fakeNow += buttonDebounceMs - 1;
    gameSys.setDirTextbox(dirTextboxNone);
    EXPECT_TRUE(click(0, 0));
    EXPECT_EQ(gameSys.getDirTextbox(), dirTextboxNone);  // inside the debounce time
    fakeNow += 1;
    EXPECT_TRUE(click(0, 0));
    EXPECT_EQ(gameSys.getDirTextbox(), entryBase + 0);

    // A press on no control forgets the press; the release then runs nothing.
    fakeNow += 1000;
    gameSys.setDirTextbox(dirTextboxNone);
    pass(pickMenuButton, 1, true, mouseButtonIdle);
    pass(pickMenuButton, 1, false, mouseButtonPressed);
    EXPECT_EQ(pass(pickNotice, pickNoIndex, false, mouseButtonPressed), 0);
    EXPECT_EQ(pass(pickMenuButton, 1, false, mouseButtonReleased), 1);
    EXPECT_EQ(gameSys.getDirTextbox(), dirTextboxNone);
}

TEST_F(UiPickingTest, EnterRunsTheLinkedButtonAndNothingForALinkToNoButton)
{
    setAutoRepeatSwitch([](bool) {});
    EXPECT_EQ(pass(pickMenuTextbox, 0, false, mouseButtonReleased), 1);
    EXPECT_EQ(gameSys.getInputState(), inputStateMenuTextbox);
    EXPECT_EQ(gameUI.getTextboxEdit(), 0);
    keyboard(keyCodeEnter, 0, 0);  // linked to a button the menu lacks
    EXPECT_EQ(gameSys.getInputState(), inputStateMenuTextbox);
    EXPECT_EQ(gameSys.getDirTextbox(), dirTextboxNone);

    fakeNow += 1000;
    EXPECT_EQ(pass(pickMenuTextbox, 1, false, mouseButtonReleased), 1);
    keyboard(keyCodeEnter, 0, 0);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    EXPECT_EQ(gameSys.getDirTextbox(), entryBase + 1);
    setAutoRepeatSwitch(nullptr);
}

}  // namespace
