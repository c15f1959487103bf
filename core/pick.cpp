// The colour-pick pass with its dispatch, and the 3D selection of objects and
// tiles with what its nearest hit does.
#include "core/pick.h"
#include "core/pick_internal.h"

#include <GL/freeglut.h>

#include "core/clock.h"
#include "core/frame.h"
#include "core/mouse.h"
#include "core/system.h"
#include "core/window.h"
#include "editor/editor_entry.h"
#include "editor/editor_picking.h"
#include "editor/welcome.h"
#include "editor/world_editor_picking.h"
#include "editor/world_editor_selection.h"
#include "logic/executor.h"
#include "logic/logic_editor_picking.h"
#include "media/quad.h"
#include "media/sound.h"
#include "menus/browser.h"
#include "menus/console.h"
#include "menus/dialog.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/ui_render.h"
#include "menus/ui_picking.h"
#include "world/render.h"
#include "world/world.h"

namespace {

// The projection of the 3D selection.
constexpr double pickFieldOfViewDeg = 45.0;
constexpr double pickNearPlane = 0.001;
constexpr double pickFarPlane = 120.0;

// No hit record is nearer than this at the start of the walk.
constexpr uint32_t farthestPickDepth = 4294967294u;

// A hit record: name count, minimum depth, maximum depth, then the names.
constexpr int hitHeaderWords = 3;
constexpr int objectNameCount = 1;
constexpr int tileNameCount = 2;

int timeChecked = 0;

// Fills the screen with the empty-background code, so that no pixel the last
// frame left is read as a code.
void paintPickBackground()
{
    glColor3ub(pickBackground, pickBackground, pickBackground);
    noticeIfRefused(displayTexture(screenSpaceCentreX, screenSpaceCentreY, 0.0f, screenSpaceCentreX, screenSpaceCentreY,
                                   1.0f, 1.0f, 1.0f, 0, true, false, 1.0f, pickFlatColor));
}

// The 2D layers in their pick form, a later one covering an earlier one.
void drawPickLayers()
{
    paintPickBackground();
    const int state = gameSys.getGameState();
    if (gameSys.getInputState() == inputStateHelp) {
        helpRender();
    } else {
        if (state == gameStateMenu || state == gameStateIngameMenu || state == gameStateWorldEditor ||
            state == gameStateUIEditor)
            uiRender();
        if (state == gameStateDialog) dialogRender();
        if (console.getConsoleState()) consoleRender();
    }
    noticeRender();
    renderEditorWelcome();
    renderFileBrowser();
}

// The hover pass keeps the tooltip while the pointer stays on one kind of control.
void updateHoverTooltip(const pickCode& code)
{
    int id = toolTipNone, sub = toolTipNone, since = 0;
    gameUI.getCurrentTT(id, sub, since);
    if (code.r != id) gameUI.setCurrentTT(code.r, code.b, elapsedMs());
}

// The nearest hit record of the buffer (its offset), or -1 when none is taken.
// A record that does not fit in the buffer ends the walk.
int nearestHit(int hits, const uint32_t* buffer, int words)
{
    uint32_t nearest = farthestPickDepth;
    int taken = -1;
    int at = 0;
    for (int h = 0; h < hits; ++h) {
        if (at + hitHeaderWords > words) break;
        const uint32_t names = buffer[at];
        if (names > static_cast<uint32_t>(words - at - hitHeaderWords)) break;
        if (buffer[at + 1] < nearest) {
            nearest = buffer[at + 1];
            taken = at;
        }
        at += hitHeaderWords + static_cast<int>(names);
    }
    return taken;
}

void applyObjectHit(int index, int now)
{
    const int state = gameSys.getGameState();
    if (isPlayState(state)) {
        if (index < 0 || index >= world.worldGetObjectCount(world.getCurrentMap())) return;
        world.setSelectedObject(index);
        updateMouseLogic();
        return;
    }
    if (state == gameStateWorldEditor) selectEditorObject(index, now);
}

}  // namespace

int getTimeChecked()
{
    return timeChecked;
}

void setTimeChecked(int t)
{
    timeChecked = t;
}

bool colorPickRender()
{
    const int state = gameSys.getGameState();
    if (state == gameStateSplash) return false;
    if (isPlayState(state) && !uiHelp.getHelpState()) {
        gameUI.setCurrentTT(toolTipNone, toolTipNone, 0);
        return false;
    }

    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_DITHER);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);  // as the 2D layers draw
    gameSys.setColorPick(true);
    drawPickLayers();
    gameSys.setColorPick(false);
    glPopAttrib();
    return colorPickCheck();
}

pickCode readPickPixel(int x, int y)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    unsigned char rgb[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    pickCode code;
    code.r = rgb[0];
    code.g = rgb[1];
    code.b = rgb[2];
    return code;
}

bool colorPickCheck()
{
    int x = 0, y = 0, width = 0, height = 0;
    gameSys.getMousePos(x, y);
    windowSize(width, height);
    if (x < 1 || x >= width || y < 1 || y >= height) return false;
    return dispatchPickCode(readPickPixel(x, y));
}

bool dispatchPickCode(const pickCode& code)
{
    const bool hover = gameSys.getHoverState();
    const int state = gameSys.getGameState();
    if (hover) updateHoverTooltip(code);

    if (code.r == pickBlocker && code.g == pickBlocker && code.b == pickBlocker) return true;
    if (code.r == pickBackground && code.g == pickBackground && code.b == pickBackground) {
        if (state != gameStateUIEditor && !console.getConsoleState() && leftPressed())
            gameSys.setInputState(inputStateNormal);
        return false;
    }
    if (logicEditorPicking(code.bytes())) return true;

    if (code.g != pickControlMark && code.r != pickImageCell) {
        clearMenuInteraction();
        return false;
    }
    if (!hover && !gameSys.getDragState() && leftPressed() && code.r == pickHelpTopic) {
        if (code.b < uiHelp.getMenuCount()) {
            playSystemSound(sysSoundSelect, 0);
            uiHelp.setHelp(code.b);
        }
        return true;
    }
    if (code.r == pickSysTextbox && leftPressed()) {
        if (code.b < pickSysTextboxCount) {
            gameUI.setTextboxEdit(code.b);
            gameSys.setInputState(inputStateSysTextbox);
        }
        return true;
    }
    if (code.r == pickNotice && leftPressed()) {
        notice.leaveNotice();
        return true;
    }
    if (isEditorState(state) && uiEditorPicking(code.bytes())) return true;
    if (gameSys.getDragState()) return false;
    return uiPicking(code.bytes()) != 0 || uiAndGameEditorPicking(code.bytes()) || gameEditorPicking(code.bytes());
}

void renderPick()
{
    const int state = gameSys.getGameState();
    if (!isWorldState(state)) return;
    int x = 0, y = 0;
    gameSys.getMousePos(x, y);
    uint32_t selection[pickBufferSize] = {};
    startPicking(x, y, selection);
    gameRender();
    stopPicking(selection);
}

void startPicking(int cursorX, int cursorY, uint32_t* selection)
{
    int width = 0, height = 0;
    windowSize(width, height);
    const float aspect = static_cast<float>(width) / static_cast<float>(height > 0 ? height : 1);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);

    glSelectBuffer(pickBufferSize, selection);
    glRenderMode(GL_SELECT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(cursorX, viewport[3] - cursorY, pickRegionSize, pickRegionSize, viewport);
    gluPerspective(pickFieldOfViewDeg, aspect, pickNearPlane, pickFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glInitNames();
}

int stopPicking(uint32_t* selection)
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    const int hits = glRenderMode(GL_RENDER);
    if (hits >= 1) processHits(hits, selection);
    return hits;
}

void processHits(int hits, const uint32_t* buffer, int words)
{
    const int state = gameSys.getGameState();
    if (state == gameStateWorldEditor && !editorTakesWorldPicks()) return;
    const int now = elapsedMs();

    const int at = nearestHit(hits, buffer, words);
    if (at >= 0) {
        const uint32_t names = buffer[at];
        const uint32_t* name = buffer + at + hitHeaderWords;
        if (names == objectNameCount)
            applyObjectHit(static_cast<int>(name[0]) - static_cast<int>(pickObjectNameBase), now);
        else if (names == tileNameCount)
            selectEditorTile(static_cast<int>(name[0]), static_cast<int>(name[1]));
    }
    timeChecked = now;
}
