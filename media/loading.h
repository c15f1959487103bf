// The loading screen the loaders draw between their steps: the background,
// one line of text and a progress bar, shown at once by swapping the buffers.
#pragma once
#include <string>

// `percent` is the fraction of the work done (1 is a full bar); 0 or less
// draws a full bar too. Does nothing during the colour-pick pass.
void loadRender(const std::string& message, float percent);
// The drawing of loadRender without the swap; false when nothing was drawn.
bool drawLoadScreen(const std::string& message, float percent);
