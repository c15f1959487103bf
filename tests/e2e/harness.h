// End-to-end harness: runs the real program in a fresh temporary copy of data/
// on a private Xvfb display (24-bit, sound on OpenAL's null driver), drives it
// with synthetic keys and clicks through xdotool, and reads back log.txt, the
// files it wrote and the pixels of its window. Every wait has a timeout and a
// stuck program is killed by its PID, so no test can hang the suite; and a
// test ends itself ahead of its time limit, saying what it waited for.
#pragma once
#include <sys/types.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // row 0 at the top
    std::array<int, 3> at(int x, int y) const;
    bool valid() const { return width > 0 && height > 0; }
};

struct Geometry {
    int x = -1, y = -1, width = -1, height = -1;
};

// A system/system.cfg for an 800 x 600 window at 0, 0 titled `title`.
std::string settingsFile(const std::string& title, int debugMode, int sound);

// A system/ui.cfg of one menu that draws nothing, for tests of the layers over it.
std::string emptyMenuSystem();

// Milliseconds scaled by QV_TIMEOUT_SCALE (sanitizer builds run slower).
int scaledMs(int ms);

// How many milliseconds every frame of the program is made slower in this run
// (QV_SLOW_FRAME_MS, read by the frame-slowing preload that tests/stress.sh
// --frame-ms puts in QV_APP_PRELOAD), else 0. Every wait is given a few such
// frames on top of its timeout, and the two shots of a window at rest are
// taken more than a frame apart.
int slowFrameMs();

// The timeout of a wait, before scaling: generous, for a loaded machine, and
// free when all goes well, since every wait ends as soon as its condition holds.
constexpr int defaultWaitMs = 30000;

// A condition on the window's pixels.
using ScreenTest = std::function<bool(const Image&)>;

// A part of the window in window pixels: columns x0 to x1 - 1, rows y0 to y1 - 1.
struct Region {
    int x0, y0, x1, y1;
};
constexpr Region wholeWindow{0, 0, 800, 600};
// True when both images are valid and alike over the region.
bool sameIn(const Image& a, const Image& b, const Region& r);

// The editors' screens as tests show them, with uireq/ok.png replaced by the
// plain green fixture images/font_green.png: a plain green pixel, the
// welcome panel's checkmark, and the playtest banner's line of white text.
bool plainGreenAt(const Image& shot, int x, int y);
constexpr int welcomeCheckmarkX = 700, welcomeCheckmarkY = 523;
bool welcomeCheckmarkShown(const Image& shot);
bool playtestBannerShown(const Image& shot);

// The console panel as the window shows it: slid fully open, or not drawn at all.
bool consoleShownOpen(const Image& shot);
bool consoleShownClosed(const Image& shot);

// The front end's splash as tests show it (App::usePlainSplash): each of its
// frames is one plain colour over the window, black as an image fades in and
// red at any brightness, unlike every screen that follows it. Lit: above black.
bool plainSplashShown(const Image& shot);
bool plainSplashLit(const Image& shot);

// The numbers of a menu file (ui.cfg) by key, and where its controls are, so
// that a test finds a button by its function as the program reads it.
class MenuFile {
public:
    explicit MenuFile(const std::string& path);
    int number(const std::string& key) const;  // -1 for a key the file lacks
    // The centre of the first button of menu m with function `func` (and argument `func2`).
    bool button(int m, int func, int& x, int& y, int func2 = -1) const;
    // The same with the button's half-extents.
    bool button(int m, int func, int& x, int& y, int& w, int& h, int func2 = -1) const;
    // A point inside textbox t of menu m.
    void textbox(int m, int t, int& x, int& y) const;

private:
    std::map<std::string, float> numbers;
};

class App {
public:
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The working directory of the run (a fresh copy of data/). A failed test
    // keeps the folder of its run and names it on standard error.
    const std::string& dir() const { return workDir; }
    std::string path(const std::string& relative) const { return workDir + "/" + relative; }
    void writeFile(const std::string& relative, const std::string& text) const;
    std::string readFile(const std::string& relative) const;
    bool exists(const std::string& relative) const;
    void removeFile(const std::string& relative) const;
    // A copy of a file or folder of tests/fixtures into the working directory.
    void copyFixture(const std::string& fixture, const std::string& relative) const;
    // The front end's splash made of `images` plain red images (splash0.jpg on), each shown for its time.
    void usePlainSplash(int images = 1) const;

    // Starts Xvfb and the program, and waits for its window titled `title`.
    bool start(const std::string& title = "Quorvane", int timeoutMs = defaultWaitMs);
    bool running();
    // Starts the program again beside `first`: in its working directory, on
    // its display, with a standard output of its own; and waits for a window
    // titled `title` that is not first's. Two copies then share the folder.
    bool startBeside(const App& first, const std::string& title = "Quorvane", int timeoutMs = defaultWaitMs);
    // Raises the window over the others and gives it the keyboard, for a test
    // that drives two copies on one display.
    bool focus() const;
    const std::string& windowId() const { return window; }
    const std::string& display() const { return displayName; }

    std::vector<std::string> logLines() const;
    bool logHas(const std::string& text) const;                             // a line containing text
    bool waitForLog(const std::string& text, int timeoutMs = defaultWaitMs) const;  // until a line contains text
    // True when lines containing each text appear in this order.
    bool logHasInOrder(const std::vector<std::string>& texts) const;
    std::string programOutput() const;  // standard output of the program

    // xdotool on the private display; false when it fails.
    bool xdotool(const std::string& args) const;
    bool key(const std::string& keys) const;
    bool type(const std::string& text) const;
    bool click(int x, int y, int button = 1) const;
    std::string query(const std::string& command) const;  // stdout of a shell command on the display
    Geometry windowGeometry() const;
    std::string windowName() const;
    Image screenshot() const;

    // Every wait below polls until its condition holds and gives up at the
    // timeout (scaled by QV_TIMEOUT_SCALE); none sleeps for a fixed time.
    // Once the test has failed, a wait gives up after a few seconds. Shortly
    // before the test's time limit (ctest's, scaled alike) every wait gives
    // up at once and no tool runs: the first wait cut short fails the test,
    // naming what it waited for, and the test ends before ctest would kill it.
    // The first screenshot that passes `ready`, or an invalid Image at the timeout.
    Image waitForScreen(const ScreenTest& ready, int timeoutMs = defaultWaitMs) const;
    // The first screenshot that passes `ready` and equals the one before it
    // over `still`: the window at rest showing what is asked for.
    Image waitForRest(const ScreenTest& ready, const Region& still = wholeWindow, int timeoutMs = defaultWaitMs) const;
    // The window at rest over `region` showing it unlike `before` did.
    Image waitForChange(const Image& before, const Region& region, int timeoutMs = defaultWaitMs) const;
    // Clicks at (x, y) until the window comes to rest (over `still`) showing
    // what `ready` asks for, waiting up to attemptMs after each click: a click
    // that follows an accepted button within the buttons' debounce time is
    // dropped by the program, so it is sent again.
    Image clickUntil(int x, int y, const ScreenTest& ready, const Region& still = wholeWindow, int attempts = 5,
                     int attemptMs = 3000) const;
    // Clicks at (x, y) until the plain splash has given way: the window at rest after it.
    Image leaveSplash(int x, int y) const;
    bool waitForFile(const std::string& relative, int timeoutMs = defaultWaitMs) const;  // until the file exists
    bool waitConsoleOpen(int timeoutMs = defaultWaitMs) const;    // until the console has slid fully open
    bool waitConsoleClosed(int timeoutMs = defaultWaitMs) const;  // until the console is gone from the window
    bool openConsole();   // presses ` with the console closed and waits until it is open
    bool closeConsole();  // presses ` with the console open and waits until it is gone
    // Proves that the program has handled every earlier key and click: runs
    // the console command `log` with a fresh marker and waits for the marker
    // in log.txt. A console at rest and closed is opened for it and closed
    // again, so the window then shows a frame drawn after that input. Call it
    // before any check that something did not happen.
    bool sync();

    // Sends the window system's close request, as a window manager would.
    bool closeWindow() const;
    // Waits for the program to end; its exit status, or -1 when it had to be killed.
    int waitExit(int timeoutMs = defaultWaitMs);
    void kill();

private:
    std::string rootDir, workDir, displayName, window;
    pid_t xvfbPid = -1, appPid = -1;
    int exitStatus = -1;
    int syncCount = 0;
    bool startXvfb(int timeoutMs);
    Image screenUntil(const ScreenTest& ready, int timeoutMs, const std::string& what) const;
    bool startProgram();
    void stopXvfb();
};

}  // namespace e2e
