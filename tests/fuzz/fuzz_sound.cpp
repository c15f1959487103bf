// The sound path of a load: any bytes as a game's sound file, loaded the way
// a folder load loads it (read, checked, counted against the budget, and the
// samples the check found handed to OpenAL on its null driver). The check
// also runs on its own, and the samples it vouches for must lie inside the
// input. The OpenAL buffer must hold exactly the vouched samples (nothing for
// a refused file), and no OpenAL error may be left pending.
#include <AL/al.h>

#include <cstdlib>

#include "core/file_read.h"
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

// What the check says of the file at `path`, read as a load reads it.
checkedWav checkFile(const std::string& path)
{
    fileReader file;
    std::string reason;
    if (file.open(path, soundFileMaxBytes, reason) != fileReadResult::read) std::abort();
    return checkWav(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    startDevice();
    const std::string path = writeInput("sound/1000.wav", data, size);
    const checkedWav wav = checkFile(path);
    if (wav.refusal.empty() && (wav.sampleOffset > size || wav.sampleBytes > size - wav.sampleOffset)) std::abort();
    gameSounds.assign(1, sound());
    soundBudget.start();  // each input is a game of its own
    loadGameSoundFile(path, 0);
    ALint held = -1;
    alGetBufferi(gameSounds[0].getBuffer(), AL_SIZE, &held);
    if (held != static_cast<ALint>(wav.refusal.empty() ? wav.sampleBytes : 0)) std::abort();
    if (alGetError() != AL_NO_ERROR) std::abort();
    freeGameSounds(1);
    endInput();
    return 0;
}
