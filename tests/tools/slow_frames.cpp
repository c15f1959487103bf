// Makes every frame of a program slower, as a slow machine draws them: a
// glXSwapBuffers that first sleeps QV_SLOW_FRAME_MS milliseconds (none when
// the variable is unset, empty or not a whole number) and then swaps through
// the real one. Preloaded into the program under test (LD_PRELOAD, through the
// tests' QV_APP_PRELOAD) by `tests/stress.sh --frame-ms`; it is built without
// the sanitizers, so it can stand anywhere in the preload list.
#include <GL/glx.h>
#include <dlfcn.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace {

using SwapBuffers = void (*)(Display*, GLXDrawable);

long delayMsFromEnvironment()
{
    const char* text = std::getenv("QV_SLOW_FRAME_MS");
    if (!text || !*text) return 0;
    char* end = nullptr;
    const long ms = std::strtol(text, &end, 10);
    return *end == '\0' && ms > 0 ? ms : 0;
}

void sleepMs(long ms)
{
    timespec left{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static const SwapBuffers realSwap = reinterpret_cast<SwapBuffers>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const long delayMs = delayMsFromEnvironment();
    if (delayMs > 0) sleepMs(delayMs);
    if (realSwap) realSwap(display, drawable);
}
