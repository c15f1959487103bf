// The `.cfg` reader: any bytes, read twice into one table, the first time
// with a taker that takes the keys starting with 't' and sees every entry.
// A taken key is not in the table after the first read; after the second,
// every key answers the first entry the taker saw for it, through the index.
#include <cstring>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/script.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    static scriptObject table;
    static std::vector<std::pair<std::string, float>> seen;
    table.clear();
    seen.clear();
    const std::string path = writeInput("input.cfg", data, size);
    table.readFile(path, [](std::string_view key, float number) {
        seen.emplace_back(key, number);
        return key[0] == 't';
    });
    for (const auto& entry : seen)
        if ((entry.first[0] == 't') == table.hasKey(entry.first)) __builtin_trap();
    table.readFile(path);
    std::unordered_set<std::string> answered;
    for (const auto& [key, number] : seen) {
        if (!answered.insert(key).second) continue;  // only a key's first entry answers
        const float found = table.findLineF(key);
        if (std::memcmp(&found, &number, sizeof found) != 0 || !table.hasKey(key)) __builtin_trap();
        table.findLineS(key);
    }
    table.clear();
    endInput();
    return 0;
}
