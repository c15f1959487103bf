// The image loader's test hook: the function that turns an image file into an
// OpenGL texture name (the image library's one-call loader). Tests set their
// own; null restores the library's. Only the image loader and the tests
// include this header.
#pragma once
#include <string>

using imageFileLoaderFunc = unsigned int (*)(const std::string& filename);
void setImageFileLoader(imageFileLoaderFunc loader);
