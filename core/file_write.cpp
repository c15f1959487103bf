// Whole-file replacement: a lone file through a temporary file and a rename,
// the files of one folder through a sibling folder and an atomic exchange
// that keeps what others wrote into the folder meanwhile; every file and
// folder flushed to the disk before success is reported. Every temporary
// name begins with the writer's own prefix, and nothing else is ever removed.
#include "core/file_write.h"
#include "core/file_write_internal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "core/file_kind.h"
#include "core/log.h"

namespace fs = boost::filesystem;

namespace {

// Begins the name of every temporary file and folder the writer makes.
constexpr const char* ownPrefix = ".quorvane-saving-";
constexpr int noMode = -1;
constexpr size_t copyBufferSize = 64 * 1024;

std::function<void(writeStage)> stageHook;
int forcedError[writeCallCount] = {};  // by call: the error a test makes it fail with

void reached(writeStage stage)
{
    if (stageHook) stageHook(stage);
}

int& forcedErrorOf(writeCall call)
{
    return forcedError[static_cast<size_t>(call)];
}

std::string errnoText(int error)
{
    return std::strerror(error);
}

// The cause a file system call gave, or `otherwise` when it gave none (a
// folder that was there already).
std::string causeOf(const boost::system::error_code& ec, int otherwise)
{
    return ec ? ec.message() : errnoText(otherwise);
}

void removeQuietly(const std::string& path)
{
    boost::system::error_code ec;
    fs::remove(path, ec);
}

// Removes a tree of the writer's own whatever modes its folders carry: each
// folder is given its owner's full access first. Files keep their modes (a
// file linked into the new folder shares its mode with its old name).
void removeOwnTree(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return;
    if (S_ISDIR(info.st_mode)) {
        if ((info.st_mode & S_IRWXU) != S_IRWXU) ::chmod(path.c_str(), S_IRWXU);
        boost::system::error_code ec;
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            removeOwnTree(it->path().string());
    }
    removeQuietly(path);
}

std::string parentOf(const std::string& path)
{
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// The writer's own name for `path`: the same folder, the prefix before the name.
std::string ownNameFor(const std::string& path)
{
    const fs::path p(withoutTrailingSlashes(path));
    return (p.parent_path() / (ownPrefix + p.filename().string())).string();
}

// A temporary file or folder of the writer's, left by a save that was killed.
bool ownEntry(const std::string& name)
{
    return name.compare(0, std::strlen(ownPrefix), ownPrefix) == 0;
}

int openRetrying(const std::string& path, int flags, mode_t mode = 0)
{
    int fd;
    do fd = ::open(path.c_str(), flags, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Records the folder's entries on the disk, after giving it `mode` when one
// is given (a folder the writer filled gets its mode last, so that a
// read-only one can be filled). A file system that cannot flush a folder
// (EINVAL) keeps its entries by other means.
bool flushFolder(const std::string& folder, std::string& reason, int mode = noMode)
{
    const int fd = openRetrying(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (mode != noMode && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) error = errno;
        if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
        if (::close(fd) != 0 && error == 0) error = errno;
    }
    if (error != 0) reason = "the folder " + folder + " cannot be flushed to the disk: " + errnoText(error);
    return error == 0;
}

// The permission bits of an existing file, for its replacement to keep.
int modeOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return noMode;
    return static_cast<int>(info.st_mode & 07777);
}

// Writes all `size` bytes to `fd`; 0, or the reason it stopped.
int writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

// Gives the open file its mode, flushes it to the disk and closes it; 0 or
// the first reason that failed.
int finishFile(int fd, int mode, int error)
{
    if (error == 0 && mode != noMode && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

// New files are never opened through a link or left waiting on a pipe.
constexpr int newFileFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// Writes `text` as a new file at `path`, flushed to the disk.
bool writeDurably(const std::string& path, const std::string& text, int mode, std::string& reason)
{
    const int fd = openRetrying(path, newFileFlags, 0666);
    if (fd < 0) {
        reason = path + " cannot be opened for writing: " + errnoText(errno);
        return false;
    }
    const int error = finishFile(fd, mode, writeAll(fd, text.data(), text.size()));
    if (error != 0) {
        removeQuietly(path);
        reason = path + " cannot be written whole: " + errnoText(error);
    }
    return error == 0;
}

// Copies what is left to read of `in` to `out`; 0 or the reason it stopped.
int copyBytes(int in, int out)
{
    std::vector<char> buffer(copyBufferSize);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : 0;
        if (const int error = writeAll(out, buffer.data(), static_cast<size_t>(n))) return error;
    }
}

// Copies the regular file `source` to the new file `copy`, bytes, mode and
// times, flushed to the disk; 0 or the reason it failed.
int copyDurably(const std::string& source, const std::string& copy)
{
    const int in = openRetrying(source, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (in < 0) return errno;
    struct stat info {};
    int error = ::fstat(in, &info) != 0 ? errno : (S_ISREG(info.st_mode) ? 0 : EINVAL);
    const int out = error == 0 ? openRetrying(copy, newFileFlags | O_EXCL, 0600) : -1;
    if (error == 0 && out < 0) error = errno;
    if (error == 0) error = copyBytes(in, out);
    ::close(in);
    if (out < 0) return error;
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (error == 0 && ::futimens(out, times) != 0) error = errno;
    error = finishFile(out, static_cast<int>(info.st_mode & 07777), error);
    if (error != 0) removeQuietly(copy);
    return error;
}

// Makes `copy` a link to what the symbolic link `source` points to.
int copyLink(const std::string& source, const std::string& copy)
{
    boost::system::error_code ec;
    fs::copy_symlink(source, copy, ec);
    return ec ? ec.value() : 0;
}

int linkEntry(const std::string& source, const std::string& copy)
{
    if (const int forced = forcedErrorOf(writeCall::link)) return forced;
    return ::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, copy.c_str(), 0) == 0 ? 0 : errno;
}

// Puts `source` into the new folder as `copy`, unchanged: a second link of
// the same file or, where the file system refuses one, a copy (of a file or
// a symbolic link; other kinds can only be linked).
bool carryEntry(const std::string& source, const std::string& copy, fs::file_type type, std::string& reason)
{
    const int linkError = linkEntry(source, copy);
    if (linkError == 0) return true;
    int copyError = EINVAL;
    if (type == fs::regular_file) copyError = copyDurably(source, copy);
    if (type == fs::symlink_file) copyError = copyLink(source, copy);
    if (copyError == 0) return true;
    reason = source + " cannot be carried into the new folder: linking it failed (" + errnoText(linkError) +
             "), copying it failed (" + errnoText(copyError) + ")";
    return false;
}

// An existing target must be a regular file this process may write, learnt
// without opening it: opening a named pipe would wait for a writer for good,
// and a rename would replace a read-only file too, which the user did not allow.
bool targetWritable(const std::string& target, std::string& reason)
{
    const fileKind kind = fileKindOf(target);
    if (kind == fileKindMissing) return true;
    if (kind != fileKindRegular) {
        reason = target + " is " + fileKindText(kind) + ", not a file that can be replaced";
        return false;
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        reason = target + " cannot be written: " + errnoText(errno);
        return false;
    }
    return true;
}

// Swaps the two folders' places in one step; 0 or the reason it failed.
int exchangeFolders(const std::string& a, const std::string& b)
{
    if (const int forced = forcedErrorOf(writeCall::exchange)) return forced;
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0 ? 0 : errno;
}

// The file system (or kernel) offers no exchange of two folders.
bool exchangeUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EXDEV;
}

// Whether folders can trade places where the new folder lies: two empty
// folders of the writer's own inside it try; 0 or the reason they could not.
int probeExchange(const std::string& newFolder)
{
    const std::string a = newFolder + "/" + ownPrefix + "probe-a", b = newFolder + "/" + ownPrefix + "probe-b";
    const bool made = ::mkdir(a.c_str(), S_IRWXU) == 0 && ::mkdir(b.c_str(), S_IRWXU) == 0;
    const int error = made ? exchangeFolders(a, b) : errno;
    removeQuietly(a);
    removeQuietly(b);
    return error;
}

// Puts `from` at `to`, in place of what the writer carried there (its own
// link, copy or folder); 0 or the reason it failed.
int moveInPlace(const std::string& from, const std::string& to)
{
    struct stat moved {}, there {};
    if (::lstat(to.c_str(), &there) == 0 && ::lstat(from.c_str(), &moved) == 0 &&
        (S_ISDIR(there.st_mode) || S_ISDIR(moved.st_mode)))
        removeOwnTree(to);  // a rename puts a folder only where nothing stands, and nothing but a folder over one
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool replaceLoneFile(const std::string& target, const std::string& text, std::string& reason)
{
    const std::string folder = parentOf(target);
    if (!createFolders(folder, &reason)) return false;
    if (!targetWritable(target, reason)) return false;
    const std::string temporary = temporaryFileFor(target);
    removeQuietly(temporary);  // what a killed replacement left
    if (!writeDurably(temporary, text, modeOf(target), reason)) return false;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        reason = target + " cannot be replaced: " + errnoText(errno);
        removeQuietly(temporary);
        return false;
    }
    return flushFolder(folder, reason);
}

}  // namespace

void setWriteStageHook(std::function<void(writeStage)> hook)
{
    stageHook = std::move(hook);
}

void failWriteCall(writeCall call, int error)
{
    forcedErrorOf(call) = error;
}

std::string temporaryFileFor(const std::string& target)
{
    return ownNameFor(target);
}

std::string newFolderFor(const std::string& folder)
{
    return ownNameFor(folder);
}

bool createFolders(const std::string& folder, std::string* error)
{
    const std::string path = withoutTrailingSlashes(folder);
    boost::system::error_code ec;
    std::vector<std::string> missing;
    for (fs::path p = path; !p.empty() && !fs::exists(fs::symlink_status(p, ec)); p = p.parent_path())
        missing.push_back(p.string());
    std::string reason;
    if (missing.empty() && !isFolder(path)) {
        reason = "the folder " + path + " cannot be created: " + fileKindText(fileKindOf(path)) + " is in its place";
    } else if (!missing.empty()) {
        fs::create_directories(path, ec);
        if (ec || !isFolder(path)) reason = "the folder " + path + " cannot be created: " + causeOf(ec, ENOTDIR);
        for (size_t k = 0; reason.empty() && k < missing.size(); ++k) flushFolder(parentOf(missing[k]), reason);
    }
    if (!reason.empty() && error) *error = reason;
    return reason.empty();
}

folderReplacement::folderReplacement(std::string folder) : folder(withoutTrailingSlashes(std::move(folder))) {}

folderReplacement::~folderReplacement()
{
    if (!committed && !newFolder.empty()) removeOwnTree(newFolder);
}

bool folderReplacement::entryIdentity::operator==(const entryIdentity& other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds;
}

bool folderReplacement::identityOf(const std::string& path, entryIdentity& identity)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return false;
    identity = {static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino),
                static_cast<unsigned long long>(info.st_size), static_cast<long long>(info.st_mtim.tv_sec),
                static_cast<long long>(info.st_mtim.tv_nsec)};
    return true;
}

bool folderReplacement::isStaged(const std::string& name) const
{
    return std::find(staged.begin(), staged.end(), name) != staged.end();
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
    std::string reason;
    if (!createFolders(folder, &reason)) return fail(reason);
    boost::system::error_code ec;
    if (fs::is_symlink(folder, ec)) {
        const fs::path real = fs::canonical(folder, ec);
        if (ec) return fail("the folder " + folder + " cannot be found: " + ec.message());
        folder = real.string();
    }
    const std::string sibling = newFolderFor(folder);
    removeOwnTree(sibling);
    if (!fs::create_directory(sibling, ec) || ec)
        return fail("the folder " + sibling + " cannot be made: " + causeOf(ec, EEXIST));
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
    if (!isStaged(name)) staged.push_back(name);
    reached(writeStage::fileWritten);
    return true;
}

// Carries every entry of `from` into `to` but the staged files and the
// writer's own leftovers of the top folder, and records what each carried
// entry was (`within`: the path of `from` inside the folder). Sub-folders are
// made anew with their owner's full access, filled the same way, then given
// their own mode. Each folder is flushed once it is complete.
bool folderReplacement::carryOthers(const std::string& from, const std::string& to, const std::string& within)
{
    boost::system::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (within.empty() && (isStaged(name) || ownEntry(name))) continue;
        const std::string source = it->path().string(), copy = to + "/" + name;
        boost::system::error_code typeError;
        const fs::file_status status = it->symlink_status(typeError);
        std::string reason;
        if (fs::is_directory(status)) {
            if (::mkdir(copy.c_str(), S_IRWXU) != 0 || ::chmod(copy.c_str(), S_IRWXU) != 0)
                return fail("the folder " + copy + " cannot be made: " + errnoText(errno));
            if (!carryOthers(source, copy, within + name + "/")) return false;
            const int mode = static_cast<int>(status.permissions() & fs::perms_mask);
            if (!flushFolder(copy, reason, mode)) return fail(reason);
            continue;
        }
        entryIdentity identity{};
        const bool known = identityOf(source, identity);
        if (!carryEntry(source, copy, status.type(), reason)) return fail(reason);
        if (known) carried[within + name] = identity;
    }
    if (ec) return fail("the folder " + from + " cannot be read: " + ec.message());
    std::string reason;
    return !within.empty() || flushFolder(to, reason) || fail(reason);
}

// After the exchange, `old` (the old folder, or a sub-folder of it) is
// compared with `now`, its place in the new one: every entry others wrote
// meanwhile, one the new folder lacks or one that is no longer the entry
// carried, is moved into the new folder, with a warning naming it. The
// files the save wrote stay as written.
bool folderReplacement::keepWrittenMeanwhile(const std::string& old, const std::string& now, const std::string& within)
{
    bool moved = false;
    boost::system::error_code ec;
    for (fs::directory_iterator it(old, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string(), path = within + name;
        if (within.empty() && (isStaged(name) || ownEntry(name))) continue;
        const std::string from = it->path().string(), to = now + "/" + name;
        entryIdentity was{}, is{};
        if (!identityOf(from, was)) continue;  // gone meanwhile
        const bool there = identityOf(to, is);
        boost::system::error_code kindError;
        if (there && fs::is_directory(fs::symlink_status(from, kindError)) &&
            fs::is_directory(fs::symlink_status(to, kindError))) {
            if (!keepWrittenMeanwhile(from, to, path + "/")) return false;
            continue;
        }
        const auto carriedAs = carried.find(path);
        const bool wasCarried = carriedAs != carried.end();
        if ((there && was.device == is.device && was.inode == is.inode) ||  // the very file, linked in
            (wasCarried && carriedAs->second == was) ||                     // unchanged since it was carried
            (there && !wasCarried))                                         // written there since the exchange
            continue;
        if (const int error = moveInPlace(from, to))
            return fail(folder + "/" + path + " was written while the save ran and cannot be moved into the new "
                        "folder (" + errnoText(error) + "); it is kept in " + newFolder);
        systemMsg(QV_WARNING "^y" + folder + "/" + path + "^w was written while the save ran; it is kept.");
        moved = true;
    }
    if (ec) return fail("the folder " + old + " cannot be read: " + ec.message() + "; it is kept as it is");
    std::string reason;
    return !moved || flushFolder(now, reason) || fail(reason);
}

// Without an exchange: each new file renamed over its old one, so a kill
// between two renames leaves some files old and some new.
bool folderReplacement::renameOneByOne(int exchangeError)
{
    systemMsg(QV_WARNING "The files of ^y" + folder + "^w cannot be replaced in one step on this file system (" +
              errnoText(exchangeError) + "); they are replaced one by one, so this save is not atomic.");
    for (const std::string& name : staged) {
        const std::string target = folder + "/" + name;
        if (::rename((newFolder + "/" + name).c_str(), target.c_str()) != 0)
            return fail(target + " cannot be replaced: " + errnoText(errno));
    }
    boost::system::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (ownEntry(it->path().filename().string())) removeOwnTree(it->path().string());
    std::string reason;
    if (!flushFolder(folder, reason)) return fail(reason);
    committed = true;
    removeOwnTree(newFolder);
    return true;
}

bool folderReplacement::commit()
{
    if (!failure.empty()) return false;
    if (committed || staged.empty()) return true;
    // The folder's other entries are carried only where the folders can trade places.
    const int probed = probeExchange(newFolder);
    if (exchangeUnsupported(probed)) return renameOneByOne(probed);
    if (!carryOthers(folder, newFolder, "")) return false;
    reached(writeStage::othersCarried);
    const int error = exchangeFolders(folder, newFolder);
    if (error != 0) {
        if (exchangeUnsupported(error)) return renameOneByOne(error);
        return fail("the folder " + folder + " cannot be replaced: " + errnoText(error));
    }
    committed = true;  // the sibling holds the old folder now
    reached(writeStage::foldersSwapped);
    if (!keepWrittenMeanwhile(newFolder, folder, "")) return false;
    std::string reason;
    const bool flushed = flushFolder(parentOf(folder), reason);
    removeOwnTree(newFolder);
    reached(writeStage::oldFolderRemoved);
    return flushed || fail(reason);
}

bool replaceFile(const std::string& target, const std::string& text, std::string* error)
{
    std::string reason;
    const bool done = replaceLoneFile(target, text, reason);
    if (!done && error) *error = reason;
    return done;
}
