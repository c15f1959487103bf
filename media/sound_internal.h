// What the tests read of the sound module and what they make fail: the
// source names of the two pools, empty while a pool does not exist, and the
// OpenAL calls a test can make fail, as OpenAL fails them. Only the sound
// module and the tests include this header.
#pragma once
#include <vector>

std::vector<unsigned int> systemSourcePool();
std::vector<unsigned int> gameSourcePool();

// The OpenAL calls a test can make fail, each followed by the check that names its failure.
enum class alCall {
    makeBuffer,  // alGenBuffers for a sound being loaded
    fillBuffer,  // alBufferData handing it its checked samples
    play,        // alSourcePlay
    stop,        // alSourceStop of one sound, or of each game sound playing
    freeBuffer,  // alDeleteBuffers of a game sound
};
constexpr int alCallCount = 5;
// Makes the next `times` calls of `call` fail: each is left out, and the
// error OpenAL gives a call it refuses (Invalid Value) is left in its place;
// 0 lets the call run again.
void failALCall(alCall call, int times);
