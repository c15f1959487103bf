// Word splitting and decimal-prefix conversion for the game file readers.
#include "world/cfg_words.h"

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

bool isDigit(std::string_view w, size_t i)
{
    return i < w.size() && std::isdigit(static_cast<unsigned char>(w[i])) != 0;
}

// Length of the longest leading part of `w` that forms a decimal number
// ([sign] digits [. digits] [e [sign] digits]); 0 when there is none.
size_t decimalPrefixLength(std::string_view w)
{
    size_t i = 0;
    if (i < w.size() && (w[i] == '+' || w[i] == '-')) ++i;
    size_t digits = 0;
    while (isDigit(w, i)) ++i, ++digits;
    if (i < w.size() && w[i] == '.') {
        ++i;
        while (isDigit(w, i)) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < w.size() && (w[i] == 'e' || w[i] == 'E')) {
        size_t e = i + 1;
        if (e < w.size() && (w[e] == '+' || w[e] == '-')) ++e;
        if (isDigit(w, e)) {
            while (isDigit(w, e)) ++e;
            i = e;
        }
    }
    return i;
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
    const size_t n = decimalPrefixLength(word);
    if (n == 0) return 0.0;
    const std::string prefix(word.substr(0, n));
    return std::strtod(prefix.c_str(), nullptr);
}

float wordToFloat(std::string_view word)
{
    const double v = wordToNumber(word);
    constexpr double floatMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(v, -floatMax, floatMax));
}

int wordToInt(std::string_view word)
{
    return static_cast<int>(std::clamp(wordToNumber(word), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}
