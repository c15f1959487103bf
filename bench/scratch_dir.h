// A scratch working directory for the benchmarks that read and write game
// files: made under the system's temporary folder on first use, made the
// current directory, and removed at the end of the run; and the copies of
// files and folder trees (data/) into one.
#pragma once
#include <boost/filesystem.hpp>

#include "tests/file_copy.h"

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

// The tests' copies, which work whatever file system the scratch directory is on.
using testutil::copyFile;
using testutil::copyTree;

// Leaves and removes the scratch directory when one was made.
inline void removeScratchDir(const boost::filesystem::path& dir)
{
    if (dir.empty()) return;
    boost::filesystem::current_path(dir.parent_path());
    boost::system::error_code ec;
    boost::filesystem::remove_all(dir, ec);
}
