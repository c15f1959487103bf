// Handing freed memory back to the system. A game's images are decoded and
// uploaded through buffers of several megabytes that live only while it
// loads or is loaded; once they are freed, their pages must leave the
// process rather than wait in the allocator's heap for the next game.
#pragma once

// Returns the free pages of the allocator's heaps to the system. Called once
// a game is loaded (the previous game and the loading buffers are freed by
// then) and once a game is left.
void giveFreedMemoryBack();
