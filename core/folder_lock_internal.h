// The folder lock's test hook: how long a copy waits for a folder another
// holds, which a test shortens (or lengthens). Only the lock and the tests
// include this header.
#pragma once
#include <chrono>

// The wait for a folder another copy holds (folderLockWait unless a test
// changes it).
void setFolderLockWait(std::chrono::milliseconds wait);
