// The file writer's test hooks: a function called at each step of a folder
// replacement as it is reached, so that a test can hold the writer there (or
// end it) and look at the disk; and system calls made to fail, so that a test
// reaches the paths a disk or a file system takes the writer down. Only the
// writer and the tests include this header.
#pragma once
#include <functional>

// The steps of a folder replacement, in order.
enum class writeStage {
    newFolderMade,     // the fresh sibling folder exists, still empty
    fileWritten,       // one more new file is written and flushed in it
    othersCarried,     // the folder's other entries are carried in, all flushed (only where
                       // folders can be exchanged)
    foldersSwapped,    // the new folder has taken the old one's place
    oldFolderCleared,  // the old folder, now under the sibling's name, holds nothing of the
                       // save's nor anything it could move; its removal comes next (reached
                       // again in each round that finds it written into once more)
    oldFolderRemoved,  // the old folder is gone, or kept under a name of its own
};
// Called at each step as it is reached (a test holds the writer there); an
// empty function clears it.
void setWriteStageHook(std::function<void(writeStage)> hook);

// The system calls a test can make fail.
enum class writeCall {
    exchange,  // the exchange of the new folder with the old one
    link,      // linking one of the folder's other entries into the new folder
};
constexpr int writeCallCount = 2;
// Makes every `call` fail with the error number `error`; 0 lets it run again.
void failWriteCall(writeCall call, int error);
