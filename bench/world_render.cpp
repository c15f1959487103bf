// Frames per second of the world view. A generated map (every tile textured,
// with a height) carrying 1,000 objects, a quarter of each type, is drawn
// through the frame function with the frame limiter off, first in the play
// view (first-person camera) and then in the world-editor view, and the rate
// of each is printed. Images and the model come from the sample game, loaded
// from a temporary copy of data/. With --shots DIR it instead writes the
// sample game's maps, as played and as edited, to DIR as PNG files.
//
// Run it on Mesa's software renderer under Xvfb, as the suite runs (from the
// build directory, after building the bench_world_render target):
//   ../bench/run_world_render.sh [map side, default 128] [frames, default 300]
//   ../bench/run_world_render.sh --shots /tmp/shots
#include <GL/freeglut.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <boost/filesystem.hpp>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/glut_window.h"
#include "bench/scratch_dir.h"

#include "core/camera.h"
#include "core/frame.h"
#include "core/frame_internal.h"
#include "core/init.h"
#include "core/system.h"
#include "editor/editor.h"
#include "media/texture.h"
#include "menus/ui.h"
#include "world/game_load.h"
#include "world/world.h"

namespace fs = boost::filesystem;

namespace {

constexpr int windowW = 800, windowH = 600;
constexpr int benchObjects = 1000;
constexpr int objectTypes = 4;
const char* const sampleGame = "sample";

// One frame drawn now, whatever the frame limiter would say: the limiter
// forgets the last frame first. Every other timer runs on the real clock.
void drawFrame()
{
    resetFrameLimiter();
    display();
}

fs::path copyData()
{
    const fs::path dir = fs::temp_directory_path() / fs::unique_path("qv-bench-render-%%%%%%");
    copyTree(QV_DATA_DIR, dir);
    return dir;
}

// The sample game, loaded as the menus load it; no splash (debug state).
bool loadSample()
{
    loadSysImages();
    gameSys.setDebugState(true, true);
    loadGame(sampleGame);
    gameSys.setDebugState(false, true);
    return world.getGameLoaded();
}

// A small generator of well-spread positions.
unsigned nextRandom(unsigned& seed)
{
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
}

// Map 0 replaced by a side x side map with rolling heights, tiles cycling
// through the game's own images, and the objects spread over it.
void generateMap(int side)
{
    const int m = 0;
    world.setCurrentMap(m);
    world.worldSetMap(side, side, "Bench", m);
    world.worldSetTileStretch(false, m);
    world.worldSetFog(true, 0.3f, 0.6f, 0.7f, 0.8f, m);
    const int ownImages = world.getGameImageCount() - 200;
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y) {
            world.worldSetTile(200 + (x * 7 + y * 3) % ownImages, x, y, m);
            world.worldSetTileHeight(1.5f * std::sin(0.3f * x) * std::cos(0.2f * y), x, y, m);
        }
    while (world.worldGetObjectCount(m) > 0) world.worldDeleteObject(0, m);
    // Image of each type: the crate, the sign, model 0, the tree.
    const int typeImage[objectTypes] = {200, 203, 0, 201};
    unsigned seed = 7;
    for (int o = 0; o < benchObjects; ++o) {
        const int type = o % objectTypes;
        const float x = static_cast<float>(nextRandom(seed) % (side * 60)) / 10.0f;
        const float y = static_cast<float>(nextRandom(seed) % (side * 60)) / 10.0f;
        world.worldSetObject(x, y, 2.0f, 1.0f, 1.5f, 1.0f, typeImage[type], 0, o, m);
        world.worldSetObjectType(type, o, m);
        world.worldSetRot(0.0f, static_cast<float>(o % 360), 0.0f, o, m);
    }
}

void enterPlayView(float cx, float cz, float pitch, float yaw)
{
    gameSys.setGameState(gameStatePlay);
    camera.setCamMode(camModeFirstPerson);
    camera.SetPos(cx, 7.0f, cz);
    camera.SetRot(pitch, yaw);
}

void enterEditorView(float cx, float cz)
{
    gameSys.setGameState(gameStateWorldEditor);
    gameUI.setCurrentMenu(gameUI.getEditorMenu());
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(0);
    camera.setCamMode(camModeEditor);
    camera.SetPos(cx, 18.0f, cz - 16.0f);
    camera.SetLook(cx, 2.9f, cz);
}

double framesPerSecond(int frames)
{
    drawFrame();  // the first frame builds what later frames reuse
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) drawFrame();
    glFinish();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return frames / took.count();
}

int runBenchmark(int side, int frames)
{
    generateMap(side);
    const float centre = 0.5f * tileSize * static_cast<float>(side);
    enterPlayView(centre, centre, 15.0f, 45.0f);
    const double play = framesPerSecond(frames);
    enterEditorView(centre, centre);
    const double edit = framesPerSecond(frames);
    std::fprintf(stderr, "%d x %d map, %d objects, %d frames: play view %.1f fps, world-editor view %.1f fps\n",
                 side, side, benchObjects, frames, play, edit);
    return 0;
}

void saveShot(const fs::path& file)
{
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    glReadBuffer(GL_BACK);  // the swapped frame stays in the back buffer on Mesa
    ilutGLScreen();
    ilEnable(IL_FILE_OVERWRITE);
    ilSaveImage(file.string().c_str());
    ilDeleteImages(1, &image);
}

// Each sample map as the player first sees it (third person behind the
// player, the first phrase shown) and as the editor opens it.
int writeShots(const fs::path& dir)
{
    fs::create_directories(dir);
    for (int m = 0; m < world.getMapCount(); ++m) {
        world.setCurrentMap(m);
        gameSys.setGameState(gameStatePlay);
        world.setLookAtObject(0);
        camera.setCamMode(camModeThirdPerson);
        camera.SetRot(20.0f, 35.0f);
        world.setDisplayPhrase(phraseTimerStart, m);
        drawFrame();
        saveShot(dir / ("play_map" + std::to_string(m) + ".png"));
        world.setDisplayPhrase(phraseTimerNone, phraseDisplayNone);
        enterEditorView(20.0f, 20.0f);
        drawFrame();
        saveShot(dir / ("editor_map" + std::to_string(m) + ".png"));
    }
    std::fprintf(stderr, "wrote %d maps to %s\n", world.getMapCount(), dir.string().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    openBenchWindow(argc, argv, windowW, windowH, "quorvane-world-render-bench");
    glutDisplayFunc([] {});  // frames are drawn by the bench itself
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    glEnable(GL_CULL_FACE);
    changeSize(windowW, windowH);
    glutMainLoopEvent();

    const fs::path home = fs::current_path();
    const fs::path data = copyData();
    fs::current_path(data);
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);  // the loaders report every file
    (void)quiet;
    int status = 1;
    if (!loadSample()) {
        std::fprintf(stderr, "the sample game did not load\n");
    } else if (argc > 2 && std::string(argv[1]) == "--shots") {
        status = writeShots(fs::absolute(argv[2], home));
    } else {
        const int side = argc > 1 ? std::atoi(argv[1]) : 128;
        const int frames = argc > 2 ? std::atoi(argv[2]) : 300;
        status = runBenchmark(side > 0 ? side : 128, frames > 0 ? frames : 300);
    }
    fs::current_path(home);
    boost::system::error_code ec;
    fs::remove_all(data, ec);
    return status;
}
