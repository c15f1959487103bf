// Numbered names: before a folder of images, models or sounds is loaded, its
// entries are renamed on disk to consecutive numbers (10000.jpg, 10001.png ...
// or 1000.wav, 1001.wav ...), so that the entry numbered first + k is always
// entry k of its table. Both the renaming and the loading pass take the
// entries in one fixed order: the entries that already carry a number keep
// their place in ascending number order, the others follow in ascending name
// order. A rename never overwrites a file. Only regular files (or links to
// them) are renamed and loaded: a folder, a link to one, a named pipe, a
// device or a socket is never renamed and is named in a warning; when it
// already carries the number due at its place it keeps it, as an entry the
// loader leaves empty, so that the files after it keep their numbers.
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

// The renaming pass. Entries whose new name is taken by another entry are
// moved through unique temporary names; an entry that cannot be renamed is
// left as it is with a warning and is not loaded. A missing folder is skipped.
void renameFolderEntries(const numberedFolder& folder);

// The loading pass: the entries in load order, as names within the folder.
// Only entries numbered first, first + 1, ... in sequence are listed; any
// other entry (one the renaming pass had to leave) is skipped with a
// warning. Every entry that is no regular file is named in one warning; it
// is listed only when it holds its number in the sequence, and the loaders
// never open it.
std::vector<std::string> numberedFolderEntries(const numberedFolder& folder);

// Both passes in one: renames the folder's entries, then lists them.
std::vector<std::string> numberFolder(const numberedFolder& folder);
