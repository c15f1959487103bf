// Counting the samples of a game's sounds against their budget.
#include "media/sound_budget.h"

namespace {

unsigned long long counted = 0;

}  // namespace

void startSoundBudget()
{
    counted = 0;
}

bool chargeSoundBudget(unsigned long long bytes)
{
    if (bytes > soundBudgetBytes - counted) return false;
    counted += bytes;
    return true;
}

void refundSoundBudget(unsigned long long bytes)
{
    counted -= bytes < counted ? bytes : counted;
}
