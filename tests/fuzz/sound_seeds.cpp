// Writes the seeds of the sound fuzz target into the folder given: the sound
// files of the unit tests' table (tests/unit/sound_files.h), one file each.
//
// Usage: sound_seeds CORPUS_FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/unit/sound_files.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: sound_seeds CORPUS_FOLDER\n");
        return 2;
    }
    const std::vector<soundfiles::soundFileRow> rows = soundfiles::soundFileRows();
    for (size_t k = 0; k < rows.size(); ++k) {
        std::ofstream out(std::string(argv[1]) + "/row" + std::to_string(k) + ".wav", std::ios::binary);
        out << rows[k].bytes;
        if (!out) return 1;
    }
    return 0;
}
