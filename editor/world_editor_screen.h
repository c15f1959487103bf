// The world editor's screen: the 2D overlay over the rendered map, drawn in
// the frame and, unchanged, in the colour-pick pass. The backdrop, the
// bottom panel whose content follows the editor mode (help lines, tile,
// object, animation, new map, edit map, fog), the panel's collapse button,
// the map switcher, the toolbar down the left edge, the playtest button, the
// edge arrows and the tip bar, then the picker panels and the welcome panel.
#pragma once

// Drawn by the menu renderer in game state 5 while the editor menu is current,
// under the menu's own buttons; nothing with a camera other than the editor's.
void renderGameEditor();

// True when `code` is the pick code of one of the toolbar's icons.
bool isToolbarCode(int code);
