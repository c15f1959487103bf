// The image loader's test hook: the function that turns an image file that
// passed its check into an OpenGL texture name (the library's decoding, told
// the checked format, then the texture made from it). Tests set their own;
// null restores the library's. Only the image loader and the tests
// include this header.
#pragma once
#include <string>

using imageFileLoaderFunc = unsigned int (*)(const std::string& filename);
void setImageFileLoader(imageFileLoaderFunc loader);

// The loader tests and the image fuzz target set where no window is open:
// the file decoded as the program decodes it (decodeImageFile) and turned
// into 8-bit colours as making a texture turns it, but no texture made; the
// image's width, 0 when it was refused or could not be read.
unsigned int decodeWithoutTexture(const std::string& filename);
