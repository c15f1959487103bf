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

// Renames the folder's entries, then lists them in load order as names within
// the folder. Only entries numbered first, first + 1, ... in sequence are
// listed; a file the renaming could not number is skipped with a warning. A
// missing folder gives no entries; so does a link to a folder, named in a
// warning: its files lie outside the game and are neither renamed nor loaded.
// An entry whose new name another file still holds moves through a unique
// temporary name, and no file keeps such a name after the walk. A file
// already numbered whose number changes (two entries claimed one number, or
// one before it is gone) is named in a warning.
std::vector<std::string> numberFolder(const numberedFolder& folder);
