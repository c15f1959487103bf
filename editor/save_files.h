// What the project writers share: `cfgText`, the text of a `.cfg` file built
// line by line in the layout the readers take back (keys glued from words and
// indices, numbers in a text stream's default form, one entry a line), the
// animation lines of an image table, the check of a project name, and the
// report of a save that failed. A game's files, their folder and the
// finishing of a save cut short are the game's (world/game_files.h).
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "media/texture.h"

// One piece of a key: a word or an index ("map", 3, "tile", 12, "_", 7).
class keyPart {
public:
    keyPart(const char* word) : word(word) {}
    keyPart(std::string_view word) : word(word) {}
    keyPart(const std::string& word) : word(word) {}
    keyPart(int index) : index(index), isIndex(true) {}
    keyPart(char) = delete;  // a character would pass as its code; write "_"

private:
    std::string_view word;
    int index = 0;
    bool isIndex = false;
    friend class cfgText;
};
using cfgKey = std::initializer_list<keyPart>;

class cfgText {
public:
    // A comment or any other literal line; "" gives a blank line.
    void line(std::string_view literal);
    // "f <key> <value>": an integer in decimal, a float with 6 significant digits.
    void number(cfgKey key, int value);
    void number(cfgKey key, float value);
    // "s <key> <value>": the text whole, its line breaks turned into blanks so
    // that no value can split its line.
    void text(cfgKey key, std::string_view value);
    // Removes the line break that ends the text, for a file whose last line has none.
    void dropFinalLineBreak();

    const std::string& str() const { return out; }
    std::string take() { return std::move(out); }

    // Appends a value in the form `number` writes, for values of several
    // words ("0 1.5 200").
    static void appendNumber(std::string& to, int value);
    static void appendNumber(std::string& to, float value);

private:
    std::string out;
    void appendKey(cfgKey key);
    template <class T>
    void numberLine(cfgKey key, T value);
};

// "f image<i>anim 1", "...frame" and "...speed" for each animated image among
// the first `count` records of `table`, in index order.
void writeAnimationLines(cfgText& out, const std::vector<img>& table, int count);

// True when `name` can name a game folder: one path component, not empty;
// otherwise false after the failure report.
bool checkSaveName(const std::string& name);

// Creates `folder` with the folders above it, durably; false, after the
// failure report for `project`, when it cannot be made.
bool createSaveFolder(const std::string& project, const std::string& folder);

// The report of a save that could not be written: the log line and the notice
// "Error opening: <project>. Aborting.", after a line with the reason.
void reportSaveFailure(const std::string& project, const std::string& reason);
