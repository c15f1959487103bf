// Dialog boxes: the modal two-button box of game state 4, opened over the
// state before it and closed back to that state. Its images, text lines and
// the functions of its buttons are keys of system/dialog.cfg (in scriptSys):
//   dialog<n>background, dialog<n>button0, dialog<n>button1   system images
//   dialog<n>button<k>func, dialog<n>button<k>func2           button function
//   dialog<n>text<j>                                          text line j
#pragma once

// The dialog that asks before the program ends (Tab, F11).
constexpr int quitDialog = 0;

// Opens dialog `id`; the game state to return to is kept from before the
// first of dialogs opened over each other.
void enableDialog(int id);
// Returns to the game state from before the dialog; current dialog 0.
void disableDialog();
// The open dialog in the frame, or in the pick pass its two buttons over a
// full-screen blocker.
void dialogRender();
