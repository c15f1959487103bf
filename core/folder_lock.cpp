// The folder lock: flock on the folder opened read-only, tried again every
// few milliseconds until the wait runs out. A lock belongs to the opening of
// the folder, so two holds in one process exclude each other as two copies
// of the program do.
#include "core/folder_lock.h"
#include "core/folder_lock_internal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "core/file_write_internal.h"
#include "core/log.h"
#include "core/retried_call.h"

namespace {

constexpr std::chrono::milliseconds retryEvery{10};
std::chrono::milliseconds waitLimit = folderLockWait;
bool saidNoLocks = false;

// The answers of a file system that keeps no locks.
bool offersNoLocks(int error)
{
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

// One try at the lock, the call a test can make fail; 0 or the reason.
int tryLock(int fd, const std::string& folder)
{
    if (const int error = writeCallError(writeCall::lock, folder)) return error;
    return flockRetrying(fd, LOCK_EX | LOCK_NB);
}

void sayNoLocks(const std::string& folder)
{
    if (saidNoLocks) return;
    saidNoLocks = true;
    systemMsg(QV_WARNING "The file system of ^y" + folder +
              "^w keeps no locks: another copy of the program working on the same files is not kept out.");
}

}  // namespace

void setFolderLockWait(std::chrono::milliseconds wait)
{
    waitLimit = wait;
}

bool folderLock::take(const std::string& folder, std::string& reason)
{
    release();
    busy = false;
    const int held = openRetrying(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (held < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return true;
        reason = "the folder " + folder + " cannot be opened to be held: " + std::strerror(errno);
        return false;
    }
    const auto giveUp = std::chrono::steady_clock::now() + waitLimit;
    for (bool waiting = false;; waiting = true) {
        const int error = tryLock(held, folder);
        if (error == 0) {
            fd = held;
            return true;
        }
        if (offersNoLocks(error)) {
            ::close(held);
            sayNoLocks(folder);
            return true;
        }
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp) {
            ::close(held);
            busy = error == EWOULDBLOCK;
            reason = busy ? "another copy of the program is at work on " + folder +
                                                " and has not let it go; try again once it is done"
                                          : "the folder " + folder + " cannot be held: " + std::strerror(error);
            return false;
        }
        if (!waiting) reachWriteStage(writeStage::folderBusy);
        std::this_thread::sleep_for(retryEvery);
    }
}

void folderLock::release()
{
    if (fd < 0) return;
    ::flock(fd, LOCK_UN);  // a copy of the descriptor elsewhere (a forked child's) keeps nothing held
    ::close(fd);
    fd = -1;
}
