// The memory budget of a game's sounds: the samples of its sounds together
// stay within soundBudgetBytes. Each load of a game's sounds starts the count
// afresh; a sound that would pass the budget is refused before its samples
// are handed to OpenAL. The program's own system sounds are not counted.
#pragma once

constexpr unsigned long long soundBudgetBytes = 256ull << 20;  // 256 MiB

// A game's sounds begin: nothing is counted.
void startSoundBudget();
// Counts `bytes` of samples; when they would pass the budget, counts nothing
// and returns false.
bool chargeSoundBudget(unsigned long long bytes);
// Gives back what a sound that was not loaded after all was counted.
void refundSoundBudget(unsigned long long bytes);
