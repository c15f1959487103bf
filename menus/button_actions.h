// Button functions: what a menu button, a dialog button or Enter in a menu
// textbox carries out, by the function id (`func`) and the one argument
// (`func2`) stored with the button in `ui.cfg` or `system/dialog.cfg`.
#pragma once

enum buttonFuncId {
    buttonFuncQuit = 0,
    buttonFuncLoadMenu = 1,
    buttonFuncSetGameState = 2,
    buttonFuncSetInputState = 3,
    buttonFuncOpenDialog = 4,
    buttonFuncCloseDialog = 5,
    buttonFuncDebugMode = 6,
    buttonFuncLoadGame = 7,
    buttonFuncLeaveGame = 8,
    buttonFuncLoadGameEditor = 9,
    buttonFuncLeaveGameEditor = 10,
    buttonFuncEditGame = 11,
    buttonFuncEditMenu = 12,
    buttonFuncLoadIngameMenu = 13,
    buttonFuncLeaveIngameMenu = 14,
    buttonFuncCreateGame = 15,
    buttonFuncEnterGame = 16,
    buttonFuncLoadUIEditor = 17,
    buttonFuncReturnToMainMenu = 18,
    buttonFuncFullscreenOn = 19,
    buttonFuncFullscreenOff = 20,
    buttonFuncDeleteMap = 21,
    buttonFuncReenterGame = 22,
    buttonFuncSoundOn = 23,
    buttonFuncSoundOff = 24,
    buttonFuncVolumeUp = 25,
    buttonFuncVolumeDown = 26,
    buttonFuncNoAction27 = 27,
    buttonFuncNoAction28 = 28,
    buttonFuncShowIntro = 29,
    buttonFuncOpenGameBrowser = 30,
    buttonFuncCount
};

// A call closer than this to the last accepted one is dropped.
constexpr int buttonDebounceMs = 200;
// The side of the first map of a game created by a button.
constexpr int createdGameMapSize = 10;

// Carries out function `func` with argument `func2` after the click sound.
// An id outside 0..30 only clicks; a call within buttonDebounceMs of the last
// accepted one does nothing at all. The time is the program's clock (core/clock.h).
void buttonAction(int func, int func2);
