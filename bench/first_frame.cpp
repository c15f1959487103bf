// Start-up to the first frame: the program, started in a fresh copy of data/,
// against a bare freeglut window (bench/startup/bare_window.cpp). Each run is a
// new process with the hook of bench/startup/first_swap.cpp preloaded, which
// ends it at its first buffer swap and writes the time; the time counts from
// just before the process is started. Runs alternate between the two.
//
// Needs an X display: run it on a private Xvfb with Mesa's software renderer,
// as the suite runs (from the build directory):
//   QV_BENCH_BIN=bench/bench_first_frame ../bench/run_world_render.sh
#include <benchmark/benchmark.h>

#include "bench/median.h"
#include "bench/quiet_run.h"
#include "bench/scratch_dir.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace fs = boost::filesystem;

namespace {

constexpr int runs = 10;
constexpr auto runTimeout = std::chrono::seconds(60);
constexpr auto waitSlice = std::chrono::milliseconds(2);

fs::path workDir;

void copyData()
{
    if (!workDir.empty()) return;
    workDir = enterScratchDir();
    copyTree(QV_DATA_DIR, workDir);
}

long long monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Starts `program` (with its args) in the work folder with the hook; the
// milliseconds to its first swap, or a negative number when it made none.
double msToFirstSwap(const std::vector<std::string>& command)
{
    const std::string stamp = (workDir / "first-frame.txt").string();
    fs::remove(stamp);
    std::vector<char*> args;
    for (const std::string& a : command) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const long long start = monotonicNs();
    const pid_t child = fork();
    if (child == 0) {
        setenv("LD_PRELOAD", QV_FIRST_SWAP_HOOK, 1);
        setenv("QV_FIRST_FRAME_FILE", stamp.c_str(), 1);
        if (!std::freopen("/dev/null", "w", stdout)) _exit(126);
        execv(args[0], args.data());
        _exit(127);
    }
    if (child < 0) return -1.0;
    const auto deadline = std::chrono::steady_clock::now() + runTimeout;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1.0;
        }
        std::this_thread::sleep_for(waitSlice);
    }
    long long swapped = 0;
    if (!(std::ifstream(stamp) >> swapped)) return -1.0;
    return static_cast<double>(swapped - start) / 1e6;
}

std::vector<double> bareTimes, programTimes;

// Both, alternating, runs times; the times land in the two lists.
bool runBoth()
{
    copyData();
    if (!bareTimes.empty()) return true;
    const std::vector<std::string> bare = {QV_BARE_WINDOW};
    const std::vector<std::string> program = {QV_PROGRAM};
    for (int r = 0; r < runs; ++r) {
        const double b = msToFirstSwap(bare), p = msToFirstSwap(program);
        if (b < 0.0 || p < 0.0) return false;
        bareTimes.push_back(b);
        programTimes.push_back(p);
    }
    return true;
}

void report(benchmark::State& state, const std::vector<double>& times)
{
    if (!runBoth()) {
        state.SkipWithError("a run made no frame (is there a display?)");
        return;
    }
    size_t next = 0;
    for (auto _ : state) state.SetIterationTime(times[next++ % times.size()] / 1000.0);
    state.counters["median_ms"] = median(times);
}

void bareWindow(benchmark::State& state)
{
    report(state, bareTimes);
}
BENCHMARK(bareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(runs);

void programFirstFrame(benchmark::State& state)
{
    report(state, programTimes);
}
BENCHMARK(programFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(runs);

}  // namespace

int main(int argc, char** argv)
{
    runBenchmarksQuietly(argc, argv);
    if (!bareTimes.empty()) {
        const double bare = median(bareTimes), program = median(programTimes);
        char line[256];
        std::snprintf(line, sizeof line,
                      "\nFirst frame (medians of %d runs each): program %.1f ms, bare window %.1f ms, ratio %.2f "
                      "(target <= 1.5)\n",
                      runs, program, bare, bare > 0.0 ? program / bare : 0.0);
        std::cerr << line;
    }
    removeScratchDir(workDir);
    return 0;
}
