// The picking core without a window: the nearest hit of synthetic selection
// buffers and what it selects (multi-selection, double click, tile
// rectangle), and the dispatch of synthetic pick pixels.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/clock_internal.h"
#include "core/input.h"
#include "core/pick.h"
#include "core/pick_codes.h"
#include "core/pick_internal.h"
#include "core/window_internal.h"
#include "menus/console.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "world_test_util.h"

namespace {

int fakeNow = 0;
int fakeModifiers = 0;
int fakeClock() { return fakeNow; }
int fakeModifierKeys() { return fakeModifiers; }
void noAutoRepeat(bool) {}
void fakeWindow(int& w, int& h) { w = 800, h = 600; }

// A selection buffer built record by record.
struct hitBuffer {
    std::vector<uint32_t> words;
    int hits = 0;
    hitBuffer& add(uint32_t minDepth, std::vector<uint32_t> names)
    {
        words.push_back(static_cast<uint32_t>(names.size()));
        words.push_back(minDepth);
        words.push_back(minDepth + 10);
        words.insert(words.end(), names.begin(), names.end());
        ++hits;
        return *this;
    }
    hitBuffer& object(uint32_t minDepth, int index) { return add(minDepth, {pickObjectNameBase + index}); }
    hitBuffer& tile(uint32_t minDepth, int x, int y)
    {
        return add(minDepth, {static_cast<uint32_t>(x), static_cast<uint32_t>(y)});
    }
    void apply() const { processHits(hits, words.data(), static_cast<int>(words.size())); }
};

class PickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::makeWorld(1, 10);
        fakeNow = 10000;
        fakeModifiers = 0;
        setClockSource(fakeClock);
        setModifierSource(fakeModifierKeys);
        setWindowSizeSource(fakeWindow);
        setAutoRepeatSwitch(noAutoRepeat);
        setTimeChecked(0);
        gameSys.setGameState(gameStateWorldEditor);
        gameSys.setInputState(inputStateNormal);
        gameSys.setLeftMouse(mouseButtonPressed);
        gameSys.setRightMouse(mouseButtonIdle);
        gameSys.setHoverCheck(false);
        gameSys.setDragState(false);
        gameUI = UI();
        uiHelp.clearData();
        uiHelp.setHelpState(false);
        notice.leaveNotice();
    }

    static std::vector<int> objectList()
    {
        std::vector<int> list;
        for (int i = 0; i < worldEditor.getObjectListAmount(); ++i) list.push_back(worldEditor.getObjectList(i));
        return list;
    }
    static void selectAlone(int index)
    {
        worldEditor.resetObjectList();
        worldEditor.setCurrentObject(index);
        worldEditor.setEditorMode(editorModeObject);
    }
};

TEST_F(PickTest, NearestRecordWinsAndTheFirstOfEqualDepths)
{
    hitBuffer().object(500, 1).tile(300, 2, 3).object(300, 5).apply();
    int x, y;
    worldEditor.getCurrentTile(x, y);
    EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{2, 3}));
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeTile);

    hitBuffer().object(300, 5).object(300, 6).object(301, 7).apply();
    EXPECT_EQ(worldEditor.getCurrentObject(), 5);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObject);
}

TEST_F(PickTest, RecordsAtTheFarthestDepthsAreNeverTaken)
{
    worldEditor.setCurrentObject(2);
    hitBuffer().object(4294967294u, 4).object(4294967295u, 6).apply();
    EXPECT_EQ(worldEditor.getCurrentObject(), 2);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeNone);
    EXPECT_EQ(getTimeChecked(), fakeNow);  // the pick still counts for the double click
}

TEST_F(PickTest, AHitCountBeyondTheBufferStopsAtItsEnd)
{
    hitBuffer b;
    b.object(50, 3);
    b.words.push_back(1000);  // a record claiming more names than the buffer holds
    b.words.push_back(1);
    b.words.push_back(2);
    processHits(40, b.words.data(), static_cast<int>(b.words.size()));
    EXPECT_EQ(worldEditor.getCurrentObject(), 3);
}

TEST_F(PickTest, ShiftAndRightClicksBuildTheMultiSelection)
{
    selectAlone(3);
    fakeModifiers = GLUT_ACTIVE_SHIFT;
    hitBuffer().object(10, 7).apply();
    EXPECT_EQ(objectList(), (std::vector<int>{3, 7}));
    EXPECT_EQ(worldEditor.getCurrentObject(), 7);

    worldEditor.setEditorMode(editorModeTile);
    hitBuffer().object(10, 7).apply();  // already listed: only the mode
    EXPECT_EQ(objectList(), (std::vector<int>{3, 7}));
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObject);

    fakeModifiers = 0;
    gameSys.setRightMouse(mouseButtonPressed);
    hitBuffer().object(10, 8).apply();
    EXPECT_EQ(objectList(), (std::vector<int>{3, 7, 8}));

    gameSys.setRightMouse(mouseButtonIdle);
    fakeModifiers = GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL;  // not shift alone: a plain click
    hitBuffer().object(10, 5).apply();
    EXPECT_TRUE(objectList().empty());
    EXPECT_EQ(worldEditor.getCurrentObject(), 5);
}

TEST_F(PickTest, AFirstExtendingClickOutsideTheObjectToolListsOnlyTheHit)
{
    worldEditor.setCurrentObject(3);
    worldEditor.setEditorMode(editorModeTile);
    fakeModifiers = GLUT_ACTIVE_SHIFT;
    hitBuffer().object(10, 7).apply();
    EXPECT_EQ(objectList(), (std::vector<int>{7}));
}

TEST_F(PickTest, TheMultiSelectionStopsAtFiftyAndSkipsBadIndices)
{
    worldtest::makeWorld(1, 60);
    gameSys.setRightMouse(mouseButtonPressed);
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(0);
    for (int i = 1; i <= 55; ++i) hitBuffer().object(10, i).apply();
    EXPECT_EQ(worldEditor.getObjectListAmount(), objectListSize);
    EXPECT_EQ(worldEditor.getObjectList(objectListSize - 1), 49);
    EXPECT_EQ(worldEditor.getCurrentObject(), 49);

    worldEditor.resetObjectList();
    hitBuffer().object(10, 60).apply();  // one past the last object
    hitBuffer().add(10, {7}).apply();    // a name below the object base
    EXPECT_EQ(worldEditor.getObjectListAmount(), 0);
    EXPECT_EQ(worldEditor.getCurrentObject(), 49);
}

TEST_F(PickTest, ASecondClickWithinHalfASecondOpensTheObjectsLogic)
{
    hitBuffer().object(10, 4).apply();
    EXPECT_EQ(worldEditor.getCurrentObject(), 4);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObject);
    fakeNow += 400;
    hitBuffer().object(10, 4).apply();
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObjectLogic);

    selectAlone(4);
    fakeNow += 600;  // too late: nothing opens, but the time restarts
    hitBuffer().object(10, 4).apply();
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObject);
    fakeNow += 499;
    hitBuffer().object(10, 4).apply();
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObjectLogic);
}

TEST_F(PickTest, AClickOnAnotherObjectEmptiesTheListAndEndsADrag)
{
    worldEditor.setObjectList(0, 1);
    worldEditor.setObjectList(1, 2);
    worldEditor.setObjectListAmount(2);
    worldEditor.setLOS(2);
    hitBuffer().object(10, 6).apply();
    EXPECT_TRUE(objectList().empty());
    EXPECT_EQ(worldEditor.getCurrentObject(), 6);
    EXPECT_EQ(worldEditor.getLOS(), -1);
}

TEST_F(PickTest, OpenPickerMenusIgnoreThePick)
{
    setTimeChecked(123);
    worldEditor.setImageMenuTimer(5);
    hitBuffer().object(10, 4).apply();
    worldEditor.setImageMenuTimer(0);
    worldEditor.setTemplateSelect(1);
    hitBuffer().object(10, 4).apply();
    EXPECT_EQ(worldEditor.getCurrentObject(), 0);
    EXPECT_EQ(getTimeChecked(), 123);
}

TEST_F(PickTest, PlaySelectsValidObjectsOnlyAndOtherStatesNothing)
{
    gameSys.setGameState(gameStatePlay);
    hitBuffer().object(10, 3).apply();
    EXPECT_EQ(world.getSelectedObject(), 3);
    world.setSelectedObject(selectedObjectNone);
    hitBuffer().object(10, 10).apply();
    EXPECT_EQ(world.getSelectedObject(), selectedObjectNone);

    gameSys.setGameState(gameStateMenu);
    hitBuffer().object(10, 3).apply();
    EXPECT_EQ(world.getSelectedObject(), selectedObjectNone);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeNone);
}

TEST_F(PickTest, TheTileRectangleGrowsFromItsStart)
{
    worldEditor.setCurrentTile(5, 5);
    fakeModifiers = GLUT_ACTIVE_SHIFT;
    hitBuffer().tile(10, 3, 8).apply();
    int sx, sy, ex, ey, cx, cy;
    worldEditor.getStartingTile(sx, sy);
    worldEditor.getEndingTile(ex, ey);
    worldEditor.getCurrentTile(cx, cy);
    EXPECT_EQ((std::vector<int>{sx, sy, ex, ey}), (std::vector<int>{3, 5, 5, 8}));
    EXPECT_EQ((std::vector<int>{cx, cy}), (std::vector<int>{5, 5}));
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeNone);  // extending keeps the mode

    fakeModifiers = 0;
    gameSys.setDragState(true);
    hitBuffer().tile(10, 1, 1).apply();  // no tile during a drag
    worldEditor.getStartingTile(sx, sy);
    EXPECT_EQ(sx, 3);
    gameSys.setDragState(false);
    hitBuffer().tile(10, 1, 1).apply();
    worldEditor.getEndingTile(ex, ey);
    EXPECT_EQ((std::vector<int>{ex, ey}), (std::vector<int>{1, 1}));
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeTile);
}

TEST_F(PickTest, OtherNameCountsSelectNothing)
{
    worldEditor.setCurrentObject(1);
    hitBuffer().add(10, {}).add(20, {1, 2, 3}).apply();
    EXPECT_EQ(worldEditor.getCurrentObject(), 1);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeNone);
}

// The dispatch of pixels.
bool dispatch(int r, int g, int b)
{
    pickCode code;
    code.r = static_cast<unsigned char>(r);
    code.g = static_cast<unsigned char>(g);
    code.b = static_cast<unsigned char>(b);
    return dispatchPickCode(code);
}

TEST_F(PickTest, HoverKeepsTheTooltipWhileTheKindStaysTheSame)
{
    gameSys.setHoverCheck(true);
    gameSys.setGameState(gameStateMenu);
    dispatch(37, 144, 3);
    fakeNow += 100;
    dispatch(37, 144, 4);
    int id, sub, since;
    gameUI.getCurrentTT(id, sub, since);
    EXPECT_EQ((std::vector<int>{id, sub, since}), (std::vector<int>{37, 3, 10000}));
    fakeNow += 100;
    dispatch(38, 144, 0);
    gameUI.getCurrentTT(id, sub, since);
    EXPECT_EQ((std::vector<int>{id, sub, since}), (std::vector<int>{38, 0, 10200}));
}

TEST_F(PickTest, BlockerSwallowsAndBackgroundEndsTypingOnlyWhereItMay)
{
    EXPECT_TRUE(dispatch(144, 144, 144));

    gameSys.setGameState(gameStateMenu);
    gameSys.setInputState(inputStateMenuTextbox);
    EXPECT_FALSE(dispatch(254, 254, 254));
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);

    gameSys.setInputState(inputStateMenuTextbox);
    gameSys.setLeftMouse(mouseButtonReleased);
    EXPECT_FALSE(dispatch(254, 254, 254));
    EXPECT_EQ(gameSys.getInputState(), inputStateMenuTextbox);

    gameSys.setLeftMouse(mouseButtonPressed);
    console.setConsoleState(true);
    gameSys.setInputState(inputStateConsole);
    EXPECT_FALSE(dispatch(254, 254, 254));
    EXPECT_EQ(gameSys.getInputState(), inputStateConsole);
    console.setConsoleState(false);

    gameSys.setGameState(gameStateUIEditor);
    gameSys.setInputState(inputStateTextLine);
    EXPECT_FALSE(dispatch(254, 254, 254));
    EXPECT_EQ(gameSys.getInputState(), inputStateTextLine);
}

TEST_F(PickTest, AnUnmarkedGreenClearsTheMenuStateButAnImageCellGoesOn)
{
    gameUI.setHoverButton(2);
    gameUI.setPressedButton(2);
    gameUI.setHoverTextbox(1);
    EXPECT_FALSE(dispatch(40, 7, 144));
    EXPECT_EQ(gameUI.getHoverButton(), -1);
    EXPECT_EQ(gameUI.getPressedButton(), -1);
    EXPECT_EQ(gameUI.getHoverTextbox(), -1);

    gameUI.setHoverTextbox(1);  // a press on no menu control leaves the hovered textbox
    dispatch(85, 2, 17);
    EXPECT_EQ(gameUI.getHoverTextbox(), 1);
    EXPECT_EQ(pickImageCellIndex(2, 17), 529);
}

TEST_F(PickTest, PhrasesWrapAtBothEndsOnALeftRelease)
{
    worldEditor.setPhraseMenu(phraseLast);
    const struct { int left, code, menu; } steps[] = {  // a press is consumed but does nothing
        {mouseButtonReleased, pickNextPhrase, 0}, {mouseButtonReleased, pickPreviousPhrase, phraseLast},
        {mouseButtonPressed, pickNextPhrase, phraseLast}, {mouseButtonReleased, pickPhraseEditor, phraseMenuClosed},
        {mouseButtonReleased, pickPhraseEditor, 0}};
    for (const auto& s : steps) {
        gameSys.setLeftMouse(s.left);
        EXPECT_TRUE(dispatch(s.code, 144, 144)) << s.code;
        EXPECT_EQ(worldEditor.getPhraseMenu(), s.menu) << s.code << " with left " << s.left;
    }

    gameSys.setHoverCheck(true);  // hover passes leave these codes alone
    dispatch(pickPhraseEditor, 144, 144);
    EXPECT_EQ(worldEditor.getPhraseMenu(), 0);
}

TEST_F(PickTest, PhraseChoicesAreWrittenIntoTheRuleBeingEdited)
{
    world.mapGlobalAddSentence(0);
    world.mapLocalAddSentence(2, 0);
    worldEditor.setCurrentSentence(0);
    worldEditor.setCurrentObject(2);
    gameSys.setLeftMouse(mouseButtonReleased);

    worldEditor.setEditorMode(editorModeMapLogic);
    worldEditor.setPhraseSelectorChoice(phraseLast);
    dispatch(pickPhraseChoiceNext, 144, 144);
    EXPECT_EQ(worldEditor.getPhraseSelectorChoice(), 0);
    EXPECT_EQ(world.mapGlobalGetWholeSentence(0, 0).getSentenceStep(sentenceStepActionValue), 0);
    dispatch(pickPhraseChoiceNext, 144, 144);
    EXPECT_EQ(world.mapGlobalGetWholeSentence(0, 0).getSentenceStep(sentenceStepActionValue), 1);

    worldEditor.setEditorMode(editorModeObjectLogic);
    worldEditor.setPhraseSelectorMenu(-1);  // the previous choice needs the selector open
    dispatch(pickPhraseChoicePrevious, 144, 144);
    EXPECT_EQ(worldEditor.getPhraseSelectorChoice(), 1);
    worldEditor.setPhraseSelectorMenu(1);
    dispatch(pickPhraseChoicePrevious, 144, 144);
    EXPECT_EQ(worldEditor.getPhraseSelectorChoice(), 0);
    EXPECT_EQ(world.mapLocalGetWholeSentence(0, 2, 0).getSentenceStep(sentenceStepActionValue), 0);
    EXPECT_EQ(world.mapGlobalGetWholeSentence(0, 0).getSentenceStep(sentenceStepActionValue), 1);

    gameSys.setLeftMouse(mouseButtonPressed);
    dispatch(pickPhraseSelector, 144, 144);
    EXPECT_EQ(worldEditor.getPhraseSelectorMenu(), -1);
    dispatch(pickPhraseSelector, 144, 144);
    EXPECT_EQ(worldEditor.getPhraseSelectorMenu(), 1);

    dispatch(pickSentenceScrollDown, 144, 144);
    EXPECT_EQ(worldEditor.getTopSentence(), 1);
    dispatch(pickSentenceScrollUp, 144, 144);
    dispatch(pickSentenceScrollUp, 144, 144);
    EXPECT_EQ(worldEditor.getTopSentence(), 0);
}

TEST_F(PickTest, TheModelMenuCodesBelongToTheObjectLogicEditorOnly)
{
    gameSys.setLeftMouse(mouseButtonReleased);
    EXPECT_FALSE(dispatch(pickModelMenu, 144, 0));  // elsewhere: on to the editors' handlers
    EXPECT_EQ(worldEditor.getModelMenu(), -1);

    worldEditor.setEditorMode(editorModeObjectLogic);
    EXPECT_TRUE(dispatch(pickModelMenu, 144, 0));
    EXPECT_EQ(worldEditor.getModelMenu(), 0);
    gameSys.setLeftMouse(mouseButtonPressed);
    EXPECT_TRUE(dispatch(pickModelMenu, 144, 0));
    EXPECT_EQ(worldEditor.getModelMenu(), 0);

    world.worldSetModel(3, 3);
    world.mapLocalAddSentence(1, 0);
    worldEditor.setCurrentObject(1);
    worldEditor.setCurrentSentence(0);
    world.mapLocalChangeSentence(0, sentenceStepActionValue, 1, 1, 0);
    gameSys.setLeftMouse(mouseButtonReleased);
    for (int i = 0; i < 3; ++i) dispatch(pickNextModel, 144, 144);
    EXPECT_EQ(world.mapLocalGetWholeSentence(0, 1, 0).getSentenceStep(sentenceStepActionValue), 2);
    for (int i = 0; i < 4; ++i) dispatch(pickPreviousModel, 144, 144);
    EXPECT_EQ(world.mapLocalGetWholeSentence(0, 1, 0).getSentenceStep(sentenceStepActionValue), 0);
}

TEST_F(PickTest, HelpTopicsSystemTextboxesAndTheNoticeTakeALeftPress)
{
    uiHelp.menuSetMenuTitle(0, "One");
    uiHelp.menuSetMenuTitle(1, "Two");
    EXPECT_TRUE(dispatch(pickHelpTopic, 144, 1));
    EXPECT_EQ(uiHelp.getHelp(), 1);
    EXPECT_TRUE(dispatch(pickHelpTopic, 144, 2));  // no such topic: consumed, nothing selected
    EXPECT_EQ(uiHelp.getHelp(), 1);

    EXPECT_TRUE(dispatch(pickSysTextbox, 144, 3));
    EXPECT_EQ(gameUI.getTextboxEdit(), 3);
    EXPECT_EQ(gameSys.getInputState(), inputStateSysTextbox);
    gameUI.setTextboxEdit(-1);
    gameSys.setInputState(inputStateNormal);
    EXPECT_TRUE(dispatch(pickSysTextbox, 144, pickSysTextboxCount));  // names no textbox
    EXPECT_EQ(gameUI.getTextboxEdit(), -1);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);

    notice.setNotice("Title", "Message");
    gameSys.setLeftMouse(mouseButtonReleased);
    dispatch(pickNotice, 144, 144);
    EXPECT_TRUE(notice.isShown());
    gameSys.setLeftMouse(mouseButtonPressed);
    EXPECT_TRUE(dispatch(pickNotice, 144, 144));
    EXPECT_FALSE(notice.isShown());
}

TEST_F(PickTest, ConsoleButtonsWorkOnALeftPressAndNotDuringADrag)
{
    gameSys.setGameState(gameStateMenu);
    for (int i = 0; i < 5; ++i) console.echo("line");
    console.setCurrentLine(0);
    EXPECT_TRUE(dispatch(pickToggleConsole, 144, 144));
    EXPECT_TRUE(console.getConsoleState());
    EXPECT_EQ(gameSys.getInputState(), inputStateConsole);

    for (auto [code, line] : {std::pair<int, int>{pickConsoleUp, 1}, {pickConsoleUp, 2}, {pickConsoleDown, 1},
                              {pickConsoleDown, 0}, {pickConsoleDown, 0}}) {
        EXPECT_TRUE(dispatch(code, 144, 144)) << code;
        EXPECT_EQ(console.getCurrentLine(), line) << code;
    }

    gameSys.setDragState(true);
    EXPECT_FALSE(dispatch(pickToggleConsole, 144, 144));
    EXPECT_TRUE(console.getConsoleState());
    gameSys.setDragState(false);

    gameSys.setLeftMouse(mouseButtonReleased);
    EXPECT_FALSE(dispatch(pickToggleConsole, 144, 144));
    EXPECT_TRUE(console.getConsoleState());
    gameSys.setLeftMouse(mouseButtonPressed);
    EXPECT_TRUE(dispatch(pickToggleConsole, 144, 144));
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
}

TEST_F(PickTest, HelpOpensOnAPressAndClosesOnAnyClickButNotOnHover)
{
    gameSys.setGameState(gameStateMenu);
    EXPECT_TRUE(dispatch(pickOpenHelp, 144, 144));
    EXPECT_TRUE(uiHelp.getHelpState());
    EXPECT_EQ(gameSys.getInputState(), inputStateHelp);

    gameSys.setHoverCheck(true);
    EXPECT_FALSE(dispatch(pickCloseHelp, 144, 144));
    EXPECT_TRUE(uiHelp.getHelpState());
    gameSys.setHoverCheck(false);

    gameSys.setLeftMouse(mouseButtonReleased);
    EXPECT_TRUE(dispatch(pickCloseHelp, 144, 144));
    EXPECT_FALSE(uiHelp.getHelpState());
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
}

TEST_F(PickTest, APointerOnTheWindowsEdgeOrOutsidePicksNothing)
{
    for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 300}, {400, 0}, {800, 300}, {400, 600}, {-5, -5}}) {
        gameSys.setMousePos(x, y);
        EXPECT_FALSE(colorPickCheck()) << x << ", " << y;
    }
}

}  // namespace
