// BMP files as the image library is handed them. The library reads only the
// 12- and 40-byte information headers, so a longer header is given the
// 40-byte form. Pixels laid out by colour masks (and 16-bit pixels, which
// are 5-5-5 without them) it reads wrong: it takes them from right after the
// masks wherever the file puts them, shifts a 5- or 6-bit channel up
// without filling its low bits, and keeps only the low 8 bits of a wider
// one. The program turns such pixels into the 24-bit pixels the library
// reads exactly, each channel scaled to the full 0 to 255.
#pragma once
#include <string>
#include <string_view>

#include "core/byte_buffer.h"

constexpr unsigned long bmpCoreHeaderBytes = 12;
constexpr unsigned long bmpInfoHeaderBytes = 40;  // the longest header the library reads
constexpr unsigned long bmpOs2HeaderBytes = 64;   // its compression 3 is no colour masks
constexpr unsigned long bmpMaskBytes = 12;        // red, green and blue masks after a 40-byte header
constexpr size_t bmpFileHeaderBytes = 14;
enum { bmpPlain = 0, bmpRle8 = 1, bmpRle4 = 2, bmpBitFields = 3 };

// A BMP's headers, as the check and the conversion need them; the old
// 12-byte header holds 16-bit sizes and no palette length, every later one
// signed 32-bit sizes (a negative height is a top-down image).
struct bmpFields {
    bool core = false;
    unsigned long infoBytes = 0, dataAt = 0, width = 0, height = 0, planes = 0, depth = 0;
    unsigned long compression = 0, dataBytes = 0, coloursUsed = 0;
    unsigned long masks[3] = {};  // red, green, blue: of pixels laid out by masks
    unsigned long alphaMask = 0;
};

// Reads the fields of the headers `head` begins with; it holds the whole
// information header (the first 26 bytes for the 12-byte one), and the
// masks after a 40-byte one when the file has them.
bmpFields bmpRead(std::string_view head);

// The bytes of the palette that follows the headers.
unsigned long long bmpPaletteBytes(const bmpFields& f);

// True for pixels laid out by colour masks, the 5-5-5 layout of 16-bit
// pixels included.
bool bmpPixelsByMasks(const bmpFields& f);
// True when every mask is one run of bits inside the pixel, and no two share
// a bit: each channel can then be read and scaled.
bool bmpMasksReadable(const bmpFields& f);

// Gives a checked BMP the form the library reads: a longer header made the
// 40-byte one, its palette moved up behind it. Pixels laid out by masks are
// left as they are (bmpWithColourPixels turns them).
void bmpToLibraryForm(byteBuffer& b);

// A checked BMP whose pixels are laid out by masks, as a BMP of the same
// size and row order with a 40-byte header and 24-bit pixels; empty for any
// other BMP.
std::string bmpWithColourPixels(std::string_view b);
