// What the walk of one image format tells the check (media/image_header.h):
// the format with its size and where the image ends, what the library is
// handed in place of some of the file's bytes, or why the file is refused.
// The walks of GIF (media/image_gif.cpp) and TGA images (media/image_tga.cpp)
// have files of their own; the others, and the check, are
// media/image_header.cpp.
#pragma once
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "core/file_read.h"
#include "media/image_header.h"

using byteCount = unsigned long long;
constexpr unsigned long textureBytesPerPixel = 4;

template <typename T, size_t n>
inline bool oneOf(T value, const T (&allowed)[n])
{
    return std::find(std::begin(allowed), std::end(allowed), value) != std::end(allowed);
}

// Bytes `from` to `to` of a file replaced by `bytes`.
struct byteEdit {
    size_t from, to;
    std::string bytes;
};

// What a header says: the format with its size and where the image ends,
// or why it is refused.
struct headerReading {
    imageFormat format = imageFormatNone;
    unsigned long width = 0;
    unsigned long height = 0;
    unsigned long frames = 1;  // images the file holds; the library is handed the first alone
    unsigned long bytesPerPixel = textureBytesPerPixel;  // decoded, at the largest
    // The fewest bytes a file of this format holding these pixels takes:
    // where the library makes up the pixels a file lacks, a few bytes would
    // otherwise cost it the work and memory of millions.
    byteCount bytesNeeded = 0;
    size_t end = 0;  // the image's bytes: what follows is not the image's
    // What the library is handed in place of some of those bytes, in file
    // order: the end of image of a JPEG cut in its data, the end code of a
    // GIF image whose codes run out, the data a GIF image's decoding leaves
    // unread, the frames of a GIF after its first, a TGA's colour map of 15-
    // or 16-bit entries widened to 24-bit ones.
    std::vector<byteEdit> edits;
    std::string fault;  // a damaged header: what is wrong, as the end of a sentence
};

inline headerReading sized(imageFormat format, unsigned long width, unsigned long height)
{
    headerReading r;
    r.format = format;
    r.width = width;
    r.height = height;
    return r;
}

inline headerReading damaged(const std::string& fault)
{
    headerReading r;
    r.fault = fault;
    return r;
}

// Past the bound on a side, the size is what a refusal reports, whatever follows it.
inline bool sidesBounded(unsigned long width, unsigned long height)
{
    return width <= imageSideMax && height <= imageSideMax;
}

// GIF: media/image_gif.cpp.
headerReading gifHeader(fileReader& in);
// TGA, known by its name: media/image_tga.cpp.
headerReading tgaHeader(fileReader& in);
