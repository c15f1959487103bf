// The clock's test hook: tests replace the time source (GLUT's elapsed time);
// null restores it. Only the clock and the tests include this header.
#pragma once

using clockFunc = int (*)();
void setClockSource(clockFunc source);
