// Leaving and resetting a game: taking the loaded game out of memory and
// back to the program's own front-end menus, restoring it to its state at
// load time, and moving between play and the game's menus (the in-game menu,
// the game's first menu). The test for the two registered menu projects,
// checkGameName, is with the names of a game's files (world/game_files.h).
#pragma once

// Unloads the current game and returns to the intro menu of the program's own
// menu system. Without a loaded game it reports so and changes no image.
void leaveGame();
// Restores `world` from the snapshot `worldBackup` while a game is loaded.
void resetGame();
// From play or playtest back to menu 0 of the loaded menu system; ignored
// while a message box or a phrase is on screen.
void loadIngameMainMenu();
// From play or playtest to the in-game menu over the paused game.
void loadIngameMenu();
// From the in-game menu back to the state it was opened from (play or playtest).
void leaveIngameMenu();
