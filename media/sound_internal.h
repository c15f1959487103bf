// What the tests read of the sound module: the source names of the two pools,
// empty while a pool does not exist. Only the sound module and the tests
// include this header.
#pragma once
#include <vector>

std::vector<unsigned int> systemSourcePool();
std::vector<unsigned int> gameSourcePool();
