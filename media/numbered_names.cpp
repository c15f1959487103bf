// The numbered renaming of image, model and sound folders and the order in
// which their entries are loaded.
#include "media/numbered_names.h"

#include <algorithm>
#include <set>
#include <boost/filesystem.hpp>

#include "core/file_kind.h"
#include "core/log.h"

namespace fs = boost::filesystem;

namespace {

constexpr size_t maxNumberDigits = 9;  // keeps every parsed number inside int
constexpr const char* temporaryPattern = "qv-renaming-%%%%-%%%%-%%%%";

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

bool renameEntry(const fs::path& from, const fs::path& to)
{
    if (occupied(to)) return false;
    boost::system::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

// A file already numbered whose number changes: two entries claimed one
// number, or an entry before it is gone. Its index in the game's maps and
// menus changes with it.
void warnRenumbered(const numberedFolder& folder, const std::string& from, const std::string& to)
{
    systemMsg(QV_WARNING "^y" + folder.prefix + from + "^w is renumbered to ^y" + to +
              "^w; the maps and menus that used its number now show another entry.");
}

fs::path unusedTemporaryName(const fs::path& dir)
{
    fs::path temporary;
    boost::system::error_code ec;
    do temporary = dir / fs::unique_path(temporaryPattern, ec);
    while (!ec && occupied(temporary));
    return ec ? fs::path() : temporary;
}

void warnNotRenamed(const numberedFolder& folder, const std::string& from, const std::string& to)
{
    systemMsg(QV_WARNING "Could not rename ^y" + folder.prefix + from + "^w to ^y" + to +
              "^w; the entry is not loaded.");
}

// The renaming pass. A file whose new name another file still holds moves
// through a unique temporary name; a file that cannot be renamed is left as it
// is with a warning and is not loaded.
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
        std::string original;
        fs::path temporary;
        std::string target;
    };
    std::vector<pendingMove> parked;

    int number = folder.first;
    for (const folderEntry& entry : entries) {
        if (!entry.regular) continue;
        while (blocked.count(number)) ++number;
        const int given = number++;
        const std::string target = targetName(entry, given, folder);
        if (target == entry.name) continue;
        const fs::path from = dir / entry.name;
        if (!occupied(from)) continue;  // gone since the listing
        if (entry.numbered && entry.number != given) warnRenumbered(folder, entry.name, target);
        if (renameEntry(from, dir / target)) continue;
        if (!occupied(dir / target)) {  // the file system refused the name itself
            warnNotRenamed(folder, entry.name, target);
            continue;
        }
        // The new name still belongs to a file that moves later: set this
        // one aside under a name of its own until every file has left its old name.
        const fs::path temporary = unusedTemporaryName(dir);
        if (!temporary.empty() && renameEntry(from, temporary))
            parked.push_back({entry.name, temporary, target});
        else
            warnNotRenamed(folder, entry.name, target);
    }
    // Only a failed rename keeps a target taken; the file set aside then
    // goes back to its own name rather than keep the temporary one.
    for (const pendingMove& move : parked) {
        if (renameEntry(move.temporary, dir / move.target)) continue;
        warnNotRenamed(folder, move.original, move.target);
        if (!renameEntry(move.temporary, dir / move.original))
            systemMsg(QV_WARNING "^y" + folder.prefix + move.original + "^w is left as ^y" +
                      move.temporary.filename().string() + "^w; its name was taken meanwhile.");
    }
}

// The loading pass: the entries in load order, as names within the folder.
// Only entries numbered first, first + 1, ... in sequence are listed; any
// other file (one the renaming pass had to leave) is skipped with a warning.
// Every entry that is no regular file is named in one warning; it is listed
// only when it holds its number in the sequence, and the loaders never open it.
std::vector<std::string> numberedFolderEntries(const numberedFolder& folder)
{
    std::vector<std::string> names;
    int expected = folder.first;
    for (const folderEntry& entry : listEntries(folder)) {
        if (!entry.regular) regularFileOrWarn(folder.prefix + entry.name);  // named once, never opened
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

std::vector<std::string> numberFolder(const numberedFolder& folder)
{
    if (!walkable(folder)) return {};
    renameFolderEntries(folder);
    return numberedFolderEntries(folder);
}
