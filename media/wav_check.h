// The check every sound file passes before OpenAL is handed its samples. A
// sound is a RIFF WAVE file whose chunks, up to its data chunk, each lie
// inside the file (a chunk of odd size is followed by a pad byte, or by the
// next chunk when its writer left the pad byte out), with one format chunk
// before the data chunk. The format must be one the program plays: PCM
// samples of 8 or 16 bits in 1 or 2 channels, written plainly or in the
// extensible form common tools write (whose valid bits, if fewer than the
// samples hold, are played as the whole samples), frames as wide as those
// channels and bits make them, and a sample rate from wavRateMin to
// wavRateMax. The data chunk must lie inside the file and hold one or more
// whole frames (one that declares none is refused as holding no samples, or,
// when samples follow it, as declaring 0 bytes). The check asks the file
// reader for no more than the data chunk's header (the reader reads ahead of
// that by what it has read, 64 KiB at least), so a long sound can be refused
// before most of its samples are read, and it says where in the file the
// samples lie.
#pragma once
#include <cstddef>
#include <string>

#include "core/file_read.h"

constexpr unsigned long wavRateMin = 1;       // frames a second
constexpr unsigned long wavRateMax = 384000;  // the highest rate sound hardware plays

// What the check found in a sound file.
struct checkedWav {
    unsigned channels = 0;    // 1 or 2, interleaved
    unsigned bits = 0;        // 8 (unsigned samples) or 16 (signed, little-endian)
    unsigned long rate = 0;   // frames a second
    size_t sampleOffset = 0;  // where the samples begin in the file's bytes
    size_t sampleBytes = 0;   // how many bytes of samples lie there
    // Empty when the file is accepted; else why not, the end of a sentence
    // that begins "it": "is no WAV file", "has 3 channels; only 1 or 2 are played".
    std::string refusal;
};

// Checks the sound file opened in `file`, asking its reader for no more
// than the check needs. A read that fails refuses the file as "cannot be
// read", with the cause in file.readError().
checkedWav checkWav(fileReader& file);
