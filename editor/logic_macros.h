// The logic macros: ready-made local rules for a player character that
// replace the whole local logic of one object, offered on the macro menu of
// the object panel.
#pragma once

enum logicMacroId {
    logicMacroRpgPlayer = 0,
    logicMacroPlatformerPlayer = 1,
};

// Replaces every local rule of object o of map m by the rules of `macro`,
// each value that names the player object set to o. A number that names no
// macro removes the rules and adds none; an object that is none is left alone.
void applyLogicMacro(int macro, int o, int m);

// The macro menu's apply code (blue byte: the macro) on the world editor's
// current object, in object mode after gameEditorPicking's gates; closes the
// menu. False for every other code.
bool logicMacroPicking(const unsigned char* pixel);
