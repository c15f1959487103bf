// The logic editor's screen (renderLogicEditor): the rules of the current
// map (map logic mode) or of the world editor's current object (object logic
// mode) as rows of words and values, with their delete and duplicate
// buttons, the add button, scroll arrows, a welcome text while there are few
// rules, the open choice list of a word with its description band, and over
// all of it the phrase editor and the phrase selector. The same drawing
// serves the colour-pick pass, where every box paints its pick code.
#pragma once

// The place of the first row and the row pitch (logicRowsShown rows are shown).
constexpr int logicFirstRowY = 80;
constexpr int logicRowPitch = 30;

// Draws the screen; its one write is placing a choice list that has just
// been opened (its timer then drops below choiceListOpened).
void renderLogicEditor();
