// The shared set-up of the reader targets, and the program's shutdown made a
// no-op: a reader that passes a limit calls quitEngine, which would end the
// process and look like a crash to the fuzzer. The readers go on correctly
// when it returns (it returns too when a shutdown is already running), so
// the targets are linked with calls to it wrapped into this one.
#include "tests/fuzz/fuzz_support.h"

#include <boost/filesystem.hpp>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "menus/console.h"

extern "C" void __wrap__Z10quitEnginei(int) {}

namespace {

boost::filesystem::path fuzzFolder;

void removeFuzzFolder()
{
    boost::system::error_code ec;
    boost::filesystem::current_path(fuzzFolder.parent_path(), ec);
    boost::filesystem::remove_all(fuzzFolder, ec);
}

void writeFile(const boost::filesystem::path& path, const char* data, size_t size)
{
    if (path.has_parent_path()) boost::filesystem::create_directories(path.parent_path());
    std::ofstream out(path.string(), std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
}

}  // namespace

void enterFuzzFolder()
{
    if (!fuzzFolder.empty()) return;
    fuzzFolder = boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("qv-fuzz-%%%%-%%%%");
    boost::filesystem::create_directories(fuzzFolder);
    boost::filesystem::current_path(fuzzFolder);
    std::atexit(removeFuzzFolder);
    static const char help[] = "s help0title Help\ns help0line0 line\ns help1title end\n";
    writeFile("system/help.cfg", help, sizeof help - 1);
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    (void)quiet;
}

void endInput()
{
    console = debugConsole();
}

std::string writeInput(const std::string& path, const uint8_t* data, size_t size)
{
    writeFile(path, reinterpret_cast<const char*>(data), size);
    return path;
}
