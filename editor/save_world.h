// Saving the loaded game `world` as games/<name>/system/map.cfg (maps, tiles,
// objects, image animation, phrases) and logic.cfg (the rules of every map
// and object), both in the one-line-per-object layout the game loader reads.
#pragma once
#include <string>

class folderReplacement;

// The exact texts saveGameWorld writes, from the current world and game images.
std::string mapFileText();
std::string logicFileText();

// Creates the game's folders and replaces both files together, durably:
// either both are new or both stay as they were; once they are in place,
// reports the save (reportWorldSaved). Given the replacement of the game's
// system folder that a project save shares, the files are only staged in
// it, for the caller to commit with the others and then report. False,
// after the failure report, when a folder or a file cannot be written; the
// world is never changed.
bool saveGameWorld(folderReplacement* project = nullptr);
// "Game has been successfully saved!" in the log and the notice "World Saved".
void reportWorldSaved(const std::string& name);
