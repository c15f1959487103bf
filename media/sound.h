// Sound: the program's 15 system sounds from `soundreq/` and the loaded game's
// sounds from `games/<name>/sound/`, each held as one OpenAL buffer and played
// on a source of a small fixed pool (5 for system sounds, 10 for game sounds).
// Sound is not positional: sources and listener sit at the origin.
#pragma once
#include <string>
#include <vector>

// One loaded WAV: its buffer, and the source that last started it (0 until
// the sound is first played).
class sound {
public:
    void setBuffer(unsigned int b) { buffer = b; }
    unsigned int getBuffer() const { return buffer; }
    void setSource(unsigned int s) { source = s; }
    unsigned int getSource() const { return source; }

private:
    unsigned int buffer = 0;
    unsigned int source = 0;
};

enum sysSoundId {
    sysSoundClick = 0,
    sysSoundCancel,
    sysSoundBoop,
    sysSoundDelete,
    sysSoundCopy,
    sysSoundMainMenu,
    sysSoundOk,
    sysSoundOpen,
    sysSoundClose,
    sysSoundError,
    sysSoundSelect,
    sysSoundLeave,
    sysSoundCreate,
    sysSoundChange,
    sysSoundMelody,
    sysSoundCount
};

constexpr int systemSourceCount = 5;
constexpr int gameSourceCount = 10;
// A larger sound file is refused before it is read: six minutes of CD-quality
// stereo, which the sound library then holds a copy of while the game runs.
constexpr unsigned long long soundFileMaxBytes = 64ull << 20;

// The file of each system sound, by index.
extern const char* const sysSoundFiles[sysSoundCount];

extern sound systemSounds[sysSoundCount];
extern std::vector<sound> gameSounds;

// Starts the sound library (alutInit, then alGetError to clear its error
// state). When no device can be opened, sound stays off for the whole run:
// one warning, and every later call of this file does nothing.
bool initSound();
// Starts opening the sound device on a thread of its own, so that start-up
// goes on meanwhile; the next initSound waits for it and reports as above.
void beginSoundInit();
// True after a successful initSound and before freeSystemSounds.
bool soundDeviceReady();

void loadSystemSounds();
void loadSystemSoundFile(const std::string& filename, int soundNum);
// Plays a system sound (loop 1) or once (loop 0) on a free source of the
// system pool; dropped when sound is off, the number is no system sound or
// every source of the pool is playing.
void playSystemSound(int soundNum, int loop);
// Stops the source that last played this system sound.
void stopSystemSound(int soundNum);
// Shuts the sound library down.
void freeSystemSounds();

// Makes the game pool and loads the `sound/` folder of the game's folder
// `gameFolder` (games/<name>, which the caller has from world/game_files),
// after freeing the sounds of a game loaded before; returns the number of
// sounds loaded. The game's sounds are counted afresh against their budget
// (media/sound_budget.h).
int loadGameSounds(const std::string& gameFolder);
// Loads one game sound, counted against the game's budget; a sound that
// cannot play keeps its record, silent, and is named in a warning.
void loadGameSoundFile(const std::string& filename, int soundNum);
void playGameSound(int soundNum, int loop);
// Stops the source that last played this game sound.
void stopGameSound(int soundNum);
void stopGameSounds();
// Deletes the buffers of the first `soundCount` game sounds and the game pool,
// and empties gameSounds.
void freeGameSounds(int soundCount);
