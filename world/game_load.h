// Creating and loading a game: `loadGame` fills `world` from a game folder
// `games/<name>/` behind the loading screen, `createGame` makes a new game of
// one map and opens it in the world editor, `loadPredefinedUI` opens one of
// the two registered menu projects ("mainui", "ingameui") in the menu editor.
#pragma once
#include <string>

// True exactly for the registered menu-project names "mainui" and "ingameui".
bool checkGameName(const std::string& name);
// False for a name that cannot be a folder of `games/`: one holding "/", "\\"
// or a control character, and the names "." and "..". The empty name passes
// (the loaders refuse it with their own message).
bool gameNameIsSafe(const std::string& name);

void loadGame(std::string game);
void createGame(std::string game, int tilew, int tileh);
void loadPredefinedUI(std::string game);
