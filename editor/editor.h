// The editor state record `editor` and its one instance `worldEditor`: all the
// state of the world editor, the menu editor and the logic editor
// (mode, selections, open panels, welcome panel, tip, layer flags, playtest
// end request), read and changed through its accessors.
#pragma once

enum editorModeId {
    editorModePanelHidden = -1,  // the world editor's bottom panel collapsed
    editorModeNone = 0,
    editorModeMenuScreen = 0,
    editorModeTile = 1,
    editorModeObject = 2,
    editorModeAnimation = 3,
    editorModeNewMap = 4,
    editorModeEditMap = 5,
    editorModeMapLogic = 6,
    editorModeObjectLogic = 7,
    editorModeFog = 8,
    // Choosing the image of skybox face f (0 to 5) is mode editorModeSkyboxFace + f.
    editorModeSkyboxFace = 10,
    editorModeSkyboxFaceLast = 15,
    // The menu editor's modes: nothing selected yet, its panel collapsed, the
    // kind of element selected, or its animation panel.
    editorModeMenuHidden = -2,
    editorModeMenuNone = -1,
    editorModeMenuButton = 1,
    editorModeMenuTextbox = 2,
    editorModeMenuTextline = 3,
    editorModeMenuAnimation = 4,
};

enum welcomeMenuId {
    welcomeMenuNewGame = 0,
    welcomeMenuWorldEditor = 1,
    welcomeMenuMenuEditor = 2,
    welcomeMenuIntro = 3,
};

constexpr int objectListSize = 50;
constexpr int renderLayerCount = 8;
constexpr int phraseMenuClosed = -1;
// The phrase selector's value while it is closed.
constexpr int phraseSelectorClosed = -1;
constexpr int phraseLast = 1023;
// Rules the logic editor lists at once, from the top sentence on.
constexpr int logicRowsShown = 15;
constexpr int worldEditorLastTip = 18;
constexpr int menuEditorLastTip = 16;

class editor {
public:
    editor();

    void setCurrentTile(int x, int y);
    void getCurrentTile(int& x, int& y) const { x = curTile[0]; y = curTile[1]; }
    void setStartingTile(int x, int y);
    void getStartingTile(int& x, int& y) const { x = startingTile[0]; y = startingTile[1]; }
    void setEndingTile(int x, int y);
    void getEndingTile(int& x, int& y) const { x = endingTile[0]; y = endingTile[1]; }

    void setCurrentObject(int i);
    int getCurrentObject() const { return curObject; }

    void setEditorMode(int mode) { editorMode = mode; }
    int getEditorMode() const { return editorMode; }
    void setEditorGlutMenuID(int id) { editorGlutMenuID = id; }
    int getEditorGlutMenuID() const { return editorGlutMenuID; }
    void setUIGlutMenuID(int id) { uiGlutMenuID = id; }
    int getUIGlutMenuID() const { return uiGlutMenuID; }
    void setHelpMenu(int n) { helpMenu = n; }
    int getHelpMenu() const { return helpMenu; }
    void setCurrentButton(int i) { currentButton = i; }
    int getCurrentButton() const { return currentButton; }
    void setCurrentTextbox(int i) { currentTextbox = i; }
    int getCurrentTextbox() const { return currentTextbox; }
    void setCurrentTextline(int i) { currentTextline = i; }
    int getCurrentTextline() const { return currentTextline; }
    void setCurrentAnimImage(int i) { currentAnimImage = i; }
    int getCurrentAnimImage() const { return currentAnimImage; }

    void setGLTimer(int timer, int sentence, int step);
    void getGLTimer(int& timer, int& sentence, int& step) const;
    void setImageMenuTimer(int t) { imageMenuTimer = t; }
    int getImageMenuTimer() const { return imageMenuTimer; }
    void setImageMenuRow(int row) { imageMenuRow = row; }
    int getImageMenuRow() const { return imageMenuRow; }

    // Layers outside 0 to 7 are ignored (and read as off).
    void setRenderLayer(int layer, bool on);
    bool getRenderLayer(int layer) const;

    void setWelcome(int timer, int menu) { welcomeTimer = timer; welcomeMenu = menu; }
    void getWelcome(int& timer, int& menu) const { timer = welcomeTimer; menu = welcomeMenu; }

    // Slots outside 0 to 49 are ignored (and read as -1); a negative id is ignored.
    void setObjectList(int slot, int id);
    int getObjectList(int slot) const;
    void setObjectListAmount(int n) { objectListAmount = n; }
    int getObjectListAmount() const { return objectListAmount; }
    // True when id IS one of the used slots, despite the name.
    bool notInObjectList(int id) const;
    void resetObjectList();

    // Wraps around the tip table of the editor shown (game state 5 or 6).
    void setCurrentTip(int i);
    int getCurrentTip() const { return currentTip; }
    void setTemplateSelect(int n) { templateSelectState = n; }
    int getTemplateSelectState() const { return templateSelectState; }
    void setPhraseMenu(int i);
    int getPhraseMenu() const { return phraseMenu; }
    void setSAO(int n) { SAO = n; }
    int getSAO() const { return SAO; }
    void setCurrentSentence(int s) { currentSentence = s; }
    int getCurrentSentence() const { return currentSentence; }
    void setPhraseSelectorMenu(int n) { phraseSelector = n; }
    int getPhraseSelectorMenu() const { return phraseSelector; }
    void setPhraseSelectorChoice(int i);
    int getPhraseSelectorChoice() const { return phraseSelectorChoice; }
    void setWireframe(bool on) { wireFrame = on; }
    bool getWireframe() const { return wireFrame; }
    void setEndTest(int n) { endTest = n; }
    int getEndTest() const { return endTest; }
    void setTopSentence(int i);
    int getTopSentence() const { return topSentence; }
    void setSkyboxMenu(int n) { skyboxMenu = n; }
    int getSkyboxMenu() const { return skyboxMenu; }
    void setModelMenu(int n) { modelMenu = n; }
    int getModelMenu() const { return modelMenu; }
    void setLOS(int i) { los = i; }
    int getLOS() const { return los; }

private:
    int editorMode = editorModeNone;
    int curTile[2] = {0, 0};
    int startingTile[2] = {0, 0};
    int endingTile[2] = {0, 0};
    int curObject = 0;
    int currentAnimImage = 0;
    int editorGlutMenuID = 0;
    int uiGlutMenuID = 0;
    int helpMenu = 0;
    int currentButton = 0;
    int currentTextbox = 0;
    int currentTextline = 0;
    int glTimer = 0;
    int glTimerSentence = 0;
    int glTimerStep = 0;
    int imageMenuTimer = 0;
    int imageMenuRow = 0;
    bool renderLayer[renderLayerCount];
    int welcomeTimer = 0;
    int welcomeMenu = welcomeMenuNewGame;
    int objectList[objectListSize];
    int objectListAmount = 0;
    int currentTip = 0;
    int templateSelectState = 0;
    int phraseMenu = phraseMenuClosed;
    int SAO = 0;
    int currentSentence = 0;
    int phraseSelector = -1;
    int phraseSelectorChoice = 0;
    bool wireFrame = false;
    int endTest = 0;
    int topSentence = 0;
    int skyboxMenu = 0;
    int modelMenu = -1;
    int los = -1;

    int usedObjectSlots() const;
};

extern editor worldEditor;
