// Saving the menu system of the open project, gameUI, as its ui.cfg:
// system/ui.cfg for "mainui", system/ingameui.cfg for "ingameui", and
// games/<name>/system/ui.cfg for a game.
#pragma once
#include <string>

// The exact text saveUI writes: the menu ids of the loaded file, the
// animated menu images, every menu with its items and the script strings of
// the loaded file; the last line has no line break.
std::string uiFileText();

// Creates a game's ui folder and replaces the file. False, after the failure
// report, when a folder or the file cannot be written; nothing is changed.
bool saveUI();
