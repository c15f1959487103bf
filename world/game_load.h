// Creating and loading a game: `loadGame` fills `world` from a game folder
// `games/<name>/` behind the loading screen, `createGame` makes a new game of
// one map and opens it in the world editor, `loadPredefinedUI` opens one of
// the two registered menu projects ("mainui", "ingameui") in the menu editor.
// A game that cannot be loaded whole (its maps unreadable or refused, the
// memory running out, or anything a reader throws) is dropped again: no game
// is loaded afterwards and the program's own menus and help are back.
// `createGame` refuses the name of a folder that is already in `games/`.
#pragma once
#include <string>

// True exactly for the registered menu-project names "mainui" and "ingameui".
bool checkGameName(const std::string& name);
// False for a name that cannot be a folder of `games/`: one holding "/", "\\"
// or a control character, and the names "." and "..". The empty name passes
// (the loaders refuse it with their own message).
bool gameNameIsSafe(const std::string& name);
// The one file every game has, games/<name>/system/map.cfg, is there as a
// regular file (looked at without opening it).
bool gameMapFilePresent(const std::string& name);

void loadGame(std::string game);
void createGame(std::string game, int tilew, int tileh);
void loadPredefinedUI(std::string game);
