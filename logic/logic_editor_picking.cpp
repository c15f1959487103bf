// The logic editor's click handler.
#include "logic/logic_editor_picking.h"

#include "core/mouse.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "logic/phrase_panels.h"
#include "logic/sentence.h"
#include "logic/word_picking.h"
#include "media/sound.h"
#include "world/world.h"

namespace {

// The model of the object's logic rule being edited (slot 7).
void stepModelValue(int delta)
{
    const int m = world.getCurrentMap();
    const int o = worldEditor.getCurrentObject();
    const int s = worldEditor.getCurrentSentence();
    int models = 0, textures = 0;
    world.worldGetModel(models, textures);
    const int value = world.mapLocalGetWholeSentence(s, o, m).getSentenceStep(sentenceStepActionValue);
    if (delta > 0 && value < models - 1) world.mapLocalChangeSentence(s, sentenceStepActionValue, value + 1, o, m);
    if (delta < 0 && value > 0) world.mapLocalChangeSentence(s, sentenceStepActionValue, value - 1, o, m);
}

// The model menu codes of the object logic editor; false for other codes.
bool dispatchModelMenu(int code)
{
    switch (code) {
    case pickModelMenu:
        if (leftReleased())
            worldEditor.setModelMenu(worldEditor.getModelMenu() > -1 ? -1 : 0);
        return true;
    case pickNextModel:
        if (leftReleased()) stepModelValue(1);
        return true;
    case pickPreviousModel:
        if (leftReleased()) stepModelValue(-1);
        return true;
    default:
        return false;
    }
}

// Opens a closed panel or closes an open one, with the matching sound; a
// panel is open while its value is above `closed`.
template <typename Set>
void togglePanel(int value, int closed, int opened, Set set)
{
    const bool opening = value <= closed;
    playSystemSound(opening ? sysSoundOpen : sysSoundClose, 0);
    set(opening ? opened : closed);
}

// The phrase editor, phrase selector and rule scrolling codes; false for other codes.
bool dispatchLogicEditorCodes(int code)
{
    switch (code) {
    case pickPhraseEditor:
        if (leftReleased())
            togglePanel(worldEditor.getPhraseMenu(), phraseMenuClosed, 0,
                        [](int v) { worldEditor.setPhraseMenu(v); });
        return true;
    case pickNextPhrase:
        if (leftReleased()) stepPhraseMenu(1);
        return true;
    case pickPreviousPhrase:
        if (leftReleased()) stepPhraseMenu(-1);
        return true;
    case pickPhraseSelector:
        if (leftPressed())
            togglePanel(worldEditor.getPhraseSelectorMenu(), phraseSelectorClosed, 1,
                        [](int v) { worldEditor.setPhraseSelectorMenu(v); });
        return true;
    case pickPhraseChoiceNext:
        if (leftReleased()) stepPhraseChoice(1);
        return true;
    case pickPhraseChoicePrevious:
        if (leftReleased() && worldEditor.getPhraseSelectorMenu() > 0) stepPhraseChoice(-1);
        return true;
    case pickSentenceScrollDown:
        if (leftPressed()) worldEditor.setTopSentence(worldEditor.getTopSentence() + 1);
        return true;
    case pickSentenceScrollUp:
        if (leftPressed()) worldEditor.setTopSentence(worldEditor.getTopSentence() - 1);
        return true;
    default:
        return false;
    }
}

}  // namespace

bool logicEditorPicking(const unsigned char* pixel)
{
    const int code = pixel[0];
    if (code == pickLogicWord) {
        gameLogicColorPick(pixel);
        return true;
    }
    if (gameSys.getHoverState()) return false;
    if (worldEditor.getEditorMode() == editorModeObjectLogic && dispatchModelMenu(code)) return true;
    return dispatchLogicEditorCodes(code);
}
