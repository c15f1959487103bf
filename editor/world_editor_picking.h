// The world editor's click handler, the last one the picking core tries:
// the welcome panel and the game browser in any game state, then the world
// editor's toolbar, maps, fog panel, logic rule buttons and tool panels.
#pragma once

// `pixel`: the three bytes R, G, B of a pick code. True when the code was
// consumed; false lets a press go on to the 3D pick.
bool gameEditorPicking(const unsigned char* pixel);
