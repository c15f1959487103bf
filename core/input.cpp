// Keyboard routing. Character keys go through the steps of `keyboard` in
// order and then to the handler of the input state; special keys through
// `processSpecialKeys`. During play the letters, Enter, space and the arrows
// become key states for the game logic.
#include "core/input.h"

#include <GL/freeglut.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilut.h>

#include "core/log.h"
#include "core/init.h"
#include "core/system.h"
#include "menus/console.h"
#include "menus/console_commands.h"
#include "menus/help.h"
#include "menus/notice.h"

namespace {

void glutAutoRepeat(bool on)
{
    glutIgnoreKeyRepeat(on ? 0 : 1);
}

autoRepeatFunc autoRepeatSwitch = glutAutoRepeat;

constexpr float blankWidth = 8.0f;
constexpr float blankMargin = 7.0f;
constexpr float glyphMargin = 13.0f;

bool isPlayState(int state)
{
    return state == gameStatePlay || state == gameStatePlaytest;
}

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
    setAutoRepeat(false);
}

void releaseNamedKey(int id)
{
    if (gameSys.getKeyState(id) == keyStateDisabled) return;
    gameSys.setKeyState(id, keyStateReleased);
    setAutoRepeat(true);
    gameSys.setKeyState(id, keyStateIdle);
}

void pressLetter(int i)
{
    if (gameSys.getAlphabetKeyState(i) == keyStateDisabled) return;
    gameSys.setAlphabetKeyState(i, keyStatePressed);
    setAutoRepeat(false);
}

void releaseLetter(int i)
{
    if (gameSys.getAlphabetKeyState(i) == keyStateDisabled) return;
    gameSys.setAlphabetKeyState(i, keyStateReleased);
    setAutoRepeat(true);
    gameSys.setAlphabetKeyState(i, keyStateIdle);
}

void toggleConsole()
{
    if (console.getConsoleState()) {
        console.disableConsole();
        return;
    }
    console.enableConsole();
    setAutoRepeat(true);
}

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

struct functionKey {
    int key;
    void (*run)();
};

const functionKey functionKeys[] = {
    {GLUT_KEY_F1, toggleFullScreen},
    {GLUT_KEY_F2, toggleDebug},
    {GLUT_KEY_F3, toggleHelp},
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

void removeLastCharacter(std::string& text)
{
    if (!text.empty()) text.pop_back();
}

}  // namespace

void setAutoRepeat(bool on)
{
    autoRepeatSwitch(on);
}

void setAutoRepeatSwitch(autoRepeatFunc f)
{
    autoRepeatSwitch = f ? f : glutAutoRepeat;
}

void keyboard(unsigned char key, int, int)
{
    if (key == keyCodeBackQuote && gameSys.getGameState() != gameStateSplash) toggleConsole();

    if (key == 'h' || key == 'H') {
        const int input = gameSys.getInputState();
        if ((!isPlayState(gameSys.getGameState()) && input == inputStateNormal) || input == inputStateHelp)
            toggleHelpKey();
    }

    if (key == keyCodeEscape && gameSys.getDirTextbox() != dirTextboxNone) gameSys.setDirTextbox(dirTextboxNone);

    switch (gameSys.getInputState()) {
    case inputStateNormal: inputState0Keyboard(key); break;
    case inputStateConsole: inputState1Keyboard(key); break;
    case inputStateHelp: inputState4Keyboard(key); break;
    default: break;
    }
}

void inputState0Keyboard(unsigned char key)
{
    if (!playKeysLive()) return;
    if (isLowerLetter(key)) pressLetter(key - 'a');
    else if (namedCharacterKey(key) >= 0) pressNamedKey(namedCharacterKey(key));
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
    if (gameSys.getInputState() == inputStateHelp) pageHelp(key);
    if (playKeysLive() && namedArrowKey(key) >= 0) pressNamedKey(namedArrowKey(key));
    runFunctionKey(key);
    if (console.getConsoleState()) scrollConsole(key);
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
    if (ilutGLScreenie()) {
        notice.setNotice("Screenshot", "A screenshot has been saved to the root of the Quorvane directory.");
        return;
    }
    systemMsg(QV_ERROR "Unable to save a screenshot to the Quorvane directory.");
    notice.setNotice("^yERROR", "The screenshot could not be saved.");
}
