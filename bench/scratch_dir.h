// A scratch working directory for the benchmarks that read and write game
// files: made under the system's temporary folder on first use, made the
// current directory, and removed at the end of the run; and the copy of a
// folder tree (data/) into one.
#pragma once
#include <boost/filesystem.hpp>

// The scratch directory, made (and entered) on the first call.
inline const boost::filesystem::path& enterScratchDir()
{
    static boost::filesystem::path dir;
    if (dir.empty()) {
        dir = boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("qv-bench-%%%%%%");
        boost::filesystem::create_directories(dir);
        boost::filesystem::current_path(dir);
    }
    return dir;
}

// Copies the folder tree `from` into the folder `to`, made when missing.
inline void copyTree(const boost::filesystem::path& from, const boost::filesystem::path& to)
{
    namespace fs = boost::filesystem;
    fs::create_directories(to);
    for (fs::recursive_directory_iterator it(from), end; it != end; ++it) {
        const fs::path target = to / fs::relative(it->path(), from);
        if (fs::is_directory(it->path())) fs::create_directories(target);
        else fs::copy_file(it->path(), target);
    }
}

// Leaves and removes the scratch directory when one was made.
inline void removeScratchDir(const boost::filesystem::path& dir)
{
    if (dir.empty()) return;
    boost::filesystem::current_path(dir.parent_path());
    boost::system::error_code ec;
    boost::filesystem::remove_all(dir, ec);
}
