// Playtest: playing the game being edited from the world editor (game state
// 7) and returning to exactly the world and camera that were being edited.
// The end is requested with worldEditor.setEndTest(1) (Escape, the "end game"
// action); the frame sees the request and calls returnToEditor.
#pragma once

// From the world editor's screen (game state 5 with the editor menu current):
// keeps the world and the camera position aside and starts play on the world.
void enterTest();
// From a playtest back to the world editor: the kept world replaces the played
// one, the editor camera returns to the kept position, every key is idle.
void returnToEditor();
// The frame's end-of-playtest step: a pending request returns to the editor
// (when a playtest runs) and is cleared either way.
void updatePlaytestEnd();
