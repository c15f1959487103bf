// What the tests read of the sound module: the source names of the two pools,
// empty while a pool does not exist, and the hand-over of checked samples to
// OpenAL, which a test can replace to have OpenAL refuse them. Only the sound
// module and the tests include this header.
#pragma once
#include <AL/al.h>

#include <vector>

std::vector<unsigned int> systemSourcePool();
std::vector<unsigned int> gameSourcePool();

// Fills an OpenAL buffer with checked samples, as alBufferData does.
using sampleHandOverFunc = void (*)(ALuint buffer, ALenum format, const ALvoid* data, ALsizei size, ALsizei rate);
// Puts `handOver` in alBufferData's place; nullptr puts alBufferData back.
void setSampleHandOver(sampleHandOverFunc handOver);
