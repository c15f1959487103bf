// The welcome panels: a modal page of fixed help text over the whole screen
// that greets the user after a game is created, when a game or the menu
// editor is opened, and on the program's first start. In the colour-pick
// pass it paints the whole screen as the blocker, so that only its checkmark
// answers a click.
#pragma once

// Draws the panel of the editor's welcome state (nothing while it is down);
// with the debug flag on it takes the panel down instead.
void renderEditorWelcome();

// A click on the checkmark (not a hover pass) takes the panel down with the
// select sound: in the two editors on any press or release, elsewhere on a
// left press. True when it did.
bool welcomePicking(const unsigned char* pixel);
