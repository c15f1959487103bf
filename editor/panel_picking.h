// The world editor's panel clicks, which gameEditorPicking offers the pick
// code after its toolbar, map and fog codes: the image picker, the animation
// panel, the tile panel with its terrain tools and skybox faces, and the
// object panel with the logic macros. Both entry points expect the caller's
// gates to have passed: game state 5 and the press of the left or the right
// button; a release or a hover pass never reaches them.
#pragma once
#include <cstddef>

#include "core/pick_codes.h"

// The image picker (in every editor mode), the animation panel (animation
// mode) and the tile panel (tile mode). True when the code is one of theirs,
// also when a bound refuses the change.
bool gameEditorPanelPicking(const unsigned char* pixel);
// The object panel, its model, layer and macro menus and the logic macros,
// called in object mode only. True when the code is one of theirs, also when
// a bound refuses the change or the current object is none.
bool gameEditorObjectPicking(const unsigned char* pixel);

// A table of the codes one panel handles and what each does.
struct panelCode {
    int code;
    void (*run)(const pickCode& pixel);
};

// Runs the entry of `table` for the pixel's code; false when it has none.
template <std::size_t N>
bool runPanelCode(const panelCode (&table)[N], const pickCode& pixel)
{
    for (const panelCode& entry : table) {
        if (entry.code != pixel.r) continue;
        entry.run(pixel);
        return true;
    }
    return false;
}
