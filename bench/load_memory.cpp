// Memory given back between games: the sample game loaded nine times in a
// row (as the console's loadgame does), then nine times more with the game
// left in between (as the menus do), in a window on Mesa's software renderer
// so that every image becomes a real texture. The resident set is read after
// the first load of each series and after its last; the growth of each series
// is printed against the target of 5 MiB; the run fails when one is missed.
//
// Run it on a private Xvfb, as the suite runs (from the build directory):
//   QV_BENCH_BIN=bench/bench_load_memory ../bench/run_world_render.sh
#include <GL/freeglut.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/glut_window.h"
#include "bench/scratch_dir.h"

#include "core/system.h"
#include "media/sound.h"
#include "media/texture.h"
#include "world/game_leave.h"
#include "world/game_load.h"
#include "world/world.h"

namespace fs = boost::filesystem;

namespace {

constexpr int windowW = 800, windowH = 600;
constexpr int loadsInARow = 9;
constexpr double targetMiB = 5.0;
constexpr double bytesPerMiB = 1024.0 * 1024.0;
const char* const sampleGame = "sample";

// The resident set of this process in bytes, from /proc/self/statm.
double residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

bool loadSample()
{
    loadGame(sampleGame);
    return world.getGameLoaded();
}

bool leaveAndLoadSample()
{
    leaveGame();
    return loadSample();
}

// Runs `step` loadsInARow times and reports the growth of the resident set
// from the end of the first run to the end of the last; false when a load
// failed or the growth passed the target.
bool measure(const char* what, bool (*step)())
{
    bool loaded = step();
    const double first = residentBytes();
    for (int i = 1; i < loadsInARow && loaded; ++i) loaded = step();
    if (!loaded) {
        std::fprintf(stderr, "%s: the sample game did not load\n", what);
        return false;
    }
    const double growth = (residentBytes() - first) / bytesPerMiB;
    const bool met = growth <= targetMiB;
    std::fprintf(stderr, "%-34s RSS %+6.1f MiB (target <= %.0f MiB): %s\n", what, growth, targetMiB,
                 met ? "met" : "MISSED");
    return met;
}

}  // namespace

int main(int argc, char** argv)
{
    openBenchWindow(argc, argv, windowW, windowH, "quorvane-load-memory-bench");
    glutDisplayFunc([] {});  // the loading screens are drawn by the loader itself
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    initSound();
    glutMainLoopEvent();

    const fs::path home = fs::current_path();
    const fs::path data = enterScratchDir();
    copyTree(QV_DATA_DIR, data);
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);  // the loaders report every file
    (void)quiet;
    loadSysImages();
    gameSys.setDebugState(true, true);  // no splash sequence after a load

    const double start = residentBytes();
    bool met = measure("nine loads in a row", loadSample);
    met = measure("nine loads, the game left between", leaveAndLoadSample) && met;
    std::fprintf(stderr, "resident at start %.1f MiB, at the end %.1f MiB\n", start / bytesPerMiB,
                 residentBytes() / bytesPerMiB);
    removeScratchDir(data);
    fs::current_path(home);
    return met ? 0 : 1;
}
