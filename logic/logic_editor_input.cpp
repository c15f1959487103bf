// The logic editor's keys.
#include "logic/logic_editor_input.h"

#include <GL/freeglut.h>

#include "core/input.h"
#include "core/mouse.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/sentence.h"
#include "media/sound.h"
#include "world/world.h"

namespace {

// A press this soon after the previous click closes the word chooser.
constexpr int wordListCloseMs = 200;

bool inLogicEditor()
{
    const int mode = worldEditor.getEditorMode();
    return mode == editorModeMapLogic || mode == editorModeObjectLogic;
}

bool isLeftOrDown(int key)
{
    return key == GLUT_KEY_LEFT || key == GLUT_KEY_DOWN;
}

bool isRightOrUp(int key)
{
    return key == GLUT_KEY_RIGHT || key == GLUT_KEY_UP;
}

void stepPhraseSelector(int key)
{
    if (!isLeftOrDown(key) && !isRightOrUp(key)) return;
    playSystemSound(sysSoundSelect, 0);
    worldEditor.setPhraseSelectorChoice(worldEditor.getPhraseSelectorChoice() + (isRightOrUp(key) ? 1 : -1));
    const int choice = worldEditor.getPhraseSelectorChoice(), sentence = worldEditor.getCurrentSentence();
    const int m = world.getCurrentMap();
    if (worldEditor.getEditorMode() == editorModeMapLogic)
        world.mapGlobalChangeSentence(m, sentence, sentenceStepActionValue, choice);
    else
        world.mapLocalChangeSentence(sentence, sentenceStepActionValue, choice, worldEditor.getCurrentObject(), m);
}

void stepPhraseMenu(int key)
{
    if (!isLeftOrDown(key) && !isRightOrUp(key)) return;
    playSystemSound(sysSoundSelect, 0);
    const int phrase = worldEditor.getPhraseMenu();
    if (isRightOrUp(key)) worldEditor.setPhraseMenu(phrase == phraseLast ? 0 : phrase + 1);
    else worldEditor.setPhraseMenu(phrase == 0 ? phraseLast : phrase - 1);
}

}  // namespace

void logicEditorKeyboard(unsigned char key)
{
    if (key != keyCodeEnter && key != keyCodeEscape) return;
    int time = 0, sentence = 0, step = 0;
    worldEditor.getGLTimer(time, sentence, step);
    if (time > 0) worldEditor.setGLTimer(0, sentence, step);
}

void closePhraseMenus()
{
    if (worldEditor.getPhraseMenu() >= 0) worldEditor.setPhraseMenu(phraseMenuClosed);
    if (worldEditor.getPhraseSelectorMenu() >= 0) worldEditor.setPhraseSelectorMenu(phraseMenuClosed);
}

void logicEditorSpecialKeys(int key)
{
    if (gameSys.getInputState() == inputStateSysTextbox) return;
    if (worldEditor.getPhraseSelectorMenu() >= 0) stepPhraseSelector(key);
    if (worldEditor.getPhraseMenu() >= 0) stepPhraseMenu(key);
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

bool logicEditorWheel(int /*button*/, int state)
{
    // A wheel turn steps the open word list; its up-events go on.
    return state == mouseEventDown;
}
