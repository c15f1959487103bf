// The pixel size an image file declares in its header, read without decoding
// it, so that an image too large to be worth its memory is refused before the
// image library allocates for its pixels; and the one check every image file
// passes before it is handed to the image library.
#pragma once
#include <string>

constexpr unsigned long imageSideMax = 8192;  // pixels on a side an image may declare

struct imageSize {
    bool known = false;
    unsigned long width = 0;
    unsigned long height = 0;
};

// The width and height in the header of a PNG, JPEG, GIF, BMP or TGA file
// (TGA by its extension, having no signature); not known for other formats
// and for a header that is cut short.
imageSize declaredImageSize(const std::string& path);

// True when the file may go to the image library: a regular file (opening
// anything else may block) whose header declares no side above imageSideMax,
// which is named in a warning. Other entries are refused without a word:
// the folder walks and the callers of fixed paths name them.
bool imageFileAcceptable(const std::string& path);
