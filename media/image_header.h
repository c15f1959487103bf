// The one check every image file passes before it is handed to the image
// library. The file is read once, without blocking, only as far as the
// check has walked it and about as far again: up to where the image ends,
// and past it by at most as many bytes as the image holds (64 KiB at
// least), into memory that grows with the reads. Only the image's own
// bytes are kept; what follows them in the file is neither kept nor handed
// on. The check and the library see the same bytes (not a copy, unless the
// check changes them), and nothing opens the file again.
// Only formats the program checks itself go to the library, told their
// format rather than left to guess it from the name: PNG, JPEG, GIF and BMP
// known by their signatures, TGA by a ".tga" name and a well-formed header.
// Each declares a size no larger than imageSideMax on a side, and every
// length and offset inside it stays inside the file: a PNG's chunks up to
// its end chunk (or, after its image data, the file's end), a JPEG's
// segments up to its image data and the data up to its end of image, a
// GIF's blocks up to its trailer, a BMP's palette and pixels, a TGA's
// colour map and pixels. The image ends there. Of a GIF only the first
// image is handed on, its data only as far as the library's decoding of it
// goes.
// What makes decoding slow is bounded (a JPEG's scans, and a GIF's frames,
// though only the first is decoded), so that a small file cannot keep the
// library busy or make it allocate for a size its bytes cannot hold.
#pragma once
#include <string>

#include "core/byte_buffer.h"

constexpr unsigned long imageSideMax = 8192;  // pixels on a side an image may declare
// The largest pixels an image within that bound holds: four 16-bit channels.
constexpr unsigned long long imagePixelBytesMax = 8ull * imageSideMax * imageSideMax;
// The largest image file read: those pixels stored uncompressed, with room
// for the formats' framing (headers, palettes, PNG chunks and row bytes).
constexpr unsigned long long imageFileBytesMax = imagePixelBytesMax + imagePixelBytesMax / 64;
// Far more than encoders write (libjpeg's progressive JPEGs have 10 scans);
// every scan is a pass over the whole image.
constexpr unsigned long jpegScansMax = 50;
// Far more than animated GIFs hold; every frame is walked and bounded, and
// together they count towards the pixels a file may declare.
constexpr unsigned long gifFramesMax = 4096;

enum imageFormat {
    imageFormatNone,  // refused: not to be handed to the image library
    imageFormatPng,
    imageFormatJpeg,
    imageFormatGif,
    imageFormatBmp,
    imageFormatTga,
};

// An image file read and checked.
struct checkedImage {
    std::string path;
    // The image's bytes, as the library is to be handed them: a BMP whose
    // header is longer than the library reads is given the 40-byte form
    // (media/image_bmp.h). Their memory is the one the file was read into,
    // with room past them that bytes.fit() gives back.
    byteBuffer bytes;
    imageFormat format = imageFormatNone;
    // The memory its pixels take decoded, at their largest: of the one image
    // handed on (a GIF's first), at least the four bytes a pixel of its
    // texture takes.
    unsigned long long decodedBytes = 0;
    // Why it is refused, for the warning that names it; empty when it is
    // accepted, and when it is no regular file (its caller has named it).
    std::string refusal;
};

// Reads the image in the file at `path` (nothing but a regular file of at
// most imageFileBytesMax bytes is opened) and checks it; a refused file
// keeps no bytes, and a refused regular file is named in one warning. Other
// entries are refused without a word: the folder walks and the callers of
// fixed paths name them.
checkedImage readAcceptedImage(const std::string& path);
