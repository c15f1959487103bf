// Whole-file reads and the reader of the image and sound checks: what
// stands at the path decides, without blocking, and the size limit holds
// before anything is read; what was opened is looked at again. The reader
// reads in few calls, not far past what it is asked for, into memory that
// grows with what it read.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
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

constexpr size_t mebibyte = size_t{1} << 20;

// `size` bytes that differ from place to place, so that bytes read to the
// wrong place show.
std::string patterned(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t at = 0; at < size; ++at) bytes[at] = static_cast<char>((at * 131) >> 9);
    return bytes;
}

// A reader walking a long file forward a little at a time, as a check's walk
// does, and one asked at once for a large part of it: each reads in about
// one call per doubling of what it holds, never further past the byte asked
// for than the read-ahead after it, and once past the memory made at the
// open holds room for at most twice what it read.
TEST(FileRead, AReaderReadsInFewCallsNotFarPastWhatItIsAskedForIntoRoomThatGrowsWithIt)
{
    testutil::TempDir dir;
    constexpr size_t walked = 20 * mebibyte, step = 4096;
    const std::string head = patterned(walked);
    const std::string path = dir.write("long", head);
    ASSERT_EQ(0, ::truncate(path.c_str(), 256 << 20));  // far longer than what is read, sparsely
    std::string reason;

    fileReader walker;
    ASSERT_EQ(fileReadResult::read, walker.open(path, size_t{1} << 30, reason));
    const unsigned long long callsBefore = fileReadCalls();
    for (size_t end = 1; end <= walked; end += step) {
        ASSERT_TRUE(walker.readTo(end)) << end;
        const size_t read = walker.bytes().size(), room = walker.bytes().room();
        ASSERT_LE(read, end + fileReadAheadAfter(end)) << end;
        if (read > 8 * mebibyte) {
            ASSERT_LE(room, 2 * read) << end;
        }
    }
    size_t doublings = 1;  // 64 KiB, then twice as far each time
    for (size_t reach = fileReadAheadLeast; reach < walked; reach *= 2) ++doublings;
    EXPECT_LE(fileReadCalls() - callsBefore, doublings);
    EXPECT_TRUE(walker.bytes().view().substr(0, walked) == head);

    fileReader jumper;
    ASSERT_EQ(fileReadResult::read, jumper.open(path, size_t{1} << 30, reason));
    ASSERT_TRUE(jumper.readTo(1));
    ASSERT_TRUE(jumper.readTo(12 * mebibyte));
    EXPECT_LE(jumper.bytes().size(), 12 * mebibyte + fileReadAheadAfter(12 * mebibyte));
    EXPECT_LE(jumper.bytes().room(), 2 * jumper.bytes().size());
    EXPECT_TRUE(jumper.bytes().view().substr(0, 12 * mebibyte) == head.substr(0, 12 * mebibyte));
}

// The address space this process takes, in bytes.
unsigned long long addressSpace()
{
    unsigned long long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<unsigned long long>(::sysconf(_SC_PAGESIZE));
}

// Reads the first 12 MiB of the file at `path` in a process whose address
// space may grow by only 256 MiB; exits 0 when they were read.
void readHeadWithLittleAddressSpace(const std::string& path)
{
    const rlimit limit{addressSpace() + (256u << 20), addressSpace() + (256u << 20)};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) _exit(2);
    fileReader reader;
    std::string reason;
    if (reader.open(path, size_t{1} << 40, reason) != fileReadResult::read) _exit(3);
    const bool read = reader.readTo(1) && reader.readTo(12 * mebibyte);
    _exit(read ? 0 : 1);
}

// A file of 12 MiB that matter followed by far more than the process may
// map (an image followed by padding): the reader takes memory for what it
// reads, not for the file.
TEST(FileRead, AFileLongerThanTheAddressSpaceLeftIsReadAsFarAsItsReaderAsks)
{
    testutil::TempDir dir;
    const std::string path = dir.write("padded", patterned(12 * mebibyte));
    ASSERT_EQ(0, ::truncate(path.c_str(), 2LL << 30));
    EXPECT_EXIT(readHeadWithLittleAddressSpace(path), ::testing::ExitedWithCode(0), "");
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
