// Preloaded into a GLUT program by bench_first_frame: the first buffer swap
// is passed on, its time (CLOCK_MONOTONIC, in nanoseconds) written to the file
// named by QV_FIRST_FRAME_FILE, and the process ended at once.
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern "C" void glutSwapBuffers()
{
    using swapFunc = void (*)();
    static const swapFunc next = reinterpret_cast<swapFunc>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    if (next) next();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (const char* file = std::getenv("QV_FIRST_FRAME_FILE")) {
        if (std::FILE* out = std::fopen(file, "w")) {
            std::fprintf(out, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fclose(out);
        }
    }
    _exit(0);
}
