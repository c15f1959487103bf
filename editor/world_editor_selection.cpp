// The world editor's 3D selection of objects and tiles.
#include "editor/world_editor_selection.h"

#include <string>

#include "core/mouse.h"
#include "core/pick.h"
#include "core/system.h"
#include "editor/editor.h"
#include "media/sound.h"
#include "world/world.h"

namespace {

bool validObject(int index)
{
    return index >= 0 && index < world.worldGetObjectCount(world.getCurrentMap());
}

// A shift or right click adds the object to the multi-selection.
void extendObjectSelection(int index)
{
    if (!validObject(index)) return;
    const int amount = worldEditor.getObjectListAmount();
    if (!worldEditor.notInObjectList(index) && amount < objectListSize) {
        int next = amount;
        const int current = worldEditor.getCurrentObject();
        if (worldEditor.getEditorMode() == editorModeObject && amount == 0 && current != index)
            worldEditor.setObjectList(next++, current);
        worldEditor.setObjectList(next++, index);
        worldEditor.setObjectListAmount(next);
        worldEditor.setCurrentObject(index);
    }
    worldEditor.setEditorMode(editorModeObject);
}

// A plain click selects the object alone; a quick second click on the
// selected object opens its logic.
void selectObjectAlone(int index, int now)
{
    const bool reselect = worldEditor.getObjectListAmount() == 0 &&
                          worldEditor.getEditorMode() == editorModeObject &&
                          worldEditor.getCurrentObject() == index;
    if (reselect) {
        if (now < getTimeChecked() + doubleClickMs) {
            setTimeChecked(now);
            worldEditor.setEditorMode(editorModeObjectLogic);
        }
        return;
    }
    if (!validObject(index)) return;
    setTimeChecked(now);
    worldEditor.resetObjectList();
    worldEditor.setCurrentObject(index);
    worldEditor.setLOS(-1);
    worldEditor.setEditorMode(editorModeObject);
}

}  // namespace

bool editorTakesWorldPicks()
{
    return worldEditor.getImageMenuTimer() <= 0 && worldEditor.getTemplateSelectState() <= 0;
}

void selectEditorObject(int index, int now)
{
    worldEditor.setLOS(-1);
    if (extendingSelection()) extendObjectSelection(index);
    else selectObjectAlone(index, now);
    playSystemSound(sysSoundSelect, 0);
}

void selectEditorTile(int x, int y)
{
    if (gameSys.getDragState()) return;
    if (!extendingSelection()) {
        worldEditor.setCurrentTile(x, y);
        worldEditor.setEditorMode(editorModeTile);
        playSystemSound(sysSoundSelect, 0);
        return;
    }
    int sx = 0, sy = 0;
    worldEditor.getStartingTile(sx, sy);
    if (x < sx) worldEditor.setStartingTile(x, -1);
    else worldEditor.setEndingTile(x, -1);
    if (y < sy) worldEditor.setStartingTile(-1, y);
    else worldEditor.setEndingTile(-1, y);
    playSystemSound(sysSoundSelect, 0);
}

tileRect selectedTiles()
{
    const int m = world.getCurrentMap();
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, m);
    int sx = 0, sy = 0, ex = 0, ey = 0;
    worldEditor.getStartingTile(sx, sy);
    worldEditor.getEndingTile(ex, ey);
    return tileRectOnMap(sx, sy, ex, ey, w, h);
}

void raiseTile(int x, int y, float by)
{
    const int m = world.getCurrentMap();
    world.worldSetTileHeight(world.worldGetTileHeight(x, y, m) + by, x, y, m);
}

void raiseSelectedTiles(float by)
{
    selectedTiles().forEachTile([by](int x, int y) { raiseTile(x, y, by); });
}
