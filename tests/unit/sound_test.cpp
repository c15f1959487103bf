// Sound on OpenAL's null driver: the order in which pool sources are taken,
// dropped requests when a pool is busy, sound off, numbers out of range,
// unreadable and damaged files, OpenAL failures, the budget of a game's
// sounds, and loading game sounds twice without piling up pools.
#include <gtest/gtest.h>
#include <unistd.h>

#include <AL/al.h>

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "core/file_read_internal.h"
#include "core/log.h"
#include "core/system.h"
#include "media/sound.h"
#include "media/sound_budget.h"
#include "media/sound_internal.h"
#include "tests/unit/sound_files.h"
#include "tests/unit/test_util.h"
#include "world/game_files.h"

namespace {

using namespace soundfiles;
using testutil::wavBytes;

ALint bufferValue(ALuint buffer, ALenum what)
{
    ALint value = -1;
    alGetBufferi(buffer, what, &value);
    return value;
}

// How many console lines name the sound `path` as not loaded.
int silentWarnings(const std::string& path)
{
    int count = 0;
    for (int i = 0; i < console.getLineCount(); ++i)
        count += console.getLine(i).find("Could not load the sound ^y" + path + "^w") != std::string::npos;
    return count;
}

long long residentBytes()
{
    long long size = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
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
        for (int call = 0; call < alCallCount; ++call) failALCall(static_cast<alCall>(call), 0);
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

// Each sound file is checked before OpenAL sees a byte of it: a file refused
// is named once with why and stays silent, a good one holds exactly its
// samples. After each, a good sound still loads and plays and no OpenAL error
// is left pending.
TEST_F(SoundTest, DamagedSoundsAreNamedAndTheNextSoundStillPlays)
{
    const std::vector<soundFileRow> rows = soundFileRows();
    dir.write("good.wav", wavBytes(0.1));
    for (size_t k = 0; k < rows.size(); ++k) {
        const auto& r = rows[k];
        const std::string path = "row" + std::to_string(k) + ".wav";
        dir.write(path, r.bytes);
        ASSERT_EQ(loadGameSounds(gameFolder("none")), 0);  // a fresh pool; the last row's sounds are freed
        gameSounds.resize(2);
        console = debugConsole();
        failALCall(alCall::fillBuffer, r.openALRefuses ? 1 : 0);
        loadGameSoundFile(path, 0);
        loadGameSoundFile("good.wav", 1);
        const ALuint buffer = gameSounds[0].getBuffer();
        ASSERT_NE(buffer, 0u) << path;
        if (r.why.empty())
            EXPECT_EQ(std::vector<ALint>({bufferValue(buffer, AL_FREQUENCY), bufferValue(buffer, AL_BITS),
                                          bufferValue(buffer, AL_CHANNELS), bufferValue(buffer, AL_SIZE)}),
                      std::vector<ALint>({r.rate, r.bits, r.channels, r.size}))
                << path;
        else
            EXPECT_EQ(bufferValue(buffer, AL_SIZE), 0) << path;
        const std::string line = QV_WARNING "Could not load the sound ^y" + path + "^w: it " + r.why + ".";
        EXPECT_EQ(silentWarnings(path), r.why.empty() ? 0 : 1) << path;
        if (!r.why.empty()) {
            EXPECT_TRUE(testutil::consoleHas(line)) << path << ": " << console.getLine(0);
        }

        EXPECT_EQ(silentWarnings("good.wav"), 0) << path;
        EXPECT_EQ(bufferValue(gameSounds[1].getBuffer(), AL_SIZE), 1600) << path;
        playGameSound(1, 0);
        EXPECT_EQ(state(gameSounds[1].getSource()), AL_PLAYING) << path;
        EXPECT_EQ(alGetError(), AL_NO_ERROR) << path;
    }

    // The program's own sounds and the sample game's all pass.
    const boost::filesystem::path data(QV_DATA_DIR);
    std::vector<boost::filesystem::path> bundled;
    for (const char* folder : {"soundreq", "games/sample/sound"})
        for (const auto& entry : boost::filesystem::directory_iterator(data / folder)) bundled.push_back(entry.path());
    ASSERT_EQ(bundled.size(), 18u);
    console = debugConsole();
    for (const auto& file : bundled) {
        loadGameSoundFile(file.string(), 0);
        EXPECT_GT(bufferValue(gameSounds[0].getBuffer(), AL_SIZE), 0) << file;
    }
    EXPECT_FALSE(testutil::consoleHas("WARNING"));
}

// An OpenAL call that fails is named with what could not be done, and its
// error is cleared: none is left pending, and afterwards the game's sound
// loads and plays without a word.
TEST_F(SoundTest, OpenALFailuresAreNamedAndCleared)
{
    const std::string path = "games/g/sound/1000.wav";
    dir.write(path, wavBytes(0.1));
    const struct {
        alCall call;
        void (*run)();
        std::string warning;
    } rows[] = {
        {alCall::makeBuffer, [] { loadGameSounds(gameFolder("g")); },
         "Could not load the sound ^y" + path + "^w: it could not be given an OpenAL buffer (Invalid Value)."},
        {alCall::play, [] { playGameSound(0, 1); }, "OpenAL could not play a sound (Invalid Value)."},
        {alCall::stop, [] { stopGameSound(0); }, "OpenAL could not stop a sound (Invalid Value)."},
        {alCall::stop, stopGameSounds, "OpenAL could not stop a sound (Invalid Value)."},
        {alCall::freeBuffer, [] { freeGameSounds(1); }, "OpenAL could not free the game's sounds (Invalid Value)."},
    };
    for (const auto& r : rows) {
        const int k = static_cast<int>(&r - rows);
        ASSERT_EQ(loadGameSounds(gameFolder("g")), 1);
        playGameSound(0, 1);
        console = debugConsole();
        failALCall(r.call, 1);
        r.run();
        EXPECT_TRUE(testutil::consoleHas(QV_WARNING + r.warning)) << k << ": " << console.getLine(0);
        EXPECT_EQ(alGetError(), AL_NO_ERROR) << k;

        console = debugConsole();
        ASSERT_EQ(loadGameSounds(gameFolder("g")), 1);
        playGameSound(0, 0);
        EXPECT_EQ(state(gameSounds[0].getSource()), AL_PLAYING) << k;
        EXPECT_FALSE(testutil::consoleHas("WARNING")) << k << ": " << console.getLine(0);
    }
}

// A game's sounds hold at most 256 MiB of samples together: past that a
// sound is named with the budget before its samples are read, and the load
// keeps no more than the budget and one file of them in memory. A sound
// OpenAL refuses gives its share back, and the next game counts afresh.
TEST_F(SoundTest, SoundsPastTheGamesBudgetAreNamedAndMemoryStaysBounded)
{
    const unsigned long long sampleBytes = soundFileMaxBytes - 44;  // after the 44 bytes of headers
    std::vector<std::string> paths;
    for (int k = 0; k < 7; ++k) {
        paths.push_back("games/big/sound/" + std::to_string(1000 + k) + ".wav");
        dir.write(paths.back(), riff(pcm(1, 16, 22050) + "data" + le(sampleBytes, 4)));
        boost::filesystem::resize_file(dir.path() / paths.back(), soundFileMaxBytes);  // silence, sparse
    }
    // OpenAL refuses the first sound; four fit in the budget, the last two do not.
    const std::string pastBudget = "would take the samples of this game's sounds past their 256 MiB";
    const std::vector<std::string> why = {"was refused by OpenAL (Invalid Value)", "", "", "", "", pastBudget,
                                          pastBudget};
    failALCall(alCall::fillBuffer, 1);
    const long long before = residentBytes();
    const unsigned long long readBefore = fileBytesRead();
    ASSERT_EQ(loadGameSounds(gameFolder("big")), 7);
    const long long grown = residentBytes() - before;
    // The five sounds handed to OpenAL are read whole, the two past the budget no further than their headers.
    EXPECT_LE(fileBytesRead() - readBefore, 5 * soundFileMaxBytes + 2 * (44 + fileReadAheadAfter(44)));
    for (size_t k = 0; k < paths.size(); ++k) {
        EXPECT_EQ(silentWarnings(paths[k]), why[k].empty() ? 0 : 1) << paths[k];
        if (!why[k].empty()) {
            EXPECT_TRUE(testutil::consoleHas(paths[k] + "^w: it " + why[k] + ".")) << paths[k];
        }
        EXPECT_EQ(bufferValue(gameSounds[k].getBuffer(), AL_SIZE), why[k].empty() ? ALint(sampleBytes) : 0) << k;
    }
#if !defined(__SANITIZE_ADDRESS__)  // its allocator keeps freed blocks resident a while
    EXPECT_LE(grown, static_cast<long long>(soundBudgetBytes + soundFileMaxBytes));
#else
    (void)grown;
#endif

    dir.write("games/small/sound/1000.wav", wavBytes(0.1));
    ASSERT_EQ(loadGameSounds(gameFolder("small")), 1);
    EXPECT_EQ(bufferValue(gameSounds[0].getBuffer(), AL_SIZE), 1600);
}

TEST_F(SoundTest, GameSoundsAreNumberedAndALoadOverAnotherFreesThePreviousOnes)
{
    dir.write("games/g/sound/shot.wav", wavBytes(0.1));
    dir.write("games/g/sound/door.ogg", "unreadable");
    dir.write("games/g/sound/hit.wav", wavBytes(3.0));

    EXPECT_EQ(loadGameSounds(gameFolder("g")), 3);
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/sound/1000.wav"));  // door.ogg
    EXPECT_TRUE(boost::filesystem::exists(dir.path() / "games/g/sound/1002.wav"));  // shot.wav
    const std::vector<unsigned int> firstPool = gameSourcePool();
    ASSERT_EQ(firstPool.size(), static_cast<size_t>(gameSourceCount));
    playGameSound(1, 1);
    ASSERT_EQ(state(gameSounds[1].getSource()), AL_PLAYING);

    // The same game again without leaving it: the old sounds and pool go first.
    EXPECT_EQ(loadGameSounds(gameFolder("g")), 3);
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
    EXPECT_EQ(loadGameSounds(gameFolder("none")), 0);
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
    check(loadGameSounds(gameFolder("none")) == 0, "no game sound loaded");
    freeSystemSounds();
    std::exit(failed);
}

TEST(SoundDeviceDeathTest, NoDeviceTurnsSoundOffWithoutFailing)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";  // a fresh process, not a fork of this one
    EXPECT_EXIT(runSoundWithoutDevice(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
