// The two phrase panels: one layout, told apart by their texts, the phrase
// they show and the codes of their close button and arrows.
#include "logic/phrase_panels.h"

#include <string>

#include "core/pick_codes.h"
#include "editor/editor.h"
#include "logic/edited_rules.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"
#include "menus/widgets.h"
#include "world/world.h"

namespace {

constexpr int backdropX = 400, backdropY = 300, backdropHalfW = 400, backdropHalfH = 300;
constexpr int panelX = 400, panelY = 300, panelHalfW = 300, panelHalfH = 200;
constexpr int closeX = 668, closeY = 464;
constexpr int controlHalf = 16;
constexpr int previousX = 150, nextX = 180, applyX = 660, controlY = 380;
constexpr float textX = 130.0f, titleY = 130.0f, firstLineY = 150.0f, lineStep = 15.0f;
constexpr float phraseIdY = 270.0f, phraseTextY = 285.0f;
constexpr int textboxX = 680, textboxY = 330, textboxWidth = 560, textboxHeight = 12;

struct phrasePanel {
    const char* title;
    const char* const* lines;
    int lineCount;
    int closeCode, previousCode, nextCode;
    int (*shown)();
};

const char* const editorLines[] = {
    "Phrases are messages that can be displayed during gameplay.",
    "To create a phrase, simply use the arrow buttons to select",
    "an open slot and type your message into the textbox. When",
    "complete, hit the checkmark. You may have up to 1024",
    "phrases and they are identified by their id number.",
    "^yTip:^w Use the ^yLeft^w and^y Right^w arrow keys to select phrases.",
};

const char* const selectorLines[] = {
    "Phrases are messages that can be displayed during gameplay.",
    "To select a phrase, use the arrows to scroll through",
    "them. You may enter a phrase in the textbox provided.",
    "When entering a new phrase, click the checkmark to confirm it.",
    "Press the door icon to use the phrase you have selected in ",
    "your game logic.",
    "^yTip:^w Use the ^yLeft^w and^y Right^w arrow keys to select phrases.",
};

template <int n>
constexpr int countOf(const char* const (&)[n])
{
    return n;
}

const phrasePanel phraseEditorPanel{
    "^y^3Phrase Editor", editorLines,       countOf(editorLines), pickPhraseEditor, pickPreviousPhrase,
    pickNextPhrase,      [] { return worldEditor.getPhraseMenu(); }};
const phrasePanel phraseSelectorPanel{
    "^y^3Phrase Selector",   selectorLines,        countOf(selectorLines), pickPhraseSelector,
    pickPhraseChoicePrevious, pickPhraseChoiceNext, [] { return worldEditor.getPhraseSelectorChoice(); }};

void drawControl(int x, int y, int image, int code, int index)
{
    displaySingleChoice(x, y, controlHalf, controlHalf, image, code, pickControlMark, index);
}

void renderPhrasePanel(const phrasePanel& panel)
{
    displaySingleChoice(backdropX, backdropY, backdropHalfW, backdropHalfH, sysImageBlur, pickBlocker, pickBlocker,
                        pickBlocker);
    displaySingleChoice(panelX, panelY, panelHalfW, panelHalfH, sysImageDialogBackground, pickBlocker, pickBlocker,
                        pickBlocker);
    drawControl(closeX, closeY, sysImageQuit, panel.closeCode, pickNoIndexByte);

    displayTextString(textX, titleY, panel.title);
    for (int i = 0; i < panel.lineCount; ++i)
        displayTextString(textX, firstLineY + lineStep * static_cast<float>(i), panel.lines[i]);
    const int phrase = panel.shown();
    displayTextString(textX, phraseIdY,
                      "Phrase (" + std::to_string(phrase) + "/" + std::to_string(phraseLast) + ")");
    displayTextString(textX, phraseTextY, world.getPhrase(phrase));

    displayTextbox(textboxX, textboxY, textboxWidth, textboxHeight, sysTextboxPhrase);
    drawControl(previousX, controlY, sysImageArrowLeft, panel.previousCode, pickNoIndex);
    drawControl(nextX, controlY, sysImageArrowRight, panel.nextCode, pickNoIndex);
    drawControl(applyX, controlY, sysImageOk, pickApplyPhrase, pickNoIndex);
}

}  // namespace

void renderPhraseEditor()
{
    if (worldEditor.getPhraseMenu() > phraseMenuClosed) renderPhrasePanel(phraseEditorPanel);
}

void renderPhraseSelector()
{
    if (worldEditor.getPhraseSelectorMenu() > phraseMenuClosed) renderPhrasePanel(phraseSelectorPanel);
}

void stepPhraseMenu(int delta)
{
    playSystemSound(sysSoundSelect, 0);
    const int phrase = worldEditor.getPhraseMenu();
    if (delta > 0) worldEditor.setPhraseMenu(phrase == phraseLast ? 0 : phrase + 1);
    else worldEditor.setPhraseMenu(phrase == 0 ? phraseLast : phrase - 1);
}

void stepPhraseChoice(int delta)
{
    playSystemSound(sysSoundSelect, 0);
    worldEditor.setPhraseSelectorChoice(worldEditor.getPhraseSelectorChoice() + delta);
    changeEditedRule(worldEditor.getCurrentSentence(), sentenceStepActionValue, worldEditor.getPhraseSelectorChoice());
}
