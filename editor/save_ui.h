// Saving the menu system of the open project, gameUI, as its ui.cfg:
// system/ui.cfg for "mainui", system/ingameui.cfg for "ingameui", and
// games/<name>/system/ui.cfg for a game.
#pragma once
#include <string>

class folderReplacement;

// The exact text saveUI writes: the menu ids of the loaded file, the
// animated menu images, every menu with its items and the script strings of
// the loaded file; the last line has no line break.
std::string uiFileText();

// Creates a game's ui folder and replaces the file, durably; once it is in
// place, reports the save (reportUISaved). Given the replacement of a
// game's system folder that a project save shares, a game's file is only
// staged in it, for the caller to commit with the others and then report.
// False, after the failure report, when a folder or the file cannot be
// written; nothing is changed.
bool saveUI(folderReplacement* project = nullptr);
// "UI has been successfully saved!" in the log and the notice "UI Saved".
void reportUISaved(const std::string& name);
