// Word splitting and decimal-prefix conversion for the game file readers.
#include "world/cfg_words.h"

#include "core/script.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <limits>

namespace {

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::vector<std::string_view> splitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        const size_t start = i;
        while (i < text.size() && !isBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

double wordToNumber(std::string_view word)
{
    return decimalPrefixToDouble(word);
}

float wordToFloat(std::string_view word)
{
    return decimalPrefixToFloat(word);
}

int wordToInt(std::string_view word)
{
    return static_cast<int>(std::clamp(wordToNumber(word), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}
