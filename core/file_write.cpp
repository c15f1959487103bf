// Whole-file replacement: a lone file through a temporary file and a rename;
// the files of one folder through their temporaries, a commit record put in
// place with one rename, and a rename of each temporary over its file, which
// the next look at the folder finishes when a save is cut short. Every file
// and folder is flushed to the disk before success is reported. What the
// writer owns in a folder is named in one place below.
#include "core/file_write.h"
#include "core/file_write_internal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/file_kind.h"
#include "core/file_read.h"
#include "core/log.h"
#include "core/retried_call.h"

namespace fs = boost::filesystem;

namespace {

// What the writer owns in a folder, by exact name: its prefix before the name
// of each file it writes there (the file's temporary), the commit record and
// the record's temporary. Nothing under another name is ever renamed or
// removed, and under these names only regular files.
constexpr const char* ownPrefix = ".quorvane-saving-";
constexpr const char* recordName = ".quorvane-saving-commit";
constexpr const char* recordTemporaryName = ".quorvane-saving-commit.new";

// The record: this first line, then the names of the files it commits, one a line.
constexpr const char* recordHeader = "quorvane commit record 1";
constexpr size_t recordSizeLimit = 4096;

constexpr int noMode = -1;

std::function<void(writeStage)> stageHook;
std::function<void(writeCall, const std::string&)> callHook;

// A call a test makes fail: with `error`, once `passing` more calls have run.
struct forcedFailure {
    int error = 0;
    int passing = 0;
};
forcedFailure forced[writeCallCount];

void reached(writeStage stage)
{
    if (stageHook) stageHook(stage);
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

std::string parentOf(const std::string& path)
{
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// What stands at `path`, the entry itself: a link is named as one.
std::string entryKindText(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) return "a symbolic link";
    return fileKindText(fileKindOf(path));
}

// fsync of `path` open as `fd`, the step a test can make fail; 0 or the
// reason it failed.
int flushToDisk(int fd, const std::string& path)
{
    if (const int error = writeCallError(writeCall::flush, path)) return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Records the folder's entries on the disk. A file system that cannot flush
// a folder (EINVAL) keeps its entries by other means.
bool flushFolder(const std::string& folder, std::string& reason)
{
    const int fd = openRetrying(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = fd < 0 ? errno : flushToDisk(fd, folder);
    if (error == EINVAL) error = 0;
    if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
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

// Writes all `size` bytes to `fd`, the file `path`; 0, or the reason it stopped.
int writeAll(int fd, const std::string& path, const char* data, size_t size)
{
    if (const int error = writeCallError(writeCall::write, path)) return error;
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
int finishFile(int fd, const std::string& path, int mode, int error)
{
    if (error == 0 && mode != noMode && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) error = errno;
    if (error == 0) error = flushToDisk(fd, path);
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

// New files are made afresh, never opened through a link, nor left waiting on a pipe.
constexpr int newFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// Writes `text` as a new file at the writer's own name `path`, flushed to
// the disk; a file that cannot be written whole is removed again. Whatever
// already stands at the name is left, and named for the user to move away.
bool writeDurably(const std::string& path, const std::string& text, int mode, std::string& reason)
{
    const int fd = openRetrying(path, newFileFlags, 0666);
    if (fd < 0 && errno == EEXIST) {
        reason = path + " is " + entryKindText(path) +
                 ", at the name this program saves through; it is left as it is: move it away";
        return false;
    }
    if (fd < 0) {
        reason = path + " cannot be opened for writing: " + errnoText(errno);
        return false;
    }
    const int error = finishFile(fd, path, mode, writeAll(fd, path, text.data(), text.size()));
    if (error != 0) {
        ::unlink(path.c_str());
        reason = path + " cannot be written whole: " + errnoText(error);
    }
    return error == 0;
}

// A rename may put a file at `target`: nothing stands there, or a regular
// file (or a link to one), learnt without opening it.
bool replaceable(const std::string& target, std::string& reason)
{
    const fileKind kind = fileKindOf(target);
    if (kind == fileKindMissing || kind == fileKindRegular) return true;
    reason = target + " is " + fileKindText(kind) + ", not a file that can be replaced";
    return false;
}

// Where the new text of `target` goes: `target` itself, or for a link the
// file it leads to, so that the link stays. False, with the reason naming
// `target`, when what stands there or what the link leads to is not a
// regular file.
bool placeOf(const std::string& target, std::string& place, std::string& reason)
{
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        place = target;
        return replaceable(target, reason);
    }
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (resolved == nullptr) {
        reason = target + " is a link that leads to no file (" + errnoText(errno) + ")";
        return false;
    }
    place = resolved;
    std::free(resolved);
    if (isRegularFile(place)) return true;
    reason = target + " is a link to " + place + ", which is " + fileKindText(fileKindOf(place)) +
             ", not a file that can be replaced";
    return false;
}

// Whether a rename can go from `from` to `to`: one mount holds both (a file
// system mounted twice still refuses a rename from one mount to the other).
bool sameMount(const std::string& from, const std::string& to)
{
    struct statx a {}, b {};
    if (::statx(AT_FDCWD, from.c_str(), 0, STATX_MNT_ID, &a) != 0 ||
        ::statx(AT_FDCWD, to.c_str(), 0, STATX_MNT_ID, &b) != 0)
        return false;
    if (a.stx_mask & b.stx_mask & STATX_MNT_ID) return a.stx_mnt_id == b.stx_mnt_id;
    return a.stx_dev_major == b.stx_dev_major && a.stx_dev_minor == b.stx_dev_minor;
}

// A file of `folder` that links elsewhere is put in place by renaming the
// folder's temporary over the file it leads to, at `place`: that must be on
// the folder's mount, in a folder this process may write, for the files to
// go in all or none.
bool reachableFrom(const std::string& folder, const std::string& target, const std::string& place,
                   std::string& reason)
{
    if (place == target) return true;
    const std::string home = parentOf(place);
    std::string why;
    if (!sameMount(folder, home))
        why = "on another file system than " + folder;
    else if (::faccessat(AT_FDCWD, home.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        why = "in the folder " + home + ", which cannot be written (" + errnoText(errno) + ")";
    if (why.empty()) return true;
    reason = target + " is a link to " + place + ", " + why +
             ": the files of " + folder + " cannot be saved through it all or none, so nothing was written";
    return false;
}

// An existing file must be one this process may write: a rename would
// replace a read-only file too, which the user did not allow.
bool writable(const std::string& place, std::string& reason)
{
    if (::faccessat(AT_FDCWD, place.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT) return true;
    reason = place + " cannot be written: " + errnoText(errno);
    return false;
}

// Whether a regular file stands at the writer's own name `path` (`present`);
// false, with the reason, when something else stands there, which is not the
// writer's and is left alone.
bool ownFileAt(const std::string& path, bool& present, std::string& reason)
{
    struct stat info {};
    present = ::lstat(path.c_str(), &info) == 0;
    if (!present || S_ISREG(info.st_mode)) return true;
    reason = path + " is not a file this program wrote; it is left as it is";
    return false;
}

// Removes a file the writer left at its own name `path`, when it is a
// regular file; anything else there stays.
bool removeOwnFile(const std::string& path, bool& removed, std::string& reason)
{
    std::string notOwn;
    bool present = false;
    removed = false;
    if (!ownFileAt(path, present, notOwn) || !present) return true;
    removed = ::unlink(path.c_str()) == 0;
    if (removed || errno == ENOENT) return true;
    reason = path + " cannot be removed: " + errnoText(errno);
    return false;
}

std::string recordText(const std::vector<std::string>& names)
{
    std::string text = std::string(recordHeader) + "\n";
    for (const std::string& name : names) text += name + "\n";
    return text;
}

// The names a record's bytes commit; false for bytes that are not a record
// the writer wrote for these own files.
bool parseRecord(const std::string& bytes, const std::vector<std::string>& ownFiles, std::vector<std::string>& names)
{
    if (bytes.empty() || bytes.back() != '\n') return false;
    bool header = true;
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = bytes.find('\n', at);
        const std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (header) {
            if (line != recordHeader) return false;
            header = false;
        } else if (std::find(ownFiles.begin(), ownFiles.end(), line) == ownFiles.end()) {
            return false;
        } else {
            names.push_back(line);
        }
    }
    return !header;
}

enum class recordFound { none, read, unusable };

// The files the commit record of `folder` names: `none` when nothing stands
// at its name; `unusable`, with the reason, when what stands there is not a
// record of the writer's (it is then left alone, and so are the temporaries).
recordFound readRecord(const std::string& folder, const std::vector<std::string>& ownFiles,
                       std::vector<std::string>& names, std::string& reason)
{
    const std::string record = commitRecordFor(folder);
    struct stat info {};
    if (::lstat(record.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return recordFound::none;
        reason = record + " cannot be examined: " + errnoText(errno);
        return recordFound::unusable;
    }
    std::string bytes, why;
    if (S_ISLNK(info.st_mode)) {
        why = "is a symbolic link";
    } else {
        const fileReadResult result = readWholeFile(record, recordSizeLimit, bytes, why);
        if (result == fileReadResult::missing) return recordFound::none;  // removed meanwhile
        if (result == fileReadResult::read && !parseRecord(bytes, ownFiles, names))
            why = "is not a record of the files saved there";
    }
    if (why.empty()) return recordFound::read;
    reason = record + " " + why + "; it is left as it is, and so are the temporaries beside it";
    return recordFound::unusable;
}

// Removes what a save cut short before its commit left: the temporaries of
// `ownFiles` and the record's, each by its name and only as a regular file.
bool removeTemporaries(const std::string& folder, const std::vector<std::string>& ownFiles, std::string& reason)
{
    std::vector<std::string> paths;
    for (const std::string& file : ownFiles) paths.push_back(temporaryFileFor(folder + "/" + file));
    paths.push_back(commitRecordTemporaryFor(folder));
    bool anyRemoved = false;
    for (const std::string& path : paths) {
        bool removed = false;
        if (!removeOwnFile(path, removed, reason)) return false;
        anyRemoved = anyRemoved || removed;
    }
    return !anyRemoved || flushFolder(folder, reason);
}

// A rename of a temporary over its file, the step a test can make fail.
int applyRename(const std::string& temporary, const std::string& target)
{
    if (const int error = writeCallError(writeCall::applyRename, temporary)) return error;
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

enum class applied { whole, cutShort, fileGone };

// Puts in place the files a record in `folder` names: each temporary renamed
// over its file (or the file its link leads to), the folders flushed, then
// the record removed and the folder flushed again. With `ownSave` the record
// is the current save's, every temporary of which must be there; a killed
// save may have renamed some of its own in before it was killed.
applied applyRecord(const std::string& folder, const std::vector<std::string>& names, bool ownSave,
                    std::string& reason)
{
    std::vector<std::string> folders = {folder};
    for (const std::string& name : names) {
        const std::string target = folder + "/" + name, temporary = temporaryFileFor(target);
        bool present = false;
        if (!ownFileAt(temporary, present, reason)) return applied::cutShort;
        if (!present && ownSave) {
            reason = target + " was not put in place: its new text, " + temporary + ", is gone";
            return applied::fileGone;
        }
        if (!present) continue;
        std::string place;
        if (!placeOf(target, place, reason)) return applied::cutShort;
        if (const int error = applyRename(temporary, place)) {
            reason = place + " cannot be replaced: " + errnoText(error);
            return applied::cutShort;
        }
        if (std::find(folders.begin(), folders.end(), parentOf(place)) == folders.end())
            folders.push_back(parentOf(place));
        reached(writeStage::fileApplied);
    }
    for (const std::string& each : folders)
        if (!flushFolder(each, reason)) return applied::cutShort;
    reached(writeStage::applied);
    const std::string record = commitRecordFor(folder);
    if (::unlink(record.c_str()) != 0 && errno != ENOENT) {
        reason = record + " cannot be removed: " + errnoText(errno);
        return applied::cutShort;
    }
    if (!flushFolder(folder, reason)) return applied::cutShort;
    reached(writeStage::finished);
    return applied::whole;
}

// The rename that commits a save; it never replaces what stands at the
// record's name. The step a test can make fail.
int renameRecord(const std::string& temporary, const std::string& record)
{
    if (const int error = writeCallError(writeCall::recordRename, temporary)) return error;
    return renameWhereFree(temporary, record);
}

void warnUnfinished(const std::string& folder, const std::string& reason)
{
    systemMsg(QV_WARNING "The files of ^y" + folder + "^w are saved, but " + reason +
              "; they are put in place before the folder is next read or saved.");
}

// Writes the lone file at `place` (the target, or the file its link leads
// to) through a temporary beside it, holding that folder; `heldElsewhere`
// tells a failure because another copy held it.
bool replaceAt(const std::string& place, const std::string& text, std::string& reason, bool& heldElsewhere)
{
    const std::string folder = parentOf(place), temporary = temporaryFileFor(place);
    folderLock lock;
    bool removed = false;
    if (!writable(place, reason)) return false;
    if (!lock.take(folder, reason)) {
        heldElsewhere = lock.heldElsewhere();
        return false;
    }
    if (!removeOwnFile(temporary, removed, reason)) return false;  // what a killed replacement left
    if (!writeDurably(temporary, text, modeOf(place), reason)) return false;
    if (::rename(temporary.c_str(), place.c_str()) != 0) {
        reason = place + " cannot be replaced: " + errnoText(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return flushFolder(folder, reason);
}

bool replaceLoneFile(const std::string& target, const std::string& text, std::string& reason, bool& heldElsewhere)
{
    std::string place;
    if (!createFolders(parentOf(target), &reason) || !placeOf(target, place, reason)) return false;
    if (replaceAt(place, text, reason, heldElsewhere)) return true;
    if (place != target) reason = target + " is a link to " + place + ", and nothing was written: " + reason;
    return false;
}

}  // namespace

int writeCallError(writeCall call, const std::string& path)
{
    if (callHook) callHook(call, path);
    forcedFailure& f = forced[static_cast<size_t>(call)];
    if (f.error == 0) return 0;
    if (f.passing > 0) {
        --f.passing;
        return 0;
    }
    return f.error;
}

void reachWriteStage(writeStage stage)
{
    reached(stage);
}

std::string temporaryFileFor(const std::string& target)
{
    const fs::path p(withoutTrailingSlashes(target));
    return (p.parent_path() / (ownPrefix + p.filename().string())).string();
}

std::string commitRecordFor(const std::string& folder)
{
    return withoutTrailingSlashes(folder) + "/" + recordName;
}

std::string commitRecordTemporaryFor(const std::string& folder)
{
    return withoutTrailingSlashes(folder) + "/" + recordTemporaryName;
}

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

void setWriteCallHook(std::function<void(writeCall, const std::string&)> hook)
{
    callHook = std::move(hook);
}

void failWriteCall(writeCall call, int error, int passing)
{
    forced[static_cast<size_t>(call)] = {error, passing};
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

bool finishFolderReplacement(const std::string& folder, const std::vector<std::string>& ownFiles, std::string* reason)
{
    const std::string path = withoutTrailingSlashes(folder);
    std::vector<std::string> names;
    std::string why;
    bool done = false;
    switch (readRecord(path, ownFiles, names, why)) {
    case recordFound::none: done = removeTemporaries(path, ownFiles, why); break;
    case recordFound::read:
        done = applyRecord(path, names, false, why) == applied::whole && removeTemporaries(path, ownFiles, why);
        break;
    case recordFound::unusable: break;
    }
    if (!done && reason) *reason = why;
    return done;
}

folderReplacement::folderReplacement(std::string folder, std::vector<std::string> ownFiles)
    : folder(withoutTrailingSlashes(std::move(folder))), ownFiles(std::move(ownFiles))
{
}

folderReplacement::~folderReplacement()
{
    if (!committed) discard();
}

bool folderReplacement::isOwnFile(const std::string& name) const
{
    return std::find(ownFiles.begin(), ownFiles.end(), name) != ownFiles.end();
}

// Removes the temporaries this save wrote, by their names.
void folderReplacement::discard()
{
    for (const std::string& name : staged) ::unlink(temporaryFileFor(folder + "/" + name).c_str());
    if (ownsRecordTemporary) ::unlink(commitRecordTemporaryFor(folder).c_str());
    staged.clear();
    ownsRecordTemporary = false;
}

bool folderReplacement::fail(std::string reason)
{
    if (failure.empty()) failure = std::move(reason);
    return false;
}

// Makes the folder when missing, holds it, and finishes what a killed save
// of it left.
bool folderReplacement::prepare()
{
    std::string reason;
    if (!createFolders(folder, &reason) || !lock.take(folder, reason)) return fail(reason);
    if (!finishFolderReplacement(folder, ownFiles, &reason))
        return fail("what an earlier save left in " + folder + " cannot be finished: " + reason);
    prepared = true;
    return true;
}

bool folderReplacement::stage(const std::string& name, const std::string& text)
{
    if (!failure.empty()) return false;
    const std::string target = folder + "/" + name;
    if (!isOwnFile(name)) return fail(target + " is not one of the files saved in " + folder);
    if (!prepared && !prepare()) return false;
    std::string place, reason;
    if (!placeOf(target, place, reason) || !reachableFrom(folder, target, place, reason) || !writable(place, reason))
        return fail(reason);
    if (!writeDurably(temporaryFileFor(target), text, modeOf(place), reason)) return fail(reason);
    staged.push_back(name);
    reached(writeStage::fileStaged);
    return true;
}

// Every temporary this save staged is still there to be committed.
bool folderReplacement::stagedStillThere(std::string& reason) const
{
    for (const std::string& name : staged) {
        const std::string temporary = temporaryFileFor(folder + "/" + name);
        bool present = false;
        if (!ownFileAt(temporary, present, reason)) return false;
        if (!present) {
            reason = temporary + ", the new text of " + folder + "/" + name + ", is gone";
            return false;
        }
    }
    return true;
}

// Takes back the record of this save, put in place but with none of its
// files yet, when a temporary of it is found gone; the destructor then
// removes the others.
bool folderReplacement::withdraw(std::string reason)
{
    const std::string record = commitRecordFor(folder);
    if (::unlink(record.c_str()) == 0 || errno == ENOENT) {
        committed = false;
        std::string unflushed;
        flushFolder(folder, unflushed);
    }
    return fail(std::move(reason));
}

// Once the record is in place the save is done: what follows can only warn,
// but for a temporary of this save found gone.
bool folderReplacement::commit()
{
    if (!failure.empty()) return false;
    if (committed || staged.empty()) return true;
    const std::string record = commitRecordFor(folder), temporary = commitRecordTemporaryFor(folder);
    std::string reason;
    if (!writeDurably(temporary, recordText(staged), noMode, reason)) return fail(reason);
    ownsRecordTemporary = true;
    if (!flushFolder(folder, reason)) return fail(reason);
    reached(writeStage::recordWritten);
    if (const int error = renameRecord(temporary, record))
        return fail(record + " cannot be put in place: " + errnoText(error));
    ownsRecordTemporary = false;
    committed = true;
    if (!flushFolder(folder, reason)) {
        warnUnfinished(folder, reason);
        return true;
    }
    reached(writeStage::committed);
    if (!stagedStillThere(reason)) return withdraw(reason);
    const applied result = applyRecord(folder, staged, true, reason);
    lock.release();
    if (result == applied::fileGone) return fail(reason);
    if (result == applied::cutShort) warnUnfinished(folder, reason);
    return true;
}

bool replaceFile(const std::string& target, const std::string& text, std::string* error, bool* heldElsewhere)
{
    std::string reason;
    bool busy = false;
    const bool done = replaceLoneFile(target, text, reason, busy);
    if (!done && error) *error = reason;
    if (heldElsewhere) *heldElsewhere = busy;
    return done;
}
