// Whole-file reads and the reader of the image and sound checks: what
// stands at the path decides, without blocking, and the size limit holds
// before anything is read; what was opened is looked at again.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "core/file_read.h"
#include "core/file_read_internal.h"
#include "test_util.h"

namespace {

struct readCase {
    const char* what;
    size_t limit;
    fileReadResult result;
    const char* reasonStart;  // the reason begins so (empty when read)
};

TEST(FileRead, WhatStandsAtThePathAndItsSizeDecideBeforeAnythingIsRead)
{
    testutil::TempDir dir;
    dir.write("small", "12345");
    ASSERT_EQ(0, ::mkfifo(dir.file("pipe").c_str(), 0600));
    boost::filesystem::create_directory(dir.file("folder"));
    {  // a sparse file: it takes no room, but reading it would take 2 GiB
        std::ofstream grow(dir.file("sparse"), std::ios::binary);
    }
    ASSERT_EQ(0, ::truncate(dir.file("sparse").c_str(), 2LL << 30));
    ::symlink("small", dir.file("link").c_str());

    const readCase cases[] = {
        {"small", 5, fileReadResult::read, ""},
        {"link", 5, fileReadResult::read, ""},
        {"small", 4, fileReadResult::tooLarge, "is 5 bytes, more than the 4 it may hold"},
        {"sparse", 1 << 20, fileReadResult::tooLarge, "is 2147483648 bytes"},
        {"pipe", 1 << 20, fileReadResult::notAFile, "is a named pipe, not a file"},
        {"folder", 1 << 20, fileReadResult::notAFile, "is a folder, not a file"},
        {"none", 1 << 20, fileReadResult::missing, "is missing"},
    };
    for (const readCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " within " + std::to_string(c.limit));
        std::string bytes = "left over", reason, bufferReason;
        EXPECT_EQ(c.result, readWholeFile(dir.file(c.what), c.limit, bytes, reason));
        fileReader buffer;  // the checks' reader opens as readWholeFile does
        EXPECT_EQ(c.result, buffer.open(dir.file(c.what), c.limit, bufferReason));
        EXPECT_EQ(reason, bufferReason);
        if (c.result == fileReadResult::read) {
            EXPECT_EQ("12345", bytes);
            EXPECT_TRUE(buffer.readTo(5));
            EXPECT_EQ("12345", buffer.bytes().view());
            EXPECT_FALSE(buffer.has(3, 3));
        } else {
            EXPECT_TRUE(bytes.empty());
            EXPECT_EQ(0u, reason.rfind(c.reasonStart, 0)) << reason;
        }
    }
    // Larger than the memory the reader makes at its open: read to its end all the same.
    std::string large((size_t{9} << 20) + 3, 'x');
    large.replace(large.size() - 3, 3, "end");
    dir.write("large", large);
    fileReader reader;
    std::string reason;
    ASSERT_EQ(fileReadResult::read, reader.open(dir.file("large"), large.size(), reason));
    EXPECT_TRUE(reader.readTo(large.size()));
    EXPECT_TRUE(reader.bytes().view() == large);
}

std::string pipePath, filePath;

void putPipeInPlace(const std::string&)
{
    ASSERT_EQ(0, ::rename(pipePath.c_str(), filePath.c_str()));
}

// A file replaced by a named pipe after the look at its path: the open
// neither waits for a writer nor takes the pipe for a file.
TEST(FileRead, APipePutInPlaceBetweenTheLookAndTheOpenIsRefusedWithoutBlocking)
{
    testutil::TempDir dir;
    filePath = dir.write("image.png", "12345");
    pipePath = dir.file("pipe");
    ASSERT_EQ(0, ::mkfifo(pipePath.c_str(), 0600));
    setBeforeOpen(putPipeInPlace);
    std::string bytes, reason;
    auto reading = std::async(std::launch::async, [&] { return readWholeFile(filePath, 1 << 20, bytes, reason); });
    const bool returned = reading.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!returned) ::close(::open(filePath.c_str(), O_WRONLY));  // a writer lets the blocked open go on
    setBeforeOpen(nullptr);
    EXPECT_TRUE(returned) << "the open waited for a writer";
    EXPECT_EQ(fileReadResult::notAFile, reading.get());
    EXPECT_EQ("is a named pipe, not a file", reason);
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
