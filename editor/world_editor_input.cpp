// The world editor's keys.
#include "editor/world_editor_input.h"

#include <GL/freeglut.h>

#include <cmath>
#include <vector>

#include "core/camera.h"
#include "core/input.h"
#include "core/mouse.h"
#include "core/system.h"
#include "core/window.h"
#include "editor/editor.h"
#include "editor/world_editor_selection.h"
#include "logic/logic_editor_input.h"
#include "media/3dmath.h"
#include "media/sound.h"
#include "menus/ui.h"
#include "world/movement.h"
#include "world/world.h"

namespace {

constexpr float heightStep = 0.1f;
constexpr float rotationStep = 1.0f;
constexpr float objectMoveStep = 0.05f;
constexpr float objectResizeStep = 0.5f;
constexpr float cameraKeyStep = 1.0f;
constexpr int layerKeyCount = 7;  // "1" to "7" toggle layers 0 to 6
// A wheel event changes an object's or a tile's height by this much.
constexpr float wheelHeightStep = 0.1f;
// An object dragged in first person is held this far in front of the camera.
constexpr float firstPersonHoldDistance = 6.0f;

// The bottom panel and the left tool strip, in the 800 x 600 space: an
// object is not dragged under them.
constexpr int editorBottomPanelTop = 460;
constexpr int toolStripLeft = 10, toolStripRight = 45;
constexpr int toolStripTop = 31, toolStripBottom = 459;

// Where the last drag event left the pointer.
bool dragAnchorSet = false;
double dragAnchorX = 0.0, dragAnchorY = 0.0;

// The objects the editor works on: the multi-selection, or the current object without one.
std::vector<int> selectedObjects()
{
    std::vector<int> objects;
    const int amount = worldEditor.getObjectListAmount();
    for (int slot = 0; slot < amount; ++slot) objects.push_back(worldEditor.getObjectList(slot));
    if (objects.empty()) objects.push_back(worldEditor.getCurrentObject());
    return objects;
}

void deleteSelectedObjects()
{
    playSystemSound(sysSoundDelete, 0);
    worldEditor.setEditorMode(editorModeNone);
    const int m = world.getCurrentMap();
    const int amount = worldEditor.getObjectListAmount();
    if (amount == 0) {
        world.worldDeleteObject(worldEditor.getCurrentObject(), m);
    } else {
        for (int slot = 0; slot < amount; ++slot) {
            const int gone = worldEditor.getObjectList(slot);
            world.worldDeleteObject(gone, m);
            // Later slots keep naming the same objects.
            for (int later = slot + 1; later < amount; ++later)
                if (worldEditor.getObjectList(later) > gone)
                    worldEditor.setObjectList(later, worldEditor.getObjectList(later) - 1);
        }
    }
    worldEditor.resetObjectList();
}

// The object keys of the object tool: height and the three rotations.
struct objectKey {
    unsigned char key;
    float dz, drx, dry, drz;
};
const objectKey objectKeys[] = {
    {'a', heightStep, 0, 0, 0},     {'s', -heightStep, 0, 0, 0},   {'q', 0, rotationStep, 0, 0},
    {'w', 0, -rotationStep, 0, 0},  {'e', 0, 0, rotationStep, 0},  {'r', 0, 0, -rotationStep, 0},
    {'t', 0, 0, 0, rotationStep},   {'y', 0, 0, 0, -rotationStep},
};

void adjustCurrentObject(unsigned char key)
{
    const int o = worldEditor.getCurrentObject(), m = world.getCurrentMap();
    for (const objectKey& k : objectKeys) {
        if (k.key != key) continue;
        if (k.dz != 0.0f) {
            objectRecord v = readObjectRecord(o, m);
            v.z += k.dz;
            storeObjectRecord(v, o, m);
            return;
        }
        float rx = 0, ry = 0, rz = 0;
        world.worldGetRot(rx, ry, rz, o, m);
        world.worldSetRot(rx + k.drx, ry + k.dry, rz + k.drz, o, m);
        return;
    }
}

void moveEditorCamera(float dy, float dz)
{
    float x = 0, y = 0, z = 0;
    camera.GetPos(x, y, z);
    camera.SetPos(x, y + dy, z + dz);
    camera.GetLook(x, y, z);
    camera.SetLook(x, y + dy, z + dz);
}

void toggleEditorCamera()
{
    if (camera.getCamMode() == camModeEditor) camera.setCamMode(camModeFirstPerson);
    else if (camera.getCamMode() == camModeFirstPerson) camera.setCamMode(camModeEditor);
}

// The arrows as a step on the ground (dx, dy) and as a change of size (w, h).
struct arrowStep {
    int key;
    float dx, dy;
    float resizeW, resizeH;
};
const arrowStep arrowSteps[] = {
    {GLUT_KEY_UP, 0, objectMoveStep, 0, -objectResizeStep},
    {GLUT_KEY_DOWN, 0, -objectMoveStep, 0, objectResizeStep},
    {GLUT_KEY_LEFT, objectMoveStep, 0, -objectResizeStep, 0},
    {GLUT_KEY_RIGHT, -objectMoveStep, 0, objectResizeStep, 0},
};

const arrowStep* findArrow(int key)
{
    for (const arrowStep& a : arrowSteps)
        if (a.key == key) return &a;
    return nullptr;
}

void paintSelectionFromImageMenu()
{
    const int m = world.getCurrentMap();
    if (worldEditor.getEditorMode() == editorModeTile) {
        int cx = 0, cy = 0, tex = 0;
        worldEditor.getCurrentTile(cx, cy);
        world.worldGetTile(tex, cx, cy, m);
        if (tex < 1) return;
        selectedTiles().forEachTile([tex, m](int x, int y) { world.worldSetTile(tex, x, y, m); });
    } else if (worldEditor.getEditorMode() == editorModeObject) {
        const int amount = worldEditor.getObjectListAmount();
        if (amount == 0) return;
        const int tex = readObjectRecord(worldEditor.getObjectList(amount - 1), m).tex;
        for (int slot = 0; slot < amount; ++slot) {
            const int o = worldEditor.getObjectList(slot);
            objectRecord v = readObjectRecord(o, m);
            v.tex = tex;
            storeObjectRecord(v, o, m);
        }
    }
}

// The objects a wheel turn or a drag moves: the multi-selection, or the
// current object when it is empty.
template <typename action>
void forSelectedObjects(action act)
{
    const int amount = worldEditor.getObjectListAmount();
    if (amount == 0) {
        act(worldEditor.getCurrentObject());
        return;
    }
    for (int slot = 0; slot < amount; ++slot) act(worldEditor.getObjectList(slot));
}

void shiftObject(int o, float dx, float dy, float dz)
{
    const int m = world.getCurrentMap();
    objectRecord v = readObjectRecord(o, m);
    v.x += dx;
    v.y += dy;
    v.z += dz;
    storeObjectRecord(v, o, m);
}

bool editorWheel(int button, int state)
{
    const int mode = worldEditor.getEditorMode();
    const float dz = button == mouseWheelUp ? wheelHeightStep : -wheelHeightStep;
    switch (mode) {
    case editorModeMapLogic:
    case editorModeObjectLogic:
        return logicEditorWheel(button, state);
    case editorModeObject:
        if (camera.getCamMode() == camModeEditor)
            forSelectedObjects([dz](int o) { shiftObject(o, 0.0f, 0.0f, dz); });
        return true;
    case editorModeTile:
        raiseSelectedTiles(dz);
        return true;
    default:
        return true;  // the other tools take no wheel
    }
}

bool overEditorPanels()
{
    int ox, oy;
    gameSys.getOrthoPos(ox, oy);
    return oy > editorBottomPanelTop ||
           (ox >= toolStripLeft && ox <= toolStripRight && oy >= toolStripTop && oy <= toolStripBottom);
}

bool objectDragActive()
{
    return gameSys.getGameState() == gameStateWorldEditor && worldEditor.getEditorMode() == editorModeObject &&
           gameUI.getCurrentMenu() == gameUI.getEditorMenu() && worldEditor.getImageMenuTimer() <= 0 &&
           worldEditor.getTemplateSelectState() <= 0 &&
           (gameSys.getLeftMouse() == mouseButtonPressed || gameSys.getRightMouse() == mouseButtonPressed);
}

// Moves the dragged objects by the world distance covered since the last event.
void dragObjects()
{
    double nx, nz;
    gameSys.getNormalPos(nx, nz);
    const float dx = static_cast<float>(nx - dragAnchorX), dy = static_cast<float>(nz - dragAnchorY);
    const int dragged = worldEditor.getLOS();
    if (worldEditor.getObjectListAmount() > 0) {
        if (worldEditor.getObjectList(0) == dragged)
            forSelectedObjects([dx, dy](int o) { shiftObject(o, dx, dy, 0.0f); });
        worldEditor.setLOS(worldEditor.getObjectList(0));
    } else {
        const int o = worldEditor.getCurrentObject();
        if (o == dragged) {
            if (camera.getCamMode() == camModeEditor) {
                shiftObject(o, dx, dy, 0.0f);
            } else if (camera.getCamMode() == camModeFirstPerson) {
                float cx, cy, cz, pitch, yaw;
                camera.GetPos(cx, cy, cz);
                camera.GetRot(pitch, yaw);
                pitch *= degreesToRadians;
                yaw *= degreesToRadians;
                const int m = world.getCurrentMap();
                float x, y, z, w, h, d;
                int tex, layer;
                world.worldGetObject(x, y, z, w, h, d, tex, layer, o, m);
                world.worldSetObject(cx + firstPersonHoldDistance * std::sin(yaw),
                                     cz - firstPersonHoldDistance * std::cos(yaw),
                                     cy - firstPersonHoldDistance * std::sin(pitch), w, h, d, tex, layer, o, m);
            }
        }
        worldEditor.setLOS(o);
    }
    dragAnchorX = nx;
    dragAnchorY = nz;
}

}  // namespace

bool worldEditorKeyboard(unsigned char key)
{
    if (key >= '1' && key < '1' + layerKeyCount) {
        const int layer = key - '1';
        worldEditor.setRenderLayer(layer, !worldEditor.getRenderLayer(layer));
    } else if (key == keyCodeEnter || key == keyCodeEscape) {
        return logicEditorKeyboard(key);
    } else if (key == keyCodeDelete && worldEditor.getEditorMode() == editorModeObject) {
        deleteSelectedObjects();
    }
    return false;
}

void worldEditorNormalKeyboard(unsigned char key)
{
    if (key == keyCodeEscape) {
        toggleEditorCamera();
        return;
    }
    if (gameUI.getCurrentMenu() != gameUI.getEditorMenu()) return;
    if (worldEditor.getEditorMode() == editorModeObject) adjustCurrentObject(key);
    if (key == keyCodeEnter) moveEditorCamera(cameraKeyStep, -cameraKeyStep);
    else if (key == keyCodeSpace) moveEditorCamera(-cameraKeyStep, cameraKeyStep);
}

void worldEditorSpecialKeys(int key)
{
    logicEditorSpecialKeys(key);

    const int m = world.getCurrentMap();
    const arrowStep* arrow = findArrow(key);
    const bool objectTool = worldEditor.getEditorMode() == editorModeObject;
    if (objectTool && keyModifiers() == GLUT_ACTIVE_SHIFT) {  // Shift alone finishes every special key here
        if (!arrow) return;
        const int o = worldEditor.getCurrentObject();
        objectRecord v = readObjectRecord(o, m);
        v.w += arrow->resizeW;
        v.h += arrow->resizeH;
        storeObjectRecord(v, o, m);
        return;
    }
    if (objectTool && arrow && worldEditor.getImageMenuTimer() <= 0 && camera.getCamMode() == camModeEditor) {
        for (int o : selectedObjects()) {
            objectRecord v = readObjectRecord(o, m);
            v.x += arrow->dx;
            v.y += arrow->dy;
            storeObjectRecord(v, o, m);
        }
    }
    if (worldEditor.getImageMenuTimer() > 0) paintSelectionFromImageMenu();
}

bool worldEditorWheel(int button, int state)
{
    return editorWheel(button, state);
}

bool worldEditorDrag(int x, int y)
{
    logicEditorDrag(x, y);
    if (!dragAnchorSet) {
        dragAnchorX = x;
        dragAnchorY = y;
        dragAnchorSet = true;
    }
    if (!objectDragActive()) return false;
    if (overEditorPanels()) return true;
    dragObjects();
    return false;
}

void toggleEditorWireframe()
{
    worldEditor.setWireframe(!worldEditor.getWireframe());
}

void toggleEditorObjectOutlines()
{
    if (gameSys.getGameState() == gameStateWorldEditor) worldEditor.setSAO(worldEditor.getSAO() == 0 ? 1 : 0);
}
