// The program's one clock: milliseconds since the window system started.
// Every timer reads it: the frame limiter, the rule timers, image animation,
// double clicks, hover and drag picks, tooltips, the splash sequence, cursor
// blinks, the frame-rate figures and the volume display.
#pragma once

int elapsedMs();
