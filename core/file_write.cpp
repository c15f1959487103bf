// Whole-file replacement: a lone file through a temporary file and a rename,
// the files of one folder through a sibling folder and an atomic exchange
// that keeps what others wrote into the folder meanwhile; every file and
// folder flushed to the disk before success is reported. Every temporary
// name begins with the writer's own prefix; the writer removes only its own
// temporaries, and from an old folder only what it knows as its own.
#include "core/file_write.h"
#include "core/file_write_internal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

#include "core/file_kind.h"
#include "core/log.h"

namespace fs = boost::filesystem;

namespace {

// Begins the name of every temporary file and folder the writer makes.
constexpr const char* ownPrefix = ".quorvane-saving-";
constexpr int noMode = -1;
constexpr size_t copyBufferSize = 64 * 1024;
// How often an old folder that others keep writing into is emptied again
// before it is kept instead of removed.
constexpr int clearingRounds = 3;
// An old folder that cannot be removed is kept as "<name>.kept-<date>-<time>",
// or with "-2", "-3" ... after it when that name is taken.
constexpr const char* keptInfix = ".kept-";
constexpr const char* keptStampFormat = "%Y%m%d-%H%M%S";
constexpr size_t keptStampSize = 32;
constexpr int keptNameTries = 100;

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
// times, flushed to the disk; 0 or the reason it failed. `was` gets what the
// source was when the copy began, so that any later change to it shows.
int copyDurably(const std::string& source, const std::string& copy, struct stat& was)
{
    const int in = openRetrying(source, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (in < 0) return errno;
    int error = ::fstat(in, &was) != 0 ? errno : (S_ISREG(was.st_mode) ? 0 : EINVAL);
    const int out = error == 0 ? openRetrying(copy, newFileFlags | O_EXCL, 0600) : -1;
    if (error == 0 && out < 0) error = errno;
    if (error == 0) error = copyBytes(in, out);
    ::close(in);
    if (out < 0) return error;
    const struct timespec times[2] = {was.st_atim, was.st_mtim};
    if (error == 0 && ::futimens(out, times) != 0) error = errno;
    error = finishFile(out, static_cast<int>(was.st_mode & 07777), error);
    if (error != 0) removeQuietly(copy);
    return error;
}

// Makes `copy` a link to what the symbolic link `source` points to; `was`
// gets what the source was first.
int copyLink(const std::string& source, const std::string& copy, struct stat& was)
{
    if (::lstat(source.c_str(), &was) != 0) return errno;
    if (!S_ISLNK(was.st_mode)) return EINVAL;
    boost::system::error_code ec;
    fs::copy_symlink(source, copy, ec);
    return ec ? ec.value() : 0;
}

int linkEntry(const std::string& source, const std::string& copy)
{
    if (const int forced = forcedErrorOf(writeCall::link)) return forced;
    return ::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, copy.c_str(), 0) == 0 ? 0 : errno;
}

// The file type bits of a mode for the kinds of entry that can be copied; 0
// for the others.
unsigned kindOf(fs::file_type type)
{
    if (type == fs::regular_file) return S_IFREG;
    if (type == fs::symlink_file) return S_IFLNK;
    return 0;
}

// Puts `source` into the new folder as `copy`, unchanged: a second link of
// the same file (`linked`) or, where the file system refuses one, a copy (of
// a file or a symbolic link; other kinds can only be linked), with what the
// source was when it was copied in `was`.
bool carryEntry(const std::string& source, const std::string& copy, unsigned kind, bool& linked, struct stat& was,
                std::string& reason)
{
    const int linkError = linkEntry(source, copy);
    linked = linkError == 0;
    if (linked) return true;
    int copyError = EINVAL;
    if (S_ISREG(kind)) copyError = copyDurably(source, copy, was);
    if (S_ISLNK(kind)) copyError = copyLink(source, copy, was);
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

// Swaps two entries of any kinds in one step; 0 or the reason it failed.
int exchangeEntries(const std::string& a, const std::string& b)
{
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0 ? 0 : errno;
}

// Swaps the two folders' places, the step a test can make fail.
int exchangeFolders(const std::string& a, const std::string& b)
{
    if (const int forced = forcedErrorOf(writeCall::exchange)) return forced;
    return exchangeEntries(a, b);
}

// Gives a folder its owner's full access when it lacks it, so that entries
// can be taken out of it; the mode it had, for restoreMode, or noMode.
int openUp(const std::string& folder)
{
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || (info.st_mode & S_IRWXU) == S_IRWXU)
        return noMode;
    const int mode = static_cast<int>(info.st_mode & 07777);
    return ::chmod(folder.c_str(), static_cast<mode_t>(mode) | S_IRWXU) == 0 ? mode : noMode;
}

void restoreMode(const std::string& folder, int mode)
{
    if (mode != noMode) ::chmod(folder.c_str(), static_cast<mode_t>(mode));
}

// The names in `folder`; false, with the cause, when it cannot be read whole.
bool namesIn(const std::string& folder, std::vector<std::string>& names, std::string& cause)
{
    boost::system::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    if (ec) cause = ec.message();
    return !ec;
}

// Whether two regular files hold the same bytes (neither opened through a
// link or left waiting on a pipe).
bool sameBytes(const std::string& a, const std::string& b)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    const int in[2] = {openRetrying(a, flags), openRetrying(b, flags)};
    bool same = in[0] >= 0 && in[1] >= 0;
    std::vector<char> buffer[2] = {std::vector<char>(copyBufferSize), std::vector<char>(copyBufferSize)};
    while (same) {
        ssize_t got[2];
        for (int k = 0; k < 2; ++k) {
            do got[k] = ::read(in[k], buffer[k].data(), copyBufferSize);
            while (got[k] < 0 && errno == EINTR);
        }
        same = got[0] >= 0 && got[0] == got[1] &&
               std::memcmp(buffer[0].data(), buffer[1].data(), static_cast<size_t>(got[0])) == 0;
        if (got[0] == 0) break;
    }
    for (int fd : in)
        if (fd >= 0) ::close(fd);
    return same;
}

// Two symbolic links that point to the same place.
bool sameLinkTarget(const std::string& a, const std::string& b)
{
    boost::system::error_code ea, eb;
    const fs::path ta = fs::read_symlink(a, ea), tb = fs::read_symlink(b, eb);
    return !ea && !eb && ta == tb;
}

// "<folder>.kept-<date>-<time>", with "-<n>" after it from the second try on.
std::string keptNameFor(const std::string& folder, int attempt)
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    char stamp[keptStampSize] = "";
    if (::localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, keptStampFormat, &local);
    return folder + keptInfix + stamp + (attempt > 0 ? "-" + std::to_string(attempt + 1) : "");
}

std::string listed(const std::vector<std::string>& items)
{
    std::string list;
    for (const std::string& item : items) list += (list.empty() ? "" : ", ") + item;
    return list;
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

int renameWhereFree(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    struct stat there {};
    if (::lstat(to.c_str(), &there) == 0) return EEXIST;  // no such rename here: looked at first
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

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

folderReplacement::folderReplacement(std::string folder, std::vector<std::string> ownFiles)
    : folder(withoutTrailingSlashes(std::move(folder))), ownFiles(std::move(ownFiles))
{
}

folderReplacement::~folderReplacement()
{
    // Before the exchange the sibling holds only what the writer made there.
    if (!committed && !newFolder.empty()) removeOwnTree(newFolder);
}

bool folderReplacement::entryIdentity::sameFile(const entryIdentity& other) const
{
    return device == other.device && inode == other.inode;
}

bool folderReplacement::entryIdentity::sameVersion(const entryIdentity& other) const
{
    return sameFile(other) && size == other.size && modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds;
}

bool folderReplacement::entryIdentity::unchanged(const entryIdentity& other) const
{
    return sameVersion(other) && kind == other.kind && changedSeconds == other.changedSeconds &&
           changedNanoseconds == other.changedNanoseconds;
}

folderReplacement::entryIdentity folderReplacement::identityFrom(const struct stat& info)
{
    entryIdentity identity;
    identity.device = static_cast<unsigned long long>(info.st_dev);
    identity.inode = static_cast<unsigned long long>(info.st_ino);
    identity.size = static_cast<unsigned long long>(info.st_size);
    identity.kind = static_cast<unsigned>(info.st_mode & S_IFMT);
    identity.modifiedSeconds = static_cast<long long>(info.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<long long>(info.st_mtim.tv_nsec);
    identity.changedSeconds = static_cast<long long>(info.st_ctim.tv_sec);
    identity.changedNanoseconds = static_cast<long long>(info.st_ctim.tv_nsec);
    return identity;
}

bool folderReplacement::identityOf(const std::string& path, entryIdentity& identity)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return false;
    identity = identityFrom(info);
    return true;
}

bool folderReplacement::isStaged(const std::string& name) const
{
    return std::find(staged.begin(), staged.end(), name) != staged.end();
}

bool folderReplacement::isOwnFile(const std::string& name) const
{
    return isStaged(name) || std::find(ownFiles.begin(), ownFiles.end(), name) != ownFiles.end();
}

bool folderReplacement::fail(std::string reason)
{
    if (failure.empty()) failure = std::move(reason);
    return false;
}

// Makes the folder when missing and the sibling folder fresh, after clearing
// what a killed save left there.
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
    if (!clearLeftover(sibling)) return false;
    if (!fs::create_directory(sibling, ec) || ec)
        return fail("the folder " + sibling + " cannot be made: " + causeOf(ec, EEXIST));
    newFolder = sibling;
    fs::permissions(newFolder, fs::status(folder, ec).permissions(), ec);
    reached(writeStage::newFolderMade);
    return true;
}

// What a killed save left at the sibling's name: before its exchange, the new
// files it wrote and the links, copies and folders it carried; after it, the
// old folder with whatever others wrote into it meanwhile. No record of it
// survives, so only what is surely the writer's goes: a file of the folder's
// own names (a killed save's new one, or the old one a save replaced), and
// an entry that is the very file, or the same bytes or link, as the folder's
// entry of that name. Anything else is put back into the folder, or, where
// the folder holds another entry of its name, kept with the leftover under a
// name of its own.
bool folderReplacement::clearLeftover(const std::string& leftover)
{
    struct stat info {};
    if (::lstat(leftover.c_str(), &info) != 0) return true;
    clearing state;
    state.leftover = true;
    if (!S_ISDIR(info.st_mode)) {  // not the writer's: a folder is all it makes there
        state.unmoved.push_back("it is " + std::string(fileKindText(fileKindOf(leftover))));
        if (keepOldFolder(leftover, state)) return true;
    } else if (removeOldFolder(leftover, state)) {
        return true;
    }
    return fail("the folder " + leftover + " cannot be made: what a save cut short left there cannot be kept");
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

// Carries one entry that is not a folder and records what it was and what
// stands for it in the new folder.
bool folderReplacement::carryOne(const std::string& source, const std::string& copy, const std::string& path,
                                 unsigned kind)
{
    bool linked = false;
    struct stat was {};
    std::string reason;
    if (!carryEntry(source, copy, kind, linked, was, reason)) return fail(reason);
    entryIdentity made;
    if (!identityOf(copy, made)) return fail(copy + " cannot be examined: " + errnoText(errno));
    // A link is the very file, whatever happens to it later under either name.
    carried[path] = linked ? carriedEntry{carriedHow::linked, made, made}
                           : carriedEntry{carriedHow::copied, identityFrom(was), made};
    return true;
}

// Carries every entry of `from` into `to` but the staged files and the
// writer's own leftovers of the top folder, and records what each carried
// entry was (`within`: the path of `from` inside the folder), and what each
// staged file's old version was. Sub-folders are made anew with their
// owner's full access, filled the same way, then given their own mode. Each
// folder is flushed once it is complete.
bool folderReplacement::carryOthers(const std::string& from, const std::string& to, const std::string& within)
{
    boost::system::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string source = it->path().string(), copy = to + "/" + name, path = within + name;
        if (within.empty() && ownEntry(name)) continue;
        entryIdentity was;
        if (within.empty() && isStaged(name)) {
            if (identityOf(source, was)) carried[path] = {carriedHow::replaced, was, was};
            continue;
        }
        boost::system::error_code typeError;
        const fs::file_status status = it->symlink_status(typeError);
        if (!fs::is_directory(status)) {
            if (!carryOne(source, copy, path, kindOf(status.type()))) return false;
            continue;
        }
        if (!identityOf(source, was)) return fail("the folder " + source + " cannot be examined: " + errnoText(errno));
        if (::mkdir(copy.c_str(), S_IRWXU) != 0 || ::chmod(copy.c_str(), S_IRWXU) != 0)
            return fail("the folder " + copy + " cannot be made: " + errnoText(errno));
        if (!carryOthers(source, copy, path + "/")) return false;
        std::string reason;
        const int mode = static_cast<int>(status.permissions() & fs::perms_mask);
        if (!flushFolder(copy, reason, mode)) return fail(reason);
        entryIdentity made;
        if (!identityOf(copy, made)) return fail("the folder " + copy + " cannot be examined: " + errnoText(errno));
        carried[path] = {carriedHow::folderMade, was, made};
    }
    if (ec) return fail("the folder " + from + " cannot be read: " + ec.message());
    std::string reason;
    return !within.empty() || flushFolder(to, reason) || fail(reason);
}

// Whether the entry `path` of an old folder (`was`, at `oldPath`) is the
// writer's own, to be removed: in a folder this save replaced, a staged
// file's old version or an entry carried, still as it was carried (or what
// the writer put in the new folder for it, traded back); in a leftover, as
// clearLeftover says. Either way an entry that is the very file the new
// folder holds under its name.
bool folderReplacement::isOwn(const std::string& path, const entryIdentity& was, const std::string& oldPath,
                              bool there, const entryIdentity& now, const std::string& newPath,
                              bool leftover) const
{
    const bool isFolder = S_ISDIR(was.kind);
    if (there && !isFolder && was.sameFile(now)) return true;
    if (leftover) {
        if (path.find('/') == std::string::npos && isOwnFile(path) && S_ISREG(was.kind)) return true;
        if (!there || was.kind != now.kind) return false;
        if (S_ISREG(was.kind)) return was.size == now.size && sameBytes(oldPath, newPath);
        return S_ISLNK(was.kind) && sameLinkTarget(oldPath, newPath);
    }
    const auto entry = carried.find(path);
    if (entry == carried.end()) return false;
    const carriedEntry& c = entry->second;
    switch (c.how) {
    case carriedHow::linked: return was.sameFile(c.made);
    case carriedHow::copied: return was.unchanged(c.was) || was.unchanged(c.made);
    case carriedHow::folderMade: return isFolder && (was.sameFile(c.was) || was.sameFile(c.made));
    case carriedHow::replaced: return was.unchanged(c.was);
    }
    return false;
}

// Whether the new folder's entry `path` (`now`) is still what the writer put
// there for a carried entry, so that a changed one of the old folder may take
// its place.
bool folderReplacement::isWritersInNew(const std::string& path, const entryIdentity& now) const
{
    const auto entry = carried.find(path);
    if (entry == carried.end()) return false;
    const carriedEntry& c = entry->second;
    switch (c.how) {
    case carriedHow::linked: return now.sameVersion(c.made);
    case carriedHow::copied: return now.unchanged(c.made);
    case carriedHow::folderMade: return S_ISDIR(now.kind) && now.sameFile(c.made);
    case carriedHow::replaced: return false;
    }
    return false;
}

// Empties the old folder `old` (or a sub-folder of it, `within` its path)
// into `now`, its place in the new folder, entry by entry.
void folderReplacement::clearOldFolder(const std::string& old, const std::string& now, const std::string& within,
                                       clearing& state)
{
    std::vector<std::string> names;
    std::string cause;
    if (!namesIn(old, names, cause)) {
        state.unmoved.push_back((within.empty() ? old : within) + " (it cannot be read: " + cause + ")");
        return;
    }
    bool moved = false;
    for (const std::string& name : names) moved = clearOldEntry(name, old, now, within, state) || moved;
    std::string reason;
    if (moved && !flushFolder(now, reason))
        systemMsg(QV_WARNING + reason + "; what was moved into it may not survive a crash.");
}

// One entry of an old folder: the writer's own goes; anything else is moved
// into the new folder where nothing stands under its name, or where what
// stands there is still what the writer carried (the two trade places, and
// the writer's then goes); a folder where the new one has a folder of its
// own is emptied into it. What cannot be moved is listed, to be kept. True
// when something was moved into `now`.
bool folderReplacement::clearOldEntry(const std::string& name, const std::string& old, const std::string& now,
                                      const std::string& within, clearing& state)
{
    const std::string path = within + name, from = old + "/" + name, to = now + "/" + name;
    if (within.empty() && ownEntry(name)) {
        removeOwnTree(from);  // a temporary of the writer's
        return false;
    }
    entryIdentity was, is;
    if (!identityOf(from, was)) return false;  // gone meanwhile
    const bool there = identityOf(to, is);
    const std::string shown = "^y" + folder + "/" + path + "^w";
    const std::string movedNote = state.leftover ? shown + " was left by a save cut short; it is put back."
                                                 : shown + " was written while the save ran; it is kept.";
    if (isOwn(path, was, from, there, is, to, state.leftover)) {
        removeOwn(from, to, path, was, state);
        return false;
    }
    int error = 0;
    if (!there) {
        error = renameWhereFree(from, to);
    } else if (!state.leftover && isWritersInNew(path, is)) {
        error = exchangeEntries(from, to);
        if (error == 0) removeOwn(from, to, path, is, state);  // what the writer put there, now in the old folder
    } else if (S_ISDIR(was.kind) && S_ISDIR(is.kind)) {
        clearSubFolder(from, to, path, state);
        return false;
    } else {
        state.unmoved.push_back(path + " (another entry of that name stands in its place)");
        return false;
    }
    if (error != 0) {
        state.unmoved.push_back(path + " (" + errnoText(error) + ")");
        return false;
    }
    systemMsg(QV_WARNING + movedNote);
    return true;
}

// Removes the writer's own entry `from` of an old folder: a file by its
// name, a folder once it is emptied.
void folderReplacement::removeOwn(const std::string& from, const std::string& to, const std::string& path,
                                  const entryIdentity& was, clearing& state)
{
    if (S_ISDIR(was.kind)) {
        clearSubFolder(from, to, path, state);
        return;
    }
    if (::unlink(from.c_str()) != 0 && errno != ENOENT)
        state.unmoved.push_back(path + " (" + errnoText(errno) + ")");
}

// Empties a sub-folder of an old folder into its place in the new one and
// removes it; one that others wrote into meanwhile stays for the next round.
void folderReplacement::clearSubFolder(const std::string& old, const std::string& now, const std::string& path,
                                       clearing& state)
{
    const int mode = openUp(old);
    clearOldFolder(old, now, path + "/", state);
    if (::rmdir(old.c_str()) == 0) return;
    const int error = errno;
    restoreMode(old, mode);
    if (error != ENOTEMPTY && error != EEXIST) state.unmoved.push_back(path + " (" + errnoText(error) + ")");
}

// Empties an old folder (at the sibling's name) into the folder and removes
// it with rmdir, so that a program still writing into it fails rather than
// losing its file; while others keep writing into it, it is emptied again, a
// few rounds. An old folder that keeps something is renamed beside the
// folder to a name of its own, which no save touches, named in one warning.
// True when nothing stays at the sibling's name.
bool folderReplacement::removeOldFolder(const std::string& old, clearing& state)
{
    const int mode = openUp(old);
    for (int round = 0; round < clearingRounds && state.unmoved.empty(); ++round) {
        clearOldFolder(old, folder, "", state);
        if (!state.unmoved.empty()) break;
        if (!state.leftover) reached(writeStage::oldFolderCleared);
        if (::rmdir(old.c_str()) == 0) return true;
        if (errno != ENOTEMPTY && errno != EEXIST) state.unmoved.push_back(old + " (" + errnoText(errno) + ")");
    }
    if (state.unmoved.empty()) state.unmoved.push_back("what is still being written into it");
    restoreMode(old, mode);
    return keepOldFolder(old, state);
}

// Renames what stays at the sibling's name beside the folder, to a name of
// its own that no save touches, with one warning naming it; true when done.
bool folderReplacement::keepOldFolder(const std::string& old, const clearing& state)
{
    const std::string what = state.leftover ? "What a save cut short left in ^y" + old +
                                                  "^w and cannot be put back into ^y" + folder + "^w"
                                            : "What was written into ^y" + folder +
                                                  "^w while the save ran and cannot be moved into it";
    int error = EEXIST;
    for (int attempt = 0; attempt < keptNameTries && (error == EEXIST || error == ENOTEMPTY); ++attempt) {
        const std::string kept = keptNameFor(folder, attempt);
        error = renameWhereFree(old, kept);
        if (error == 0) {
            systemMsg(QV_WARNING + what + " is kept in ^y" + kept + "^w: " + listed(state.unmoved) + ".");
            return true;
        }
    }
    systemMsg(QV_WARNING + what + " is kept in ^y" + old + "^w, which cannot be renamed (" + errnoText(error) +
              "); the next save puts back what it can: " + listed(state.unmoved) + ".");
    return false;
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

// Once the folders have traded places, the save is done: what follows can
// only warn.
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
    clearing state;
    removeOldFolder(newFolder, state);
    std::string reason;
    if (!flushFolder(parentOf(folder), reason))
        systemMsg(QV_WARNING + reason + "; the new files are in place, but may not survive a crash.");
    reached(writeStage::oldFolderRemoved);
    return true;
}

bool replaceFile(const std::string& target, const std::string& text, std::string* error)
{
    std::string reason;
    const bool done = replaceLoneFile(target, text, reason);
    if (!done && error) *error = reason;
    return done;
}
