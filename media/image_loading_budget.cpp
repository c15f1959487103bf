// Counting the decoded pixels of a game's images against their budget.
#include "media/image_loading_budget.h"

#include "core/log.h"
#include "media/memory_budget.h"

namespace {

memoryBudget budget(imageBudgetBytes);

}  // namespace

void startImageBudget()
{
    budget.start();
}

bool chargeImageBudget(const std::string& path, unsigned long long bytes)
{
    if (budget.charge(bytes)) return true;
    systemMsg(QV_WARNING "The image ^y" + path + "^w would take the decoded images of this game past their " +
              std::to_string(imageBudgetBytes / mebibyte) + " MiB; it is not loaded.");
    return false;
}

void refundImageBudget(unsigned long long bytes)
{
    budget.refund(bytes);
}
