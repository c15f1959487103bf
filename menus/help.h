// TEMPORARY LOCAL STUB - not committed
#pragma once
#include <string>
void initHelp(const std::string& filename);
