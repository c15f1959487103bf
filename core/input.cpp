// Keyboard routing. Character keys go through the steps of `keyboard` in
// order and then to the handler of the input state; special keys through
// `processSpecialKeys`. During play the letters, Enter, space and the arrows
// become key states for the game logic.
#include "core/input.h"

#include <GL/freeglut.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilut.h>

#include <boost/filesystem.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "core/camera.h"
#include "core/init.h"
#include "core/log.h"
#include "core/script.h"
#include "core/system.h"
#include "core/window.h"
#include "editor/editor.h"
#include "editor/editor_picking.h"
#include "editor/menu_editor_input.h"
#include "editor/playtest.h"
#include "editor/world_editor_input.h"
#include "logic/executor.h"
#include "logic/logic_editor_input.h"
#include "media/3dmath.h"
#include "media/sound.h"
#include "media/text.h"
#include "menus/browser.h"
#include "menus/button_actions.h"
#include "menus/console.h"
#include "menus/console_commands.h"
#include "menus/dialog.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/widgets.h"
#include "world/game_leave.h"
#include "world/world.h"

namespace {

constexpr float blankWidth = 8.0f;
constexpr float sideStep = 0.2f;

constexpr float blankMargin = 7.0f;
constexpr float glyphMargin = 13.0f;

// Play keys reach the key states only while neither the console nor the help is shown.
bool playKeysLive()
{
    return isPlayState(gameSys.getGameState()) && !console.getConsoleState() && !uiHelp.getHelpState();
}

bool isLowerLetter(unsigned char key)
{
    return key >= 'a' && key <= 'z';
}

bool isAlphanumeric(unsigned char key)
{
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || isLowerLetter(key);
}

// The named key of a character key, or -1.
int namedCharacterKey(unsigned char key)
{
    if (key == keyCodeEnter) return keyEnter;
    if (key == keyCodeSpace) return keySpace;
    return -1;
}

// The named key of an arrow, or -1.
int namedArrowKey(int key)
{
    switch (key) {
    case GLUT_KEY_UP: return keyUp;
    case GLUT_KEY_DOWN: return keyDown;
    case GLUT_KEY_RIGHT: return keyRight;
    case GLUT_KEY_LEFT: return keyLeft;
    default: return -1;
    }
}

// Key states a logic action disabled are never touched here.
void pressNamedKey(int id)
{
    if (gameSys.getKeyState(id) == keyStateDisabled) return;
    gameSys.setKeyState(id, keyStatePressed);
    updateKeyLogic();
    setAutoRepeat(false);
}

void releaseNamedKey(int id)
{
    if (gameSys.getKeyState(id) == keyStateDisabled) return;
    gameSys.setKeyState(id, keyStateReleased);
    updateKeyLogic();
    setAutoRepeat(true);
    gameSys.setKeyState(id, keyStateIdle);
}

void pressLetter(int i)
{
    if (gameSys.getAlphabetKeyState(i) == keyStateDisabled) return;
    gameSys.setAlphabetKeyState(i, keyStatePressed);
    updateKeyLogic();
    setAutoRepeat(false);
}

void releaseLetter(int i)
{
    if (gameSys.getAlphabetKeyState(i) == keyStateDisabled) return;
    gameSys.setAlphabetKeyState(i, keyStateReleased);
    updateKeyLogic();
    setAutoRepeat(true);
    gameSys.setAlphabetKeyState(i, keyStateIdle);
}

// --- Camera --------------------------------------------------------------------

void walkFirstPerson(int key)
{
    float rotx = 0, roty = 0, x = 0, y = 0, z = 0;
    camera.GetRot(rotx, roty);
    camera.GetPos(x, y, z);
    const float yaw = roty * degreesToRadians, pitch = rotx * degreesToRadians;
    switch (key) {
    case GLUT_KEY_LEFT:
        z -= sideStep * std::sin(yaw);
        x -= sideStep * std::cos(yaw);
        break;
    case GLUT_KEY_RIGHT:
        z += sideStep * std::sin(yaw);
        x += sideStep * std::cos(yaw);
        break;
    case GLUT_KEY_UP:
        x += std::sin(yaw);
        z -= std::cos(yaw);
        y -= std::sin(pitch);
        break;
    case GLUT_KEY_DOWN:
        x -= std::sin(yaw);
        z += std::cos(yaw);
        y += std::sin(pitch);
        break;
    default:
        return;
    }
    camera.SetPos(x, y, z);
}

// A ready message box or phrase goes on any special key during play.
void dismissReadyMessages()
{
    int timer = 0, value = 0;
    world.getGameBox(timer, value);
    if (timer == gameBoxTimerReady) world.setGameBox(0, 0);
    world.getDisplayPhrase(timer, value);
    if (timer == phraseTimerReady) world.setDisplayPhrase(0, 0);
}

// --- Screenshots -----------------------------------------------------------------

// The image library saves to the lowest free name screen0.tga ... screen127.tga.
constexpr int screenshotNames = 128;

std::string screenshotName(int i)
{
    return "screen" + std::to_string(i) + ".tga";
}

std::vector<bool> screenshotNamesTaken()
{
    std::vector<bool> taken(screenshotNames);
    boost::system::error_code ec;
    for (int i = 0; i < screenshotNames; ++i) taken[i] = boost::filesystem::exists(screenshotName(i), ec);
    return taken;
}

// The library's own answer is not trusted alone: a screenshot counts as
// written only when a file appeared under a name that was free before.
bool writeScreenshot()
{
    const std::vector<bool> before = screenshotNamesTaken();
    if (!ilutGLScreenie()) return false;
    const std::vector<bool> after = screenshotNamesTaken();
    for (int i = 0; i < screenshotNames; ++i)
        if (!before[i] && after[i]) return true;
    return false;
}

// --- Keys of every state ---------------------------------------------------------

void toggleHelpKey()
{
    if (gameSys.getInputState() == inputStateHelp || console.getConsoleState()) disableHelp();
    else enableHelp();
}

void toggleHelp()
{
    if (uiHelp.getHelpState()) disableHelp();
    else enableHelp();
}

void toggleFullScreen()
{
    setFullScreen(!gameSys.getFS(), false);
}

void toggleDebug()
{
    gameSys.setDebugState(!gameSys.getDebugState(), false);
}

void openQuitDialog()
{
    enableDialog(quitDialog);
}

struct functionKey {
    int key;
    void (*run)();
};

const functionKey functionKeys[] = {
    {GLUT_KEY_F1, toggleFullScreen},
    {GLUT_KEY_F2, toggleDebug},
    {GLUT_KEY_F3, toggleHelp},
    {GLUT_KEY_F5, enterTest},
    {GLUT_KEY_F9, toggleEditorWireframe},
    {GLUT_KEY_F10, toggleEditorObjectOutlines},
    {GLUT_KEY_F11, openQuitDialog},
    {GLUT_KEY_F12, saveScreenshot},
};

void runFunctionKey(int key)
{
    for (const functionKey& f : functionKeys) {
        if (f.key != key) continue;
        f.run();
        return;
    }
}

void scrollConsole(int key)
{
    switch (key) {
    case GLUT_KEY_DOWN: console.scrollNewer(); break;
    case GLUT_KEY_UP: console.scrollOlder(); break;
    case GLUT_KEY_PAGE_DOWN: console.scrollNewest(); break;
    case GLUT_KEY_PAGE_UP: console.scrollOldest(); break;
    default: break;
    }
}

void pageHelp(int key)
{
    if (key == GLUT_KEY_UP || key == GLUT_KEY_LEFT) uiHelp.selectPreviousTopic();
    else if (key == GLUT_KEY_RIGHT || key == GLUT_KEY_DOWN) uiHelp.selectNextTopic();
}

// Enter in a menu textbox runs the button it is linked to; a link to no
// button of the menu leaves the textbox in edit and runs nothing.
void runLinkedButton(int m, int t)
{
    const int linked = gameUI.uiGetLinkedButton(t, m);
    if (linked < 0) return;
    float x, y, w, h;
    int tex, func, func2;
    if (!gameUI.uiGetButton(x, y, w, h, tex, func, func2, m, linked)) return;
    gameSys.setInputState(inputStateNormal);
    buttonAction(func, func2);
}

void removeLastCharacter(std::string& text)
{
    if (!text.empty()) text.pop_back();
}

// A key typed into the edited system textbox: any character. Enter leaves the
// box when it has a linked code and hands that code to the editors.
void sysTextboxKeyboard(unsigned char key)
{
    const int t = gameUI.getTextboxEdit();
    if (t < 0 || t >= pickSysTextboxCount) return;
    const Textbox& box = sysTextbox[static_cast<size_t>(t)];
    float x = 0, y = 0, w = 0, h = 0;
    int textIndex = -1;
    box.getTextbox(x, y, w, h, textIndex);
    std::string text = uiScriptString.getString(textIndex);
    switch (editTextboxText(text, key, textboxKindSystem, w, getDisplayTextSize)) {
    case textboxKeyEdited: uiScriptString.setString(text, textIndex); break;
    case textboxKeyEscape: gameSys.setInputState(inputStateNormal); break;
    case textboxKeyEnter:
        if (box.getLinkedButton() < 0) break;
        gameSys.setInputState(inputStateNormal);
        uiEditorKeyPicking(box.getLinkedButton());
        break;
    default: break;
    }
}

// Escape closes the phrase panels and the game browser; true when it closed one.
bool closePanelsOnEscape()
{
    bool closed = closePhraseMenus();
    // Typing into the phrase editor's field ends with the panel.
    if (closed && gameSys.getInputState() == inputStateSysTextbox) gameSys.setInputState(inputStateNormal);
    if (gameSys.getDirTextbox() != dirTextboxNone) {
        gameSys.setDirTextbox(dirTextboxNone);
        closed = true;
    }
    return closed;
}

}  // namespace

// A key that closes the word list, a phrase panel or the game browser does
// only that: it goes to no later step.
void keyboard(unsigned char key, int, int)
{
    if (key == keyCodeBackQuote && gameSys.getGameState() != gameStateSplash) toggleConsole(consoleToggle::key);

    if (key == 'h' || key == 'H') {
        const int input = gameSys.getInputState();
        if ((!isPlayState(gameSys.getGameState()) && input == inputStateNormal) || input == inputStateHelp)
            toggleHelpKey();
    }

    const int state = gameSys.getGameState();
    if (state == gameStateWorldEditor && gameSys.getInputState() == inputStateNormal && worldEditorKeyboard(key))
        return;

    if (state == gameStateUIEditor && !console.getConsoleState() && !uiHelp.getHelpState()) menuEditorKeyboard(key);

    if (key == keyCodeEnter && gameSys.getDirTextbox() != dirTextboxNone) confirmBrowserChoice();

    if (key == keyCodeEscape && closePanelsOnEscape()) return;

    switch (gameSys.getInputState()) {
    case inputStateNormal: inputState0Keyboard(key); break;
    case inputStateConsole: inputState1Keyboard(key); break;
    case inputStateMenuTextbox:
    case inputStateSysTextbox:
        if (gameUI.getTextboxEdit() != -1) inputState2Keyboard(key);
        break;
    case inputStateTextLine: inputState3Keyboard(key); break;
    case inputStateHelp: inputState4Keyboard(key); break;
    default: break;
    }
}

void inputState0Keyboard(unsigned char key)
{
    if (playKeysLive()) {
        if (isLowerLetter(key)) pressLetter(key - 'a');
        else if (namedCharacterKey(key) >= 0) pressNamedKey(namedCharacterKey(key));
    }
    const int state = gameSys.getGameState();
    if (state == gameStateWorldEditor) worldEditorNormalKeyboard(key);
    if (key == keyCodeTab) {
        if (isPlayState(state)) glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
        enableDialog(quitDialog);
    }
    if (key != keyCodeEscape) return;
    if (state == gameStateIngameMenu &&
        static_cast<float>(gameUI.getCurrentMenu()) == scriptUI.findLineF("ingamemenu")) {
        leaveIngameMenu();
        return;
    }
    if (state == gameStatePlay) loadIngameMenu();
    else if (state == gameStatePlaytest) worldEditor.setEndTest(1);
}

void inputState2Keyboard(unsigned char key)
{
    if (gameSys.getInputState() == inputStateSysTextbox) {
        sysTextboxKeyboard(key);
        return;
    }
    if (gameSys.getInputState() != inputStateMenuTextbox) return;
    const int m = gameUI.getCurrentMenu(), t = gameUI.getTextboxEdit();
    float x = 0, y = 0, w = 0, h = 0;
    int textIndex = -1;
    gameUI.uiGetTextbox(x, y, w, h, textIndex, m, t);
    if (textIndex < 0) return;
    std::string text = uiScriptString.getString(textIndex);
    switch (editTextboxText(text, key, textboxKindMenu, w, getDisplayTextSize)) {
    case textboxKeyEdited: uiScriptString.setString(text, textIndex); break;
    case textboxKeyEscape: gameSys.setInputState(inputStateNormal); break;
    case textboxKeyEnter: runLinkedButton(m, t); break;
    default: break;
    }
}

void inputState3Keyboard(unsigned char key)
{
    menuEditorTextlineKeyboard(key);
}

void inputState1Keyboard(unsigned char key)
{
    std::string line = console.getCommandLine();
    switch (key) {
    case keyCodeEnter: inputConsole(line); return;
    case keyCodeBackspace: removeLastCharacter(line); break;
    case keyCodeEscape: console.disableConsole(); return;
    case keyCodeBackQuote: return;
    default: line += static_cast<char>(key); break;
    }
    console.setCommandLine(line);
}

void inputState4Keyboard(unsigned char key)
{
    if (key == keyCodeEscape) disableHelp();
}

void keyboardUp(unsigned char key, int, int)
{
    if (!isPlayState(gameSys.getGameState())) return;
    if (isLowerLetter(key)) releaseLetter(key - 'a');
    else if (namedCharacterKey(key) >= 0) releaseNamedKey(namedCharacterKey(key));
}

void processSpecialKeys(int key, int, int)
{
    if (key == GLUT_KEY_F6) camera.setCamMode(camModeEditor);
    else if (key == GLUT_KEY_F7) camera.setCamMode(camModeFirstPerson);
    if (camera.getCamMode() == camModeFirstPerson) walkFirstPerson(key);
    if (gameSys.getInputState() == inputStateHelp) pageHelp(key);
    if (playKeysLive()) {
        dismissReadyMessages();
        if (namedArrowKey(key) >= 0) pressNamedKey(namedArrowKey(key));
    }
    runFunctionKey(key);
    if (console.getConsoleState()) {
        scrollConsole(key);
        return;
    }
    const int state = gameSys.getGameState();
    if (state == gameStateUIEditor) menuEditorSpecialKeys(key);
    else if (state == gameStateWorldEditor) worldEditorSpecialKeys(key);
}

void specialKeysUp(int key, int, int)
{
    if (!isPlayState(gameSys.getGameState())) return;
    if (namedArrowKey(key) >= 0) releaseNamedKey(namedArrowKey(key));
}

textboxKeyResult editTextboxText(std::string& text, unsigned char key, textboxKind kind, float width,
                                 textWidthFunc measure)
{
    const bool control = key == keyCodeEnter || key == keyCodeBackspace || key == keyCodeEscape;
    if (kind == textboxKindMenu && !control && !isAlphanumeric(key)) return textboxKeyDropped;
    switch (key) {
    case keyCodeEscape: return textboxKeyEscape;
    case keyCodeEnter: return textboxKeyEnter;
    case keyCodeBackspace:
        if (text.empty()) return textboxKeyDropped;
        text.pop_back();
        return textboxKeyEdited;
    case keyCodeSpace:
        if (blankWidth * static_cast<float>(text.size()) >= width - blankMargin) return textboxKeyDropped;
        text += ' ';
        return textboxKeyEdited;
    default:
        if (measure(text) >= width - glyphMargin) return textboxKeyDropped;
        text += static_cast<char>(key);
        return textboxKeyEdited;
    }
}

bool editTextLine(std::string& text, unsigned char key)
{
    if (key == keyCodeEscape || key == keyCodeEnter) return false;
    if (key == keyCodeBackspace) removeLastCharacter(text);
    else text += static_cast<char>(key);
    return true;
}

void saveScreenshot()
{
    if (writeScreenshot()) {
        notice.setNotice("Screenshot", "A screenshot has been saved to the root of the Quorvane directory.");
        return;
    }
    systemMsg(QV_ERROR "Unable to save a screenshot to the Quorvane directory.");
    notice.setNotice("^yERROR", "The screenshot could not be saved.");
}
