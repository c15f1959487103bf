// The reader of a game's `logic.cfg`: the global rules of every map and the
// local rules of every object into `world`, through the table `scriptLogic`.
#pragma once

// Reads games/<name>/system/logic.cfg of the game named in `world`; false
// when the file cannot be read (no rule is added then).
bool loadGameLogic();
