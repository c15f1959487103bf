// The `.cfg` reader: any bytes, read twice into one table (the second copy
// only adds entries that never answer); every key the table holds must
// answer its first entry through the index.
#include <cstring>

#include "core/script.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    static scriptObject table;
    table.clear();
    const std::string path = writeInput("input.cfg", data, size);
    table.readFile(path);
    table.readFile(path);
    table.forEachFirstEntry([](std::string_view key, float number) {
        const float found = table.findLineF(key);
        if (std::memcmp(&found, &number, sizeof found) != 0 || !table.hasKey(key)) __builtin_trap();
        table.findLineS(key);
    });
    table.clear();
    endInput();
    return 0;
}
