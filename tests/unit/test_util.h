// Helpers shared by the unit tests: temporary folders and files (copied by
// tests/file_copy.h), a working directory switched for the length of a test,
// the console's newest lines, a short WAV file, and the check of a step's
// effect on a set of named values.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "media/image_header.h"
#include "menus/console.h"
#include "tests/file_copy.h"

namespace testutil {

// The temporary folders this process has made and not yet removed. They go
// at exit too, for a test whose process ends inside it (a death test's child
// exits without unwinding); a forked child leaves its parent's folders alone.
class LiveTempDirs {
public:
    static LiveTempDirs& get()
    {
        static LiveTempDirs dirs;
        return dirs;
    }
    void add(const boost::filesystem::path& p) { paths.insert(p.string()); }
    void remove(const boost::filesystem::path& p)
    {
        boost::system::error_code ec;
        boost::filesystem::remove_all(p, ec);
        paths.erase(p.string());
    }
    ~LiveTempDirs()
    {
        if (getpid() != owner) return;
        for (const std::string& p : std::set<std::string>(paths)) remove(p);
    }

private:
    const pid_t owner = getpid();
    std::set<std::string> paths;
};

// A fresh temporary folder, made in `in` (the system's temporary folder
// unless given), removed with the object.
class TempDir {
public:
    explicit TempDir(const boost::filesystem::path& in = boost::filesystem::temp_directory_path())
    {
        path_ = in / boost::filesystem::unique_path("qv-unit-%%%%-%%%%-%%%%");
        boost::filesystem::create_directories(path_);
        LiveTempDirs::get().add(path_);
    }
    ~TempDir() { LiveTempDirs::get().remove(path_); }
    std::string file(const std::string& relative) const { return (path_ / relative).string(); }
    std::string write(const std::string& relative, const std::string& text) const
    {
        const boost::filesystem::path p = path_ / relative;
        boost::filesystem::create_directories(p.parent_path());
        std::ofstream out(p.string(), std::ios::binary | std::ios::trunc);
        out << text;
        return p.string();
    }
    std::string read(const std::string& relative) const
    {
        std::ifstream in(file(relative), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    const boost::filesystem::path& path() const { return path_; }

private:
    boost::filesystem::path path_;
};

// A folder this process may write on another file system than `than`: the
// shared-memory folder, the test program's own folder or a temporary
// folder; empty when none is.
inline boost::filesystem::path folderOnAnotherFileSystem(const boost::filesystem::path& than)
{
    struct stat here {};
    if (::stat(than.c_str(), &here) != 0) return {};
    std::vector<boost::filesystem::path> candidates = {
        "/dev/shm", boost::filesystem::read_symlink("/proc/self/exe").parent_path(), "/tmp", "/var/tmp"};
    if (const char* tmp = std::getenv("TMPDIR")) candidates.emplace_back(tmp);
    for (const boost::filesystem::path& candidate : candidates) {
        struct stat there {};
        if (::stat(candidate.c_str(), &there) == 0 && S_ISDIR(there.st_mode) && there.st_dev != here.st_dev &&
            ::access(candidate.c_str(), W_OK | X_OK) == 0)
            return candidate;
    }
    return {};
}

// Runs the test inside a folder and returns to the old working directory after.
class ScopedCwd {
public:
    explicit ScopedCwd(const boost::filesystem::path& dir) : old_(boost::filesystem::current_path())
    {
        boost::filesystem::current_path(dir);
    }
    ~ScopedCwd() { boost::filesystem::current_path(old_); }

private:
    boost::filesystem::path old_;
};

// An image loader that loads nothing: every image gets texture 0.
inline unsigned int noTexture(const checkedImage&)
{
    return 0;
}

// True when one of the newest console lines contains `text`.
inline bool consoleHas(const std::string& text, int newest = 1 << 30)
{
    for (int i = 0; i < newest && i < console.getLineCount(); ++i)
        if (console.getLine(i).find(text) != std::string::npos) return true;
    return false;
}

// A 16-bit mono PCM WAV of `seconds` of a quiet tone.
inline std::string wavBytes(double seconds)
{
    const int rate = 8000;
    const uint32_t samples = static_cast<uint32_t>(seconds * rate);
    std::string out;
    auto u32 = [&out](uint32_t v) { for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xff); };
    auto u16 = [&out](uint16_t v) { out += static_cast<char>(v & 0xff); out += static_cast<char>(v >> 8); };
    out += "RIFF";
    u32(36 + samples * 2);
    out += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out += "data";
    u32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i) u16(static_cast<uint16_t>(static_cast<int16_t>(1000 * std::sin(i * 0.3))));
    return out;
}

// Named values of the program's state, read before and after one step. The
// step's expected effect is the list of values it changes; every other value
// must stay as it was.
using observed = std::map<std::string, double>;
struct change {
    std::string key;
    double value;
};
inline void expectChanges(const observed& before, const observed& after, const std::vector<change>& changes,
                          double tolerance = 1e-4)
{
    observed want = before;
    for (const change& c : changes) {
        EXPECT_EQ(want.count(c.key), 1u) << "nothing observed as " << c.key;
        want[c.key] = c.value;
    }
    for (const auto& [key, value] : want) EXPECT_NEAR(after.at(key), value, tolerance) << key;
}

}  // namespace testutil
