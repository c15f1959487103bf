// Creating and loading a game: `loadGame` fills `world` from a game folder
// `games/<name>/` behind the loading screen, `createGame` makes a new game of
// one map and opens it in the world editor, `loadPredefinedUI` opens one of
// the two registered menu projects ("mainui", "ingameui") in the menu editor.
// A game that cannot be loaded whole (its maps unreadable or refused, the
// memory running out, or anything a reader throws) is dropped again: no game
// is loaded afterwards and the program's own menus and help are back.
// `createGame` refuses the name of a folder that is already in `games/`.
// A load holds the game's files (holdGameFiles) from before its look at them
// through its reading of map.cfg, logic.cfg and ui.cfg.
#pragma once
#include <string>

// `filesHeld`: the caller holds the game's files already (the world editor's
// open, which looks at them first); the load then neither holds nor
// finishes them again.
void loadGame(std::string game, bool filesHeld = false);
void createGame(std::string game, int tilew, int tileh);
void loadPredefinedUI(std::string game);
