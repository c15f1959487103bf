// Decoding a checked image with the image library: the bytes the check read
// are handed over from memory, told the checked format; the library is never
// given a path. Whatever the library refuses is named in one warning with its
// reason. The program makes its textures from the decoded image; the image
// fuzz target and the tests decode without a window.
#pragma once
#include <string>

#include "media/image_header.h"

// Decodes an accepted image into a new image of the image library, which is
// left bound. Returns that image's name, or 0 when the library cannot decode
// it, or when it is a palette image whose pixels name colours past its
// palette; either is named in one warning.
unsigned int decodeImage(const checkedImage& image);

// Deletes an image made by decodeImage; 0 is ignored.
void releaseDecodedImage(unsigned int image);

// The image library's reason for its last failure ("out of memory" ...);
// its errors are cleared.
std::string imageLibraryReason();

// The one warning for an image that got no texture: "The image <path> could
// not be <what>: <reason>; it is not loaded."
void warnImageNotLoaded(const std::string& path, const std::string& what, const std::string& reason);
