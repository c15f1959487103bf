// The numbered renaming of image, model and sound folders and the order in
// which their entries are loaded.
#include "media/numbered_names.h"

#include <algorithm>
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
    std::string path = folder.prefix;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
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
    if (!isFolder(dir.string())) return entries;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(parseEntry(it->path().filename().string(), folder));
        entries.back().regular = isRegularFile(folder.prefix + entries.back().name);
    }
    if (ec) systemMsg(QV_WARNING "Could not read all of the folder ^y" + dir.string());
    std::sort(entries.begin(), entries.end(), loadOrder);
    return entries;
}

// An entry that is no regular file is never renamed. When it already carries
// the number due at its turn it keeps that number, so the files after it keep
// theirs (it loads as an empty record); otherwise it takes no number at all.
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

void warnNotRenamed(const numberedFolder& folder, const std::string& from, const std::string& to)
{
    systemMsg(QV_WARNING "Could not rename ^y" + folder.prefix + from + "^w to ^y" + to +
              "^w; the entry is not loaded.");
}

}  // namespace

std::string entryExtension(const std::string& name)
{
    const size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(dot + 1);
}

void renameFolderEntries(const numberedFolder& folder)
{
    const std::vector<folderEntry> entries = listEntries(folder);
    const fs::path dir(folderPath(folder));

    struct pendingMove {
        std::string original;
        fs::path temporary;
        std::string target;
    };
    std::vector<pendingMove> parked;

    int number = folder.first;
    for (const folderEntry& entry : entries) {
        if (!entry.regular) {
            if (holdsItsNumber(entry, number)) ++number;
            continue;
        }
        const std::string target = targetName(entry, number++, folder);
        if (target == entry.name) continue;
        const fs::path from = dir / entry.name;
        if (!occupied(from)) continue;  // gone since the listing
        if (renameEntry(from, dir / target)) continue;
        if (!occupied(dir / target)) {  // the file system refused the name itself
            warnNotRenamed(folder, entry.name, target);
            continue;
        }
        // The new name still belongs to an entry that moves later: park this
        // one under a name of its own until every entry has left its old name.
        fs::path temporary;
        boost::system::error_code ec;
        do temporary = dir / fs::unique_path(temporaryPattern, ec);
        while (!ec && occupied(temporary));
        if (renameEntry(from, temporary))
            parked.push_back({entry.name, temporary, target});
        else
            warnNotRenamed(folder, entry.name, target);
    }
    for (const pendingMove& move : parked)
        if (!renameEntry(move.temporary, dir / move.target))
            warnNotRenamed(folder, move.temporary.filename().string() + "^w (was ^y" + move.original + "^w)",
                           move.target);
}

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

std::vector<std::string> numberFolder(const numberedFolder& folder)
{
    renameFolderEntries(folder);
    return numberedFolderEntries(folder);
}
