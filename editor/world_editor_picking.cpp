// The world editor's click handler: its tests in their fixed order, with the
// gates that enclose them, and the codes of the toolbar, the maps, the fog
// panel and the logic editor's rule buttons.
#include "editor/world_editor_picking.h"

#include "core/mouse.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/add_object.h"
#include "editor/editor.h"
#include "editor/panel_picking.h"
#include "editor/playtest.h"
#include "editor/welcome.h"
#include "editor/world_editor_screen.h"
#include "logic/sentence.h"
#include "media/sound.h"
#include "menus/browser.h"
#include "menus/dialog.h"
#include "menus/fog_panel.h"
#include "menus/notice.h"
#include "world/world.h"

namespace {

constexpr int deleteMapDialog = 3;
// A fog code R runs fog function R - fogCodeToFunction.
constexpr int fogCodeToFunction = pickFogToggle - fogFunctionToggle;
constexpr int ruleIndexBytes = 256;

bool inLogicEditor()
{
    const int mode = worldEditor.getEditorMode();
    return mode == editorModeMapLogic || mode == editorModeObjectLogic;
}

// --- Objects of the toolbar ----------------------------------------------------

// Each object of the multi-selection is copied in turn, and its slot then
// names the copy (the map's last object); without one the current object is.
void copySelectedObjects()
{
    playSystemSound(sysSoundCopy, 0);
    const int m = world.getCurrentMap();
    const int amount = worldEditor.getObjectListAmount();
    if (amount == 0) {
        world.worldCopyObject(worldEditor.getCurrentObject(), m);
        return;
    }
    for (int slot = 0; slot < amount; ++slot) {
        const int original = worldEditor.getObjectList(slot);
        worldEditor.setCurrentObject(original);
        world.worldCopyObject(original, m);
        worldEditor.setObjectList(slot, world.worldGetObjectCount(m) - 1);
    }
}

// --- Rules of the logic editor -------------------------------------------------

// A rule button carries its rule's index in one byte: the rule meant is the
// listed one whose index has that low byte; -1 when none has.
int listedRule(int indexByte, int ruleCount)
{
    const int top = worldEditor.getTopSentence();
    for (int s = top; s < top + logicRowsShown && s < ruleCount; ++s)
        if (s % ruleIndexBytes == indexByte) return s;
    return -1;
}

int ruleCount()
{
    const int m = world.getCurrentMap();
    if (worldEditor.getEditorMode() == editorModeMapLogic) return world.mapGlobalGetSentenceAmount(m);
    return world.mapLocalGetSentenceAmount(worldEditor.getCurrentObject(), m);
}

void noticeNoObjectForRule()
{
    notice.setNotice("^yAdd Sentence", "^wYou must have at least one object to add a sentence.");
}

// Appends a rule to the list being edited; false when the list did not grow.
bool appendRule()
{
    const int m = world.getCurrentMap();
    const int before = ruleCount();
    if (worldEditor.getEditorMode() == editorModeMapLogic) {
        if (world.worldGetObjectCount(m) <= 0) {
            noticeNoObjectForRule();
            return false;
        }
        world.mapGlobalAddSentence(m);
    } else if (worldEditor.getEditorMode() == editorModeObjectLogic) {
        world.mapLocalAddSentence(worldEditor.getCurrentObject(), m);
    }
    return ruleCount() > before;
}

void addRule()
{
    playSystemSound(sysSoundCreate, 0);
    appendRule();
}

void deleteRule(int indexByte)
{
    playSystemSound(sysSoundDelete, 0);
    const int s = listedRule(indexByte, ruleCount());
    if (s < 0) return;
    const int m = world.getCurrentMap();
    if (worldEditor.getEditorMode() == editorModeMapLogic) world.mapGlobalDeleteSentence(m, s);
    else if (worldEditor.getEditorMode() == editorModeObjectLogic)
        world.mapLocalDeleteSentence(s, worldEditor.getCurrentObject(), m);
}

// The copy is the last rule, with the eight steps of the rule copied; a
// list that cannot grow keeps every rule as it was.
void copyRule(int indexByte)
{
    playSystemSound(sysSoundBoop, 0);
    if (!inLogicEditor()) return;
    const int s = listedRule(indexByte, ruleCount());
    if (s < 0) return;
    const int m = world.getCurrentMap(), o = worldEditor.getCurrentObject();
    const bool global = worldEditor.getEditorMode() == editorModeMapLogic;
    const sentence copied = global ? world.mapGlobalGetWholeSentence(m, s) : world.mapLocalGetWholeSentence(s, o, m);
    if (!appendRule()) return;
    const int last = ruleCount() - 1;
    for (int step = 0; step < sentenceStepCount; ++step) {
        const int value = copied.getSentenceStep(step);
        if (global) world.mapGlobalChangeSentence(m, last, step, value);
        else world.mapLocalChangeSentence(last, step, value, o, m);
    }
}

void leaveLogicEditor(int mode)
{
    if (inLogicEditor()) worldEditor.setTopSentence(0);
    worldEditor.setEditorMode(mode);
}

// The codes of the logic editor's rule buttons; false for other codes.
bool ruleButtonPicking(const unsigned char* pixel)
{
    switch (pixel[0]) {
    case pickLogicBack: leaveLogicEditor(pixel[2]); return true;
    case pickAddSentence: addRule(); return true;
    case pickDeleteSentence: deleteRule(pixel[2]); return true;
    case pickCopySentence: copyRule(pixel[2]); return true;
    default: return false;
    }
}

// --- Maps and fog ------------------------------------------------------------------

void stepMap(int delta)
{
    const int next = world.getCurrentMap() + delta;
    if (next >= 0 && next < world.getMapCount()) changeMap(next);
}

void deleteCurrentMapNow()
{
    worldEditor.setEditorMode(editorModeNone);
    world.worldDeleteMap(world.getCurrentMap());
}

void askToDeleteMap()
{
    if (world.getMapCount() > 1) enableDialog(deleteMapDialog);
    else notice.setNotice("Cannot Delete Map", "There must always be at least one map.");
}

bool isFogCode(int code)
{
    return code >= pickFogToggle && code <= pickFogBlueDown;
}

// The codes of the maps, the playtest button and the fog panel; false for other codes.
bool mapAndFogPicking(int code)
{
    switch (code) {
    case pickNextMap: stepMap(1); return true;
    case pickPreviousMap: stepMap(-1); return true;
    case pickPlaytest: enterTest(); return true;
    case pickDeleteMapNow: deleteCurrentMapNow(); return true;
    case pickDeleteMap: askToDeleteMap(); return true;
    case pickFogPanel: worldEditor.setEditorMode(editorModeFog); return true;
    default: break;
    }
    if (!isFogCode(code)) return false;
    menuFunction(code - fogCodeToFunction);
    return true;
}

// A right press on a toolbar icon, a tip-bar arrow or the panel's hide and
// show button, which act on a left press only, is consumed without acting,
// so that it never selects the tile or object behind the control.
bool overlayRightPress(int code)
{
    if (!rightPressed()) return false;
    return isToolbarCode(code) || code == pickNextTip || code == pickPreviousTip || code == pickToggleSidePanel;
}

}  // namespace

bool gameEditorPicking(const unsigned char* pixel)
{
    const int code = pixel[0];
    const bool hover = gameSys.getHoverState();
    if (welcomePicking(pixel)) return true;
    if (browserPicking(pixel)) return true;
    if (gameSys.getGameState() != gameStateWorldEditor) return false;

    if (code == pickAddObject || code == pickCopyObjects) {
        if (hover) return false;
        if (leftReleased()) code == pickAddObject ? addObject() : copySelectedObjects();
        return true;
    }
    if (!leftPressed() && !rightPressed()) return false;
    if (!hover && ruleButtonPicking(pixel)) return true;
    if (mapAndFogPicking(code)) return true;
    if (gameEditorPanelPicking(pixel)) return true;
    if (worldEditor.getEditorMode() == editorModeObject && gameEditorObjectPicking(pixel)) return true;
    return overlayRightPress(code);
}
