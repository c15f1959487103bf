// The numbered renaming of image, model and sound folders and the order in
// which their entries are loaded.
#include "media/numbered_names.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <boost/filesystem.hpp>

#include "core/file_kind.h"
#include "core/file_write.h"
#include "core/log.h"

namespace fs = boost::filesystem;

namespace {

constexpr size_t maxNumberDigits = 9;  // keeps every parsed number inside int
constexpr const char* setAsidePrefix = "qv-renaming-";
constexpr int setAsidePlaceDigits = 9;  // so that set-aside names sort in walk order

struct folderEntry {
    std::string name;
    bool numbered = false;  // carries a number of this folder's numbering
    int number = 0;
    bool regular = false;  // a regular file, or a link to one
};

std::string folderPath(const numberedFolder& folder)
{
    return withoutTrailingSlashes(folder.prefix);
}

// "<digits>.<extension>" with no leading zero, the number at least `first`
// and, for a fixed extension, exactly that extension.
folderEntry parseEntry(const std::string& name, const numberedFolder& folder)
{
    folderEntry entry;
    entry.name = name;
    const size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0 || dot > maxNumberDigits) return entry;
    if (name[0] == '0') return entry;
    for (size_t i = 0; i < dot; ++i)
        if (name[i] < '0' || name[i] > '9') return entry;
    if (!folder.fixedExtension.empty() && name.compare(dot + 1, std::string::npos, folder.fixedExtension) != 0)
        return entry;
    const int number = std::stoi(name.substr(0, dot));
    if (number < folder.first) return entry;
    entry.numbered = true;
    entry.number = number;
    return entry;
}

bool loadOrder(const folderEntry& a, const folderEntry& b)
{
    if (a.numbered != b.numbered) return a.numbered;
    if (a.numbered && a.number != b.number) return a.number < b.number;
    return a.name < b.name;
}

// The folder's entries, in load order.
std::vector<folderEntry> listEntries(const numberedFolder& folder)
{
    std::vector<folderEntry> entries;
    boost::system::error_code ec;
    const fs::path dir(folderPath(folder));
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(parseEntry(it->path().filename().string(), folder));
        entries.back().regular = isRegularFile(folder.prefix + entries.back().name);
    }
    if (ec) systemMsg(QV_WARNING "Could not read all of the folder ^y" + dir.string());
    std::sort(entries.begin(), entries.end(), loadOrder);
    return entries;
}

// In the loading pass an entry is listed when it carries the number due at
// its turn. An entry that is no regular file is never renamed; one that holds
// its number in the sequence loads as an empty record, so the files after it
// keep theirs.
bool holdsItsNumber(const folderEntry& entry, int number)
{
    return entry.numbered && entry.number == number;
}

std::string targetName(const folderEntry& entry, int number, const numberedFolder& folder)
{
    const std::string extension =
        folder.fixedExtension.empty() ? entryExtension(entry.name) : folder.fixedExtension;
    return std::to_string(number) + "." + extension;
}

bool occupied(const fs::path& path)
{
    boost::system::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// Renames without ever overwriting a file; false with the cause in `reason`.
bool renameEntry(const fs::path& from, const fs::path& to, std::string& reason)
{
    const int error = renameWhereFree(from.string(), to.string());
    if (error != 0) reason = error == EEXIST ? "the name is taken" : std::strerror(error);
    return error == 0;
}

// A file already numbered whose number changed: two entries claimed one
// number, or an entry before it is gone. Its index in the game's maps and
// menus changed with it.
void reportRenamed(const numberedFolder& folder, const folderEntry& entry, const std::string& to)
{
    if (entry.numbered)
        systemMsg(QV_WARNING "^y" + folder.prefix + entry.name + "^w is renumbered to ^y" + to +
                  "^w; the maps and menus that used its number now show another entry.");
    else if (entry.name.compare(0, std::strlen(setAsidePrefix), setAsidePrefix) == 0)
        systemMsg(QV_WARNING "^y" + folder.prefix + entry.name + "^w, set aside by a renaming that did not finish, "
                  "is taken back as ^y" + to + "^w.");
}

void reportNotRenamed(const numberedFolder& folder, const std::string& from, const std::string& to,
                      const std::string& reason)
{
    systemMsg(QV_WARNING "Could not rename ^y" + folder.prefix + from + "^w to ^y" + to + "^w (" + reason +
              "); it keeps its name.");
}

// The set-aside name of the file at `place` in the walk; a later `attempt`
// adds a suffix, for a name some entry already holds.
std::string setAsideNameTried(size_t place, int attempt, const std::string& name)
{
    std::string digits = std::to_string(place);
    if (digits.size() < setAsidePlaceDigits) digits.insert(0, setAsidePlaceDigits - digits.size(), '0');
    const std::string suffix = attempt > 0 ? "-" + std::to_string(attempt) : "";
    return setAsidePrefix + digits + suffix + "." + entryExtension(name);
}

// A name no entry holds, for the file at `place` in the walk to wait under.
fs::path unusedSetAsideName(const fs::path& dir, size_t place, const std::string& name)
{
    fs::path path;
    for (int attempt = 0; path.empty() || occupied(path); ++attempt)
        path = dir / setAsideNameTried(place, attempt, name);
    return path;
}

// The renaming pass. A file whose new name another file still holds waits
// under a name of its own until every file has left its old name. A file
// that cannot be renamed keeps its name and takes no number: the next file
// gets it.
void renameFolderEntries(const numberedFolder& folder)
{
    const std::vector<folderEntry> entries = listEntries(folder);
    const fs::path dir(folderPath(folder));

    // Entries that are no regular file never move, so their numbers are
    // never given to a file: a file given one would share it with them.
    std::set<int> blocked;
    for (const folderEntry& entry : entries)
        if (!entry.regular && entry.numbered) blocked.insert(entry.number);

    struct pendingMove {
        const folderEntry* entry;
        fs::path setAside;
        std::string target;
    };
    std::vector<pendingMove> waiting;

    int number = folder.first;
    for (size_t place = 0; place < entries.size(); ++place) {
        const folderEntry& entry = entries[place];
        if (!entry.regular) continue;
        while (blocked.count(number)) ++number;
        const std::string target = targetName(entry, number, folder);
        const fs::path from = dir / entry.name;
        if (target != entry.name && !occupied(from)) continue;  // gone since the listing: takes no number
        std::string reason;
        if (target == entry.name || renameEntry(from, dir / target, reason)) {
            if (target != entry.name) reportRenamed(folder, entry, target);
            ++number;
            continue;
        }
        if (!occupied(dir / target)) {  // the file system refused the name itself
            reportNotRenamed(folder, entry.name, target, reason);
            continue;
        }
        const fs::path setAside = unusedSetAsideName(dir, place, entry.name);
        if (!renameEntry(from, setAside, reason)) {
            reportNotRenamed(folder, entry.name, target, reason);
            continue;
        }
        waiting.push_back({&entry, setAside, target});
        ++number;
    }
    // Only a failed rename keeps a target taken; the file set aside then
    // goes back to its own name rather than keep the one it waited under.
    for (const pendingMove& move : waiting) {
        std::string reason;
        if (renameEntry(move.setAside, dir / move.target, reason)) {
            reportRenamed(folder, *move.entry, move.target);
            continue;
        }
        std::string back;
        if (renameEntry(move.setAside, dir / move.entry->name, back))
            reportNotRenamed(folder, move.entry->name, move.target, reason);
        else
            systemMsg(QV_WARNING "^y" + folder.prefix + move.entry->name + "^w is left as ^y" +
                      move.setAside.filename().string() + "^w: neither ^y" + move.target +
                      "^w nor its own name is free.");
    }
}

// The loading pass: the entries in load order, as names within the folder.
// Only entries numbered first, first + 1, ... in sequence are listed; any
// other file (one the renaming pass had to leave) is skipped with a warning.
// Every entry that is no regular file is named in one warning; it is listed
// only when it holds its number in the sequence, as an entry the loaders
// leave empty: they look at what stands at a path before they open it
// (core/file_read.h), so they never open it.
std::vector<std::string> numberedFolderEntries(const numberedFolder& folder)
{
    std::vector<std::string> names;
    int expected = folder.first;
    for (const folderEntry& entry : listEntries(folder)) {
        if (!entry.regular) regularFileOrWarn(folder.prefix + entry.name);  // named once, without an open
        if (holdsItsNumber(entry, expected)) {
            names.push_back(entry.name);
            ++expected;
        } else if (entry.regular) {
            systemMsg(QV_WARNING "^y" + folder.prefix + entry.name + "^w is not numbered in sequence and is not loaded.");
        }
    }
    return names;
}

// Only a folder itself is walked: through a link the renaming would reach
// files outside the game.
bool walkable(const numberedFolder& folder)
{
    const fileKind kind = fileKindOf(folderPath(folder));
    if (kind == fileKindFolderLink)
        systemMsg(QV_WARNING "^y" + folderPath(folder) + "^w is a link to a folder; its files are neither renamed "
                  "nor loaded.");
    return kind == fileKindFolder;
}

}  // namespace

std::string entryExtension(const std::string& name)
{
    const size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(dot + 1);
}

std::string setAsideName(size_t place, const std::string& name)
{
    return setAsideNameTried(place, 0, name);
}

std::vector<std::string> numberFolder(const numberedFolder& folder)
{
    if (!walkable(folder)) return {};
    renameFolderEntries(folder);
    return numberedFolderEntries(folder);
}
