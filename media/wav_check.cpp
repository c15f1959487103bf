// Checking a sound file's bytes: its RIFF chunks walked up to the data
// chunk, its format read and bounded, its samples located.
#include "media/wav_check.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "media/byte_order.h"

namespace {

constexpr size_t riffHeaderBytes = 12;   // "RIFF", the form's length, "WAVE"
constexpr size_t chunkHeaderBytes = 8;   // the chunk's id and the length of its body
constexpr size_t formatBytes = 16;       // tag, channels, rate, bytes a second, frame bytes, bits
constexpr size_t extensibleBytes = 40;   // that, then the extension's length, valid bits, speakers, sub-format
constexpr unsigned extensionBytes = 22;  // the extension's length in the extensible form
constexpr unsigned formatPcm = 0x0001;
constexpr unsigned formatExtensible = 0xFFFE;
constexpr unsigned channelsMax = 2;
constexpr char idCharFirst = ' ';  // a chunk id's characters are printable ASCII
constexpr char idCharLast = '~';

// The sub-format of an extensible file is a GUID whose first two bytes are a
// format tag; these are the fourteen that follow in every such GUID.
constexpr unsigned char subFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                             0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Sample formats found in WAV files that the program does not play, named
// in the refusal.
const struct {
    unsigned tag;
    const char* name;
} formatNames[] = {
    {0x0002, "Microsoft ADPCM"}, {0x0003, "floating-point"}, {0x0006, "A-law"}, {0x0007, "mu-law"},
    {0x0011, "IMA ADPCM"},       {0x0031, "GSM 6.10"},       {0x0050, "MPEG"},  {0x0055, "MP3"},
};

unsigned u16(std::string_view b, size_t at)
{
    return static_cast<unsigned>(littleEndian(b, at, 2));
}

unsigned long u32(std::string_view b, size_t at)
{
    return littleEndian(b, at, 4);
}

bool hasId(std::string_view b, size_t at, const char* id)
{
    return b.compare(at, 4, id) == 0;
}

// `n` bytes as a refusal says them: "1 byte", "2 bytes".
std::string bytesText(unsigned long long n)
{
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

std::string formatName(unsigned tag)
{
    for (const auto& f : formatNames)
        if (f.tag == tag) return f.name;
    char text[32];
    std::snprintf(text, sizeof text, "format 0x%04X", tag);
    return text;
}

// The format chunk's body of `size` bytes at `body` read into `wav`; empty,
// or why the program does not play it.
std::string readFormat(std::string_view b, size_t body, size_t size, checkedWav& wav, unsigned& frameBytes)
{
    if (size < formatBytes) return "has a format chunk too short to read";
    unsigned tag = u16(b, body);
    wav.channels = u16(b, body + 2);
    wav.rate = u32(b, body + 4);
    frameBytes = u16(b, body + 12);
    wav.bits = u16(b, body + 14);
    if (tag == formatExtensible) {
        if (size < extensibleBytes || u16(b, body + 16) < extensionBytes)
            return "has an extensible format chunk too short to read";
        if (std::memcmp(b.data() + body + 26, subFormatTail, sizeof subFormatTail) != 0)
            return "holds samples of an unknown kind; only PCM is played";
        tag = u16(b, body + 24);
        // Fewer valid bits than the samples hold are played as the whole samples.
        const unsigned validBits = u16(b, body + 18);
        if (tag == formatPcm && validBits > wav.bits)
            return "declares " + std::to_string(validBits) + " valid bits in " + std::to_string(wav.bits) +
                   "-bit samples, more than they hold";
    }
    if (tag != formatPcm) return "holds " + formatName(tag) + " samples; only PCM is played";
    if (wav.channels == 0 || wav.channels > channelsMax)
        return "has " + std::to_string(wav.channels) + " channels; only 1 or 2 are played";
    if (wav.bits != 8 && wav.bits != 16)
        return "has " + std::to_string(wav.bits) + "-bit samples; only 8- and 16-bit ones are played";
    const unsigned expected = wav.channels * wav.bits / 8;
    if (frameBytes != expected)
        return "declares frames of " + bytesText(frameBytes) + ", where " +
               std::to_string(wav.channels) + " channels of " + std::to_string(wav.bits) + " bits take " +
               std::to_string(expected);
    if (wav.rate < wavRateMin || wav.rate > wavRateMax)
        return "has a sample rate of " + std::to_string(wav.rate) + " Hz, outside " + std::to_string(wavRateMin) +
               " to " + std::to_string(wavRateMax);
    return "";
}

// The reason given when a read fails; the caller names the failure itself.
const char* const unreadable = "cannot be read";

checkedWav refused(std::string why)
{
    checkedWav wav;
    wav.refusal = std::move(why);
    return wav;
}

// True when a chunk header lies at `at`: an id of four printable characters
// and a body that ends inside the file.
bool chunkHeaderAt(fileReader& file, size_t at)
{
    if (!file.has(at, chunkHeaderBytes)) return false;
    const byteBuffer& b = file.bytes();
    for (size_t i = 0; i < 4; ++i)
        if (b[at + i] < idCharFirst || b[at + i] > idCharLast) return false;
    return u32(b, at + 4) <= file.size() - at - chunkHeaderBytes;
}

// Where the chunk after a body of `length` bytes at `body` begins: past its
// pad byte when the length is odd (at most the file's size + 1 when the pad
// byte is missing at the end). A writer that left the pad byte out before
// another chunk is followed: when no chunk header lies past the pad byte but
// one lies right after the body, the walk goes on from there.
size_t nextChunk(fileReader& file, size_t body, unsigned long length)
{
    const size_t unpadded = body + length;
    if ((length & 1) == 0) return unpadded;
    if (!chunkHeaderAt(file, unpadded + 1) && chunkHeaderAt(file, unpadded)) return unpadded;
    return unpadded + 1;
}

// Why a data chunk declaring 0 bytes is refused: a writer stopped before it
// put in the length of its samples leaves them after the chunk's header;
// with nothing after it, or another chunk, the file holds no samples.
std::string emptyDataChunk(fileReader& file, size_t body, size_t room)
{
    if (room == 0 || chunkHeaderAt(file, body)) return "holds no samples";
    return "has a data chunk declaring 0 bytes, with " + bytesText(room) + " of samples after it";
}

}  // namespace

// The form's own length is not relied on: every chunk is bounded by the file
// itself, which is what keeps each read inside its bytes. The walk asks the
// reader for no more than the data chunk's header: the samples are not
// asked for.
checkedWav checkWav(fileReader& file)
{
    const byteBuffer& b = file.bytes();
    const size_t size = file.size();
    if (!file.readTo(riffHeaderBytes) || !hasId(b, 0, "RIFF") || !hasId(b, 8, "WAVE"))
        return refused("is no WAV file (no RIFF WAVE header)");
    checkedWav wav;
    bool formatRead = false;
    unsigned frameBytes = 0;
    size_t chunk = riffHeaderBytes;
    while (chunk < size) {
        if (size - chunk < chunkHeaderBytes) return refused("is cut short inside a chunk header");
        if (!file.readTo(chunk + chunkHeaderBytes)) return refused(unreadable);
        const unsigned long length = u32(b, chunk + 4);
        const size_t body = chunk + chunkHeaderBytes;
        const size_t room = size - body;
        if (hasId(b, chunk, "data")) {
            if (!formatRead) return refused("has its samples before their format chunk");
            if (length > room)
                return refused("has a data chunk of " + bytesText(length) + " where only " + std::to_string(room) +
                               (room == 1 ? " follows" : " follow"));
            if (length == 0) return refused(emptyDataChunk(file, body, room));
            if (length % frameBytes != 0)
                return refused("holds " + bytesText(length) + " of samples, not a whole number of " +
                               std::to_string(frameBytes) + "-byte frames");
            wav.sampleOffset = body;
            wav.sampleBytes = length;
            return wav;
        }
        if (length > room) return refused("has a chunk running past the end of the file");
        if (hasId(b, chunk, "fmt ")) {
            if (formatRead) return refused("has two format chunks");
            if (!file.readTo(body + length)) return refused(unreadable);
            const std::string why = readFormat(b, body, length, wav, frameBytes);
            if (!why.empty()) return refused(why);
            formatRead = true;
        }
        chunk = nextChunk(file, body, length);
    }
    return refused("has no data chunk");
}
