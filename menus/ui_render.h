// Menu rendering: the current menu of gameUI, drawn by one function in the
// frame (background, buttons with press and hover feedback, textbox faces and
// texts with their blinking cursor, text lines, the menu's script strings)
// and in the colour-pick pass (the backdrop and every button and textbox as a
// flat quad of its pick code; text draws nothing there).
#pragma once

// Depths of the menu's own quads.
constexpr float menuBackgroundDepth = 1.97f;
constexpr float menuButtonDepth = 1.98f;

void uiRender();

