// The menu system loader: reads `system/ui.cfg`, `system/ingameui.cfg` or a
// game's `system/ui.cfg` into gameUI (through the table scriptUI, which stays
// filled for the renderer), and switches the shown menu.
#pragma once
#include <string>

// The loader's own limits: indices 0 to 98 of menus and of each list.
constexpr int uiListLimit = 99;

// Loads the menu system of `name`: "default" and "mainui" read
// system/ui.cfg, "ingameui" system/ingameui.cfg, any other name
// games/<name>/system/ui.cfg, falling back to system/ingameui.cfg. With
// `clear` the table is emptied first and the loading screen shows the steps.
// A list that reaches its limit or lacks its end marker stops with an error
// line and loading goes on; a file that cannot be read at all gives one empty
// menu.
void loadUI(std::string name, bool clear);
// Shows menu `menu`: nothing hovered, pressed or edited, input state normal.
void loadMenu(int menu);

// One step of a loader's progress screen (loadRender); without a window there
// is no screen to show it on and the step is skipped.
void showLoadingStep(const std::string& message, float fraction);
