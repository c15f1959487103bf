// The mouse module's test hook: forgets the free-look pointer history (the
// previous position and the move count), so that a test starts from a known
// history. Only the mouse module and the tests include this header.
#pragma once

void resetFreelookHistory();
