// Keys of the world editor, the menu editor, the game browser and the
// cameras: layers, deleting a selection, nudging objects, phrase browsing,
// keys that close a list or a panel and nothing else, moving menu elements,
// editing text lines and textboxes.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/input.h"
#include "core/window_internal.h"
#include "menus/ui.h"
#include "world_test_util.h"

namespace {

void ignoreAutoRepeat(bool) {}
int heldModifiers = 0;
int modifiers() { return heldModifiers; }

class EditorKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        setAutoRepeatSwitch(ignoreAutoRepeat);
        heldModifiers = 0;
        setModifierSource(modifiers);
        worldtest::makeWorld(1, 6);
        gameUI = UI();
        gameUI.setMenuCount(2);
        gameUI.setCurrentMenu(gameUI.getEditorMenu());
        gameSys.setInputState(inputStateNormal);
        gameSys.setGameState(gameStateWorldEditor);
    }
    static void type(const std::string& keys)
    {
        for (unsigned char key : keys) keyboard(key, 0, 0);
    }
};

TEST_F(EditorKeys, DigitsToggleTheFirstSevenLayers)
{
    keyboard('3', 0, 0);
    EXPECT_FALSE(worldEditor.getRenderLayer(2));
    keyboard('3', 0, 0);
    EXPECT_TRUE(worldEditor.getRenderLayer(2));
    keyboard('8', 0, 0);
    EXPECT_TRUE(worldEditor.getRenderLayer(7));
    gameSys.setInputState(inputStateConsole);
    keyboard('1', 0, 0);
    EXPECT_TRUE(worldEditor.getRenderLayer(0));
}

TEST_F(EditorKeys, DeleteRemovesTheObjectsTheSelectionNamed)
{
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setObjectList(0, 2);
    worldEditor.setObjectList(1, 5);
    worldEditor.setObjectListAmount(2);
    keyboard(keyCodeDelete, 0, 0);
    ASSERT_EQ(world.worldGetObjectCount(0), 4);
    // Objects were made with x equal to their index: 2 and 5 are gone.
    const float kept[] = {0, 1, 3, 4};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(readObjectRecord(i, 0).x, kept[i]) << i;
    EXPECT_EQ(worldEditor.getObjectListAmount(), 0);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeNone);

    // Without a selection the current object goes; outside the object tool nothing does.
    keyboard(keyCodeDelete, 0, 0);
    EXPECT_EQ(world.worldGetObjectCount(0), 4);
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(1);
    keyboard(keyCodeDelete, 0, 0);
    EXPECT_EQ(world.worldGetObjectCount(0), 3);
    EXPECT_EQ(readObjectRecord(1, 0).x, 3.0f);
}

TEST_F(EditorKeys, ObjectToolKeysRaiseTurnAndMoveTheObject)
{
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(1);
    type("aas");
    EXPECT_NEAR(readObjectRecord(1, 0).z, 0.1f, 1e-5f);
    type("qrtt");
    float rx, ry, rz;
    world.worldGetRot(rx, ry, rz, 1, 0);
    EXPECT_EQ((std::vector<float>{rx, ry, rz}), (std::vector<float>{1, -1, 2}));

    processSpecialKeys(GLUT_KEY_LEFT, 0, 0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_NEAR(readObjectRecord(1, 0).x, 1.05f, 1e-5f);
    EXPECT_NEAR(readObjectRecord(1, 0).y, 0.05f, 1e-5f);
    // Shift alone resizes instead; with Ctrl as well the arrows move again.
    heldModifiers = GLUT_ACTIVE_SHIFT;
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    processSpecialKeys(GLUT_KEY_RIGHT, 0, 0);
    objectRecord r = readObjectRecord(1, 0);
    EXPECT_NEAR(r.y, 0.05f, 1e-5f);
    EXPECT_NEAR(r.h, 0.5f, 1e-5f);
    EXPECT_NEAR(r.w, 1.5f, 1e-5f);
    heldModifiers = GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL;
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    r = readObjectRecord(1, 0);
    EXPECT_NEAR(r.y, 0.1f, 1e-5f);
    EXPECT_NEAR(r.h, 0.5f, 1e-5f);
    heldModifiers = 0;
    // Another menu than the editor's takes none of these keys.
    gameUI.setCurrentMenu(gameUI.getEditorMenu() + 1);
    keyboard('a', 0, 0);
    EXPECT_NEAR(readObjectRecord(1, 0).z, 0.1f, 1e-5f);
}

TEST_F(EditorKeys, EnterSpaceAndEscapeWorkTheEditorCamera)
{
    camera.SetPos(0, 10, 10);
    camera.SetLook(0, 0, 0);
    keyboard(keyCodeEnter, 0, 0);
    float x, y, z;
    camera.GetPos(x, y, z);
    EXPECT_EQ(std::make_pair(y, z), std::make_pair(11.0f, 9.0f));
    camera.GetLook(x, y, z);
    EXPECT_EQ(y, 1.0f);
    keyboard(keyCodeSpace, 0, 0);
    keyboard(keyCodeSpace, 0, 0);
    camera.GetPos(x, y, z);
    EXPECT_EQ(std::make_pair(y, z), std::make_pair(9.0f, 11.0f));

    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(camera.getCamMode(), camModeFirstPerson);
    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(camera.getCamMode(), camModeEditor);
    camera.setCamMode(camModeOverhead);
    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(camera.getCamMode(), camModeOverhead);
}

TEST_F(EditorKeys, PhraseMenuWrapsAndIsNotSteppedFromASystemTextbox)
{
    worldEditor.setPhraseMenu(0);
    for (auto [key, menu] : {std::pair{GLUT_KEY_LEFT, phraseLast}, {GLUT_KEY_RIGHT, 0}, {GLUT_KEY_UP, 1}}) {
        processSpecialKeys(key, 0, 0);
        EXPECT_EQ(worldEditor.getPhraseMenu(), menu) << key;
    }
    gameSys.setInputState(inputStateSysTextbox);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(worldEditor.getPhraseMenu(), 1);
    gameSys.setInputState(inputStateNormal);
}

bool wordListClosed()
{
    int timer, sentence, step;
    worldEditor.getGLTimer(timer, sentence, step);
    return timer <= 0;
}

// A key that closes the word list, a phrase panel or the game browser does
// only that: the logic editor stays, the camera neither switches nor rises.
TEST_F(EditorKeys, AKeyThatClosesAListOrAPanelDoesNothingElse)
{
    const struct {
        const char* what;
        unsigned char key;
        int input;
        void (*open)();
        bool (*closed)();
    } cases[] = {
        {"Escape closes the word list", keyCodeEscape, inputStateNormal, [] { worldEditor.setGLTimer(1, 0, 2); },
         wordListClosed},
        {"Enter closes the word list", keyCodeEnter, inputStateNormal, [] { worldEditor.setGLTimer(1, 0, 2); },
         wordListClosed},
        {"Escape closes the phrase editor", keyCodeEscape, inputStateNormal, [] { worldEditor.setPhraseMenu(0); },
         [] { return worldEditor.getPhraseMenu() == phraseMenuClosed; }},
        {"and ends the typing into its field", keyCodeEscape, inputStateSysTextbox,
         [] { worldEditor.setPhraseMenu(0); },
         [] { return worldEditor.getPhraseMenu() == phraseMenuClosed && gameSys.getInputState() == inputStateNormal; }},
        {"Escape closes the phrase selector", keyCodeEscape, inputStateNormal,
         [] { worldEditor.setPhraseSelectorMenu(1); },
         [] { return worldEditor.getPhraseSelectorMenu() == phraseMenuClosed; }},
        {"Escape closes the game browser", keyCodeEscape, inputStateNormal, [] { gameSys.setDirTextbox(1); },
         [] { return gameSys.getDirTextbox() == dirTextboxNone; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        worldEditor.setEditorMode(editorModeObjectLogic);
        camera.setCamMode(camModeEditor);
        camera.SetPos(0, 10, 10);
        gameSys.setInputState(c.input);
        c.open();
        keyboard(c.key, 0, 0);
        EXPECT_TRUE(c.closed());
        EXPECT_EQ(worldEditor.getEditorMode(), editorModeObjectLogic);
        EXPECT_EQ(camera.getCamMode(), camModeEditor);
        float x, y, z;
        camera.GetPos(x, y, z);
        EXPECT_EQ(y, 10.0f);
    }
}

TEST_F(EditorKeys, PhraseSelectorWritesItsChoiceIntoTheSentence)
{
    ASSERT_TRUE(world.mapGlobalAddSentence(0));
    worldEditor.setEditorMode(editorModeMapLogic);
    worldEditor.setCurrentSentence(0);
    worldEditor.setPhraseSelectorMenu(1);
    worldEditor.setPhraseSelectorChoice(0);
    worldEditor.setGLTimer(1, 0, 2);  // the key then goes on to the open word list: "is" steps to "is not"
    processSpecialKeys(GLUT_KEY_DOWN, 0, 0);
    EXPECT_EQ(worldEditor.getPhraseSelectorChoice(), phraseLast);
    EXPECT_EQ(world.mapGlobalGetWholeSentence(0, 0).getSentenceStep(7), phraseLast);
    EXPECT_EQ(world.mapGlobalGetWholeSentence(0, 0).getSentenceStep(2), 301);
}

TEST_F(EditorKeys, FunctionKeysSwitchGridOutlinesAndCameras)
{
    const bool grid = worldEditor.getWireframe();
    processSpecialKeys(GLUT_KEY_F9, 0, 0);
    EXPECT_NE(worldEditor.getWireframe(), grid);
    processSpecialKeys(GLUT_KEY_F10, 0, 0);
    EXPECT_EQ(worldEditor.getSAO(), 1);
    processSpecialKeys(GLUT_KEY_F10, 0, 0);
    EXPECT_EQ(worldEditor.getSAO(), 0);
    gameSys.setGameState(gameStateMenu);
    processSpecialKeys(GLUT_KEY_F10, 0, 0);
    EXPECT_EQ(worldEditor.getSAO(), 0);

    processSpecialKeys(GLUT_KEY_F7, 0, 0);
    EXPECT_EQ(camera.getCamMode(), camModeFirstPerson);
    camera.SetRot(0, 90);
    camera.SetPos(0, 0, 0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    float x, y, z;
    camera.GetPos(x, y, z);
    EXPECT_NEAR(x, 1.0f, 1e-5f);
    EXPECT_NEAR(z, 0.0f, 1e-5f);
    processSpecialKeys(GLUT_KEY_RIGHT, 0, 0);
    camera.GetPos(x, y, z);
    EXPECT_NEAR(z, 0.2f, 1e-5f);
    processSpecialKeys(GLUT_KEY_F6, 0, 0);
    EXPECT_EQ(camera.getCamMode(), camModeEditor);
    float ex, ey, ez;
    camera.GetPos(ex, ey, ez);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    camera.GetPos(x, y, z);
    EXPECT_EQ(x, ex);
    EXPECT_EQ(z, ez);
}

TEST_F(EditorKeys, ImageMenuPaintsTheTileAndObjectSelections)
{
    worldEditor.setEditorMode(editorModeTile);
    world.worldSetTile(7, 0, 0, 0);
    worldEditor.setCurrentTile(0, 0);
    worldEditor.setStartingTile(2, 1);
    worldEditor.setEndingTile(1, 2);
    worldEditor.setImageMenuTimer(1);
    processSpecialKeys(GLUT_KEY_F4, 0, 0);
    int tex = 0;
    for (int x = 1; x <= 2; ++x)
        for (int y = 1; y <= 2; ++y) {
            world.worldGetTile(tex, x, y, 0);
            EXPECT_EQ(tex, 7) << x << "," << y;
        }
    world.worldGetTile(tex, 3, 3, 0);
    EXPECT_NE(tex, 7);

    // In the object tool it paints the selection with its last object's
    // image, but Shift with any key but an arrow does nothing (freeglut sends
    // the Shift key itself as a special key).
    auto objectTex = [](int o) { return readObjectRecord(o, 0).tex; };
    objectRecord second = readObjectRecord(1, 0);
    second.tex = objectTex(0) + 5;
    storeObjectRecord(second, 1, 0);
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setObjectList(0, 0);
    worldEditor.setObjectList(1, 1);
    worldEditor.setObjectListAmount(2);
    heldModifiers = GLUT_ACTIVE_SHIFT;
    for (int key : {GLUT_KEY_SHIFT_L, GLUT_KEY_F4, GLUT_KEY_PAGE_UP}) processSpecialKeys(key, 0, 0);
    EXPECT_NE(objectTex(0), objectTex(1));
    heldModifiers = 0;
    processSpecialKeys(GLUT_KEY_F4, 0, 0);
    EXPECT_EQ(objectTex(0), objectTex(1));
}

TEST_F(EditorKeys, MenuEditorArrowsMoveTheSelectedElementAndTextLinesAreTyped)
{
    gameSys.setGameState(gameStateUIEditor);
    gameUI.setCurrentMenu(0);
    gameUI.uiModifyButton(100, 100, 20, 10, 0, 0, 0, 0, 0);
    gameUI.uiModifyText(50, 60, 1, 1, 1, "Hi", 0, 0);
    worldEditor.setCurrentButton(0);
    worldEditor.setCurrentTextline(0);
    worldEditor.setEditorMode(1);
    processSpecialKeys(GLUT_KEY_RIGHT, 0, 0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    float x, y, w, h;
    int tex, func, func2;
    gameUI.uiGetButton(x, y, w, h, tex, func, func2, 0, 0);
    EXPECT_EQ((std::vector<float>{x, y, w}), (std::vector<float>{105, 95, 20}));

    worldEditor.setEditorMode(3);
    gameSys.setInputState(inputStateTextLine);
    type(" there");
    keyboard(keyCodeBackspace, 0, 0);
    float r, g, b;
    std::string text;
    gameUI.uiGetText(x, y, r, g, b, text, 0, 0);
    EXPECT_EQ(text, "Hi ther");
    processSpecialKeys(GLUT_KEY_DOWN, 0, 0);
    gameUI.uiGetText(x, y, r, g, b, text, 0, 0);
    EXPECT_EQ(y, 65.0f);
    keyboard(keyCodeEnter, 0, 0);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeMenuScreen);
}

TEST_F(EditorKeys, MenuTextboxesTakeFilteredKeysIntoTheirText)
{
    gameSys.setGameState(gameStateMenu);
    gameUI.setCurrentMenu(0);
    gameUI.uiModifyTextbox(10, 10, 100, 20, 4, 0, 0);
    uiScriptString.setString("ab", 4);
    gameUI.setTextboxEdit(0);
    gameSys.setInputState(inputStateMenuTextbox);
    type("c d-9");
    EXPECT_EQ(uiScriptString.getString(4), "abcd9");
    keyboard(keyCodeBackspace, 0, 0);
    EXPECT_EQ(uiScriptString.getString(4), "abcd");
    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    EXPECT_EQ(uiScriptString.getString(4), "abcd");

    // With no textbox in edit the keys are dropped.
    gameUI.setTextboxEdit(-1);
    gameSys.setInputState(inputStateMenuTextbox);
    keyboard('z', 0, 0);
    EXPECT_EQ(uiScriptString.getString(4), "abcd");
    gameSys.setInputState(inputStateNormal);
}

TEST_F(EditorKeys, EnterTakesTheGameBrowsersChoice)
{
    gameSys.setGameState(gameStateMenu);
    gameSys.setDirName(0, "first");
    gameSys.setDirName(1, "second");
    gameSys.setSelectedDir(1);
    gameSys.setDirTextbox(3);
    keyboard(keyCodeEnter, 0, 0);
    EXPECT_EQ(uiScriptString.getString(3), "second");
    EXPECT_EQ(gameSys.getDirTextbox(), dirTextboxNone);
    gameSys.setDirName(0, "");
    gameSys.setDirName(1, "");
}

TEST_F(EditorKeys, EscapeInAPlaytestAsksTheEditorToEndIt)
{
    gameSys.setGameState(gameStatePlaytest);
    keyboard(keyCodeEscape, 0, 0);
    EXPECT_EQ(worldEditor.getEndTest(), 1);
}

TEST_F(EditorKeys, ReadyMessagesGoOnASpecialKeyInPlay)
{
    gameSys.setGameState(gameStatePlay);
    world.setGameBox(gameBoxTimerReady, 5);
    world.setDisplayPhrase(50, 2);
    processSpecialKeys(GLUT_KEY_F4, 0, 0);
    int timer, value;
    world.getGameBox(timer, value);
    EXPECT_EQ(timer, 0);
    world.getDisplayPhrase(timer, value);
    EXPECT_EQ(timer, 50);
    world.setDisplayPhrase(phraseTimerReady, 2);
    processSpecialKeys(GLUT_KEY_LEFT, 0, 0);
    world.getDisplayPhrase(timer, value);
    EXPECT_EQ(timer, 0);
    EXPECT_EQ(gameSys.getKeyState(keyLeft), keyStatePressed);
    specialKeysUp(GLUT_KEY_LEFT, 0, 0);
}

}  // namespace
