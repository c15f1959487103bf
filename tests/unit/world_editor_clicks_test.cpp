// The world editor's clicks and the editors' shared dialogs on synthetic pick
// codes: the click handler's order and gates, and a table of dialog entries
// with their refusals, each case naming the event, the code and what the
// world or the editor shows afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/editor_picking.h"
#include "editor/world_editor_picking.h"
#include "menus/notice.h"
#include "menus/widgets.h"
#include "world/map_reader.h"
#include "world_test_util.h"

namespace {

enum event { hover, leftPress, leftRelease, rightPress, enterKey };

// The code offered as the picking core offers it in the world editor: to the
// editors' first handler, then (the menu handler aside) to the world editor's.
bool editorChain(const unsigned char* pixel)
{
    return uiEditorPicking(pixel) || gameEditorPicking(pixel);
}

bool send(event e, int r, int b)
{
    gameSys.setHoverCheck(e == hover);
    gameSys.setLeftMouse(e == leftPress ? mouseButtonPressed : e == leftRelease ? mouseButtonReleased : 0);
    gameSys.setRightMouse(e == rightPress ? mouseButtonPressed : 0);
    const unsigned char pixel[3] = {static_cast<unsigned char>(r), pickControlMark, static_cast<unsigned char>(b)};
    const bool handled = e == enterKey ? uiEditorKeyPicking(r) : editorChain(pixel);
    gameSys.setHoverCheck(false);
    return handled;
}

int objects()
{
    return world.worldGetObjectCount(world.getCurrentMap());
}

std::string mapName(int m)
{
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, m);
    return name + " " + std::to_string(w) + "x" + std::to_string(h);
}

struct clickCase {
    const char* what;
    std::function<void()> arrange;  // after a world of two 4 x 4 maps with two objects each
    event e;
    int r, b;
    bool handled;
    std::function<bool()> shows;
};

class WorldEditorClicks : public ::testing::TestWithParam<clickCase> {};

TEST_P(WorldEditorClicks, TakeTheirEventsAndShowTheirEffect)
{
    const clickCase& c = GetParam();
    loadSysTextboxes();
    worldtest::makeWorld(2, 2);
    gameSys.setGameState(gameStateWorldEditor);
    if (c.arrange) c.arrange();
    EXPECT_EQ(send(c.e, c.r, c.b), c.handled) << c.what;
    EXPECT_TRUE(c.shows()) << c.what << "; notice: " << notice.getTitle() << " / " << notice.getMessage();
}

void type(int textbox, const char* text)
{
    setSysTextboxText(textbox, text);
}

// A slot that holds a word of the rule, not an object number that deleting objects renumbers.
constexpr int markSlot = 2;

void globalRules(int count)
{
    for (int s = 0; s < count; ++s) {
        world.mapGlobalAddSentence(0);
        world.mapGlobalChangeSentence(0, s, markSlot, s);  // each rule marked with its index
    }
    worldEditor.setEditorMode(editorModeMapLogic);
}

int globalMark(int s)
{
    return world.mapGlobalGetWholeSentence(0, s).getSentenceStep(markSlot);
}

bool noticed(const char* title)
{
    return notice.isShown() && notice.getTitle() == title;
}

const clickCase clickCases[] = {
    {"a hover over add object adds nothing", nullptr, hover, pickAddObject, pickNoIndex, false,
     [] { return objects() == 2; }},
    {"its press is taken without adding", nullptr, leftPress, pickAddObject, pickNoIndex, true,
     [] { return objects() == 2; }},
    {"its release adds one object", nullptr, leftRelease, pickAddObject, pickNoIndex, true,
     [] { return objects() == 3; }},
    {"outside the world editor a map code is not taken", [] { gameSys.setGameState(gameStateMenu); }, leftPress,
     pickNextMap, pickNoIndex, false, [] { return world.getCurrentMap() == 0; }},
    {"a release passes the press gate", nullptr, leftRelease, pickNextMap, pickNoIndex, false,
     [] { return world.getCurrentMap() == 0; }},
    {"a right press steps the map", nullptr, rightPress, pickNextMap, pickNoIndex, true,
     [] { return world.getCurrentMap() == 1; }},
    {"no map after the last", [] { changeMap(1); }, leftPress, pickNextMap, pickNoIndex, true,
     [] { return world.getCurrentMap() == 1; }},
    {"a right press on a toolbar icon is taken without acting", nullptr, rightPress, pickGlobalLogic, pickNoIndex,
     true, [] { return worldEditor.getEditorMode() == editorModeNone; }},
    {"so is one on the next tip arrow", nullptr, rightPress, pickNextTip, pickNoIndex, true,
     [] { return worldEditor.getCurrentTip() == 0; }},
    {"and on the previous tip arrow", nullptr, rightPress, pickPreviousTip, pickNoIndex, true,
     [] { return worldEditor.getCurrentTip() == 0; }},
    {"and on the panel's hide button", nullptr, rightPress, pickToggleSidePanel, pickNoIndex, true,
     [] { return worldEditor.getEditorMode() == editorModeNone; }},
    {"a left press on it acts", nullptr, leftPress, pickGlobalLogic, pickNoIndex, true,
     [] { return worldEditor.getEditorMode() == editorModeMapLogic; }},
    {"the only map is kept", [] { world.worldDeleteMap(1); }, leftPress, pickDeleteMap, pickNoIndex, true,
     [] { return noticed("Cannot Delete Map") && world.getMapCount() == 1; }},
    {"fog density steps by a tenth", nullptr, leftPress, pickFogDensityUp, pickNoIndex, true,
     [] {
         bool on = false;
         float d = 0, r = 0, g = 0, b = 0;
         world.worldGetFog(on, d, r, g, b, 0);
         return d > 0.09f && d < 0.11f;
     }},
    {"leaving the logic editor resets its top rule", [] {
         worldEditor.setEditorMode(editorModeObjectLogic);
         worldEditor.setTopSentence(3);
     }, leftPress, pickLogicBack, editorModeNone, true,
     [] { return worldEditor.getTopSentence() == 0 && worldEditor.getEditorMode() == editorModeNone; }},
    {"rule 300's delete button deletes rule 300, not rule 44", [] {
         globalRules(302);
         worldEditor.setTopSentence(290);
     }, leftPress, pickDeleteSentence, 300 % 256, true,
     [] { return world.mapGlobalGetSentenceAmount(0) == 301 && globalMark(44) == 44 && globalMark(300) == 301; }},
    {"a rule is not copied over the last one of a map without objects", [] {
         globalRules(3);
         world.worldDeleteObject(0, 0);
         world.worldDeleteObject(0, 0);
     }, leftPress, pickCopySentence, 0, true,
     [] { return noticed("^yAdd Sentence") && world.mapGlobalGetSentenceAmount(0) == 3 && globalMark(2) == 2; }},
    {"a rule is copied as the last", [] { globalRules(5); }, leftPress, pickCopySentence, 2, true,
     [] { return world.mapGlobalGetSentenceAmount(0) == 6 && globalMark(5) == 2; }},
    {"a 699 x 699 map is created and shown", [] {
         type(sysTextboxNewMapWidth, " 699");
         type(sysTextboxNewMapHeight, "+699x");
     }, leftPress, pickCreateMap, pickNoIndex, true,
     [] { return world.getCurrentMap() == 2 && mapName(2) == "New Map 699x699"; }},
    {"a 700 wide new map is refused", [] {
         type(sysTextboxNewMapWidth, "700");
         type(sysTextboxNewMapHeight, "10");
     }, enterKey, pickCreateMap, pickNoIndex, true, [] { return noticed("Create Map") && world.getMapCount() == 2; }},
    {"no map past the number the reader accepts", [] {
         world.allocateMaps(mapReaderMaxMaps);
         type(sysTextboxNewMapWidth, "3");
         type(sysTextboxNewMapHeight, "3");
     }, leftPress, pickCreateMap, pickNoIndex, true,
     [] { return noticed("Create Map") && world.getMapCount() == mapReaderMaxMaps; }},
    {"a resize past 700 is refused", [] {
         type(sysTextboxMapWidth, "701");
         type(sysTextboxMapHeight, "701");
     }, leftPress, pickResizeMap, pickNoIndex, true, [] { return noticed("Edit Map") && mapName(0) == "Map0 4x4"; }},
    {"a resize to a height that is no number is refused", [] {
         worldEditor.setCurrentTile(3, 3);
         type(sysTextboxMapWidth, "2");
         type(sysTextboxMapHeight, "abc");
     }, leftPress, pickResizeMap, pickNoIndex, true, [] { return noticed("Edit Map") && mapName(0) == "Map0 4x4"; }},
    {"a resize clamps the tile rectangle", [] {
         worldEditor.setCurrentTile(3, 1);
         worldEditor.setEndingTile(3, 3);
         type(sysTextboxMapWidth, "2");
         type(sysTextboxMapHeight, "3");
     }, enterKey, pickResizeMap, pickNoIndex, true, [] {
         int cx = 0, cy = 0, ex = 0, ey = 0;
         worldEditor.getCurrentTile(cx, cy);
         worldEditor.getEndingTile(ex, ey);
         return mapName(0) == "Map0 2x3" && cx == 1 && cy == 1 && ex == 1 && ey == 2;
     }},
    {"an object name with a blank is refused", [] { type(sysTextboxObjectName, "Big Rock"); }, enterKey,
     pickRenameObject, pickNoIndex, true,
     [] { return noticed("Edit Object") && world.worldGetObjectName(0, 0) != "Big Rock"; }},
    {"an object is renamed", [] { type(sysTextboxObjectName, "Rock"); }, leftRelease, pickRenameObject, pickNoIndex,
     true, [] { return world.worldGetObjectName(0, 0) == "Rock"; }},
    {"no object to rename on an empty map", [] {
         changeMap(1);
         world.worldDeleteObject(1, 1);
         world.worldDeleteObject(0, 1);
         type(sysTextboxObjectName, "Rock");
     }, leftPress, pickRenameObject, pickNoIndex, true, [] { return !notice.isShown(); }},
    {"no local logic without an object", [] {
         world.worldDeleteObject(1, 0);
         world.worldDeleteObject(0, 0);
     }, leftPress, pickLocalLogic, pickNoIndex, true, [] { return worldEditor.getEditorMode() == editorModeNone; }},
    {"Enter in the phrase textbox stores the phrase after a press", [] {
         worldEditor.setPhraseMenu(7);
         type(sysTextboxPhrase, "Hello there");
         gameSys.setLeftMouse(mouseButtonPressed);
     }, enterKey, pickApplyPhrase, pickNoIndex, true,
     [] { return world.getPhrase(7) == "Hello there" && getSysTextboxText(sysTextboxPhrase).empty(); }},
};

INSTANTIATE_TEST_SUITE_P(Table, WorldEditorClicks, ::testing::ValuesIn(clickCases));

}  // namespace
