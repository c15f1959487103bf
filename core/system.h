// System: the one record of the program's global state (window, game state,
// input state, pointer, keys, sound settings, frame figures, game folders),
// held by the global gameSys; also the settings table scriptSys.
#pragma once
#include <string>

#include "core/script.h"

enum gameStateId {
    gameStateMenu = 0,
    gameStateIngameMenu = 1,
    gameStatePlay = 2,
    gameStateSplash = 3,
    gameStateDialog = 4,
    gameStateWorldEditor = 5,
    gameStateUIEditor = 6,
    gameStatePlaytest = 7,
};

// The predicates over game states that input, drawing and the rules share.
// A game is played: play or playtest.
constexpr bool isPlayState(int state)
{
    return state == gameStatePlay || state == gameStatePlaytest;
}
// One of the two editors runs: the world editor or the menu editor.
constexpr bool isEditorState(int state)
{
    return state == gameStateWorldEditor || state == gameStateUIEditor;
}
// A game's world lies under the pointer: played, playtested or edited in the
// world editor.
constexpr bool isWorldState(int state)
{
    return isPlayState(state) || state == gameStateWorldEditor;
}

enum inputStateId {
    inputStateNormal = 0,
    inputStateConsole = 1,
    inputStateMenuTextbox = 2,
    inputStateTextLine = 3,
    inputStateHelp = 4,
    inputStateSysTextbox = 5,
};

enum keyId { keyUp = 0, keyDown = 1, keyRight = 2, keyLeft = 3, keySpace = 4, keyEnter = 5 };
constexpr int namedKeyCount = 6;
constexpr int alphabetKeyCount = 26;

enum keyStateId { keyStateIdle = 0, keyStatePressed = 1, keyStateReleased = 2, keyStateDisabled = 3 };

enum mouseButtonStateId { mouseButtonIdle = 0, mouseButtonPressed = 1, mouseButtonReleased = 2 };

// The program's version and build, shown by the console banner and the debug overlay.
constexpr const char* programVersion = "V 0.1";
constexpr int programBuild = 0;

constexpr int dirTextboxNone = -1;
constexpr int gameListSize = 128;
constexpr int systemNameSize = 256;

class System {
public:
    System();

    void SetSystem(int x, int y, int w, int h, const char* name);
    int getWX() const { return wx; }
    int getWY() const { return wy; }
    int getWW() const { return ww; }
    int getWH() const { return wh; }
    char* getName() { return wname; }

    void setFS(bool on) { fscreen = on; }
    bool getFS() const { return fscreen; }
    void setGameState(int s) { gameState = s; }
    int getGameState() const { return gameState; }
    void setInputState(int s) { inputState = s; }
    int getInputState() const { return inputState; }
    void setDebugState(bool on, bool quiet);
    bool getDebugState() const { return debugMode; }

    void setMousePos(int x, int y) { mousex = x; mousey = y; }
    void getMousePos(int& x, int& y) const { x = mousex; y = mousey; }
    void setOrthoPos(int x, int y) { orthox = x; orthoy = y; }
    void getOrthoPos(int& x, int& y) const { x = orthox; y = orthoy; }
    void setNormalPos(double x, double y) { normalx = x; normaly = y; }
    void getNormalPos(double& x, double& y) const { x = normalx; y = normaly; }

    void setFPSRender(int f) { fps = f; }
    int getFPSRender() const { return fps; }
    void setColorPick(bool on) { colorPick = on; }
    bool getColorPick() const { return colorPick; }
    void setLeftMouse(int s) { leftMouse = s; }
    int getLeftMouse() const { return leftMouse; }
    void setRightMouse(int s) { rightMouse = s; }
    int getRightMouse() const { return rightMouse; }
    void setHoverCheck(bool on) { hoverCheck = on; }
    bool getHoverState() const { return hoverCheck; }
    void setStartingSystemTime(int t) { startTime = t; }
    int getStartingSystemTime() const { return startTime; }
    void setDragState(bool on) { mouseDrag = on; }
    bool getDragState() const { return mouseDrag; }
    void setDragDelay(int d) { dragDelay = d; }
    int getDragDelay() const { return dragDelay; }
    void setLastGameEdited(std::string name) { lastGameEdited = std::move(name); }
    std::string getLastGameEdited() const { return lastGameEdited; }
    void setCurFPS(int f) { curFPS = f; }
    int getCurFPS() const { return curFPS; }

    void setKeyState(int id, int state);
    int getKeyState(int id) const;
    void setAlphabetKeyState(int i, int state);
    int getAlphabetKeyState(int i) const;
    int getCurrentAlphabetKey() const;
    void resetKeyState();

    void setDisableMouseState(bool on) { disableMouse = on; }
    bool getDisableMouseState() const { return disableMouse; }
    void setSoundState(bool on) { soundState = on; }
    bool getSoundState() const { return soundState; }
    void setSoundVolume(float v);
    float getSoundVolume() const { return soundVolume; }
    void setVolTimer(int t) { volTimer = t; }
    int getVolTimer() const { return volTimer; }

    void setDirName(int i, std::string name);
    std::string getDirName(int i) const;
    void setDirTextbox(int i) { dirTextbox = i; }
    int getDirTextbox() const { return dirTextbox; }
    void setLastDir(int i) { lastDir = i; }
    int getLastDir() const { return lastDir; }
    void setSelectedDir(int i) { selectedDir = i; }
    int getSelectedDir() const { return selectedDir; }

    // Every field back to its start-up value, as a fresh run begins.
    void reset() { *this = System(); }

    System(const System&) = delete;
    System& operator=(const System&) = delete;

private:
    System& operator=(System&&) = default;  // for reset only: the one record is never copied
    int wx = 0, wy = 0, ww = 1, wh = 1;
    bool fscreen = false;
    char wname[systemNameSize] = {};
    int gameState = gameStateMenu;
    int inputState = inputStateNormal;
    bool debugMode = false;
    int mousex = 0, mousey = 0;
    int orthox = 0, orthoy = 0;
    double normalx = 0.0, normaly = 0.0;
    int fps = 0;
    bool colorPick = false;
    int leftMouse = mouseButtonIdle, rightMouse = mouseButtonIdle;
    bool hoverCheck = false;
    int startTime = 0;
    bool mouseDrag = false;
    int dragDelay = 0;
    std::string lastGameEdited;
    int curFPS = 0;
    int leftArrow = 0, rightArrow = 0, upArrow = 0, downArrow = 0, spaceBar = 0, enterKey = 0;
    int alphakeys[alphabetKeyCount] = {};
    int currentAlphabetKey = 0;
    bool disableMouse = false;
    bool soundState = true;
    float soundVolume = 1.0f;
    int volTimer = 0;
    std::string dirNames[gameListSize];
    int dirTextbox = dirTextboxNone;
    int lastDir = 0;
    int selectedDir = 0;

    static int System::* const namedKeyFields[namedKeyCount];
    void storeName(const char* name);
};

extern System gameSys;
extern scriptObject scriptSys;

// Rebuilds the game folder list from `games/`: its folders and links to
// folders (a game kept elsewhere); a named pipe, a device, a socket or a
// broken link there is named in a warning.
void updateGameList();
