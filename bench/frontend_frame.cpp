// Frames per second of the front end with the frame limiter open: whole
// frames of the display callback (the bundled front-end menu, its images and
// text, and the swap) in a real 800 x 600 window. Needs a display (run it
// through bench/idle_cpu.sh, which gives it one) and a working directory laid
// out like data/; it reads that directory and changes nothing in it.
#include <GL/freeglut.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "bench/glut_window.h"
#include "bench/quiet_run.h"

#include "core/frame.h"
#include "core/init.h"
#include "core/system.h"
#include "media/texture.h"
#include "menus/ui_loader.h"
#include "menus/widgets.h"

namespace {

// A cap below -1 opens the frame gate on every call.
constexpr int uncappedFrames = -2;

void openWindow(int& argc, char** argv)
{
    openBenchWindow(argc, argv, screenSpaceWidth, screenSpaceHeight, "quorvane-bench-frontend");
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    changeSize(screenSpaceWidth, screenSpaceHeight);
}

void BM_FrontEndFrame(benchmark::State& state)
{
    gameSys.setGameState(gameStateMenu);
    gameSys.setFPSRender(uncappedFrames);
    for (auto _ : state) {
        display();
        glutMainLoopEvent();
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FrontEndFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    openWindow(argc, argv);
    glutDisplayFunc([] {});
    loadSysTextboxes();
    loadSysImages();
    loadUI("default", false);
    runBenchmarksQuietly(argc, argv);
    return 0;
}
