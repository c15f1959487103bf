// The frame limiter's test hook: forgets the time of the last drawn frame, so
// that a test starts from a known limiter. Only the frame loop and the tests
// include this header.
#pragma once

void resetFrameLimiter();
