// Numbered names: before a folder of images, models or sounds is loaded, its
// entries are renamed on disk to consecutive numbers (10000.jpg, 10001.png ...
// or 1000.wav, 1001.wav ...), so that the entry numbered first + k is always
// entry k of its table. Both the renaming and the loading pass take the
// entries in one fixed order: the entries that already carry a number keep
// their place in ascending number order, the others follow in ascending name
// order. A rename never overwrites a file. Only regular files (or links to
// them) are renamed and loaded: a folder, a link to one, a named pipe, a
// device or a socket is never renamed and is named in a warning. No file is
// given the number such an entry carries; when that number comes in the
// sequence the entry keeps it, as an entry the loader leaves empty, so that
// the files after it keep their numbers.
#pragma once
#include <string>
#include <vector>

// First numbers of the folders.
constexpr int imageNumberFirst = 10000;
constexpr int soundNumberFirst = 1000;
// Extension every sound entry is given.
constexpr const char* soundExtension = "wav";

// How the entries of one folder are numbered: `prefix` is the folder with its
// trailing "/" (such as "ui/" or "games/x/map/"); `first` the first number;
// `fixedExtension` the extension every entry gets, empty to keep the part of
// the old name after its first dot (the whole old name when it has none).
struct numberedFolder {
    std::string prefix;
    int first = imageNumberFirst;
    std::string fixedExtension;
};

// The extension an entry keeps: the characters after its first ".", or the
// whole name when it holds no ".".
std::string entryExtension(const std::string& name);

// The name the file `name` at `place` in the walk waits under while its new
// name is still held by a file that moves later: "qv-renaming-", the place
// (nine digits, so such names sort in walk order), a dot and the file's own
// extension. A walk cut short can leave such a file; the next load numbers it
// like any new file of that extension.
std::string setAsideName(size_t place, const std::string& name);

// Renames the folder's entries, then lists them in load order as names within
// the folder. Only entries numbered first, first + 1, ... in sequence are
// listed; a file the renaming could not number is skipped with a warning. A
// missing folder gives no entries; so does a link to a folder, named in a
// warning: its files lie outside the game and are neither renamed nor loaded.
// An entry whose new name another file still holds waits under its set-aside
// name, and no file keeps such a name after the walk. A file that cannot be
// renamed keeps its name and takes no number: the next file gets it. Every
// rename that changes a file's index (a numbered file renumbered, a set-aside
// file taken back) and every rename that fails is named in a warning.
std::vector<std::string> numberFolder(const numberedFolder& folder);
