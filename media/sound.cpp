// System and game sounds on OpenAL: loading WAV files into buffers, the two
// source pools, playing, stopping and freeing.
#include "media/sound.h"
#include "media/sound_internal.h"

#include <AL/al.h>
#include <AL/alut.h>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <system_error>

#include "core/file_kind.h"
#include "core/file_read.h"
#include "core/log.h"
#include "core/system.h"
#include "media/numbered_names.h"

const char* const sysSoundFiles[sysSoundCount] = {
    "soundreq/click.wav",  "soundreq/cancel.wav", "soundreq/boop.wav",   "soundreq/delete.wav",
    "soundreq/copy.wav",   "soundreq/mainmenu.wav", "soundreq/ok.wav",   "soundreq/open.wav",
    "soundreq/close.wav",  "soundreq/error.wav",  "soundreq/select.wav", "soundreq/leave.wav",
    "soundreq/create.wav", "soundreq/change.wav", "soundreq/melody.wav",
};

sound systemSounds[sysSoundCount];
std::vector<sound> gameSounds;

namespace {

bool deviceReady = false;
std::future<bool> deviceOpening;  // the device being opened on a thread of its own
std::vector<ALuint> sSource;
std::vector<ALuint> gSource;

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

// A new buffer holding the file's samples; an unreadable file, or one larger
// than soundFileMaxBytes, leaves it empty with a warning. An entry that is no
// regular file is never read (the folder walk or loadSystemSounds names it).
ALuint loadWavBuffer(const std::string& filename)
{
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    std::string bytes, reason;
    const fileReadResult result = readWholeFile(filename, soundFileMaxBytes, bytes, reason);
    if (result == fileReadResult::notAFile) return buffer;
    if (result != fileReadResult::read) {
        systemMsg(QV_WARNING "Could not read the sound ^y" + filename + "^w: it " + reason + ".");
        return buffer;
    }
    ALenum format = 0;
    ALsizei size = 0;
    ALfloat frequency = 0.0f;
    void* data = alutLoadMemoryFromFileImage(bytes.data(), static_cast<ALsizei>(bytes.size()), &format, &size,
                                             &frequency);
    if (!data) {
        systemMsg(QV_WARNING "Could not read the sound ^y" + filename + "^w: " +
                  alutGetErrorString(alutGetError()));
        return buffer;
    }
    alBufferData(buffer, format, data, size, static_cast<ALsizei>(frequency));
    std::free(data);
    return buffer;
}

void loadSoundFile(sound& record, const std::string& filename)
{
    if (!deviceReady) return;
    record.setBuffer(loadWavBuffer(filename));
}

bool sourcePlaying(ALuint source)
{
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
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
    alSourcePlay(source);
}

void stopSource(ALuint source)
{
    if (deviceReady && source != 0) alSourceStop(source);
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
    if (validSystemSound(soundNum)) loadSoundFile(systemSounds[soundNum], filename);
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

int loadGameSounds(const std::string& gameName)
{
    if (!gSource.empty() || !gameSounds.empty()) freeGameSounds(static_cast<int>(gameSounds.size()));
    if (!deviceReady) return 0;
    gSource = makeSources(gameSourceCount);

    const numberedFolder folder{"games/" + gameName + "/sound/", soundNumberFirst, soundExtension};
    for (const std::string& name : numberFolder(folder)) {
        gameSounds.emplace_back();
        loadGameSoundFile(folder.prefix + name, static_cast<int>(gameSounds.size()) - 1);
    }
    return static_cast<int>(gameSounds.size());
}

void loadGameSoundFile(const std::string& filename, int soundNum)
{
    if (validGameSound(soundNum)) loadSoundFile(gameSounds[static_cast<size_t>(soundNum)], filename);
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
        if (sourcePlaying(source)) alSourceStop(source);
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
            if (buffer != 0) alDeleteBuffers(1, &buffer);
        }
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
