// System and game sounds on OpenAL: loading WAV files into buffers, the two
// source pools, playing, stopping and freeing. A sound file is checked as it
// is read (media/wav_check.h); OpenAL is then handed exactly the samples the
// check found, so no other reader ever parses the file. Every OpenAL call that
// can fail is followed by alGetError: a failure is named and its error
// cleared, so that it never makes a later call look as if it failed.
#include "media/sound.h"
#include "media/sound_internal.h"

#include <AL/al.h>
#include <AL/alut.h>

#include <algorithm>
#include <future>
#include <limits>
#include <system_error>

#include "core/file_kind.h"
#include "core/file_read.h"
#include "core/log.h"
#include "core/system.h"
#include "media/numbered_names.h"
#include "media/sound_budget.h"
#include "media/wav_check.h"

// The byte count and rate of every sound the check accepts fit OpenAL's int.
static_assert(soundFileMaxBytes <= static_cast<unsigned long long>(std::numeric_limits<ALsizei>::max()));
static_assert(wavRateMax <= static_cast<unsigned long>(std::numeric_limits<ALsizei>::max()));

const char* const sysSoundFiles[sysSoundCount] = {
    "soundreq/click.wav",  "soundreq/cancel.wav", "soundreq/boop.wav",   "soundreq/delete.wav",
    "soundreq/copy.wav",   "soundreq/mainmenu.wav", "soundreq/ok.wav",   "soundreq/open.wav",
    "soundreq/close.wav",  "soundreq/error.wav",  "soundreq/select.wav", "soundreq/leave.wav",
    "soundreq/create.wav", "soundreq/change.wav", "soundreq/melody.wav",
};

sound systemSounds[sysSoundCount];
std::vector<sound> gameSounds;
memoryBudget soundBudget(soundBudgetBytes);

namespace {

bool deviceReady = false;
std::future<bool> deviceOpening;  // the device being opened on a thread of its own
std::vector<ALuint> sSource;
std::vector<ALuint> gSource;
int failuresAsked[alCallCount] = {};  // by alCall: the failures a test asked for that are still to come

// False when a test asked `call` to fail: it is then not made, and the error
// OpenAL gives a call it refuses is left in its place.
bool alCallRuns(alCall call)
{
    int& asked = failuresAsked[static_cast<int>(call)];
    if (asked == 0) return true;
    --asked;
    alGenBuffers(-1, nullptr);  // Invalid Value
    return false;
}

// OpenAL's name for an error, as "Invalid Value".
std::string alErrorText(ALenum error)
{
    const ALchar* text = alGetString(error);
    return text ? text : "error " + std::to_string(error);
}

// Takes the error the OpenAL calls just made left; when there is one, names
// it in a warning that says what could not be done, and returns false.
bool alSucceeded(const std::string& doing)
{
    const ALenum error = alGetError();
    if (error == AL_NO_ERROR) return true;
    systemMsg(QV_WARNING "OpenAL could not " + doing + " (" + alErrorText(error) + ").");
    return false;
}

// Names a sound that cannot play, once, with why: the end of a sentence
// beginning "it". The sound keeps its record and stays silent.
void warnSilent(const std::string& filename, const std::string& why)
{
    systemMsg(QV_WARNING "Could not load the sound ^y" + filename + "^w: it " + why + ".");
}

std::vector<ALuint> makeSources(int count)
{
    std::vector<ALuint> sources(static_cast<size_t>(count), 0);
    alGenSources(count, sources.data());
    if (alGetError() != AL_NO_ERROR) {
        systemMsg(QV_WARNING "Could not make the sound sources; those sounds stay silent.");
        return {};
    }
    return sources;
}

void deleteSources(std::vector<ALuint>& sources)
{
    for (ALuint& source : sources) alDeleteSources(1, &source);
    sources.clear();
}

ALenum alFormatOf(const checkedWav& wav)
{
    static const ALenum formats[2][2] = {{AL_FORMAT_MONO8, AL_FORMAT_MONO16}, {AL_FORMAT_STEREO8, AL_FORMAT_STEREO16}};
    return formats[wav.channels - 1][wav.bits / 16];
}

// Fills `buffer` with the samples of the file, counted against the game's
// budget when `counted`. Until the sound is known to fit the budget the
// file is read only as far as its check asks and the reader's read-ahead;
// only then are the rest of its samples read. A file that cannot be read,
// one the check refuses, one past the budget and one OpenAL refuses are
// named and leave the buffer empty; an entry that is no regular file is
// never opened (the folder walk or loadSystemSounds names it). The file's bytes are let go on return, once
// OpenAL holds its own copy of the samples.
void fillBuffer(ALuint buffer, const std::string& filename, bool counted)
{
    fileReader file;
    std::string reason;
    const fileReadResult opened = file.open(filename, soundFileMaxBytes, reason);
    if (opened == fileReadResult::notAFile) return;
    if (opened != fileReadResult::read) return warnSilent(filename, reason);
    const checkedWav wav = checkWav(file);
    if (file.readError() != 0) return warnSilent(filename, fileReadFailureText(file.readError()));
    if (!wav.refusal.empty()) return warnSilent(filename, wav.refusal);
    if (counted && !soundBudget.charge(wav.sampleBytes))
        return warnSilent(filename, "would take the samples of this game's sounds past their " +
                                        std::to_string(soundBudgetBytes / mebibyte) + " MiB");
    const auto refund = [&] {
        if (counted) soundBudget.refund(wav.sampleBytes);
    };
    if (!file.readTo(wav.sampleOffset + wav.sampleBytes)) {
        refund();
        return warnSilent(filename, fileReadFailureText(file.readError()));
    }
    if (alCallRuns(alCall::fillBuffer))
        alBufferData(buffer, alFormatOf(wav), file.bytes().data() + wav.sampleOffset,
                     static_cast<ALsizei>(wav.sampleBytes), static_cast<ALsizei>(wav.rate));
    const ALenum error = alGetError();
    if (error == AL_NO_ERROR) return;
    refund();
    warnSilent(filename, "was refused by OpenAL (" + alErrorText(error) + ")");
}

// A new buffer holding the file's samples; a sound that cannot play keeps an
// empty one (or none, when OpenAL makes none), named in a warning.
ALuint loadWavBuffer(const std::string& filename, bool counted)
{
    ALuint buffer = 0;
    if (alCallRuns(alCall::makeBuffer)) alGenBuffers(1, &buffer);
    const ALenum error = alGetError();
    if (error != AL_NO_ERROR) {
        warnSilent(filename, "could not be given an OpenAL buffer (" + alErrorText(error) + ")");
        return 0;
    }
    fillBuffer(buffer, filename, counted);
    return buffer;
}

void loadSoundFile(sound& record, const std::string& filename, bool counted)
{
    if (!deviceReady) return;
    record.setBuffer(loadWavBuffer(filename, counted));
}

bool sourcePlaying(ALuint source)
{
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return alSucceeded("read the state of a sound source") && state == AL_PLAYING;
}

// The last source of the pool, in pool order, that is not playing; 0 when
// every one plays (every source is asked).
ALuint freeSource(const std::vector<ALuint>& pool)
{
    ALuint chosen = 0;
    for (ALuint source : pool)
        if (!sourcePlaying(source)) chosen = source;
    return chosen;
}

void playOn(sound& record, const std::vector<ALuint>& pool, int loop)
{
    if (!deviceReady || !gameSys.getSoundState()) return;
    const ALuint source = freeSource(pool);
    if (source == 0) return;  // every source of the pool is busy: the request is dropped
    record.setSource(source);

    const ALfloat origin[3] = {0.0f, 0.0f, 0.0f};
    const ALfloat orientation[6] = {0.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f};
    alSourcei(source, AL_BUFFER, static_cast<ALint>(record.getBuffer()));
    alSourcef(source, AL_PITCH, 1.0f);
    alSourcef(source, AL_GAIN, gameSys.getSoundVolume());
    alSourcefv(source, AL_POSITION, origin);
    alSourcefv(source, AL_VELOCITY, origin);
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alListenerfv(AL_POSITION, origin);
    alListenerfv(AL_VELOCITY, origin);
    alListenerfv(AL_ORIENTATION, orientation);
    if (alCallRuns(alCall::play)) alSourcePlay(source);
    alSucceeded("play a sound");
}

void stopSource(ALuint source)
{
    if (!deviceReady || source == 0) return;
    if (alCallRuns(alCall::stop)) alSourceStop(source);
    alSucceeded("stop a sound");
}

bool validSystemSound(int n)
{
    return n >= 0 && n < sysSoundCount;
}

bool validGameSound(int n)
{
    return n >= 0 && static_cast<size_t>(n) < gameSounds.size();
}

bool openDevice()
{
    return alutInit(nullptr, nullptr) == AL_TRUE;
}

}  // namespace

void beginSoundInit()
{
    if (deviceReady || deviceOpening.valid()) return;
    try {
        deviceOpening = std::async(std::launch::async, openDevice);
    } catch (const std::system_error&) {
        // No thread to spare: initSound opens the device itself.
    }
}

bool initSound()
{
    if (deviceReady) return true;
    const bool opened = deviceOpening.valid() ? deviceOpening.get() : openDevice();
    if (!opened) {
        systemMsg(QV_WARNING "Sound is off: the sound device could not be opened (" +
                  std::string(alutGetErrorString(alutGetError())) + ").");
        return false;
    }
    alGetError();
    deviceReady = true;
    return true;
}

bool soundDeviceReady()
{
    return deviceReady;
}

void loadSystemSounds()
{
    if (!deviceReady) return;
    sSource = makeSources(systemSourceCount);
    for (int i = 0; i < sysSoundCount; ++i) {
        regularFileOrWarn(sysSoundFiles[i]);  // names a folder or pipe in the file's place
        loadSystemSoundFile(sysSoundFiles[i], i);
    }
}

void loadSystemSoundFile(const std::string& filename, int soundNum)
{
    if (validSystemSound(soundNum)) loadSoundFile(systemSounds[soundNum], filename, false);
}

void playSystemSound(int soundNum, int loop)
{
    if (validSystemSound(soundNum)) playOn(systemSounds[soundNum], sSource, loop);
}

void stopSystemSound(int soundNum)
{
    if (validSystemSound(soundNum)) stopSource(systemSounds[soundNum].getSource());
}

void freeSystemSounds()
{
    if (!deviceReady) return;
    freeGameSounds(static_cast<int>(gameSounds.size()));
    sSource.clear();
    for (sound& record : systemSounds) record = sound();
    alutExit();
    deviceReady = false;
}

int loadGameSounds(const std::string& gameFolder)
{
    if (!gSource.empty() || !gameSounds.empty()) freeGameSounds(static_cast<int>(gameSounds.size()));
    if (!deviceReady) return 0;
    gSource = makeSources(gameSourceCount);
    soundBudget.start();

    const numberedFolder folder{gameFolder + "/sound/", soundNumberFirst, soundExtension};
    for (const std::string& name : numberFolder(folder)) {
        gameSounds.emplace_back();
        loadGameSoundFile(folder.prefix + name, static_cast<int>(gameSounds.size()) - 1);
    }
    return static_cast<int>(gameSounds.size());
}

void loadGameSoundFile(const std::string& filename, int soundNum)
{
    if (validGameSound(soundNum)) loadSoundFile(gameSounds[static_cast<size_t>(soundNum)], filename, true);
}

void playGameSound(int soundNum, int loop)
{
    if (validGameSound(soundNum)) playOn(gameSounds[static_cast<size_t>(soundNum)], gSource, loop);
}

void stopGameSound(int soundNum)
{
    if (validGameSound(soundNum)) stopSource(gameSounds[static_cast<size_t>(soundNum)].getSource());
}

void stopGameSounds()
{
    if (!deviceReady) return;
    for (ALuint source : gSource)
        if (sourcePlaying(source)) stopSource(source);
}

void freeGameSounds(int soundCount)
{
    if (deviceReady) {
        // A buffer still attached to a source cannot be deleted: the pool goes first.
        for (ALuint source : gSource) {
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
        }
        deleteSources(gSource);
        const size_t count = soundCount < 0 ? 0 : std::min(static_cast<size_t>(soundCount), gameSounds.size());
        for (size_t i = 0; i < count; ++i) {
            ALuint buffer = gameSounds[i].getBuffer();
            if (buffer != 0 && alCallRuns(alCall::freeBuffer)) alDeleteBuffers(1, &buffer);
        }
        alSucceeded("free the game's sounds");
    }
    gSource.clear();
    gameSounds.clear();
}

std::vector<unsigned int> systemSourcePool()
{
    return {sSource.begin(), sSource.end()};
}

std::vector<unsigned int> gameSourcePool()
{
    return {gSource.begin(), gSource.end()};
}

void failALCall(alCall call, int times)
{
    failuresAsked[static_cast<int>(call)] = times;
}
