// The file writer's test hooks: a function called at each step of a folder
// replacement as it is reached, so that a test can hold the writer there (or
// end it) and look at the disk; a function told of each system call below as
// it runs, so that a test sees their order; those calls made to fail, so that
// a test reaches the paths a disk or a file system takes the writer down;
// and the names of the commit record.
// Only the writer (the folder lock with it) and the tests include this header.
#pragma once
#include <functional>
#include <string>

// The steps of a folder replacement, in order, and one that is no step.
enum class writeStage {
    fileStaged,     // one more temporary is written and flushed
    recordWritten,  // the record's temporary is written and flushed, and the folder flushed
    committed,      // the record is in place and the folder flushed: the save is done
    fileApplied,    // one more temporary is renamed over its file
    applied,        // every named file is in place and its folder flushed
    finished,       // the record is removed and the folder flushed
    folderBusy,     // no step: another copy holds the folder, and the wait for it begins
};
// Called at each step as it is reached (a test holds the writer there); an
// empty function clears it. Finishing what a killed save left reaches the
// steps from fileApplied on.
void setWriteStageHook(std::function<void(writeStage)> hook);

// The system calls a test can see and make fail.
enum class writeCall {
    write,         // a write into a temporary file
    flush,         // flushing a file or a folder to the disk
    recordRename,  // the rename that puts the record in place
    applyRename,   // a rename of a temporary over its file
    lock,          // a try at the lock on a folder
};
constexpr int writeCallCount = 5;
// Told of each call as it runs, with the path it works on (for a rename, the
// temporary); an empty function clears it.
void setWriteCallHook(std::function<void(writeCall, const std::string& path)> hook);
// Makes `call` fail with the error number `error` once `passing` more calls
// of it have run, and every time after; an error of 0 lets it run again.
void failWriteCall(writeCall call, int error, int passing = 0);

// The commit record of a replacement of `folder`, and its temporary.
std::string commitRecordFor(const std::string& folder);
std::string commitRecordTemporaryFor(const std::string& folder);

// For the writer itself: tells the call hook of `call` on `path` and gives
// the error a test makes it fail with, or 0 to let it run; and reaches a step.
int writeCallError(writeCall call, const std::string& path);
void reachWriteStage(writeStage stage);
