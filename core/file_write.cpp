// Whole-file replacement: a lone file through a temporary file and a rename,
// the files of one folder through a sibling folder and an atomic exchange;
// every file and folder flushed to the disk before success is reported.
#include "core/file_write.h"
#include "core/file_write_internal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "core/log.h"

namespace fs = boost::filesystem;

namespace {

constexpr const char* temporarySuffix = ".tmp";
constexpr const char* newFolderPrefix = ".";
constexpr const char* newFolderSuffix = ".saving";
constexpr int noMode = -1;

std::function<void(writeStage)> stageHook;

void reached(writeStage stage)
{
    if (stageHook) stageHook(stage);
}

std::string errnoText(int error)
{
    return std::strerror(error);
}

void removeQuietly(const std::string& path)
{
    boost::system::error_code ec;
    fs::remove(path, ec);
}

void removeTreeQuietly(const std::string& path)
{
    boost::system::error_code ec;
    fs::remove_all(path, ec);
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string parentOf(const std::string& path)
{
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// A temporary file that a killed lone replacement left in a folder.
bool leftoverTemporary(const fs::directory_entry& entry)
{
    boost::system::error_code ec;
    return endsWith(entry.path().filename().string(), temporarySuffix) && !fs::is_directory(entry.symlink_status(ec));
}

// Records the folder's entries on the disk. A file system that cannot flush
// a folder (EINVAL) keeps its entries by other means.
bool flushFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
    return ::close(fd) == 0 && flushed;
}

// The permission bits of an existing file, for its replacement to keep.
int modeOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return noMode;
    return static_cast<int>(info.st_mode & 07777);
}

// Writes `text` as a new file at `path`, flushed to the disk.
bool writeDurably(const std::string& path, const std::string& text, int mode, std::string& reason)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        reason = path + " cannot be opened for writing";
        return false;
    }
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool whole = done == text.size();
    if (whole && mode != noMode) whole = ::fchmod(fd, static_cast<mode_t>(mode)) == 0;
    if (whole) whole = ::fsync(fd) == 0;
    if (::close(fd) != 0) whole = false;
    if (!whole) {
        removeQuietly(path);
        reason = path + " cannot be written whole";
    }
    return whole;
}

// An existing target must be a file this process may write: a rename would
// replace a read-only file too, which the user did not allow.
bool targetWritable(const std::string& target, std::string& reason)
{
    boost::system::error_code ec;
    const fs::file_status status = fs::symlink_status(target, ec);
    if (!fs::exists(status)) return true;
    if (fs::is_directory(status)) {
        reason = target + " is a folder";
        return false;
    }
    std::ofstream probe(target, std::ios::out | std::ios::app | std::ios::binary);  // writes nothing
    if (!probe) {
        reason = target + " cannot be written";
        return false;
    }
    return true;
}

// Swaps the two folders' places in one step; 0 or the reason it failed.
int exchangeFolders(const std::string& a, const std::string& b)
{
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0 ? 0 : errno;
}

// The file system (or kernel) offers no exchange of two folders.
bool exchangeUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EXDEV;
}

bool replaceLoneFile(const std::string& target, const std::string& text, std::string& reason)
{
    const std::string folder = parentOf(target);
    if (!createFolders(folder)) {
        reason = "the folder " + folder + " cannot be created";
        return false;
    }
    if (!targetWritable(target, reason)) return false;
    const std::string temporary = temporaryFileFor(target);
    removeQuietly(temporary);  // what a killed replacement left
    if (!writeDurably(temporary, text, modeOf(target), reason)) return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        reason = target + " cannot be replaced: " + errnoText(errno);
        removeQuietly(temporary);
        return false;
    }
    if (!flushFolder(folder)) {
        reason = "the folder " + folder + " cannot be flushed to the disk";
        return false;
    }
    return true;
}

}  // namespace

void setWriteStageHook(std::function<void(writeStage)> hook)
{
    stageHook = std::move(hook);
}

std::string temporaryFileFor(const std::string& target)
{
    return target + temporarySuffix;
}

std::string newFolderFor(const std::string& folder)
{
    const fs::path path(withoutTrailingSlashes(folder));
    return (path.parent_path() / (newFolderPrefix + path.filename().string() + newFolderSuffix)).string();
}

bool createFolders(const std::string& folder)
{
    const std::string path = withoutTrailingSlashes(folder);
    boost::system::error_code ec;
    std::vector<std::string> missing;
    for (fs::path p = path; !p.empty() && !fs::exists(fs::symlink_status(p, ec)); p = p.parent_path())
        missing.push_back(p.string());
    if (missing.empty()) return fs::is_directory(path, ec);
    fs::create_directories(path, ec);
    if (!fs::is_directory(path, ec)) return false;
    for (const std::string& made : missing)
        if (!flushFolder(parentOf(made))) return false;
    return true;
}

folderReplacement::folderReplacement(std::string folder) : folder(withoutTrailingSlashes(std::move(folder))) {}

folderReplacement::~folderReplacement()
{
    if (!committed && !newFolder.empty()) removeTreeQuietly(newFolder);
}

bool folderReplacement::fail(std::string reason)
{
    if (failure.empty()) failure = std::move(reason);
    return false;
}

// Makes the folder when missing and the sibling folder fresh, removing what
// a killed save left there.
bool folderReplacement::prepare()
{
    if (!createFolders(folder)) return fail("the folder " + folder + " cannot be created");
    boost::system::error_code ec;
    if (fs::is_symlink(folder, ec)) {
        const fs::path real = fs::canonical(folder, ec);
        if (ec) return fail("the folder " + folder + " cannot be found");
        folder = real.string();
    }
    const std::string sibling = newFolderFor(folder);
    removeTreeQuietly(sibling);
    if (!fs::create_directory(sibling, ec) || ec) return fail("the folder " + sibling + " cannot be made");
    newFolder = sibling;
    fs::permissions(newFolder, fs::status(folder, ec).permissions(), ec);
    reached(writeStage::newFolderMade);
    return true;
}

bool folderReplacement::stage(const std::string& name, const std::string& text)
{
    if (!failure.empty()) return false;
    if (newFolder.empty() && !prepare()) return false;
    const std::string target = folder + "/" + name;
    std::string reason;
    if (!targetWritable(target, reason)) return fail(reason);
    if (!writeDurably(newFolder + "/" + name, text, modeOf(target), reason)) return fail(reason);
    if (std::find(staged.begin(), staged.end(), name) == staged.end()) staged.push_back(name);
    reached(writeStage::fileWritten);
    return true;
}

// Links every entry of `from` into `to` but the staged files and leftover
// temporary files of the top folder; sub-folders are made anew and filled
// the same way. Each folder is flushed once it is complete.
bool folderReplacement::carryOthers(const std::string& from, const std::string& to, bool top)
{
    boost::system::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (top && (std::find(staged.begin(), staged.end(), name) != staged.end() || leftoverTemporary(*it))) continue;
        const std::string source = it->path().string(), copy = to + "/" + name;
        boost::system::error_code typeError;
        const fs::file_status status = it->symlink_status(typeError);
        if (fs::is_directory(status)) {
            if (!fs::create_directory(copy, typeError) || typeError) return false;
            fs::permissions(copy, status.permissions(), typeError);
            if (!carryOthers(source, copy, false)) return false;
        } else if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, copy.c_str(), 0) != 0) {
            return false;
        }
    }
    return !ec && flushFolder(to);
}

// Without an exchange: each new file renamed over its old one, so a kill
// between two renames leaves some files old and some new.
bool folderReplacement::renameOneByOne()
{
    systemMsg(QV_WARNING "The files of ^y" + folder +
              "^w cannot be replaced in one step on this file system; they are replaced one by one, so this save "
              "is not atomic.");
    for (const std::string& name : staged) {
        const std::string target = folder + "/" + name;
        if (::rename((newFolder + "/" + name).c_str(), target.c_str()) != 0)
            return fail(target + " cannot be replaced: " + errnoText(errno));
    }
    boost::system::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (leftoverTemporary(*it)) removeQuietly(it->path().string());
    if (!flushFolder(folder)) return fail("the folder " + folder + " cannot be flushed to the disk");
    committed = true;
    removeTreeQuietly(newFolder);
    return true;
}

bool folderReplacement::commit()
{
    if (!failure.empty()) return false;
    if (committed || staged.empty()) return true;
    if (!carryOthers(folder, newFolder, true)) return renameOneByOne();
    reached(writeStage::othersCarried);
    const int error = exchangeFolders(folder, newFolder);
    if (error != 0) {
        if (exchangeUnsupported(error)) return renameOneByOne();
        return fail("the folder " + folder + " cannot be replaced: " + errnoText(error));
    }
    committed = true;  // the sibling holds the old folder now
    reached(writeStage::foldersSwapped);
    const bool flushed = flushFolder(parentOf(folder));
    removeTreeQuietly(newFolder);
    reached(writeStage::oldFolderRemoved);
    if (!flushed) return fail("the folder " + parentOf(folder) + " cannot be flushed to the disk");
    return true;
}

bool replaceFile(const std::string& target, const std::string& text, std::string* error)
{
    std::string reason;
    const bool done = replaceLoneFile(target, text, reason);
    if (!done && error) *error = reason;
    return done;
}
