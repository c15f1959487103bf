// The editor camera's edge scrolling and its speed.
#include "editor/edge_scroll.h"
#include "editor/edge_scroll_internal.h"

#include <algorithm>
#include <string>

#include "core/camera.h"
#include "core/system.h"
#include "core/window.h"
#include "editor/editor.h"
#include "world/world.h"

namespace {

constexpr double scrollUnitsPerSpeed = 0.06;
constexpr float scrollStepsPerFrame = 3.0f;
// The band at the window's edge that scrolls, in window pixels.
constexpr int edgeMarginWindowed = 5;
constexpr int edgeMarginFullScreen = 2;
// The camera may pan this far beyond the map's near sides.
constexpr float nearBound = -18.0f;

float scrollMultiplier = 0.0f;

bool scrollBlockedInEditor()
{
    const int mode = worldEditor.getEditorMode();
    return worldEditor.getImageMenuTimer() > 0 || worldEditor.getTemplateSelectState() > 0 ||
           mode == editorModeMapLogic || mode == editorModeObjectLogic;
}

bool inBand(int at, int from, int to)
{
    return at >= from && at <= to;
}

// Moves position and look-at point together by (dx, 0, dz).
void panCamera(float dx, float dz)
{
    float x = 0, y = 0, z = 0;
    camera.GetPos(x, y, z);
    camera.SetPos(x + dx, y, z + dz);
    camera.GetLook(x, y, z);
    camera.SetLook(x + dx, y, z + dz);
}

bool scrollsHere()
{
    const int state = gameSys.getGameState();
    if (state == gameStateWorldEditor) {
        const int mode = worldEditor.getEditorMode();
        return mode != editorModeMapLogic && mode != editorModeObjectLogic;
    }
    return isPlayState(state) && (world.getFreeLook() || gameSys.getDebugState());
}

}  // namespace

bool editorScroll(float speed)
{
    const float step = static_cast<float>(speed * scrollUnitsPerSpeed) * scrollStepsPerFrame;
    if (gameSys.getGameState() == gameStateWorldEditor && scrollBlockedInEditor()) return false;

    const int margin = gameSys.getFS() ? edgeMarginFullScreen : edgeMarginWindowed;
    int width = 0, height = 0;
    windowSize(width, height);
    int tilesWide = 0, tilesHigh = 0;
    std::string name;
    world.worldGetMap(tilesWide, tilesHigh, name, world.getCurrentMap());
    const float farX = static_cast<float>(tilesWide) * tileSize;
    const float farZ = static_cast<float>(tilesHigh) * tileSize;
    int mx = 0, my = 0;
    gameSys.getMousePos(mx, my);
    // A pan along x leaves z as it was, so one reading serves both tests.
    float camX = 0, camY = 0, camZ = 0;
    camera.GetPos(camX, camY, camZ);

    bool moved = false;
    if (inBand(mx, 0, margin)) {
        if (camX <= farX) {
            panCamera(step, 0.0f);
            moved = true;
        }
    } else if (inBand(mx, width - margin, width)) {
        if (camX >= nearBound) {
            panCamera(-step, 0.0f);
            moved = true;
        }
    }
    if (inBand(my, 0, margin)) {
        if (camZ > farZ) return false;
        panCamera(0.0f, step);
        moved = true;
    } else if (inBand(my, height - margin, height)) {
        if (camZ < nearBound) return false;
        panCamera(0.0f, -step);
        moved = true;
    }
    return moved;
}

void updateEditorScroll()
{
    if (camera.getCamMode() != camModeEditor || !scrollsHere()) return;
    if (editorScroll(scrollMultiplier))
        scrollMultiplier = std::min(scrollMultiplier + scrollSpeedStep, scrollSpeedMax);
    else
        scrollMultiplier = scrollSpeedRestart;
}

float getScrollMultiplier()
{
    return scrollMultiplier;
}

void setScrollMultiplier(float speed)
{
    scrollMultiplier = speed;
}
