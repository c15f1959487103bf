// Decoding an image file with the image library, after its check: the file
// goes to the library only in a format the check accepted, and the library
// is told that format. The program makes its textures from the decoded
// image; the image fuzz target and the tests decode without a window.
#pragma once
#include <string>

// Checks the file (checkImageFile, without a message) and decodes it into a
// new image of the image library, which is left bound. Returns that image's
// name, or 0 when the file is refused or cannot be decoded. A palette image
// whose pixels name colours past its palette is refused too, with a warning.
unsigned int decodeImageFile(const std::string& path);

// Deletes an image made by decodeImageFile; 0 is ignored.
void releaseDecodedImage(unsigned int image);
