// The object panel's clicks, in object mode: the image, model, layer and
// macro menus, the logic macros, the size and obstruction-box steps, the
// solid flag, type, rotation and label of the current object, and deleting
// the selected objects with the selection kept naming the objects left.
#include "editor/object_panel_picking.h"

#include "core/system.h"
#include "editor/editor.h"
#include "editor/image_pickers.h"
#include "editor/logic_macros.h"
#include "editor/panel_picking.h"
#include "media/sound.h"
#include "world/world.h"

namespace {

enum sizeAxis { axisWidth = 0, axisHeight = 1, axisDepth = 2 };

// A smaller object than this is refused; a value this close under it counts
// as reaching it, so that steps of a tenth in float arrive there.
constexpr float objectSizeMin = 0.3f;
constexpr float objectSizeSlack = 1e-4f;
constexpr int labelMax = 19;
constexpr int labelMin = -1;
constexpr float rotationStep = 10.0f;

int currentMap()
{
    return world.getCurrentMap();
}

int currentObject()
{
    return worldEditor.getCurrentObject();
}

bool currentObjectExists()
{
    const int o = currentObject();
    return o >= 0 && o < world.worldGetObjectCount(currentMap());
}

// Reads the current object, applies `edit` and writes it back; nothing for an object that is none.
template <class Edit>
void editCurrentObject(Edit edit)
{
    objectFields fields;
    if (!readObject(currentObject(), fields)) return;
    edit(fields);
    writeObject(currentObject(), fields);
}

// --- Image, model, layer and macro menus ---------------------------------------

void openObjectImageMenu(const pickCode&)
{
    playSystemSound(sysSoundOpen, 0);
    openImageMenu();
}

void stepModel(int by)
{
    int models = 0, textures = 0;
    world.worldGetModel(models, textures);
    editCurrentObject([by, models](objectFields& f) {
        if (by > 0 && f.tex < models - 1) f.tex += 1;
        if (by < 0 && f.tex > 0) f.tex -= 1;
    });
}

void stepLayer(int by)
{
    const int layers = world.worldGetMapLayerCount(currentMap());
    editCurrentObject([by, layers](objectFields& f) {
        if (f.layer + by >= 0 && f.layer + by < layers) f.layer += by;
    });
}

const panelCode objectMenuCodes[] = {
    {pickObjectImage, openObjectImageMenu},
    {pickObjectPrevImage, [](const pickCode&) { openImageMenu(); }},
    {pickModelMenu, [](const pickCode&) { worldEditor.setModelMenu(worldEditor.getModelMenu() == -1 ? 0 : -1); }},
    {pickNextModel, [](const pickCode&) { stepModel(1); }},
    {pickPreviousModel, [](const pickCode&) { stepModel(-1); }},
    {pickObjectLayerUp, [](const pickCode&) { stepLayer(1); }},
    {pickObjectLayerDown, [](const pickCode&) { stepLayer(-1); }},
    {pickMacroMenu,
     [](const pickCode&) {
         worldEditor.setTemplateSelect(1);
         playSystemSound(sysSoundOpen, 0);
     }},
    {pickMacroMenuClose,
     [](const pickCode&) {
         worldEditor.setTemplateSelect(0);
         playSystemSound(sysSoundClose, 0);
     }},
};

// --- Size and obstruction box ---------------------------------------------------

// One plus or minus button of a size: the axis and the step of a left press
// and of a right press.
struct sizeStep {
    int code;
    int axis;
    float left, right;
};

const sizeStep objectSizeSteps[] = {
    {pickObjectWidthUp, axisWidth, 0.1f, 0.5f},    {pickObjectWidthDown, axisWidth, -0.1f, -0.5f},
    {pickObjectHeightUp, axisHeight, 0.1f, 0.5f},  {pickObjectHeightDown, axisHeight, -0.1f, -0.3f},
    {pickObjectDepthUp, axisDepth, 0.1f, 0.5f},    {pickObjectDepthDown, axisDepth, -0.1f, -0.3f},
};

const sizeStep obstructionSteps[] = {
    {pickSolidWidthUp, axisWidth, 0.1f, 0.5f},   {pickSolidWidthDown, axisWidth, -0.1f, -0.5f},
    {pickSolidHeightUp, axisHeight, 0.1f, 0.5f}, {pickSolidHeightDown, axisHeight, -0.1f, -0.5f},
    {pickSolidDepthUp, axisDepth, 0.1f, 0.5f},   {pickSolidDepthDown, axisDepth, -0.1f, -0.5f},
};

template <std::size_t N>
const sizeStep* findSizeStep(const sizeStep (&table)[N], int code)
{
    for (const sizeStep& step : table)
        if (step.code == code) return &step;
    return nullptr;
}

float stepFor(const sizeStep& step)
{
    return gameSys.getLeftMouse() == mouseButtonPressed ? step.left : step.right;
}

// The object's own size: a decrease stops at the smallest size, the world caps an increase.
void stepObjectSize(const sizeStep& step)
{
    const float by = stepFor(step);
    editCurrentObject([&step, by](objectFields& f) {
        const float next = f.size[step.axis] + by;
        if (by < 0 && next < objectSizeMin - objectSizeSlack) return;
        f.size[step.axis] = next;
    });
}

// The obstruction box: the world caps it and refuses a box with a side at or below 0.
void stepObstruction(const sizeStep& step)
{
    if (!currentObjectExists()) return;
    float box[3] = {0, 0, 0};
    const int o = currentObject(), m = currentMap();
    world.getObstructionSize(box[axisWidth], box[axisHeight], box[axisDepth], o, m);
    box[step.axis] += stepFor(step);
    world.setObstructionSize(box[axisWidth], box[axisHeight], box[axisDepth], o, m);
}

bool sizePicking(const pickCode& pixel)
{
    if (const sizeStep* step = findSizeStep(objectSizeSteps, pixel.r)) {
        stepObjectSize(*step);
        return true;
    }
    if (const sizeStep* step = findSizeStep(obstructionSteps, pixel.r)) {
        stepObstruction(*step);
        return true;
    }
    return false;
}

// --- Label, solid flag, type, rotation, deletion -----------------------------------

void stepLabel(int by)
{
    if (!currentObjectExists()) return;
    const int next = world.worldGetObjectLabel(currentObject(), currentMap()) + by;
    if (next >= labelMin && next <= labelMax) world.worldSetObjectLabel(next, currentObject(), currentMap());
}

void toggleSolid(const pickCode&)
{
    if (!currentObjectExists()) return;
    const int o = currentObject(), m = currentMap();
    world.worldSetObjectObstructionState(!world.worldGetObjectObstructionState(o, m), o, m);
}

// Every step of the type clears the image (a model index means nothing to a
// cube, and the reverse), also at either end of the range.
void stepType(int by)
{
    if (!currentObjectExists()) return;
    const int o = currentObject(), m = currentMap();
    world.worldSetObjectType(world.worldGetObjectType(o, m) + by, o, m);
    editCurrentObject([](objectFields& f) { f.tex = 0; });
}

void rotate(const pickCode& pixel)
{
    if (!currentObjectExists()) return;
    const int o = currentObject(), m = currentMap();
    float angle[3] = {0, 0, 0};
    world.worldGetRot(angle[0], angle[1], angle[2], o, m);
    angle[pixel.r - pickRotateX] += pixel.b == pickRotatePlus ? rotationStep : -rotationStep;
    world.worldSetRot(angle[0], angle[1], angle[2], o, m);
}

// Removes each object of the multi-selection (or the current object without
// one); after each removal the slots naming later objects follow them down.
void deleteObjects(const pickCode&)
{
    playSystemSound(sysSoundDelete, 0);
    worldEditor.setEditorMode(editorModeNone);
    const int m = currentMap();
    const int amount = worldEditor.getObjectListAmount();
    if (amount == 0) world.worldDeleteObject(currentObject(), m);
    for (int i = 0; i < amount; ++i) {
        const int removed = worldEditor.getObjectList(i);
        world.worldDeleteObject(removed, m);
        for (int j = 0; j < amount; ++j) {
            const int slot = worldEditor.getObjectList(j);
            if (slot > removed) worldEditor.setObjectList(j, slot - 1);
        }
    }
    worldEditor.resetObjectList();
}

const panelCode objectCodes[] = {
    {pickObjectLabelUp, [](const pickCode&) { stepLabel(1); }},
    {pickObjectLabelDown, [](const pickCode&) { stepLabel(-1); }},
    {pickObjectSolid, toggleSolid},
    {pickObjectTypeUp, [](const pickCode&) { stepType(1); }},
    {pickObjectTypeDown, [](const pickCode&) { stepType(-1); }},
    {pickDeleteObjects, deleteObjects},
    {pickRotateX, rotate},
    {pickRotateY, rotate},
    {pickRotateZ, rotate},
};

}  // namespace

bool readObject(int o, objectFields& f)
{
    const int m = currentMap();
    if (o < 0 || o >= world.worldGetObjectCount(m)) return false;
    world.worldGetObject(f.x, f.y, f.z, f.size[axisWidth], f.size[axisHeight], f.size[axisDepth], f.tex, f.layer, o,
                         m);
    return true;
}

void writeObject(int o, const objectFields& f)
{
    const int m = currentMap();
    if (o < 0 || o >= world.worldGetObjectCount(m)) return;
    world.worldSetObject(f.x, f.y, f.z, f.size[axisWidth], f.size[axisHeight], f.size[axisDepth], f.tex, f.layer, o,
                         m);
}

void setObjectImage(int o, int image)
{
    objectFields fields;
    if (!readObject(o, fields)) return;
    fields.tex = image;
    writeObject(o, fields);
}

bool gameEditorObjectPicking(const unsigned char* pixel)
{
    const pickCode code{pixel[0], pixel[1], pixel[2]};
    return runPanelCode(objectMenuCodes, code) || logicMacroPicking(pixel) || sizePicking(code) ||
           runPanelCode(objectCodes, code);
}
