// The menu system's click handler: help close, the toolbar and console codes,
// the dialog buttons, the buttons and textboxes of the current menu, and the
// resets of a click or hover that lands on none of them.
#include "menus/ui_picking.h"

#include <string>

#include "core/init.h"
#include "core/pick_codes.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/save_project.h"
#include "media/sound.h"
#include "menus/button_actions.h"
#include "menus/console.h"
#include "menus/dialog.h"
#include "menus/help.h"
#include "menus/ui.h"
#include "world/game_leave.h"

namespace {

void openAnimationPanel()
{
    const int state = gameSys.getGameState();
    if (state == gameStateWorldEditor) worldEditor.setEditorMode(editorModeAnimation);
    else if (state == gameStateUIEditor) worldEditor.setEditorMode(editorModeMenuAnimation);
}

// The codes a left press acts on and consumes; false for the others.
bool leftPressCode(int code)
{
    switch (code) {
    case pickQuitProgram:
        enableDialog(quitDialog);
        return true;
    case pickToggleFullscreen:
        setFullScreen(!gameSys.getFS(), false);
        return true;
    case pickToggleDebug:
        gameSys.setDebugState(!gameSys.getDebugState(), false);
        return true;
    case pickOpenHelp:
        enableHelp();
        return true;
    case pickToggleConsole:
        toggleConsole(consoleToggle::button);
        return true;
    case pickConsoleUp:
        console.scrollOlder();
        return true;
    case pickConsoleDown:
        console.scrollNewer();
        return true;
    case pickSaveProject:
        saveProject();
        return true;
    case pickAnimationPanel:
        openAnimationPanel();
        return true;
    default:
        return false;
    }
}

// The pass a handler sees: hover, a left press, a left release, or none of them.
enum passKind { passHover, passPress, passRelease, passOther };

passKind currentPass()
{
    if (gameSys.getHoverState()) return passHover;
    if (gameSys.getLeftMouse() == mouseButtonPressed) return passPress;
    if (gameSys.getLeftMouse() == mouseButtonReleased) return passRelease;
    return passOther;
}

int dialogKey(int dialog, int button, const char* field)
{
    const std::string key = "dialog" + std::to_string(dialog) + "button" + std::to_string(button) + field;
    return truncateNumber(scriptSys.findLineF(key));
}

// Dialog button 0 or 1: hovered as 0 / 1, pressed as -2 / -3, run on release.
void handleDialogButton(int button, passKind pass)
{
    switch (pass) {
    case passHover: gameUI.setHoverButton(button); break;
    case passPress: gameUI.setPressedButton(button == 0 ? pressedButtonDialog0 : pressedButtonDialog1); break;
    case passRelease: {
        const int dialog = gameUI.getCurrentDialogBox();
        buttonAction(dialogKey(dialog, button, "func"), dialogKey(dialog, button, "func2"));
        break;
    }
    default: break;
    }
}

// Runs the pressed button of the current menu, if it is one.
void runPressedButton()
{
    const int m = gameUI.getCurrentMenu();
    const int pressed = gameUI.getPressedButton();
    gameUI.setPressedButton(pressedButtonNone);
    if (pressed < 0 || pressed >= gameUI.menuGetButtonCount(m)) return;
    float x, y, w, h;
    int tex, func, func2;
    if (gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, pressed)) buttonAction(func, func2);
}

// A button of the current menu: hovered, pressed, then run when the release
// comes over the button the mouse last rested on.
void handleMenuButton(int b, passKind pass)
{
    switch (pass) {
    case passHover: gameUI.setHoverButton(b); break;
    case passPress: gameUI.setPressedButton(b); break;
    case passRelease:
        if (gameUI.getHoverButton() == b) runPressedButton();
        break;
    default: break;
    }
}

void handleMenuTextbox(int t, passKind pass)
{
    if (pass == passHover) {
        gameUI.setHoverTextbox(t);
    } else if (pass == passRelease) {
        playSystemSound(sysSoundSelect, 0);
        gameUI.setTextboxEdit(t);
        gameSys.setInputState(inputStateMenuTextbox);
    }
}

bool isMenuElement(const unsigned char* pixel, int code, int count)
{
    return pixel[0] == code && pixel[2] < count;
}

}  // namespace

int uiPicking(const unsigned char* pixel)
{
    const int code = pixel[0];
    const passKind pass = currentPass();
    if (code == pickCloseHelp && pass != passHover) {
        playSystemSound(sysSoundSelect, 0);
        disableHelp();
        return 1;
    }
    if (pass == passPress) {
        if (code == pickLeaveGame && gameSys.getGameState() == gameStatePlay) loadIngameMenu();
        if (leftPressCode(code)) return 1;
    }

    const int state = gameSys.getGameState();
    if (state == gameStateUIEditor || state == gameStatePlay) return 0;

    if (code == pickDialogButton0 || code == pickDialogButton1) {
        handleDialogButton(code == pickDialogButton0 ? 0 : 1, pass);
        return 1;
    }

    const int m = gameUI.getCurrentMenu();
    if (isMenuElement(pixel, pickMenuButton, gameUI.menuGetButtonCount(m))) {
        handleMenuButton(pixel[2], pass);
        return 1;
    }
    if (pass == passHover) gameUI.setHoverButton(-1);
    else gameUI.setPressedButton(pressedButtonNone);

    if (isMenuElement(pixel, pickMenuTextbox, gameUI.menuGetTextboxCount(m))) {
        handleMenuTextbox(pixel[2], pass);
        return 1;
    }

    if (pass != passHover && gameSys.getInputState() != inputStateSysTextbox && !uiHelp.getHelpState()) {
        gameSys.setInputState(inputStateNormal);
        gameUI.setTextboxEdit(-1);
        gameUI.setHoverButton(-1);
    } else {
        gameUI.setHoverTextbox(-1);
    }
    return 0;
}
