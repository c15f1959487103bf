// Helpers shared by the unit tests: temporary folders and files, and a working
// directory switched for the length of a test.
#pragma once
#include <unistd.h>

#include <boost/filesystem.hpp>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

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

// A fresh temporary folder, removed with the object.
class TempDir {
public:
    TempDir()
    {
        path_ = boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("qv-unit-%%%%-%%%%-%%%%");
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

}  // namespace testutil
