// Sound on OpenAL's null driver: the order in which pool sources are taken,
// dropped requests when a pool is busy, sound off, numbers out of range,
// unreadable files, and loading game sounds twice without piling up pools.
#include <gtest/gtest.h>

#include <AL/al.h>

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "core/system.h"
#include "media/sound.h"
#include "media/sound_internal.h"
#include "tests/unit/test_util.h"

namespace {

// A 16-bit mono PCM WAV of `seconds` of a quiet tone.
std::string wavBytes(double seconds)
{
    const int rate = 8000;
    const uint32_t samples = static_cast<uint32_t>(seconds * rate);
    std::string out;
    auto u32 = [&out](uint32_t v) { for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xff); };
    auto u16 = [&out](uint16_t v) { out += static_cast<char>(v & 0xff); out += static_cast<char>(v >> 8); };
    out += "RIFF";
    u32(36 + samples * 2);
    out += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out += "data";
    u32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i) u16(static_cast<uint16_t>(static_cast<int16_t>(1000 * std::sin(i * 0.3))));
    return out;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("ALSOFT_DRIVERS", "null", 1);
        for (int i = 0; i < sysSoundCount; ++i) dir.write(sysSoundFiles[i], wavBytes(i == sysSoundMainMenu ? 5.0 : 0.1));
        cwd = std::make_unique<testutil::ScopedCwd>(dir.path());
        gameSys.setSoundState(true);
        gameSys.setSoundVolume(1.0f);
        ASSERT_TRUE(initSound());
        loadSystemSounds();
    }
    void TearDown() override
    {
        freeSystemSounds();
        cwd.reset();
    }
    static ALint state(unsigned int source)
    {
        ALint s = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &s);
        return s;
    }
    testutil::TempDir dir;
    std::unique_ptr<testutil::ScopedCwd> cwd;
};

TEST_F(SoundTest, SystemSoundsTakeTheLastIdleSourceAndDropRequestsWhenThePoolIsBusy)
{
    const std::vector<unsigned int> pool = systemSourcePool();
    ASSERT_EQ(pool.size(), static_cast<size_t>(systemSourceCount));
    for (int i = 0; i < sysSoundCount; ++i) EXPECT_NE(systemSounds[i].getBuffer(), 0u);

    for (int k = 0; k < systemSourceCount; ++k) {
        playSystemSound(sysSoundMainMenu, 1);
        EXPECT_EQ(systemSounds[sysSoundMainMenu].getSource(), pool[pool.size() - 1 - static_cast<size_t>(k)]);
        EXPECT_EQ(state(systemSounds[sysSoundMainMenu].getSource()), AL_PLAYING);
    }
    // Every source plays: the request is dropped and the record is untouched.
    playSystemSound(sysSoundClick, 0);
    EXPECT_EQ(systemSounds[sysSoundClick].getSource(), 0u);

    // Stopping the last start of the music frees its source for the next sound.
    stopSystemSound(sysSoundMainMenu);
    playSystemSound(sysSoundClick, 0);
    EXPECT_EQ(systemSounds[sysSoundClick].getSource(), pool[0]);
}

TEST_F(SoundTest, SoundOffAndNumbersOutOfRangePlayNothing)
{
    gameSys.setSoundState(false);
    playSystemSound(sysSoundOk, 0);
    EXPECT_EQ(systemSounds[sysSoundOk].getSource(), 0u);
    gameSys.setSoundState(true);

    playSystemSound(-1, 0);
    playSystemSound(sysSoundCount, 0);
    playGameSound(0, 0);  // no game sounds loaded
    stopSystemSound(sysSoundCount);
    for (unsigned int source : systemSourcePool()) EXPECT_NE(state(source), AL_PLAYING);
}

TEST_F(SoundTest, UnreadableWavLeavesAnEmptyBufferInItsSlot)
{
    dir.write("soundreq/broken.wav", "not a sound at all");
    loadSystemSoundFile("soundreq/broken.wav", sysSoundError);
    const ALuint buffer = systemSounds[sysSoundError].getBuffer();
    ASSERT_NE(buffer, 0u);
    ALint size = -1;
    alGetBufferi(buffer, AL_SIZE, &size);
    EXPECT_EQ(size, 0);
    playSystemSound(sysSoundError, 0);  // plays silence, no failure
}

TEST_F(SoundTest, GameSoundsAreNumberedAndALoadOverAnotherFreesThePreviousOnes)
{
    dir.write("games/g/sound/shot.wav", wavBytes(0.1));
    dir.write("games/g/sound/door.ogg", "unreadable");
    dir.write("games/g/sound/hit.wav", wavBytes(3.0));

    EXPECT_EQ(loadGameSounds("g"), 3);
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/sound/1000.wav"));  // door.ogg
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/sound/1002.wav"));  // shot.wav
    const std::vector<unsigned int> firstPool = gameSourcePool();
    ASSERT_EQ(firstPool.size(), static_cast<size_t>(gameSourceCount));
    playGameSound(1, 1);
    ASSERT_EQ(state(gameSounds[1].getSource()), AL_PLAYING);

    // The same game again without leaving it: the old sounds and pool go first.
    EXPECT_EQ(loadGameSounds("g"), 3);
    EXPECT_EQ(gameSounds.size(), 3u);
    EXPECT_EQ(gameSourcePool().size(), static_cast<size_t>(gameSourceCount));
    for (unsigned int source : firstPool) EXPECT_FALSE(alIsSource(source) && state(source) == AL_PLAYING);

    playGameSound(1, 0);
    EXPECT_EQ(state(gameSounds[1].getSource()), AL_PLAYING);
    stopGameSounds();
    EXPECT_NE(state(gameSounds[1].getSource()), AL_PLAYING);
    playGameSound(3, 0);  // no such sound
    playGameSound(-1, 0);

    freeGameSounds(3);
    EXPECT_TRUE(gameSounds.empty());
    EXPECT_TRUE(gameSourcePool().empty());
}

TEST_F(SoundTest, GameWithoutSoundFolderHasNoSoundsButItsPool)
{
    EXPECT_EQ(loadGameSounds("none"), 0);
    EXPECT_EQ(gameSourcePool().size(), static_cast<size_t>(gameSourceCount));
    freeGameSounds(0);
    EXPECT_TRUE(gameSourcePool().empty());
}

// Without a device every sound call does nothing. Runs in a process of its own
// (OpenAL chooses its drivers once per process) and exits with the number of
// checks that failed, each named on standard error.
[[noreturn]] void runSoundWithoutDevice()
{
    setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
    int failed = 0;
    auto check = [&failed](bool ok, const char* what) {
        if (ok) return;
        std::fprintf(stderr, "failed: %s\n", what);
        ++failed;
    };
    check(!initSound(), "initSound() is false");
    check(!soundDeviceReady(), "soundDeviceReady() is false");
    loadSystemSounds();
    playSystemSound(sysSoundClick, 0);
    check(systemSounds[sysSoundClick].getSource() == 0u, "no source was taken");
    check(loadGameSounds("none") == 0, "no game sound loaded");
    freeSystemSounds();
    std::exit(failed);
}

TEST(SoundDeviceDeathTest, NoDeviceTurnsSoundOffWithoutFailing)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";  // a fresh process, not a fork of this one
    EXPECT_EXIT(runSoundWithoutDevice(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
