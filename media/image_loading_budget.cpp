// Counting the decoded pixels of a game's images against their budget.
#include "media/image_loading_budget.h"

#include "core/log.h"

namespace {

constexpr unsigned long long mebibyte = 1ull << 20;

unsigned long long counted = 0;

}  // namespace

void startImageBudget()
{
    counted = 0;
}

bool chargeImageBudget(const std::string& path, unsigned long long bytes)
{
    if (bytes <= imageBudgetBytes - counted) {
        counted += bytes;
        return true;
    }
    systemMsg(QV_WARNING "The image ^y" + path + "^w would take the decoded images of this game past their " +
              std::to_string(imageBudgetBytes / mebibyte) + " MiB; it is not loaded.");
    return false;
}

void refundImageBudget(unsigned long long bytes)
{
    counted -= bytes < counted ? bytes : counted;
}
