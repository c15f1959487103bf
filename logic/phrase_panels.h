// The phrase editor (renderPhraseEditor), where the user steps through the
// game's phrases and types a new text for the one shown, and the phrase
// selector (renderPhraseSelector), where the user chooses the phrase of a
// rule. Both are modal panels drawn last by the logic editor's screen, each
// while its editor state says it is open, in the frame and in the pick pass.
#pragma once

void renderPhraseEditor();
void renderPhraseSelector();

// One step (-1 or +1) of the phrase the editor shows, 0 and 1023 wrapping
// round, with the select sound.
void stepPhraseMenu(int delta);
// One step of the selector's choice, wrapping round, with the select sound;
// the rule being edited takes the new choice as its action value at once.
void stepPhraseChoice(int delta);
