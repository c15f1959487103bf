// The frame's test hooks: the frame limiter, and the rules' work of one frame
// without drawing it. Only the frame loop and the tests include this header.
#pragma once

// Forgets the time of the last drawn frame, so that a test starts from a known limiter.
void resetFrameLimiter();
// The rules' work of one drawn frame: the frame pass, then, while a key is
// held, the key pass once more.
void updateFrameLogic();
