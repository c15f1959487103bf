// The two help lines the logic editor shows under the step being chosen
// (stepIDToDescription).
#pragma once
#include <string>

// Assigns the help lines of step `id` to str1 and str2; an id that is no step
// or has no help gives two empty lines.
void stepIDToDescription(int id, std::string& str1, std::string& str2);
