// The kept copy of an opaque layer over the whole view (a menu background).
// Drawing an 800 x 600 filtered texture is by far the dearest step of a menu
// frame on a software renderer; copying back the pixels it gave last time is
// much cheaper and gives the same pixels, as long as the same texture is drawn
// the same way into a view of the same size. A layer with see-through texels
// depends on what lies under it and is never kept.
#pragma once

// What the layer's pixels depend on besides the view: the texture and, for an
// animation strip, the frame drawn (-1 for a plain image).
struct screenLayer {
    int tex = 0;
    int frame = -1;
};

// Copies the kept layer into the view of the back buffer when it is `layer`;
// false (and nothing drawn) otherwise.
bool restoreScreenLayer(const screenLayer& layer);
// Keeps the view of the back buffer as `layer`, just drawn over the whole view,
// when its texture has no alpha channel.
void storeScreenLayer(const screenLayer& layer);
// Drops the kept layer. Called whenever textures are deleted, since a texture
// made later may get a deleted texture's name.
void forgetScreenLayer();
