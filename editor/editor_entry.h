// Moving between the menus that frame the world editor: the editor menu, over
// which the world editor draws its screen.
#pragma once

// Shows the editor menu of the loaded menu system and greets the user with
// the world editor's welcome panel; the game state is not changed.
void editGame();
