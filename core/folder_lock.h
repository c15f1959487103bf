// Keeping copies of the program out of each other's work on one folder: an
// advisory lock on the folder itself, so that it adds no entry to it. A save
// holds its folder from its finishing of what an earlier save left through
// its last rename, and a load from that finishing through its reading of the
// files, so that a load reads the files of one save and two saves never mix.
// Another copy's hold is waited for up to folderLockWait. Where the file
// system offers no locks the work goes on without one, said once in the log.
#pragma once
#include <chrono>
#include <string>

// How long a copy waits for another to let a folder go: a few times the
// longest save or load of a game's files.
constexpr std::chrono::seconds folderLockWait{5};

class folderLock {
public:
    folderLock() = default;
    ~folderLock() { release(); }
    folderLock(const folderLock&) = delete;
    folderLock& operator=(const folderLock&) = delete;

    // Holds `folder`, waiting while another copy of the program holds it.
    // True when it is held, when its file system offers no locks, and when no
    // folder stands there (there is nothing to keep apart). False, with the
    // reason, when another copy still holds it at the end of the wait (the
    // reason names that copy) or the folder cannot be opened.
    bool take(const std::string& folder, std::string& reason);
    // Lets the folder go; nothing when it is not held.
    void release();
    // The last take failed because another copy held the folder to the end
    // of the wait.
    bool heldElsewhere() const { return busy; }

private:
    int fd = -1;
    bool busy = false;
};
