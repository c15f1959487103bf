// Saving the open project: a game's world and menu system, or the menu
// system alone for the two menu projects "mainui" and "ingameui".
#pragma once

// Saves what the project holds, refreshes the game list and reports
// "Project Saved" with the closing sound. When a save fails its own report
// stands, nothing more is shown or played, and false is returned; the open
// project is unchanged, so the user can retry.
bool saveProject();
