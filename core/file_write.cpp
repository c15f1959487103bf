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
#include <cstring>

#include "core/file_kind.h"
#include "core/file_read.h"
#include "core/log.h"

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

// The error a test makes this call of `call` fail with, or 0 to let it run.
int forcedError(writeCall call)
{
    forcedFailure& f = forced[static_cast<size_t>(call)];
    if (f.error == 0) return 0;
    if (f.passing > 0) {
        --f.passing;
        return 0;
    }
    return f.error;
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

std::string parentOf(const std::string& path)
{
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

int openRetrying(const std::string& path, int flags, mode_t mode = 0)
{
    int fd;
    do fd = ::open(path.c_str(), flags, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// fsync, the step a test can make fail; 0 or the reason it failed.
int flushToDisk(int fd)
{
    if (const int error = forcedError(writeCall::flush)) return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Records the folder's entries on the disk. A file system that cannot flush
// a folder (EINVAL) keeps its entries by other means.
bool flushFolder(const std::string& folder, std::string& reason)
{
    const int fd = openRetrying(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = fd < 0 ? errno : flushToDisk(fd);
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

// Writes all `size` bytes to `fd`; 0, or the reason it stopped.
int writeAll(int fd, const char* data, size_t size)
{
    if (const int error = forcedError(writeCall::write)) return error;
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
    if (error == 0) error = flushToDisk(fd);
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

// New files are made afresh, never opened through a link, nor left waiting on a pipe.
constexpr int newFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// Writes `text` as a new file at `path`, flushed to the disk; a file that
// cannot be written whole is removed again.
bool writeDurably(const std::string& path, const std::string& text, int mode, std::string& reason)
{
    const int fd = openRetrying(path, newFileFlags, 0666);
    if (fd < 0) {
        reason = path + " cannot be opened for writing: " + errnoText(errno);
        return false;
    }
    const int error = finishFile(fd, mode, writeAll(fd, text.data(), text.size()));
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

// An existing target must be a regular file this process may write: a
// rename would replace a read-only file too, which the user did not allow.
bool targetWritable(const std::string& target, std::string& reason)
{
    if (!replaceable(target, reason)) return false;
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
        reason = target + " cannot be written: " + errnoText(errno);
        return false;
    }
    return true;
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
    bool removed = false;
    for (const std::string& path : paths) {
        bool present = false;
        std::string notOwn;
        if (!ownFileAt(path, present, notOwn) || !present) continue;  // what is not the writer's stays
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            reason = path + " cannot be removed: " + errnoText(errno);
            return false;
        }
        removed = true;
    }
    return !removed || flushFolder(folder, reason);
}

// A rename of a temporary over its file, the step a test can make fail.
int applyRename(const std::string& temporary, const std::string& target)
{
    if (const int error = forcedError(writeCall::applyRename)) return error;
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// Puts in place the files a record in `folder` names: each temporary still
// there renamed over its file, the folder flushed, then the record removed
// and the folder flushed again.
bool applyRecord(const std::string& folder, const std::vector<std::string>& names, std::string& reason)
{
    for (const std::string& name : names) {
        const std::string target = folder + "/" + name, temporary = temporaryFileFor(target);
        bool present = false;
        if (!ownFileAt(temporary, present, reason)) return false;
        if (!present) continue;  // in place already
        if (!replaceable(target, reason)) return false;
        if (const int error = applyRename(temporary, target)) {
            reason = target + " cannot be replaced: " + errnoText(error);
            return false;
        }
        reached(writeStage::fileApplied);
    }
    if (!flushFolder(folder, reason)) return false;
    reached(writeStage::applied);
    const std::string record = commitRecordFor(folder);
    if (::unlink(record.c_str()) != 0 && errno != ENOENT) {
        reason = record + " cannot be removed: " + errnoText(errno);
        return false;
    }
    if (!flushFolder(folder, reason)) return false;
    reached(writeStage::finished);
    return true;
}

// The rename that commits a save; it never replaces what stands at the
// record's name. The step a test can make fail.
int renameRecord(const std::string& temporary, const std::string& record)
{
    if (const int error = forcedError(writeCall::recordRename)) return error;
    return renameWhereFree(temporary, record);
}

void warnUnfinished(const std::string& folder, const std::string& reason)
{
    systemMsg(QV_WARNING "The files of ^y" + folder + "^w are saved, but " + reason +
              "; they are put in place before the folder is next read or saved.");
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
    case recordFound::read: done = applyRecord(path, names, why) && removeTemporaries(path, ownFiles, why); break;
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

bool folderReplacement::isStaged(const std::string& name) const
{
    return std::find(staged.begin(), staged.end(), name) != staged.end();
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
    if (!committed) discard();
    return false;
}

// Makes the folder when missing and finishes what a killed save of it left.
bool folderReplacement::prepare()
{
    std::string reason;
    if (!createFolders(folder, &reason)) return fail(reason);
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
    std::string reason;
    if (!targetWritable(target, reason)) return fail(reason);
    const std::string temporary = temporaryFileFor(target);
    if (isStaged(name)) ::unlink(temporary.c_str());  // staged again: the later text counts
    if (!writeDurably(temporary, text, modeOf(target), reason)) return fail(reason);
    if (!isStaged(name)) staged.push_back(name);
    reached(writeStage::fileStaged);
    return true;
}

// Once the record is in place the save is done: what follows can only warn.
bool folderReplacement::commit()
{
    if (!failure.empty()) return false;
    if (committed || staged.empty()) return true;
    const std::string record = commitRecordFor(folder), temporary = commitRecordTemporaryFor(folder);
    std::string reason;
    if (!writeDurably(temporary, recordText(staged), noMode, reason)) return fail(reason);
    ownsRecordTemporary = true;
    reached(writeStage::recordWritten);
    if (const int error = renameRecord(temporary, record))
        return fail(record + " cannot be put in place: " + errnoText(error));
    committed = true;
    if (!flushFolder(folder, reason)) {
        warnUnfinished(folder, reason);
        return true;
    }
    reached(writeStage::committed);
    if (!applyRecord(folder, staged, reason)) warnUnfinished(folder, reason);
    return true;
}

bool replaceFile(const std::string& target, const std::string& text, std::string* error)
{
    std::string reason;
    const bool done = replaceLoneFile(target, text, reason);
    if (!done && error) *error = reason;
    return done;
}
