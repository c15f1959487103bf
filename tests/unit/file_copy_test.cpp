// The tests' own copy of files and folders (tests/file_copy.h) from the
// temporary folder to another file system (/dev/shm, a tmpfs, or the test
// program's folder), where the file system library's copy fails on some
// kernels: every byte and the permission bits arrive, a file there replaced.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_util.h"

namespace fs = boost::filesystem;

namespace {

mode_t modeOf(const fs::path& p)
{
    struct stat s {};
    return ::stat(p.c_str(), &s) == 0 ? s.st_mode & 07777 : 0;
}

}  // namespace

TEST(FileCopy, ATreeCopiedToAnotherFileSystemKeepsItsBytesAndModes)
{
    testutil::TempDir source;
    const fs::path other = testutil::folderOnAnotherFileSystem(source.path());
    if (other.empty()) GTEST_SKIP() << "no second file system beside " << source.path();

    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7 % 256);  // several reads' worth
    source.write("a/bytes.bin", bytes);
    ASSERT_EQ(::chmod(source.write("a/run.sh", "#!/bin/sh\n").c_str(), 0750), 0);
    source.write("empty", "");

    const testutil::TempDir target(other);
    target.write("empty", "replaced");
    testutil::copyTree(source.path(), target.path());

    testutil::TempDir copied;
    testutil::copyTree(target.path(), copied.path());  // read back, and across again
    EXPECT_EQ(copied.read("a/bytes.bin"), bytes);
    EXPECT_EQ(copied.read("a/run.sh"), "#!/bin/sh\n");
    EXPECT_EQ(copied.read("empty"), "");
    EXPECT_EQ(modeOf(target.path() / "a/run.sh"), 0750u);
    EXPECT_EQ(modeOf(copied.file("a/run.sh")), 0750u);
}
