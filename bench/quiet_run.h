// Runs the registered benchmarks with the report on standard error, because
// the engine's readers print a line for every file they load on standard
// output, which is sent to /dev/null here.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>

inline void runBenchmarksQuietly(int argc, char** argv)
{
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    (void)quiet;
    benchmark::Initialize(&argc, argv);
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
}
