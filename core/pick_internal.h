// The machinery of the picking core: reading the pass, dispatching one code,
// and the selection buffer of the 3D pick with its hit records. Only the
// picking core and the tests include this header.
#pragma once
#include <cstdint>

#include "core/pick_codes.h"

// The selection buffer of one 3D pick, in 32-bit words.
constexpr int pickBufferSize = 512;
// Side of the pick region around the pointer, in pixels.
constexpr double pickRegionSize = 5.0;

// Reads the code under the pointer from the pass drawn and dispatches it.
bool colorPickCheck();
// Reads the pixel of the pass under window pixel (x, y), y from the top.
pickCode readPickPixel(int x, int y);
// The dispatch of one code read from the pass.
bool dispatchPickCode(const pickCode& code);

void startPicking(int cursorX, int cursorY, uint32_t* selection);
// Leaves selection mode and applies the hits; returns the hit count.
int stopPicking(uint32_t* selection);
// Applies the nearest of `hits` records of a selection buffer of `words` words.
void processHits(int hits, const uint32_t* buffer, int words = pickBufferSize);
