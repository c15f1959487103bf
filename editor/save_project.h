// Saving the open project: a game's world and menu system, or the menu
// system alone for the two menu projects "mainui" and "ingameui".
#pragma once

// Saves what the project holds, refreshes the game list and reports
// "Project Saved" with the closing sound. A game's map.cfg, logic.cfg and
// ui.cfg are committed together, all or none, and are on the disk before
// success is reported. When a save fails its own report stands, nothing
// more is shown or played, false is returned and the files on disk are as
// they were; the open project is unchanged, so the user can retry.
bool saveProject();
