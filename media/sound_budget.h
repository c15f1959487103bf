// The memory budget of a game's sounds: the samples of its sounds together
// stay within soundBudgetBytes. Each load of a game's sounds starts the count
// afresh; a sound that would pass the budget is refused before its samples
// are read. The program's own system sounds are not counted.
#pragma once
#include "media/memory_budget.h"

constexpr unsigned long long soundBudgetBytes = 256 * mebibyte;

extern memoryBudget soundBudget;
