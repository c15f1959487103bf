// The one check every image file passes before it is handed to the image
// library. Only formats the program checks itself go there, told their
// format rather than left to guess it from the name: PNG, JPEG, GIF and BMP
// known by their signatures, TGA by a ".tga" name and a well-formed header.
// Each declares a size no larger than imageSideMax on a side; a JPEG's
// segments lead to its image data inside the file, a GIF's blocks to its
// trailer. The header is read without decoding, so that a file too large or
// too damaged to be worth decoding is refused before the library allocates
// for it or reads past its end.
#pragma once
#include <string>

constexpr unsigned long imageSideMax = 8192;  // pixels on a side an image may declare

enum imageFormat {
    imageFormatNone,  // refused: not to be handed to the image library
    imageFormatPng,
    imageFormatJpeg,
    imageFormatGif,
    imageFormatBmp,
    imageFormatTga,
};

struct imageCheck {
    imageFormat format = imageFormatNone;
    // Why the file is refused, for the warning that names it; empty when it
    // is accepted, and when it is no regular file (its caller has named it).
    std::string refusal;
};

// Looks at the file's header (never opening anything but a regular file)
// and says in which format it may go to the image library.
imageCheck checkImageFile(const std::string& path);

// True when the file may go to the image library; a refused regular file is
// named in one warning. Other entries are refused without a word: the folder
// walks and the callers of fixed paths name them.
bool imageFileAcceptable(const std::string& path);
