// TEMPORARY LOCAL STUB - not committed
#include "menus/help.h"
void initHelp(const std::string&) {}
