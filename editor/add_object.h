// Adding an object to the current map of the world editor, in front of the
// editor camera.
#pragma once

// Appends a 1 x 1 x 1 cube with image 1 on layer 0, 25 units ahead of the
// camera, selects it alone and opens the object tool. A map that already
// holds as many objects as the map reader accepts gets the notice instead.
void addObject();
