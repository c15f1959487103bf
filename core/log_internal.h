// The log's test hook: its locks made to fail, so that a test reaches the
// path of a file system that keeps none. Only the log and the tests include
// this header.
#pragma once

// Makes every try at a lock on the log fail with the error number `error`;
// 0 lets them run again.
void failLogLock(int error);
