// The sound files the tests build, each with what loading it must give. The
// sound test loads every one; the sound fuzz target is seeded with the same
// files (tests/fuzz/sound_seeds.cpp writes them).
#pragma once
#include <AL/al.h>

#include <string>
#include <vector>

namespace soundfiles {

inline std::string le(unsigned long long v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i) & 0xff);
    return out;
}

// A RIFF chunk without the pad byte that follows a body of odd length.
inline std::string unpadded(const std::string& id, const std::string& body)
{
    return id + le(body.size(), 4) + body;
}

// A RIFF chunk, padded to an even length.
inline std::string chunk(const std::string& id, const std::string& body)
{
    return unpadded(id, body) + std::string(body.size() % 2, '\0');
}

inline std::string riff(const std::string& chunks)
{
    return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

// A format chunk: its tag, channels, rate, bytes a frame and bits a sample.
inline std::string fmt(unsigned tag, unsigned channels, unsigned long long rate, unsigned frame, unsigned bits)
{
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * frame, 4) + le(frame, 2) + le(bits, 2));
}

inline std::string pcm(unsigned channels, unsigned bits, unsigned long long rate)
{
    return fmt(1, channels, rate, channels * bits / 8, bits);
}

// The extensible form: the sub-format's tag in the GUID every such file
// uses, and the valid bits of each sample (all of them when 0).
inline std::string extensible(unsigned subTag, unsigned channels, unsigned bits, unsigned long long rate,
                              unsigned validBits = 0)
{
    const unsigned frame = channels * bits / 8;
    return chunk("fmt ", le(0xFFFE, 2) + le(channels, 2) + le(rate, 4) + le(rate * frame, 4) + le(frame, 2) +
                             le(bits, 2) + le(22, 2) + le(validBits ? validBits : bits, 2) + le(3, 4) + le(subTag, 2) +
                             std::string("\0\0\0\0\x10\0\x80\0\0\xaa\0\x38\x9b\x71", 14));
}

inline std::string samples(size_t bytes)
{
    return chunk("data", std::string(bytes, '\x40'));
}

struct soundFileRow {
    std::string bytes;
    std::string why;  // the end of the warning naming a sound that cannot play; empty for one that loads
    ALint rate = 0, bits = 0, channels = 0, size = 0;  // what the OpenAL buffer of one that loads holds
    bool openALRefuses = false;  // a good file, its samples refused by OpenAL
};

inline std::vector<soundFileRow> soundFileRows()
{
    const std::string mono16 = pcm(1, 16, 8000);
    return {
        // More samples declared than follow, no more than the whole file.
        {riff(mono16 + chunk("junk", std::string(1000, 'j')) + "data" + le(1000, 4) + std::string(10, '\0')),
         "has a data chunk of 1000 bytes where only 10 follow"},
        {"RIFF" + le(6, 4) + std::string("WAVE\0\0", 6), "is cut short inside a chunk header"},
        {riff(pcm(1, 16, 0) + samples(8)), "has a sample rate of 0 Hz, outside 1 to 384000"},
        {riff(pcm(1, 16, 4294967295u) + samples(8)), "has a sample rate of 4294967295 Hz, outside 1 to 384000"},
        {riff(pcm(1, 8, 384001) + samples(8)), "has a sample rate of 384001 Hz, outside 1 to 384000"},
        {riff(mono16 + samples(7)), "holds 7 bytes of samples, not a whole number of 2-byte frames"},
        {riff(samples(8) + mono16), "has its samples before their format chunk"},
        {riff(mono16 + chunk("LIST", "INFO")), "has no data chunk"},
        // A recorder stopped before it wrote the length of its samples; truly empty data chunks.
        {riff(mono16 + "data" + le(0, 4) + std::string(100, '\x40')),
         "has a data chunk declaring 0 bytes, with 100 bytes of samples after it"},
        {riff(mono16 + "data" + le(0, 4) + '\x40'),
         "has a data chunk declaring 0 bytes, with 1 byte of samples after it"},
        {riff(mono16 + "data" + le(0, 4) + chunk("LIST", "INFO")), "holds no samples"},
        {riff(mono16 + "data" + le(0, 4)), "holds no samples"},
        {riff(extensible(1, 1, 16, 8000, 17) + samples(8)), "declares 17 valid bits in 16-bit samples, more than they hold"},
        {riff(chunk("LIST", "INFO") + "junk" + le(5000, 4) + "abc" + mono16 + samples(8)),
         "has a chunk running past the end of the file"},
        {riff(mono16 + mono16 + samples(8)), "has two format chunks"},
        // An AU file named .wav.
        {".snd" + std::string(20, '\0') + std::string(8, '\x7f'), "is no WAV file (no RIFF WAVE header)"},
        {riff(fmt(7, 1, 8000, 1, 8) + samples(8)), "holds mu-law samples; only PCM is played"},
        {riff(extensible(3, 2, 32, 44100) + samples(16)), "holds floating-point samples; only PCM is played"},
        {riff(pcm(3, 16, 8000) + samples(12)), "has 3 channels; only 1 or 2 are played"},
        {riff(pcm(1, 24, 8000) + samples(6)), "has 24-bit samples; only 8- and 16-bit ones are played"},
        {riff(fmt(1, 2, 8000, 2, 16) + samples(8)), "declares frames of 2 bytes, where 2 channels of 16 bits take 4"},
        {riff(mono16 + samples(8)), "was refused by OpenAL (Invalid Value)", 0, 0, 0, 0, true},
        // An odd chunk's pad byte skipped; the rate's bounds.
        {riff(pcm(1, 8, 1) + chunk("junk", "odd") + samples(5)), "", 1, 8, 1, 5},
        // Both pad bytes left out: before the samples, and after them at the end.
        {riff(pcm(1, 8, 8000) + unpadded("LIST", "odd") + unpadded("data", "abcde")), "", 8000, 8, 1, 5},
        // 12 and 6 valid bits in each sample, played as 16- and 8-bit ones.
        {riff(extensible(1, 1, 16, 8000, 12) + samples(8)), "", 8000, 16, 1, 8},
        {riff(extensible(1, 2, 8, 11025, 6) + samples(8)), "", 11025, 8, 2, 8},
        {riff(pcm(2, 8, 384000) + samples(6)), "", 384000, 8, 2, 6},
        {riff(pcm(1, 16, 22050) + samples(8)), "", 22050, 16, 1, 8},
        {riff(pcm(2, 16, 48000) + samples(12)), "", 48000, 16, 2, 12},
        // What follows the samples is never read, not even a chunk past the end.
        {riff(extensible(1, 2, 16, 44100) + samples(16) + "LIST" + le(9999, 4)), "", 44100, 16, 2, 16},
    };
}

}  // namespace soundfiles
