// The .cfg reader: line format, first-match lookups, limits and the
// recovery rules for damaged lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ios>
#include <istream>
#include <memory>
#include <new>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "core/log.h"
#include "core/script.h"
#include "core/script_internal.h"
#include "menus/console.h"
#include "test_util.h"

namespace {

using testutil::consoleHas;

class ScriptTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    scriptObject table;
    bool read(const std::string& text)
    {
        return table.readFile(dir.write("test.cfg", text));
    }
};

// Lookups ignore the entry kind: a number entry has no text, a text entry is a key.
TEST_F(ScriptTest, NumberAndStringEntries)
{
    ASSERT_TRUE(read("f fps 30\ns progName My Game\n"));
    EXPECT_FLOAT_EQ(table.findLineF("fps"), 30.0f);
    EXPECT_EQ(table.findLineS("progName"), "My Game");
    EXPECT_EQ(table.findLineS("fps"), "");
    EXPECT_TRUE(table.hasKey("progName"));
    EXPECT_EQ(table.getLineAmount(), 2);
    EXPECT_TRUE(consoleHas(" ^whas been successfully loaded"));
}

// String values keep all but the separator; carriage returns are dropped.
TEST_F(ScriptTest, StringValues)
{
    ASSERT_TRUE(read("s twoBlanks  word\ns empty\ns trailing text  \ns tab\tvalue\n"
                     "s name Windows line\r\nf value 5\r\ns crEmpty\r\n"));
    for (auto [key, want] : {std::pair{"twoBlanks", " word"}, {"empty", ""}, {"trailing", "text  "}, {"tab", "value"},
                             {"absent", "NULL"}, {"name", "Windows line"}, {"crEmpty", ""}})
        EXPECT_EQ(table.findLineS(key), want) << key;
    EXPECT_FLOAT_EQ(table.findLineF("absent"), -1.0f);
    EXPECT_FLOAT_EQ(table.findLineF("value"), 5.0f);
}

TEST_F(ScriptTest, FirstEntryWinsWithinAndAcrossFiles)
{
    ASSERT_TRUE(read("f twice 1\nf twice 0\ns shared first\n"));
    ASSERT_TRUE(table.readFile(dir.write("second.cfg", "s shared second\nf onlySecond 7\n")));
    EXPECT_FLOAT_EQ(table.findLineF("twice"), 1.0f);
    EXPECT_EQ(table.findLineS("shared"), "first");
    EXPECT_FLOAT_EQ(table.findLineF("onlySecond"), 7.0f);
    EXPECT_EQ(table.getLineAmount(), 5);
}

TEST_F(ScriptTest, KindWordsAndComments)
{
    ASSERT_TRUE(read("F upper 3\nS upperText hi\nfoo notAnEntry 5\n// f commented 1\nf // 4\n"
                     "f one 1 s two words here\n"));
    EXPECT_FLOAT_EQ(table.findLineF("upper"), 3.0f);
    EXPECT_EQ(table.findLineS("upperText"), "hi");
    EXPECT_FALSE(table.hasKey("notAnEntry"));
    EXPECT_FALSE(table.hasKey("commented"));
    EXPECT_FALSE(table.hasKey("//"));
    EXPECT_FLOAT_EQ(table.findLineF("one"), 1.0f);
    EXPECT_EQ(table.findLineS("two"), "words here");
    EXPECT_EQ(table.getLineAmount(), 4);
}

TEST_F(ScriptTest, WordsCrossLineEnds)
{
    ASSERT_TRUE(read("f split\n\n   42\nf\nlateKey 5 // trailing comment\nf after 6\n"));
    EXPECT_FLOAT_EQ(table.findLineF("split"), 42.0f);
    EXPECT_FLOAT_EQ(table.findLineF("lateKey"), 5.0f);
    EXPECT_FLOAT_EQ(table.findLineF("after"), 6.0f);
    EXPECT_EQ(table.getLineAmount(), 3);
}

TEST_F(ScriptTest, NumberSyntax)
{
    ASSERT_TRUE(read("f neg -0.5\nf exp 1.5e2\nf plus +7\nf frac .25\nf glued 30abc\nf big 1e60\n"));
    for (auto [key, want] : {std::pair{"neg", -0.5f}, {"exp", 150.0f}, {"plus", 7.0f}, {"frac", 0.25f}, {"glued", 30.0f}})
        EXPECT_FLOAT_EQ(table.findLineF(key), want) << key;
    EXPECT_GT(table.findLineF("big"), 1e38f);
}

TEST_F(ScriptTest, ClearEmptyAndMissingFiles)
{
    ASSERT_TRUE(read("f a 1\n"));
    table.clear();
    EXPECT_EQ(table.getLineAmount(), 0);
    EXPECT_FLOAT_EQ(table.findLineF("a"), -1.0f);
    EXPECT_EQ(table.findLineS("a"), "NULL");
    ASSERT_TRUE(read("f b 2\n"));
    EXPECT_FLOAT_EQ(table.findLineF("b"), 2.0f);
    EXPECT_FALSE(table.hasKey("a"));
    // An empty file reads; a missing one fails and keeps what the table holds.
    table.clear();
    ASSERT_TRUE(read(""));
    EXPECT_EQ(table.getLineAmount(), 0);
    ASSERT_TRUE(read("f kept 1\n"));
    EXPECT_FALSE(table.readFile(dir.file("missing.cfg")));
    EXPECT_TRUE(consoleHas("^rERROR: ^wError loading/reading file ^y" + dir.file("missing.cfg")));
    EXPECT_FLOAT_EQ(table.findLineF("kept"), 1.0f);
}

// A file whose reading fails after its first two entries, as a disk error
// does: the buffer gives those bytes, then its refill throws as a file
// buffer's does when the system's read fails.
class failingBuffer : public std::streambuf {
public:
    failingBuffer() { setg(head, head, head + sizeof head - 1); }

protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

private:
    char head[13] = "f a 1\nf b 2\n";
};

class failingStream : public std::istream {
public:
    failingStream() : std::istream(&buffer) {}

private:
    failingBuffer buffer;
};

std::unique_ptr<std::istream> failAfterTwoEntries(const std::string&)
{
    return std::make_unique<failingStream>();
}

int streamsOpened = 0;

std::unique_ptr<std::istream> countOpened(const std::string&)
{
    ++streamsOpened;
    return std::make_unique<std::istringstream>("f opened 1\n");
}

// A read error is a failed read: no success line, and none of the file's
// entries in the table (what it held before stays). A file larger than any
// game needs (sparse: no disk is spent) is refused before it is opened,
// with its size.
TEST_F(ScriptTest, AReadErrorFailsTheWholeFileAndAnOversizeOneIsNeverOpened)
{
    ASSERT_TRUE(read("f kept 1\n"));
    console = debugConsole();
    setScriptStreamOpener(failAfterTwoEntries);
    const bool readBack = read("f a 1\nf b 2\nf c 3\n");
    setScriptStreamOpener(nullptr);
    EXPECT_FALSE(readBack);
    EXPECT_TRUE(consoleHas("^rERROR: ^wError loading/reading file ^y" + dir.file("test.cfg") +
                           "^w: it could not be read to its end"));
    EXPECT_FALSE(consoleHas("successfully loaded"));
    EXPECT_EQ(table.getLineAmount(), 1);
    EXPECT_FALSE(table.hasKey("a"));
    EXPECT_FLOAT_EQ(table.findLineF("kept"), 1.0f);

    const std::string huge = dir.write("huge.cfg", "f a 1\n");
    boost::filesystem::resize_file(huge, scriptObject::maxFileBytes + 1);
    setScriptStreamOpener(countOpened);
    EXPECT_FALSE(table.readFile(huge));
    setScriptStreamOpener(nullptr);
    EXPECT_EQ(streamsOpened, 0);
    EXPECT_TRUE(consoleHas("^rERROR: ^wError loading/reading file ^y" + huge + "^w: it is 1280000001 bytes, more "
                           "than the 1280000000 it may hold"));
    EXPECT_EQ(table.getLineAmount(), 1);
}

TEST_F(ScriptTest, LongStringIsCutWithAWarningAndReadingGoesOn)
{
    const std::string longText(300, 'x');
    ASSERT_TRUE(read("s long " + longText + "\nf later 9\n"));
    EXPECT_EQ(table.findLineS("long"), std::string(254, 'x'));
    EXPECT_FLOAT_EQ(table.findLineF("later"), 9.0f);
    EXPECT_TRUE(consoleHas("^yWARNING: ^w"));

    // 254 characters after the separator still fit whole; a long comment line is skipped whole.
    ASSERT_TRUE(read("s exact " + std::string(254, 'y') + "\n// " + std::string(400, 'c') + " f hidden 1\nf shown 2\n"));
    EXPECT_EQ(table.findLineS("exact"), std::string(254, 'y'));
    EXPECT_FALSE(table.hasKey("hidden"));
    EXPECT_FLOAT_EQ(table.findLineF("shown"), 2.0f);
}

TEST_F(ScriptTest, BadNumberWarnsSkipsTheLineAndGoesOn)
{
    ASSERT_TRUE(read("f bad abc f notRead 3\nf good 4\n"));
    EXPECT_TRUE(table.hasKey("bad"));
    EXPECT_FALSE(table.hasKey("notRead"));
    EXPECT_FLOAT_EQ(table.findLineF("good"), 4.0f);
    EXPECT_TRUE(consoleHas("^yWARNING: ^wUnreadable number for key ^ybad"));
}

TEST_F(ScriptTest, IndexAnswersLikeAFirstMatchScanAcrossGrowth)
{
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "f key" + std::to_string(i % 1000) + " " + std::to_string(i) + "\n";
    ASSERT_TRUE(read(text));
    ASSERT_EQ(table.getLineAmount(), 5000);
    for (int k = 0; k < 1000; ++k) EXPECT_FLOAT_EQ(table.findLineF("key" + std::to_string(k)), float(k));
}

TEST_F(ScriptTest, EntryLimitStopsWithAnError)
{
    const int limit = scriptObject::maxEntries;
    std::string text;
    text.reserve(size_t(limit) * 6);
    for (int i = 0; i < limit; ++i) text += "f k 1\n";
    ASSERT_FALSE(read(text + "f extra 2\n"));
    EXPECT_EQ(table.getLineAmount(), limit);
    EXPECT_FALSE(table.hasKey("extra"));
    EXPECT_TRUE(consoleHas("^rERROR: ^w"));

    // Exactly at the limit without a trailing line end: the read succeeds.
    table.clear();
    text.pop_back();
    ASSERT_TRUE(read(text));
    EXPECT_EQ(table.getLineAmount(), limit);
}

TEST_F(ScriptTest, EntriesAcrossThePiecesOfALargeFile)
{
    // Entries of every shape, shifted so that the ends of the pieces the file
    // is read in fall inside each of them; and a key longer than a piece.
    const std::string longKey(100000, 'k');
    for (int shift = 0; shift < 24; ++shift) {
        std::string text = "// " + std::string(shift, '-') + "\n";
        for (int i = 0; i < 6000; ++i) {
            const std::string n = std::to_string(i);
            text += "f n" + n + " " + n + ".5e1\ns t" + n + " text " + n + "\r\nf\nsplit" + n + "\n  -" + n + "\n";
        }
        ASSERT_TRUE(read(text + "f " + longKey + " 3"));
        for (int i = 0; i < 6000; i += 7) {
            const std::string n = std::to_string(i);
            ASSERT_FLOAT_EQ(table.findLineF("n" + n), (float(i) + 0.5f) * 10.0f) << shift << ' ' << i;
            ASSERT_EQ(table.findLineS("t" + n), "text " + n) << shift << ' ' << i;
            ASSERT_FLOAT_EQ(table.findLineF("split" + n), -float(i)) << shift << ' ' << i;
        }
        ASSERT_FLOAT_EQ(table.findLineF(longKey), 3.0f);
        table.clear();
    }
}

TEST_F(ScriptTest, ATakerKeepsEntriesOutOfTheTable)
{
    std::vector<std::pair<std::string, float>> taken;
    const auto take = [&](std::string_view key, float value) {
        if (key[0] != 't') return false;
        taken.emplace_back(key, value);
        return true;
    };
    ASSERT_TRUE(table.readFile(dir.write("t.cfg", "f tile 5\nf kept 1\ns text words\nf tile 6\nf bad x\n"), take));
    EXPECT_EQ(taken, (std::vector<std::pair<std::string, float>>{{"tile", 5.0f}, {"text", 0.0f}, {"tile", 6.0f}}));
    EXPECT_EQ(table.getLineAmount(), 5);
    EXPECT_FALSE(table.hasKey("tile"));
    EXPECT_FLOAT_EQ(table.findLineF("kept"), 1.0f);
    EXPECT_TRUE(table.hasKey("bad"));

    // What the taker throws reaches the reader's caller as it is; the table is left empty.
    const auto fail = [](std::string_view, float) -> bool { throw std::bad_alloc(); };
    EXPECT_THROW(table.readFile(dir.file("t.cfg"), fail), std::bad_alloc);
    EXPECT_EQ(table.getLineAmount(), 0);
}

TEST(DecimalPrefix, ShortNumbersConvertAsTheLibraryDoes)
{
    // Up to seven digits take a quicker way than longer ones: both must give
    // the nearest float, as strtof does.
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int digits = 1 + int(seed >> 8) % 9;
        std::string text = (seed & 1) ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            seed = seed * 1664525u + 1013904223u;
            text += char('0' + (seed >> 16) % 10);
        }
        text.insert(text.size() - size_t(seed >> 24) % size_t(digits), ".");
        ASSERT_EQ(decimalPrefixToFloat(text), std::strtof(text.c_str(), nullptr)) << text;
    }
}

TEST(TruncateNumber, TowardZeroAndSaturated)
{
    for (auto [f, want] : {std::pair{-0.5f, 0}, {1.9f, 1}, {-1.9f, -1}, {1e20f, std::numeric_limits<int>::max()},
                           {-1e20f, std::numeric_limits<int>::min()}})
        EXPECT_EQ(truncateNumber(f), want) << f;
}

}  // namespace
