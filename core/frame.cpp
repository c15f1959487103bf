// The frame loop and the shutdown.
#include "core/frame.h"
#include "core/frame_internal.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/camera.h"
#include "core/clock.h"
#include "core/debug.h"
#include "core/init.h"
#include "core/log.h"
#include "core/system.h"
#include "editor/playtest.h"
#include "editor/welcome.h"
#include "logic/executor.h"
#include "menus/browser.h"
#include "menus/console.h"
#include "menus/dialog.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/splash.h"
#include "menus/tooltip.h"
#include "menus/ui.h"
#include "menus/ui_render.h"
#include "media/frustum.h"
#include "media/image_loading.h"
#include "media/model.h"
#include "media/quad.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"
#include "world/game_files.h"
#include "world/game_leave.h"
#include "world/render.h"
#include "world/render_primitives.h"
#include "world/world.h"

namespace {

constexpr int millisecondsPerSecond = 1000;
constexpr float crosshairHalfSize = 5.0f;
// The idle callback sleeps in slices no longer than this, so that input
// waiting in the queue is handled soon even at a low frame cap.
constexpr int idleSleepSliceMs = 10;

int lastFrameTime = 0;

bool shuttingDown = false;
int shutdownStatus = quitStatusUser;

// The crosshair of the first- and third-person views in play.
void renderCrosshair()
{
    const int mode = camera.getCamMode();
    if (!world.getGameLoaded() || !isPlayState(gameSys.getGameState())) return;
    if (mode != camModeFirstPerson && mode != camModeThirdPerson) return;
    noticeIfRefused(displayTexture(screenSpaceCentreX, screenSpaceCentreY, 0.0f, crosshairHalfSize, crosshairHalfSize,
                                   1.0f, 1.0f, 1.0f, sysTexture(sysImageCrosshair), true, true, 1.0f, pickNone));
}

// A held key fires its "pressed" rules once per frame, whatever else is held.
void updateHeldKeyLogic()
{
    if (!isPlayState(gameSys.getGameState()) || console.getConsoleState() || uiHelp.getHelpState()) return;
    for (int key = 0; key < namedKeyCount; ++key) {
        if (gameSys.getKeyState(key) == keyStatePressed) {
            updateKeyLogic();
            return;
        }
    }
    for (int letter = 0; letter < alphabetKeyCount; ++letter) {
        if (gameSys.getAlphabetKeyState(letter) == keyStatePressed) {
            updateKeyLogic();
            return;
        }
    }
}

// The world is drawn in play, in the world editor over its editor menu, and
// under a dialog while a game is loaded.
bool worldShown()
{
    const int state = gameSys.getGameState();
    if (isPlayState(state)) return true;
    if (state == gameStateWorldEditor) return gameUI.getCurrentMenu() == gameUI.getEditorMenu();
    return state == gameStateDialog && world.getGameLoaded();
}

// Strictly more than this must pass between two drawn frames; negative when
// every call may draw.
int frameIntervalMs()
{
    if (isPlayState(gameSys.getGameState())) return playFrameIntervalMs;
    const int cap = gameSys.getFPSRender();
    return cap == 0 ? -1 : millisecondsPerSecond / cap;
}

}  // namespace

void resetFrameLimiter()
{
    lastFrameTime = 0;
}

void updateFrameLogic()
{
    updateLogic();
    updateHeldKeyLogic();
}

int msUntilNextFrame()
{
    const int interval = frameIntervalMs();
    const int left = lastFrameTime + interval + 1 - elapsedMs();
    return std::clamp(left, 0, std::max(interval + 1, 0));
}

void idleFunc()
{
    const int left = std::min(msUntilNextFrame(), idleSleepSliceMs);
    if (left > 0) std::this_thread::sleep_for(std::chrono::milliseconds(left));
    glutPostRedisplay();
}

bool renderScene()
{
    const int now = elapsedMs();
    const bool due = now - lastFrameTime > frameIntervalMs();
    if (due) lastFrameTime = now;
    return due;
}

void display()
{
    if (!renderScene()) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.UpdateCamera();
    ExtractFrustum();
    updateAnimation(world.getGameImageCount(), gameUI.getUIImageCount());
    updatePlaytestEnd();
    if (worldShown()) {
        gameRender();
        glDisable(GL_LIGHTING);
    }
    updateFrameLogic();

    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);

    // The 2D layers draw with front faces culled.
    glCullFace(GL_FRONT);
    const int state = gameSys.getGameState();
    if (isPlayState(state)) renderGameBox();
    if (!isPlayState(state) && state != gameStateSplash) uiRender();
    if (state == gameStateDialog) dialogRender();
    if (state == gameStateSplash) splashRender();
    // The last splash image may just have handed over to the menus, so the
    // layers over the screen read the state again; none of them changes it.
    const int over = gameSys.getGameState();
    if (over != gameStateSplash) noticeRender();
    helpRender();
    if (gameSys.getDebugState()) {
        debugRender();
        framesPerSecond();
    }
    renderCrosshair();
    if (over == gameStatePlaytest)
        displayTextString(10.0f, 20.0f, "^2Playtest Mode. Press ESCAPE to return to the editor.");
    if (console.getConsoleState()) consoleRender();
    if (over != gameStateSplash) {
        toolTipRender();
        renderEditorWelcome();
    }
    renderFileBrowser();
    renderVolume();

    glutSwapBuffers();
    if (texturesDeferred()) makeDeferredTextures();  // the first frame is on screen
}

void draw2dortho()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, screenSpaceWidth, screenSpaceHeight, 0.0);
    glScalef(-1.0f, -1.0f, 0.5f);
    glTranslatef(0.0f, 0.0f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void leave2dortho()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void quitEngine(int status)
{
    if (status > shutdownStatus) shutdownStatus = status;
    if (shuttingDown) return;
    shuttingDown = true;

    // A registered menu project open in the menu editor is left first.
    if (checkGameName(world.getGameName())) leaveGame();
    releaseMenuAndGameImages();
    gameUI.setUIImageCount(0);
    world.setGameImageCount(0);
    freeModels();
    freeSysImages();
    gameLog.closeLog();
    freeSystemSounds();
    saveSystem();
    std::exit(shutdownStatus);
}
