// The editors' shared dialogs: one table of codes with the event each acts
// on, and the map, object and phrase edits they carry out.
#include "editor/editor_dialogs.h"

#include <cctype>
#include <string>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/editor_picking.h"
#include "media/sound.h"
#include "menus/console_commands.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "world/map.h"
#include "world/map_reader.h"
#include "world/world.h"
#include "world/world_limits.h"

namespace {

constexpr int newMapMinSide = 1, newMapMaxSide = mapMaxSize - 1;
const char* const newMapName = "New Map";

const char* const createMapTitle = "Create Map";
const char* const copyMapTitle = "Copy Map";
const char* const editMapTitle = "Edit Map";
const char* const editObjectTitle = "Edit Object";
const char* const invalidName = "Invalid name entered.";

void useTypedText()
{
    gameSys.setInputState(inputStateNormal);
}

bool validObject(int o)
{
    return o >= 0 && o < world.worldGetObjectCount(world.getCurrentMap());
}

void noticeTileBudget(const char* title)
{
    notice.setNotice(title, "The maps of a game may hold at most " + std::to_string(worldTileBudget) + " tiles.");
}

// A further map of `tiles` tiles fits the map count the reader accepts and
// the world's tile budget; otherwise the notice `title` says which.
bool anotherMapFits(long long tiles, const char* title)
{
    if (world.getMapCount() >= mapReaderMaxMaps) {
        playSystemSound(sysSoundError, 0);
        notice.setNotice(title, "A game holds at most " + std::to_string(mapReaderMaxMaps) + " maps.");
        return false;
    }
    if (worldTileCount() + tiles > worldTileBudget) {
        playSystemSound(sysSoundError, 0);
        noticeTileBudget(title);
        return false;
    }
    return true;
}

// Appends a map and makes it current; `fill` gives it its content.
template <typename action>
void appendMap(action fill)
{
    playSystemSound(sysSoundOpen, 0);
    const int n = world.getMapCount();
    world.allocateMaps(n + 1);
    fill(n);
    changeMap(n);
    useTypedText();
}

void createMap()
{
    const int w = readConsoleNumber(getSysTextboxText(sysTextboxNewMapWidth));
    const int h = readConsoleNumber(getSysTextboxText(sysTextboxNewMapHeight));
    const auto inRange = [](int side) { return side >= newMapMinSide && side <= newMapMaxSide; };
    if (!inRange(w) || !inRange(h)) {
        playSystemSound(sysSoundError, 0);
        notice.setNotice(createMapTitle, "Invalid Width or Height entered for new map!");
        return;
    }
    if (!anotherMapFits(static_cast<long long>(w) * h, createMapTitle)) return;
    appendMap([w, h](int n) { world.worldSetMap(w, h, newMapName, n); });
}

void copyCurrentMap()
{
    const int current = world.getCurrentMap();
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, current);
    if (!anotherMapFits(static_cast<long long>(w) * h, copyMapTitle)) return;
    appendMap([current](int n) { world.copyMap(current, n); });
}

int clampToSide(int at, int side)
{
    return at < 0 ? 0 : (at >= side ? side - 1 : at);
}

// Keeps the current tile and the selected rectangle inside a w x h map.
void clampTileSelection(int w, int h)
{
    int cx = 0, cy = 0, sx = 0, sy = 0, ex = 0, ey = 0;
    worldEditor.getCurrentTile(cx, cy);
    worldEditor.getStartingTile(sx, sy);
    worldEditor.getEndingTile(ex, ey);
    worldEditor.setCurrentTile(clampToSide(cx, w), clampToSide(cy, h));
    worldEditor.setStartingTile(clampToSide(sx, w), clampToSide(sy, h));
    worldEditor.setEndingTile(clampToSide(ex, w), clampToSide(ey, h));
}

void resizeMap()
{
    const int w = readConsoleNumber(getSysTextboxText(sysTextboxMapWidth));
    const int h = readConsoleNumber(getSysTextboxText(sysTextboxMapHeight));
    if (w <= 0 || h <= 0 || w > mapMaxSize || h > mapMaxSize) {
        notice.setNotice(editMapTitle, "Invalid Width or Height entered for resize!");
        return;
    }
    const int m = world.getCurrentMap();
    int oldW = 0, oldH = 0;
    std::string name;
    world.worldGetMap(oldW, oldH, name, m);
    const long long others = worldTileCount() - static_cast<long long>(oldW) * oldH;
    if (others + static_cast<long long>(w) * h > worldTileBudget) {
        noticeTileBudget(editMapTitle);
        return;
    }
    world.worldSetMap(w, h, name, m);
    clampTileSelection(w, h);
    useTypedText();
}

void renameMap()
{
    const std::string typed = getSysTextboxText(sysTextboxMapName);
    if (typed.empty()) {
        notice.setNotice(editMapTitle, invalidName);
        return;
    }
    const int m = world.getCurrentMap();
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, m);
    world.worldSetMap(w, h, typed, m);
    useTypedText();
}

bool hasBlank(const std::string& text)
{
    for (unsigned char c : text)
        if (std::isspace(c)) return true;
    return false;
}

// An object's name is stored as one word of its line in map.cfg, so a name
// with a blank would shift every later field when the map is read back.
void renameObject()
{
    const int o = worldEditor.getCurrentObject();
    if (!validObject(o)) return;
    const std::string typed = getSysTextboxText(sysTextboxObjectName);
    if (typed.empty() || hasBlank(typed)) {
        notice.setNotice(editObjectTitle, invalidName);
        return;
    }
    world.worldSetObjectName(typed, o, world.getCurrentMap());
    useTypedText();
}

void storePhrase()
{
    playSystemSound(sysSoundBoop, 0);
    const std::string typed = getSysTextboxText(sysTextboxPhrase);
    if (worldEditor.getPhraseMenu() >= 0) world.setPhrase(worldEditor.getPhraseMenu(), typed);
    else if (worldEditor.getPhraseSelectorMenu() >= 0) world.setPhrase(worldEditor.getPhraseSelectorChoice(), typed);
    setSysTextboxText(sysTextboxPhrase, "");
    useTypedText();
}

void stepTip(int delta)
{
    playSystemSound(sysSoundSelect, 0);
    worldEditor.setCurrentTip(worldEditor.getCurrentTip() + delta);
}

void nextTip()
{
    stepTip(1);
}

void previousTip()
{
    stepTip(-1);
}

void openNewMapPanel()
{
    worldEditor.setEditorMode(editorModeNewMap);
}

void openMapPanel()
{
    worldEditor.setEditorMode(editorModeEditMap);
}

void openGlobalLogic()
{
    worldEditor.setEditorMode(editorModeMapLogic);
}

// The rules edited are the current object's: nothing opens without one.
void openLocalLogic()
{
    if (validObject(worldEditor.getCurrentObject())) worldEditor.setEditorMode(editorModeObjectLogic);
}

// Which events a code takes: a left press only (other events pass on); any
// event; or any event, acting on a left release or Enter only.
enum dialogEvent { onLeftPress, onAnyEvent, onLeftRelease };

struct dialogCode {
    int code;
    dialogEvent event;
    void (*run)();
};

const dialogCode dialogCodes[] = {
    {pickNewMapPanel, onLeftPress, openNewMapPanel}, {pickCreateMap, onAnyEvent, createMap},
    {pickCopyMap, onAnyEvent, copyCurrentMap},       {pickNextTip, onLeftPress, nextTip},
    {pickPreviousTip, onLeftPress, previousTip},     {pickMapPanel, onAnyEvent, openMapPanel},
    {pickResizeMap, onAnyEvent, resizeMap},          {pickRenameMap, onAnyEvent, renameMap},
    {pickRenameObject, onAnyEvent, renameObject},    {pickApplyPhrase, onLeftRelease, storePhrase},
    {pickLocalLogic, onLeftPress, openLocalLogic},   {pickGlobalLogic, onLeftPress, openGlobalLogic},
};

}  // namespace

bool editorDialogPicking(const unsigned char* pixel)
{
    if (gameSys.getHoverState()) return false;
    const bool key = editorKeyEvent();
    const bool leftPress = !key && gameSys.getLeftMouse() == mouseButtonPressed;
    const bool leftRelease = !key && gameSys.getLeftMouse() == mouseButtonReleased;
    for (const dialogCode& d : dialogCodes) {
        if (d.code != pixel[0]) continue;
        switch (d.event) {
        case onLeftPress:
            if (!leftPress) return false;
            d.run();
            return true;
        case onAnyEvent: d.run(); return true;
        case onLeftRelease:
            if (leftRelease || key) d.run();
            return true;
        }
    }
    return false;
}
