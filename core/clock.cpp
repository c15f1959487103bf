// The one clock and its replaceable source.
#include "core/clock.h"
#include "core/clock_internal.h"

#include <GL/freeglut.h>

namespace {

int glutElapsedMs()
{
    return glutGet(GLUT_ELAPSED_TIME);
}

clockFunc clockSource = glutElapsedMs;

}  // namespace

int elapsedMs()
{
    return clockSource();
}

void setClockSource(clockFunc source)
{
    clockSource = source ? source : glutElapsedMs;
}
