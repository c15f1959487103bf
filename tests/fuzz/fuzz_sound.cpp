// The sound path of a load: any bytes as a game's sound file, loaded the way
// a folder load loads it (read, checked, counted against the budget, and the
// samples the check found handed to OpenAL on its null driver). The check
// also runs on the input's own bytes, which have no room past their end, and
// every byte it vouches for is read. The OpenAL buffer must hold exactly the
// vouched samples (nothing for a refused file), and no OpenAL error may be
// left pending.
#include <AL/al.h>

#include <cstdlib>

#include "media/sound.h"
#include "media/sound_budget.h"
#include "media/wav_check.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void startDevice()
{
    static bool started = false;
    if (started) return;
    setenv("ALSOFT_DRIVERS", "null", 1);
    if (!initSound()) std::abort();
    std::atexit(freeSystemSounds);
    started = true;
}

// Every vouched byte read, so that a range past the input shows as a read
// out of bounds.
unsigned sumOfSamples(const uint8_t* data, const checkedWav& wav)
{
    unsigned sum = 0;
    for (size_t i = 0; i < wav.sampleBytes; ++i) sum += data[wav.sampleOffset + i];
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    startDevice();
    const checkedWav wav = checkWav(reinterpret_cast<const char*>(data), size);
    volatile unsigned sum = wav.refusal.empty() ? sumOfSamples(data, wav) : 0;
    (void)sum;

    const std::string path = writeInput("sound/1000.wav", data, size);
    gameSounds.assign(1, sound());
    startSoundBudget();  // each input is a game of its own
    loadGameSoundFile(path, 0);
    ALint held = -1;
    alGetBufferi(gameSounds[0].getBuffer(), AL_SIZE, &held);
    if (held != static_cast<ALint>(wav.refusal.empty() ? wav.sampleBytes : 0)) std::abort();
    if (alGetError() != AL_NO_ERROR) std::abort();
    freeGameSounds(1);
    endInput();
    return 0;
}
