// The logic editor's keys.
#include "logic/logic_editor_input.h"

#include <GL/freeglut.h>

#include "core/input.h"
#include "core/mouse.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/phrase_panels.h"
#include "logic/word_picking.h"

namespace {

// A press this soon after the previous click closes the word chooser.
constexpr int wordListCloseMs = 200;

bool inLogicEditor()
{
    const int mode = worldEditor.getEditorMode();
    return mode == editorModeMapLogic || mode == editorModeObjectLogic;
}

// The phrase panels step back on the left and down arrows, on on the right and up ones.
int phraseStep(int key)
{
    if (key == GLUT_KEY_LEFT || key == GLUT_KEY_DOWN) return -1;
    if (key == GLUT_KEY_RIGHT || key == GLUT_KEY_UP) return 1;
    return 0;
}

// A logic word steps back on the left and up arrows, on on the right and down ones.
int wordStep(int key)
{
    if (key == GLUT_KEY_LEFT || key == GLUT_KEY_UP) return -1;
    if (key == GLUT_KEY_RIGHT || key == GLUT_KEY_DOWN) return 1;
    return 0;
}

bool choiceListOpen()
{
    int timer = 0, sentence = 0, step = 0;
    worldEditor.getGLTimer(timer, sentence, step);
    return timer > 0;
}

// A drag moves the open list's word by one each time the pointer has gone
// this far up or down from where the last step was made.
constexpr int dragWordStepPixels = 10;
bool wordAnchorSet = false;
int wordAnchorY = 0;

}  // namespace

bool logicEditorKeyboard(unsigned char key)
{
    if (key != keyCodeEnter && key != keyCodeEscape) return false;
    int time = 0, sentence = 0, step = 0;
    worldEditor.getGLTimer(time, sentence, step);
    if (time <= 0) return false;
    worldEditor.setGLTimer(0, sentence, step);
    return true;
}

bool closePhraseMenus()
{
    bool closed = false;
    if (worldEditor.getPhraseMenu() >= 0) {
        worldEditor.setPhraseMenu(phraseMenuClosed);
        closed = true;
    }
    if (worldEditor.getPhraseSelectorMenu() >= 0) {
        worldEditor.setPhraseSelectorMenu(phraseMenuClosed);
        closed = true;
    }
    return closed;
}

void logicEditorSpecialKeys(int key)
{
    const int phrase = phraseStep(key);
    if (phrase != 0 && gameSys.getInputState() != inputStateSysTextbox) {
        if (worldEditor.getPhraseSelectorMenu() >= 0) stepPhraseChoice(phrase);
        if (worldEditor.getPhraseMenu() >= 0) stepPhraseMenu(phrase);
    }
    const int word = wordStep(key);
    if (word == 0 || !inLogicEditor()) return;
    if (choiceListOpen()) stepListedWord(word);
    else clickUnderPointer(word);
}

bool closeWordListOnQuickClick(int sinceLastClick)
{
    if (!inLogicEditor()) return false;
    int timer = 0, sentence = 0, step = 0;
    worldEditor.getGLTimer(timer, sentence, step);
    if (timer < 0 || sinceLastClick >= wordListCloseMs) return false;
    worldEditor.setGLTimer(-1, 0, 0);
    return true;
}

bool logicEditorWheel(int button, int state)
{
    if (state != mouseEventDown) return false;  // up-events go on to the click handling
    if (choiceListOpen()) stepListedWord(button == mouseWheelDown ? 1 : -1);
    return true;
}

void logicEditorDrag(int /*x*/, int y)
{
    if (!wordAnchorSet) {
        wordAnchorY = y;
        wordAnchorSet = true;
    }
    if (!inLogicEditor() || !choiceListOpen()) return;
    if (y > wordAnchorY + dragWordStepPixels) stepListedWord(1);
    else if (y < wordAnchorY - dragWordStepPixels) stepListedWord(-1);
    else return;
    wordAnchorY = y;
}
