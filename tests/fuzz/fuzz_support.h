// What every reader target shares: a private working folder with the files
// the readers fall back to, quiet standard output, and writing one input to
// the file a reader is about to read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Once per process: makes and enters a fresh folder under the temporary
// folder, holding system/help.cfg (the help readers' fallback), and sends
// standard output (the readers' progress lines) to /dev/null.
void enterFuzzFolder();

// Drops the messages the readers left on the console. A target ends each
// input by emptying what its reader filled, so an input allocates no more
// than it frees and the fuzzer has no leak to look for unless there is one.
void endInput();

// Writes the input to `path` (relative to the fuzz folder, folders made as
// needed) and returns the path.
std::string writeInput(const std::string& path, const uint8_t* data, size_t size);
