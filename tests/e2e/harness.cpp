// End-to-end harness implementation.
#include "tests/e2e/harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/file_copy.h"

namespace fs = boost::filesystem;

namespace e2e {

namespace {

constexpr int pollIntervalMs = 20;
constexpr int screenPollIntervalMs = 50;  // a screenshot costs a few ms itself
constexpr int restIntervalMs = 250;       // between the two alike shots of a window at rest
// A wait is given this many of the frames that a run makes slower on top of
// its timeout: its condition may need a few frames to be drawn and seen.
constexpr int slowFramesPerWait = 8;
const char* const screenSpec = "1024x768x24";

// The program draws in an 800 x 600 space stretched over its window.
constexpr int screenSpaceWidth = 800, screenSpaceHeight = 600;

// The console panel's bright lower edge: it crosses the rows above
// consoleEdgeLimitY at every step of the slide and rests on consoleEdgeOpenY
// once the panel is fully open. The columns are spread over the width, so
// one of them is clear of whatever the program draws under the console.
constexpr int consoleEdgeLimitY = 166;
constexpr int consoleEdgeOpenY = 161;
constexpr int consoleEdgeSlack = 2;
constexpr int consoleColumns[] = {100, 400, 735};
// The dark panel right above the edge tells it from a blue background (the
// front-end menu's sky): this many rows up, at most this bright (r + g + b).
constexpr int consolePanelRowsAbove = 6;
constexpr int consolePanelBrightness = 240;

// The plain splash (the fixture's red, at the brightness of its fade) is
// sampled every this many pixels of the 800 x 600 space; each sample is this
// near the centre's red, and its green and blue at most this bright.
const char* const plainSplashImage = "images/font_red.jpg";
constexpr int splashSampleStep = 100;
constexpr int splashChannelSlack = 12;
constexpr int splashLitRed = 2;

// A test may take QV_E2E_TEST_LIMIT_S seconds (scaled), ctest's limit for
// it. Its waits and tools end this much (scaled) before that limit, which
// leaves the time to stop the program and Xvfb and to end the test process,
// so that the test fails with its own messages instead of being killed.
constexpr int testLimitMs = QV_E2E_TEST_LIMIT_S * 1000;
constexpr int stopReserveMs = 30000;
// Once a test has failed its result is settled: each later wait gives up
// after this long (scaled), so that its other messages come out soon.
constexpr int afterFailureWaitMs = 3000;

using clock_type = std::chrono::steady_clock;
using milliseconds = std::chrono::milliseconds;

// When the running test began, and whether it has been told that its time is spent.
struct TestClock {
    clock_type::time_point start = clock_type::now();
    bool spentReported = false;
};
TestClock testClock;

class TestClockReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { testClock = TestClock(); }
};
[[maybe_unused]] const bool testClockListens = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestClockReset);
    return true;
}();

std::string shellQuote(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

std::string readWhole(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

uint32_t bigEndian32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

int maskShift(uint32_t mask)
{
    int shift = 0;
    while (mask && !(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// Decodes an XWD dump of a 24/32-bit TrueColor window.
Image decodeXwd(const std::string& data)
{
    Image image;
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    if (data.size() < 100) return image;
    uint32_t h[25];
    for (int i = 0; i < 25; ++i) h[i] = bigEndian32(bytes + 4 * i);
    const uint32_t headerSize = h[0], width = h[4], height = h[5], byteOrder = h[7], bitsPerPixel = h[11],
                   bytesPerLine = h[12], redMask = h[14], greenMask = h[15], blueMask = h[16], ncolors = h[19];
    if (bitsPerPixel != 32 && bitsPerPixel != 24) return image;
    const size_t offset = headerSize + size_t(ncolors) * 12;
    if (data.size() < offset + size_t(bytesPerLine) * height) return image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgb.resize(size_t(width) * height * 3);
    const int bpp = static_cast<int>(bitsPerPixel / 8);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = bytes + offset + size_t(y) * bytesPerLine;
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = row + size_t(x) * bpp;
            uint32_t v = 0;
            for (int b = 0; b < bpp; ++b) {
                if (byteOrder == 0) v |= uint32_t(p[b]) << (8 * b);  // LSBFirst
                else v = (v << 8) | p[b];
            }
            uint8_t* out = &image.rgb[(size_t(y) * width + x) * 3];
            out[0] = uint8_t((v & redMask) >> maskShift(redMask));
            out[1] = uint8_t((v & greenMask) >> maskShift(greenMask));
            out[2] = uint8_t((v & blueMask) >> maskShift(blueMask));
        }
    }
    return image;
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

clock_type::time_point testDeadline()
{
    return testClock.start + milliseconds(scaledMs(testLimitMs - stopReserveMs));
}

// The end of a wait of timeoutMs (before scaling) that begins now.
clock_type::time_point deadlineAfter(int timeoutMs)
{
    if (::testing::Test::HasFailure()) timeoutMs = std::min(timeoutMs, afterFailureWaitMs);
    const int slowFramesMs = slowFramesPerWait * slowFrameMs();
    return std::min(clock_type::now() + milliseconds(scaledMs(timeoutMs) + slowFramesMs), testDeadline());
}

// Between the two alike shots of a window at rest: a span of several frames,
// also when every frame is made slower.
int restInterval()
{
    return scaledMs(restIntervalMs) + 2 * slowFrameMs();
}

// Whether the test's time is spent; the first wait to find it so fails the
// test, naming what it waited for.
bool testTimeSpent(const std::string& what)
{
    const auto now = clock_type::now();
    if (now < testDeadline()) return false;
    if (!testClock.spentReported) {
        testClock.spentReported = true;
        const auto spent = std::chrono::duration_cast<std::chrono::seconds>(now - testClock.start).count();
        ADD_FAILURE() << spent << " s into the test, near its time limit of " << scaledMs(testLimitMs) / 1000
                      << " s: gave up waiting for " << what;
    }
    return true;
}

// The `timeout` command for a helper tool (xdotool, xwd): one that takes
// longer is stuck. Empty once the test's time is spent: no tool runs then.
std::string toolTimeout()
{
    const auto left = std::chrono::duration_cast<milliseconds>(testDeadline() - clock_type::now()).count();
    const long long limitMs = std::min<long long>(scaledMs(defaultWaitMs), left);
    return limitMs > 0 ? "timeout " + std::to_string(limitMs / 1000.0) + " " : "";
}

// Polls `done` until it holds or the scaled timeout has passed; one last try at the deadline.
bool pollUntil(const std::function<bool()>& done, int timeoutMs, const std::string& what,
               int intervalMs = pollIntervalMs)
{
    const auto deadline = deadlineAfter(timeoutMs);
    while (clock_type::now() < deadline) {
        if (done()) return true;
        sleepMs(intervalMs);
    }
    if (done()) return true;
    testTimeSpent(what);
    return false;
}

bool isConsoleEdge(const std::array<int, 3>& p)
{
    return p[2] > 140 && p[2] > p[0] + 60 && p[1] > p[0] + 20;
}

bool isConsolePanel(const std::array<int, 3>& p)
{
    return p[0] + p[1] + p[2] <= consolePanelBrightness;  // off the image counts as panel too
}

// Whether column x (of the 800 x 600 space) shows the console's edge in rows y0 to y1.
bool edgeInColumn(const Image& shot, int x, int y0, int y1)
{
    const int column = x * shot.width / screenSpaceWidth;
    const int top = y0 * shot.height / screenSpaceHeight, bottom = y1 * shot.height / screenSpaceHeight;
    for (int y = top; y <= bottom; ++y)
        if (isConsoleEdge(shot.at(column, y)) && isConsolePanel(shot.at(column, y - consolePanelRowsAbove)))
            return true;
    return false;
}

}  // namespace

std::string settingsFile(const std::string& title, int debugMode, int sound)
{
    return "f windowfscreen 0\nf windowx 0\nf windowy 0\nf windowwidth 800\nf windowheight 600\n"
           "s progName " + title + "\nf fps 60\nf debugMode " + std::to_string(debugMode) + "\nf sound " +
           std::to_string(sound) + "\nf soundVolume 0.5\nf firstTime 1\n";
}

std::string emptyMenuSystem()
{
    return "f intromenu 0\nf menu0background -1\ns menu0button0 endButtonLoad\ns menu0textbox0 endTextboxLoad\n"
           "s menu0text0 endTextLoad\ns menu0string0 end\ns menu1 endMenuLoad\n";
}

int scaledMs(int ms)
{
    const char* scale = std::getenv("QV_TIMEOUT_SCALE");
    const double factor = scale ? std::atof(scale) : 1.0;
    return static_cast<int>(ms * (factor > 0 ? factor : 1.0));
}

int slowFrameMs()
{
    const char* text = std::getenv("QV_SLOW_FRAME_MS");
    if (!text || !*text) return 0;
    char* end = nullptr;
    const long ms = std::strtol(text, &end, 10);
    return *end == '\0' && ms > 0 && ms < testLimitMs ? static_cast<int>(ms) : 0;
}

bool sameIn(const Image& a, const Image& b, const Region& r)
{
    if (!a.valid() || !b.valid()) return false;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            if (a.at(x, y) != b.at(x, y)) return false;
    return true;
}

bool plainGreenAt(const Image& shot, int x, int y)
{
    const std::array<int, 3> p = shot.at(x, y);
    return p[0] < 40 && p[1] > 215 && p[2] < 40;
}

bool welcomeCheckmarkShown(const Image& shot)
{
    return plainGreenAt(shot, welcomeCheckmarkX, welcomeCheckmarkY) &&
           plainGreenAt(shot, welcomeCheckmarkX - 20, welcomeCheckmarkY + 20);
}

bool playtestBannerShown(const Image& shot)
{
    const Region banner{6, 12, 580, 28};
    int white = 0;
    for (int y = banner.y0; y < banner.y1; ++y)
        for (int x = banner.x0; x < banner.x1; ++x) white += shot.at(x, y) == std::array<int, 3>{255, 255, 255};
    return white > 100;
}

bool consoleShownOpen(const Image& shot)
{
    if (!shot.valid()) return false;
    for (int x : consoleColumns)
        if (!edgeInColumn(shot, x, consoleEdgeOpenY - consoleEdgeSlack, consoleEdgeOpenY + consoleEdgeSlack))
            return false;
    return true;
}

bool consoleShownClosed(const Image& shot)
{
    if (!shot.valid()) return false;
    for (int x : consoleColumns)
        if (!edgeInColumn(shot, x, 0, consoleEdgeLimitY)) return true;
    return false;
}

bool plainSplashShown(const Image& shot)
{
    if (!shot.valid()) return false;
    const auto sample = [&shot](int x, int y) {
        return shot.at(x * shot.width / screenSpaceWidth, y * shot.height / screenSpaceHeight);
    };
    const int red = sample(screenSpaceWidth / 2, screenSpaceHeight / 2)[0];
    for (int y = splashSampleStep / 2; y < screenSpaceHeight; y += splashSampleStep)
        for (int x = splashSampleStep / 2; x < screenSpaceWidth; x += splashSampleStep) {
            const std::array<int, 3> p = sample(x, y);
            if (std::abs(p[0] - red) > splashChannelSlack || p[1] > splashChannelSlack || p[2] > splashChannelSlack)
                return false;
        }
    return true;
}

bool plainSplashLit(const Image& shot)
{
    return plainSplashShown(shot) && shot.at(shot.width / 2, shot.height / 2)[0] > splashLitRed;
}

std::array<int, 3> Image::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
    const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

App::App()
{
    // Under TMPDIR (else /tmp), where the unit tests make their folders too.
    std::string pattern = (fs::temp_directory_path() / "quorvane-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw fs::filesystem_error("cannot make the run's folder", pattern,
                                   boost::system::error_code(errno, boost::system::system_category()));
    rootDir = pattern;
    workDir = rootDir + "/work";
    testutil::copyTree(QV_DATA_DIR, workDir);
}

App::~App()
{
    kill();
    stopXvfb();
    if (rootDir.empty()) return;
    if (std::getenv("QV_KEEP_TEMP") || ::testing::Test::HasFailure()) {
        std::fprintf(stderr, "The run's folder is kept: %s\n", rootDir.c_str());
        return;
    }
    boost::system::error_code ec;
    fs::remove_all(rootDir, ec);
}

void App::writeFile(const std::string& relative, const std::string& text) const
{
    const fs::path file = fs::path(workDir) / relative;
    fs::create_directories(file.parent_path());
    std::ofstream out(file.string(), std::ios::binary | std::ios::trunc);
    out << text;
}

std::string App::readFile(const std::string& relative) const
{
    return readWhole(path(relative));
}

bool App::exists(const std::string& relative) const
{
    return fs::exists(path(relative));
}

void App::removeFile(const std::string& relative) const
{
    boost::system::error_code ec;
    fs::remove_all(path(relative), ec);
}

void App::copyFixture(const std::string& fixture, const std::string& relative) const
{
    const fs::path from = fs::path(QV_FIXTURES_DIR) / fixture;
    const fs::path to = fs::path(workDir) / relative;
    if (fs::is_directory(from)) {
        testutil::copyTree(from, to);
        return;
    }
    fs::create_directories(to.parent_path());
    testutil::copyFile(from, to);
}

void App::usePlainSplash(int images) const
{
    for (int i = 0; i < images; ++i) copyFixture(plainSplashImage, "splash" + std::to_string(i) + ".jpg");
}

bool App::startXvfb(int timeoutMs)
{
    int fds[2];
    if (pipe(fds) != 0) return false;
    xvfbPid = fork();
    if (xvfbPid == 0) {
        close(fds[0]);
        const int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screenSpec, "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    const auto deadline = deadlineAfter(timeoutMs);
    while (clock_type::now() < deadline) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, pollIntervalMs) > 0) {
            char c;
            const ssize_t n = read(fds[0], &c, 1);
            if (n <= 0) break;
            if (c == '\n') break;
            number += c;
        }
    }
    close(fds[0]);
    if (number.empty()) {
        testTimeSpent("Xvfb's display");
        return false;
    }
    displayName = ":" + number;
    return true;
}

void App::stopXvfb()
{
    if (xvfbPid <= 0) return;
    ::kill(xvfbPid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(xvfbPid, nullptr, WNOHANG) == xvfbPid) {
            xvfbPid = -1;
            return;
        }
        sleepMs(pollIntervalMs);
    }
    ::kill(xvfbPid, SIGKILL);
    waitpid(xvfbPid, nullptr, 0);
    xvfbPid = -1;
}

bool App::startProgram()
{
    appPid = fork();
    if (appPid == 0) {
        if (chdir(workDir.c_str()) != 0) _exit(127);
        const std::string out = rootDir + "/stdout.txt", err = rootDir + "/stderr.txt";
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        setenv("DISPLAY", displayName.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "null", 1);
        setenv("LP_NUM_THREADS", "2", 0);  // the software renderer's share of the cores the suite gives each run
        if (const char* preload = std::getenv("QV_APP_PRELOAD")) setenv("LD_PRELOAD", preload, 1);
        execl(QV_PROGRAM, QV_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    return appPid > 0;
}

bool App::start(const std::string& title, int timeoutMs)
{
    if (!startXvfb(timeoutMs) || !startProgram()) return false;
    const std::string search = "xdotool search --name " + shellQuote("^" + title + "$") + " 2>/dev/null";
    bool ended = false;
    const bool shown = pollUntil(
        [&] {
            ended = !running();
            const std::string found = ended ? "" : query(search);
            window = found.substr(0, found.find('\n'));
            return ended || !window.empty();
        },
        timeoutMs, "the window titled " + title, pollIntervalMs * 5);
    if (!shown || ended) return false;
    xdotool("windowfocus --sync " + window);
    return true;
}

bool App::startBeside(const App& first, const std::string& title, int timeoutMs)
{
    boost::system::error_code ec;
    fs::remove_all(workDir, ec);  // this run's own copy of data/ goes unused
    workDir = first.workDir;
    displayName = first.displayName;
    if (displayName.empty() || !startProgram()) return false;
    const std::string search = "xdotool search --name " + shellQuote("^" + title + "$") + " 2>/dev/null";
    const bool shown = pollUntil(
        [&] {
            if (!running()) return true;
            std::istringstream found(query(search));
            while (std::getline(found, window) && window == first.window) {
            }
            return !window.empty() && window != first.window;
        },
        timeoutMs, "a second window titled " + title, pollIntervalMs * 5);
    return shown && running() && focus();
}

bool App::focus() const
{
    return xdotool("windowraise " + window) && xdotool("windowfocus --sync " + window);
}

bool App::running()
{
    if (appPid <= 0) return false;
    int status = 0;
    const pid_t r = waitpid(appPid, &status, WNOHANG);
    if (r == 0) return true;
    if (r == appPid) {
        exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        appPid = -1;
    }
    return false;
}

std::vector<std::string> App::logLines() const
{
    std::vector<std::string> lines;
    std::istringstream in(readFile("log.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool App::logHas(const std::string& text) const
{
    for (const std::string& line : logLines())
        if (line.find(text) != std::string::npos) return true;
    return false;
}

bool App::waitForLog(const std::string& text, int timeoutMs) const
{
    return pollUntil([&] { return logHas(text); }, timeoutMs, "the log line \"" + text + "\"");
}

bool App::logHasInOrder(const std::vector<std::string>& texts) const
{
    size_t next = 0;
    for (const std::string& line : logLines()) {
        if (next < texts.size() && line.find(texts[next]) != std::string::npos) ++next;
    }
    return next == texts.size();
}

std::string App::programOutput() const
{
    return readWhole(rootDir + "/stdout.txt");
}

std::string App::query(const std::string& command) const
{
    const std::string limit = toolTimeout();
    if (limit.empty()) return "";
    const std::string full = "DISPLAY=" + displayName + " " + limit + command;
    std::string out;
    if (FILE* pipe = popen(full.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

bool App::xdotool(const std::string& args) const
{
    const std::string limit = toolTimeout();
    const std::string full = "DISPLAY=" + displayName + " " + limit + "xdotool " + args + " >/dev/null 2>&1";
    return !limit.empty() && std::system(full.c_str()) == 0;
}

bool App::key(const std::string& keys) const
{
    return xdotool("key --delay 40 " + keys);
}

bool App::type(const std::string& text) const
{
    return xdotool("type --delay 40 " + shellQuote(text));
}

bool App::click(int x, int y, int button) const
{
    return xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click " +
                   std::to_string(button));
}

Geometry App::windowGeometry() const
{
    Geometry g;
    std::istringstream in(query("xdotool getwindowgeometry --shell " + window));
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (name == "X") g.x = value;
        else if (name == "Y") g.y = value;
        else if (name == "WIDTH") g.width = value;
        else if (name == "HEIGHT") g.height = value;
    }
    return g;
}

std::string App::windowName() const
{
    std::string name = query("xdotool getwindowname " + window);
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    return name;
}

Image App::screenshot() const
{
    return decodeXwd(query("xwd -silent -id " + window));
}

Image App::waitForScreen(const ScreenTest& ready, int timeoutMs) const
{
    return screenUntil(ready, timeoutMs, "the window to show what the test asks for");
}

Image App::screenUntil(const ScreenTest& ready, int timeoutMs, const std::string& what) const
{
    Image shot;
    const bool found = pollUntil(
        [&] {
            shot = screenshot();
            return shot.valid() && ready(shot);
        },
        timeoutMs, what, screenPollIntervalMs);
    return found ? shot : Image();
}

Image App::waitForRest(const ScreenTest& ready, const Region& still, int timeoutMs) const
{
    Image last, shot;
    const bool found = pollUntil(
        [&] {
            shot = screenshot();
            const bool atRest = sameIn(shot, last, still) && ready(shot);
            last = shot;
            return atRest;
        },
        timeoutMs, "the window at rest showing what the test asks for", restInterval());
    return found ? shot : Image();
}

Image App::waitForChange(const Image& before, const Region& region, int timeoutMs) const
{
    return waitForRest([&before, region](const Image& s) { return !sameIn(s, before, region); }, region, timeoutMs);
}

Image App::clickUntil(int x, int y, const ScreenTest& ready, const Region& still, int attempts,
                      int attemptMs) const
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        click(x, y);
        const Image shot = waitForRest(ready, still, attemptMs);
        if (shot.valid()) return shot;
    }
    return Image();
}

Image App::leaveSplash(int x, int y) const
{
    return clickUntil(x, y, [](const Image& s) { return !plainSplashShown(s); });
}

bool App::waitForFile(const std::string& relative, int timeoutMs) const
{
    return pollUntil([&] { return exists(relative); }, timeoutMs, "the file " + relative);
}

bool App::waitConsoleOpen(int timeoutMs) const
{
    return screenUntil(consoleShownOpen, timeoutMs, "the console open").valid();
}

bool App::waitConsoleClosed(int timeoutMs) const
{
    return screenUntil(consoleShownClosed, timeoutMs, "the console closed").valid();
}

bool App::openConsole()
{
    return key("grave") && waitConsoleOpen();
}

bool App::closeConsole()
{
    return key("grave") && waitConsoleClosed();
}

bool App::sync()
{
    const Image shot = screenUntil([](const Image& s) { return consoleShownOpen(s) || consoleShownClosed(s); },
                                   defaultWaitMs, "the console at rest, open or closed");
    if (!shot.valid()) return false;
    const bool openedHere = !consoleShownOpen(shot);
    if (openedHere && !openConsole()) return false;
    const std::string marker = "Handled up to mark " + std::to_string(++syncCount) + ".";
    if (!type("log " + marker) || !key("Return") || !waitForLog(marker)) return false;
    return !openedHere || closeConsole();
}

bool App::closeWindow() const
{
    const std::string limit = toolTimeout();
    const std::string full = "DISPLAY=" + displayName + " " + limit + QV_WMCLOSE " " + window;
    return !limit.empty() && std::system(full.c_str()) == 0;
}

int App::waitExit(int timeoutMs)
{
    if (pollUntil([this] { return !running(); }, timeoutMs, "the program to end")) return exitStatus;
    kill();
    return -1;
}

void App::kill()
{
    if (appPid <= 0) return;
    ::kill(appPid, SIGKILL);
    waitpid(appPid, nullptr, 0);
    appPid = -1;
}

MenuFile::MenuFile(const std::string& path)
{
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind, key;
        float value = 0;
        if (words >> kind >> key >> value && kind == "f") numbers[key] = value;
    }
}

int MenuFile::number(const std::string& key) const
{
    const auto it = numbers.find(key);
    return it == numbers.end() ? -1 : static_cast<int>(it->second);
}

bool MenuFile::button(int m, int func, int& x, int& y, int func2) const
{
    int w = 0, h = 0;
    return button(m, func, x, y, w, h, func2);
}

bool MenuFile::button(int m, int func, int& x, int& y, int& w, int& h, int func2) const
{
    const auto key = [m](int b) { return "menu" + std::to_string(m) + "button" + std::to_string(b); };
    for (int b = 0; number(key(b) + "func") != -1; ++b) {
        if (number(key(b) + "func") != func) continue;
        if (func2 != -1 && number(key(b) + "func2") != func2) continue;
        x = number(key(b) + "x");
        y = number(key(b) + "y");
        w = number(key(b) + "w");
        h = number(key(b) + "h");
        return true;
    }
    return false;
}

void MenuFile::textbox(int m, int t, int& x, int& y) const
{
    const std::string k = "menu" + std::to_string(m) + "textbox" + std::to_string(t);
    x = number(k + "x") + number(k + "w") / 2;
    y = number(k + "y") - 13 + number(k + "h") / 2;
}

}  // namespace e2e
