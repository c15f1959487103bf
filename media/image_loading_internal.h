// The image loader's test hook: the function that turns an image file that
// passed its check into an OpenGL texture name (the library's decoding of
// the checked bytes, then the texture made from it). Tests set their own;
// null restores the library's. Only the image loader and the tests
// include this header.
#pragma once
#include "media/image_header.h"

using imageFileLoaderFunc = unsigned int (*)(const checkedImage& image);
void setImageFileLoader(imageFileLoaderFunc loader);

// The loader tests and the image fuzz target set where no window is open:
// the image decoded as the program decodes it (decodeImage) and turned into
// 8-bit colours as making a texture turns it, but no texture made; the
// image's width, 0 when it could not be decoded.
unsigned int decodeWithoutTexture(const checkedImage& image);

// The memory the images whose textures are put off keep for them.
unsigned long long deferredImageBytes();
