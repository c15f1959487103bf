// Replacing files whole and safely. A new text goes to a temporary file beside
// its target, is flushed, closed and checked, and only then renamed over the
// target, so a failed write or a killed process leaves either the old file or
// the complete new one, never a part. Files replaced together as one set are
// renamed only when every one of them was written.
#pragma once
#include <string>
#include <vector>

// The temporary file beside `target` that a replacement writes first.
std::string temporaryFileFor(const std::string& target);

// A set of files replaced together: stage each, then commit them all. A set
// that is not committed leaves its targets untouched and removes its
// temporary files when it is destroyed.
class fileReplacement {
public:
    fileReplacement() = default;
    ~fileReplacement();
    fileReplacement(const fileReplacement&) = delete;
    fileReplacement& operator=(const fileReplacement&) = delete;

    // Creates the missing folders above `target` and writes `text` (bytes as
    // given) to its temporary file. False, with the reason in error(), when a
    // folder cannot be made, the target is a folder or cannot be written, or
    // the temporary file cannot be written whole; after one failure every
    // later call fails too.
    bool stage(const std::string& target, const std::string& text);
    // Renames every staged file over its target; false when a stage failed
    // or a rename fails.
    bool commit();
    const std::string& error() const { return failure; }

private:
    std::vector<std::string> staged;  // targets whose temporary file is written
    size_t renamed = 0;               // the first `renamed` of them are in place
    std::string failure;

    bool fail(std::string reason);
};

// One file replaced alone; false on failure, with the reason in `error` when given.
bool replaceFile(const std::string& target, const std::string& text, std::string* error = nullptr);
