// Splitting the text of a `.cfg` string entry into words and converting a
// word as the longest leading decimal number (no number gives 0).
#pragma once
#include <string>
#include <string_view>
#include <vector>

std::vector<std::string_view> splitWords(std::string_view text);
double wordToNumber(std::string_view word);
float wordToFloat(std::string_view word);
// The number truncated toward zero, saturated to the int range.
int wordToInt(std::string_view word);
