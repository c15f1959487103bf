// The mouse callbacks and the pointer state they keep.
#include "core/mouse.h"
#include "core/mouse_internal.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "core/camera.h"
#include "core/clock.h"
#include "core/frame.h"
#include "core/pick.h"
#include "core/system.h"
#include "core/window.h"
#include "editor/editor.h"
#include "editor/world_editor_input.h"
#include "logic/executor.h"
#include "logic/logic_editor_input.h"
#include "media/sound.h"
#include "menus/help.h"
#include "menus/ui.h"
#include "world/world.h"

namespace {

// Values kept between events.
int lastClickTime = 0;
int lastHoverTime = 0;
int lastDragTime = 0;
int lastPosX = 0, lastPosY = 0;
int tickCounter = 0;

bool isWheel(int button)
{
    return button == mouseWheelUp || button == mouseWheelDown;
}

int buttonStateFor(int wanted, int button, int state)
{
    if (button != wanted) return mouseButtonIdle;
    return state == mouseEventUp ? mouseButtonReleased : mouseButtonPressed;
}

// A click handed to the picking core by game state; true when a 2D control
// consumed it.
bool pickClick(int button, int state)
{
    const int gs = gameSys.getGameState();
    const bool down = state == mouseEventDown;
    switch (gs) {
    case gameStateWorldEditor:
    case gameStateUIEditor:
        if (colorPickRender()) return true;
        if (down) renderPick();
        return false;
    case gameStateMenu:
    case gameStateIngameMenu:
    case gameStatePlay:
    case gameStatePlaytest:
    case gameStateDialog:
        if (isPlayState(gs) && down) {
            world.setGameBox(gameBoxTimerNone, 0);
            world.setDisplayPhrase(phraseDisplayNone, phraseDisplayNone);
        }
        renderPick();
        world.setSelectedObject(selectedObjectNone);
        updateMouseLogic();
        return button == mouseButtonLeft && colorPickRender();
    case gameStateSplash:
        gameState3Mouse(button, state, 0, 0);
        return false;
    default:
        return false;
    }
}

// The general handling of a button event; false when it ended there.
bool handleClick(int button, int state)
{
    const int gs = gameSys.getGameState();
    const bool down = state == mouseEventDown;
    const int now = elapsedMs();
    if (button == mouseButtonMiddle && down) return false;
    if (down && gs == gameStateWorldEditor && closeWordListOnQuickClick(now - lastClickTime)) {
        lastClickTime = now;
        return false;
    }
    lastClickTime = now;
    if (gs == gameStateUIEditor && !uiHelp.getHelpState()) gameSys.setInputState(inputStateNormal);
    return !pickClick(button, state);
}

}  // namespace

bool leftPressed()
{
    return gameSys.getLeftMouse() == mouseButtonPressed;
}

bool leftReleased()
{
    return gameSys.getLeftMouse() == mouseButtonReleased;
}

bool rightPressed()
{
    return gameSys.getRightMouse() == mouseButtonPressed;
}

bool rightReleased()
{
    return gameSys.getRightMouse() == mouseButtonReleased;
}

bool extendingSelection()
{
    return keyModifiers() == GLUT_ACTIVE_SHIFT || rightPressed();
}

void resetFreelookHistory()
{
    lastPosX = lastPosY = 0;
    tickCounter = 0;
}

bool screenSpacePosition(int x, int y, int width, int height, int& ox, int& oy)
{
    if (width == 0 || height == 0) return false;
    ox = static_cast<int>(static_cast<float>(x) / static_cast<float>(width) * static_cast<float>(screenSpaceWidth));
    oy = static_cast<int>(static_cast<float>(y) / static_cast<float>(height) * static_cast<float>(screenSpaceHeight));
    return true;
}

void updateMousePos(int x, int y)
{
    GLint viewport[4] = {};
    GLdouble modelview[16] = {}, projection[16] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
    if (gluUnProject(x, viewport[3] - y, pointerWorldDepth, modelview, projection, viewport, &wx, &wy, &wz) ==
        GL_TRUE)
        gameSys.setNormalPos(wx, wz);

    int width = 0, height = 0, ox = 0, oy = 0;
    windowSize(width, height);
    if (screenSpacePosition(x, y, width, height, ox, oy)) gameSys.setOrthoPos(ox, oy);
    gameSys.setMousePos(x, y);
}

void updateFreelook(int x, int y)
{
    const int gs = gameSys.getGameState();
    const int mode = camera.getCamMode();
    if (!isWorldState(gs)) return;
    if (mode != camModeFirstPerson && mode != camModeThirdPerson && mode != camModeOverhead) return;

    if (tickCounter > freelookMovesBeforeCentring) {
        int width = 0, height = 0;
        windowSize(width, height);
        x = width / 2;
        y = height / 2;
        warpPointer(x, y);
        lastPosX = x;
        lastPosY = y;
        tickCounter = 0;
    }
    ++tickCounter;
    if (world.getResetFreelook()) {
        lastPosX = x;
        lastPosY = y;
        world.setResetFreelook(false);
    }

    float rotx, roty;
    camera.GetRot(rotx, roty);
    rotx += static_cast<float>(y - lastPosY);
    roty += static_cast<float>(x - lastPosX);
    lastPosX = x;
    lastPosY = y;
    if (mode == camModeFirstPerson) rotx = std::clamp(rotx, -firstPersonPitchLimit, firstPersonPitchLimit);
    if (mode == camModeThirdPerson) rotx = std::clamp(rotx, -thirdPersonPitchLimit, thirdPersonPitchLimit);
    camera.SetRot(rotx, roty);
}

void gameState3Mouse(int /*button*/, int state, int /*x*/, int /*y*/)
{
    if (state != mouseEventUp) return;
    stopSystemSound(sysSoundMelody);
    gameSys.setStartingSystemTime(elapsedMs());
    gameSys.setGameState(gameStateMenu);
}

void gameState0MousePassive(int /*x*/, int /*y*/)
{
    gameUI.setHoverButton(-1);
    colorPickRender();
}

void gameState4MousePassive(int /*x*/, int /*y*/)
{
    colorPickRender();
}

void mousePassive(int x, int y)
{
    if (gameSys.getDisableMouseState()) return;
    updateMousePos(x, y);
    updateFreelook(x, y);
    gameSys.setDragState(false);

    const int now = elapsedMs();
    if (now < lastHoverTime + hoverPickIntervalMs) return;
    lastHoverTime = now;
    clearMenuInteraction();
    if (gameSys.getInputState() == inputStateHelp) return;
    const int gs = gameSys.getGameState();
    gameSys.setHoverCheck(true);
    if (gs == gameStateDialog) gameState4MousePassive(x, y);
    else if (gs != gameStateSplash) gameState0MousePassive(x, y);
    gameSys.setHoverCheck(false);
}

void mouse(int button, int state, int /*x*/, int /*y*/)
{
    gameSys.setDragState(false);
    if (gameSys.getDisableMouseState()) return;
    gameSys.setLeftMouse(buttonStateFor(mouseButtonLeft, button, state));
    gameSys.setRightMouse(buttonStateFor(mouseButtonRight, button, state));
    gameUI.setCurrentTT(toolTipNone, toolTipNone, 0);
    if (gameSys.getInputState() == inputStateHelp && button == mouseButtonLeft && state == mouseEventUp) return;

    if (gameSys.getGameState() == gameStateWorldEditor && isWheel(button) && worldEditorWheel(button, state)) return;
    if (!handleClick(button, state)) return;

    if (state == mouseEventUp) clearMenuInteraction();
    if (gameSys.getGameState() == gameStateUIEditor && worldEditor.getEditorMode() == editorModeMenuTextline &&
        gameSys.getLeftMouse() == mouseButtonReleased)
        worldEditor.setEditorMode(editorModeMenuScreen);
}

void mouseDrag(int x, int y)
{
    if (gameSys.getDisableMouseState()) return;
    if (gameSys.getDragDelay() != 0) {
        gameSys.setDragDelay(gameSys.getDragDelay() - 1);
        return;
    }
    if (gameSys.getInputState() == inputStateHelp) return;
    updateFreelook(x, y);
    updateMousePos(x, y);
    const int now = elapsedMs();
    if (gameSys.getGameState() == gameStateWorldEditor && worldEditorDrag(x, y)) return;

    const int mode = worldEditor.getEditorMode();
    const bool editingElement = gameSys.getGameState() == gameStateUIEditor && mode != 0 && mode != -1;
    const int interval = editingElement ? fastDragPickIntervalMs : dragPickIntervalMs;
    if (now < lastDragTime + interval) return;
    lastDragTime = now;
    gameSys.setDragState(true);
    colorPickRender();
    gameSys.setDragState(false);
}
