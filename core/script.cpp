// The `.cfg` reader. A file is read piece by piece and parsed by hand with the
// semantics of word-by-word stream extraction: words cross line ends, a number
// is read as the longest valid prefix of the next word and reading goes on
// right after it, a string entry takes the rest of its line. The table keeps
// a copy of the key and text of each entry it holds, in blocks of its own.
#include "core/script.h"
#include "core/script_internal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <cstring>
#include <exception>
#include <functional>
#include <sstream>

#include "core/file_kind.h"
#include "core/file_read.h"
#include "core/log.h"

scriptObject uiInfo;
scriptObject scriptUI;
scriptObject scriptHelp;
scriptObject scriptMap;
scriptObject scriptLogic;

namespace {

constexpr size_t minIndexSlots = 64;
constexpr size_t typicalLineLength = 24;  // to size the tables before a read

// The blanks that separate words: space, tab, line feed, vertical tab, form
// feed and carriage return, as a table by byte.
struct blankTable {
    bool blank[256] = {};
    constexpr blankTable()
    {
        for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) blank[c] = true;
    }
};
constexpr blankTable blanks;

bool isBlank(char c)
{
    return blanks.blank[static_cast<unsigned char>(c)];
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Powers of ten a float holds exactly; a mantissa of up to seven digits is
// below 2^24 and so exact in a float too.
constexpr float exactPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
constexpr size_t maxExactDigits = 7;

// The number syntax at the start of `text`: its length (0 when there is
// none). A number of at most seven digits and no exponent is also converted,
// by one division of two exact floats: that is the nearest float to it, as a
// full conversion gives; `quick` tells whether it was.
size_t scanDecimal(std::string_view text, float& value, bool& quick)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-')) ++p;
    uint32_t mantissa = 0;  // wraps harmlessly past seven digits, where it is not used
    const char* const integerStart = p;
    for (; p < end && isDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<uint32_t>(*p - '0');
    size_t digits = static_cast<size_t>(p - integerStart), fractionDigits = 0;
    if (p < end && *p == '.') {
        const char* const fractionStart = ++p;
        for (; p < end && isDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<uint32_t>(*p - '0');
        fractionDigits = static_cast<size_t>(p - fractionStart);
        digits += fractionDigits;
    }
    quick = false;
    if (digits == 0) return 0;
    bool exponent = false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* e = p + 1;
        if (e < end && (*e == '+' || *e == '-')) ++e;
        if (e < end && isDigit(*e)) {
            while (e < end && isDigit(*e)) ++e;
            p = e;
            exponent = true;
        }
    }
    if (!exponent && digits <= maxExactDigits) {
        value = static_cast<float>(mantissa) / exactPowersOfTen[fractionDigits];
        if (negative) value = -value;
        quick = true;
    }
    return static_cast<size_t>(p - begin);
}

// Whether any of the eight bytes of `v` is below 0x21: every blank is.
bool anyByteBelowBang(uint64_t v)
{
    constexpr uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    return ((v - ones * 0x21) & ~v & highs) != 0;
}

uint32_t hashKey(std::string_view key)
{
    return static_cast<uint32_t>(std::hash<std::string_view>{}(key));
}

scriptStreamOpener streamOpener = openRegularFileStream;

}  // namespace

void setScriptStreamOpener(scriptStreamOpener opener)
{
    streamOpener = opener ? opener : openRegularFileStream;
}

// One pass over one file, read through a window that holds the word, number
// or line being read (it grows for a longer one); what a kept entry needs is
// copied into the table. `good` mirrors a stream's good state: it drops when
// a read runs into the end of the file, or into a read error, which fails the
// whole file.
class scriptParser {
public:
    scriptParser(scriptObject& table, const std::string& path, std::istream& in, const scriptObject::entryTaker& take)
        : table(table), path(path), in(in), take(take), window(new char[windowStartSize]), capacity(windowStartSize)
    {
    }

    // False at the entry limit (the entries read stay) and at a read error
    // (the caller drops the file's entries), each with its error line.
    bool run();
    bool readFailed() const { return readError; }

private:
    static constexpr size_t windowStartSize = 64 * 1024;

    scriptObject& table;
    const std::string& path;
    std::istream& in;
    const scriptObject::entryTaker& take;
    std::unique_ptr<char[]> window;
    size_t capacity;
    size_t size = 0;  // bytes of the file in the window
    size_t pos = 0;   // the read position in the window
    size_t keep = 0;  // the window keeps the bytes from here on when it moves
    size_t keyLength = 0;  // the key of the entry being read starts at keep
    bool endOfFile = false;
    bool good = true;
    bool readError = false;
    int readErrno = 0;  // the cause of a read error, when the system gave one

    bool refill();
    std::string_view viewOf(size_t from, size_t to) const { return std::string_view(window.get() + from, to - from); }
    std::string_view key() const { return viewOf(keep, keep + keyLength); }
    void skipBlanks(bool dropThem = true);
    size_t skipNonBlanks(size_t at);
    std::string_view readWord();
    size_t findLineEnd(bool dropLine);
    void skipLine();
    std::string_view readRestOfLine();
    bool readNumber(float& value);
    void addNumber(char kind);
    void addString(char kind);
    void addEntry(char kind, std::string_view datas, float dataf);
    bool takeEntry(float dataf);
};

// Moves the bytes from `keep` on to the start of the window (pos and keep
// move with them) and reads more of the file after them, growing the window
// when it is full. False when the file has no more.
bool scriptParser::refill()
{
    if (endOfFile) return false;
    if (keep > 0) {
        std::memmove(window.get(), window.get() + keep, size - keep);
        size -= keep;
        pos -= keep;
        keep = 0;
    }
    if (size == capacity) {
        std::unique_ptr<char[]> grown(new char[capacity * 2]);
        std::memcpy(grown.get(), window.get(), size);
        window = std::move(grown);
        capacity *= 2;
    }
    const size_t wanted = capacity - size;
    errno = 0;
    in.read(window.get() + size, static_cast<std::streamsize>(wanted));
    const size_t got = static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0));
    size += got;
    if (got < wanted) endOfFile = true;
    if (in.bad()) {
        // Not the end of the file: what follows is unknown, so nothing of it counts.
        readError = true;
        readErrno = errno;
        return false;
    }
    return got > 0;
}

// Blanks between entries are not kept: the window may drop them.
void scriptParser::skipBlanks(bool dropThem)
{
    for (;;) {
        while (pos < size && isBlank(window[pos])) ++pos;
        if (dropThem) keep = pos;
        if (pos < size || !refill()) return;
    }
}

// The end of the non-blank run from `at` (at or past pos), read into the
// window whole: below size unless the file ends with it.
size_t scriptParser::skipNonBlanks(size_t at)
{
    for (;;) {
        // Eight bytes at a time while none of them can be a blank.
        for (uint64_t eight = 0; at + sizeof eight <= size; at += sizeof eight) {
            std::memcpy(&eight, window.get() + at, sizeof eight);
            if (anyByteBelowBang(eight)) break;
        }
        while (at < size && !isBlank(window[at])) ++at;
        const size_t fromKeep = at - keep;
        if (at < size || !refill()) return at;
        at = keep + fromKeep;
    }
}

std::string_view scriptParser::readWord()
{
    skipBlanks();
    pos = skipNonBlanks(pos);
    if (pos >= size) good = false;
    return viewOf(keep, pos);
}

// The line feed that ends the line at pos, read into the window, or size
// (with good dropped) when the file ends first. A dropped line is not kept:
// the window may move past it (pos with it).
size_t scriptParser::findLineEnd(bool dropLine)
{
    size_t at = pos;
    for (;;) {
        if (const void* nl = std::memchr(window.get() + at, '\n', size - at))
            return static_cast<size_t>(static_cast<const char*>(nl) - window.get());
        if (dropLine) pos = keep = size;
        const size_t fromKeep = size - keep;
        if (!refill()) {
            good = false;
            return size;
        }
        at = keep + fromKeep;
    }
}

void scriptParser::skipLine()
{
    const size_t end = findLineEnd(true);
    pos = end < size ? end + 1 : size;
}

std::string_view scriptParser::readRestOfLine()
{
    size_t end = findLineEnd(false);
    const size_t start = pos;  // moved with the window, which keeps the line
    pos = end < size ? end + 1 : size;
    if (end > start && window[end - 1] == '\r') --end;  // lines written on Windows
    return viewOf(start, end);
}

// Optional sign, digits with an optional fraction (at least one digit), and
// an optional exponent. Leaves pos after the number; false when none is there.
bool scriptParser::readNumber(float& value)
{
    // The window may end inside the number (or the exponent it may end with):
    // then the whole word is read in first (a number never holds a blank).
    constexpr size_t exponentLookahead = 3;  // "e", a sign, a digit
    skipBlanks(false);
    bool quick = false;
    std::string_view rest = viewOf(pos, size);
    size_t length = scanDecimal(rest, value, quick);
    if (pos + length + exponentLookahead > size && !endOfFile) {
        skipNonBlanks(pos);
        rest = viewOf(pos, size);
        length = scanDecimal(rest, value, quick);
    }
    if (length == 0) {
        if (pos >= size) good = false;
        return false;
    }
    if (!quick) value = decimalPrefixToFloat(rest.substr(0, length));
    pos += length;
    if (pos >= size) good = false;
    return true;
}

void scriptParser::addEntry(char kind, std::string_view datas, float dataf)
{
    ++table.lineAmount;
    if (take && takeEntry(dataf)) return;
    scriptObject::entry e;
    e.type = kind;
    e.pointer = table.keepText(key());
    e.datas = table.keepText(datas);
    e.dataf = dataf;
    e.firstOfKey = false;
    table.entries.push_back(e);
}

bool scriptParser::takeEntry(float dataf)
{
    try {
        return take(key(), dataf);
    } catch (...) {
        throw scriptObject::takerFailure{std::current_exception()};
    }
}

void scriptParser::addNumber(char kind)
{
    float value = 0.0f;
    if (readNumber(value)) {
        addEntry(kind, std::string_view(), value);
        return;
    }
    addEntry(kind, std::string_view(), 0.0f);
    std::ostringstream warning;
    warning << QV_WARNING "Unreadable number for key ^y" << key() << "^w in ^y" << path
            << "^w; the rest of the line is skipped.";
    systemMsg(warning.str());
    if (good) skipLine();
}

void scriptParser::addString(char kind)
{
    std::string_view rest = readRestOfLine();
    if (rest.size() > scriptObject::maxLineRemainder) {
        rest = rest.substr(0, scriptObject::maxLineRemainder);
        std::ostringstream warning;
        warning << QV_WARNING "The text of key ^y" << key() << "^w in ^y" << path << "^w is longer than "
                << scriptObject::maxLineRemainder - 1 << " characters; the rest of the line is skipped.";
        systemMsg(warning.str());
    }
    if (!rest.empty()) rest.remove_prefix(1);  // the separating blank
    addEntry(kind, rest, 0.0f);
}

bool scriptParser::run()
{
    while (good) {
        if (table.lineAmount >= scriptObject::maxEntries) {
            std::ostringstream error;
            error << QV_ERROR "^y" << path << "^w holds more than " << scriptObject::maxEntries
                  << " entries; the rest of the file is not read.";
            systemMsg(error.str());
            return false;
        }
        const std::string_view kind = readWord();
        const char letter = kind.size() == 1 ? kind[0] : '\0';
        const bool number = letter == 'f' || letter == 'F';
        const bool string = letter == 's' || letter == 'S';
        if (!number && !string) {
            if (good) skipLine();
            continue;
        }
        const std::string_view word = good ? readWord() : std::string_view();
        if (word.empty() || word == "//") {
            if (good) skipLine();
            continue;
        }
        keyLength = word.size();  // the window keeps the key until the entry is read
        if (number) addNumber(letter);
        else addString(letter);
    }
    if (readError) {
        const std::string cause = readErrno != 0 ? std::string(" (") + std::strerror(readErrno) + ")" : "";
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path + "^w: it could not be read to its end" + cause);
        return false;
    }
    systemMsg("^y" + path + " ^whas been successfully loaded");
    return true;
}

size_t decimalPrefixLength(std::string_view text)
{
    float value = 0.0f;
    bool quick = false;
    return scanDecimal(text, value, quick);
}

double decimalPrefixToDouble(std::string_view text)
{
    const size_t length = decimalPrefixLength(text);
    if (length == 0) return 0.0;
    return std::strtod(std::string(text.substr(0, length)).c_str(), nullptr);
}

float decimalPrefixToFloat(std::string_view text)
{
    float value = 0.0f;
    bool quick = false;
    const size_t length = scanDecimal(text, value, quick);
    if (length == 0) return 0.0f;
    if (quick) return value;
    const char* first = text.data();
    const char* last = text.data() + length;
    if (*first == '+') ++first;
    if (std::from_chars(first, last, value).ec == std::errc::result_out_of_range) {
        // Beyond a float's range the value saturates, as formatted input does.
        const double wide = decimalPrefixToDouble(text);
        const double limit = std::numeric_limits<float>::max();
        value = static_cast<float>(std::clamp(wide, -limit, limit));
    }
    return value;
}

int truncateNumber(float value)
{
    if (!(value == value)) return 0;  // NaN
    constexpr double low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(static_cast<double>(value), low, high));
}

scriptObject::scriptObject() = default;
scriptObject::~scriptObject() = default;

bool scriptObject::readFile(const std::string& path, const entryTaker& take)
{
    // Looked at before the open: a named pipe is never opened (that would let
    // a writer waiting on it go on), and a file larger than any game needs is
    // not read at all. The open looks at what it opened again.
    unsigned long long size = 0;
    if (!regularFileSize(path, size)) {
        const fileKind kind = fileKindOf(path);
        const std::string what = kind == fileKindMissing ? "" : std::string("^w: it is ") + fileKindText(kind);
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path + what);
        return false;
    }
    if (size > maxFileBytes) {
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path + "^w: it " + fileTooLargeText(size, maxFileBytes));
        return false;
    }
    try {
        return readRegularFile(path, size, take);
    } catch (const takerFailure& failure) {
        clear();
        std::rethrow_exception(failure.cause);
    } catch (const std::exception& e) {
        // Memory ran out part way: the table answers nothing rather than part of a file.
        clear();
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path + "^w: " + e.what());
        return false;
    }
}

bool scriptObject::readRegularFile(const std::string& path, unsigned long long size, const entryTaker& take)
{
    const std::unique_ptr<std::istream> in = streamOpener(path);
    if (!in || !*in) {
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path);
        return false;
    }
    if (!take) reserveFor(static_cast<size_t>(size / typicalLineLength));  // a taker takes most of a large file
    const size_t firstNew = entries.size();
    const int linesBefore = lineAmount;
    scriptParser parser(*this, path, *in, take);
    const bool result = parser.run();
    if (parser.readFailed()) {
        // The table answers as if the file had not been read.
        entries.resize(firstNew);
        lineAmount = linesBefore;
        return false;
    }
    indexEntries(static_cast<int>(firstNew));
    return result;
}

std::string_view scriptObject::keepText(std::string_view text)
{
    if (text.empty()) return std::string_view();
    if (textLeft < text.size()) {
        const size_t block = std::max(textBlockSize, text.size());
        keptTexts.push_back(std::unique_ptr<char[]>(new char[block]));
        textNext = keptTexts.back().get();
        textLeft = block;
    }
    std::memcpy(textNext, text.data(), text.size());
    const std::string_view kept(textNext, text.size());
    textNext += text.size();
    textLeft -= text.size();
    return kept;
}

void scriptObject::reserveFor(size_t moreEntries)
{
    const size_t total = std::min(entries.size() + moreEntries, size_t(maxEntries));
    entries.reserve(total);
}

void scriptObject::indexRebuild(size_t slots)
{
    std::vector<indexSlot> old;
    old.swap(index);
    index.assign(slots, indexSlot{0, 0});
    const size_t mask = slots - 1;
    for (const indexSlot& from : old) {
        if (from.entryPlusOne == 0) continue;
        size_t slot = from.hash & mask;
        while (index[slot].entryPlusOne != 0) slot = (slot + 1) & mask;
        index[slot] = from;
    }
}

void scriptObject::indexEntries(int from)
{
    // Hashes first, then the inserts in entry order (so the first entry of a
    // key still wins), fetching each slot a few entries ahead.
    constexpr int prefetchDistance = 64;
    std::vector<uint32_t> hashes;
    hashes.reserve(entries.size() - static_cast<size_t>(from));
    for (size_t i = static_cast<size_t>(from); i < entries.size(); ++i) hashes.push_back(hashKey(entries[i].pointer));
    size_t needed = index.empty() ? minIndexSlots : index.size();
    while ((indexed + hashes.size()) * 2 > needed) needed *= 2;
    if (needed != index.size()) indexRebuild(needed);
    const size_t mask = index.size() - 1;
    for (size_t k = 0; k < hashes.size(); ++k) {
        if (k + prefetchDistance < hashes.size()) __builtin_prefetch(&index[hashes[k + prefetchDistance] & mask]);
        indexInsert(from + static_cast<int>(k), hashes[k]);
    }
}

void scriptObject::indexInsert(int entryNumber, uint32_t h)
{
    const std::string_view key = entries[static_cast<size_t>(entryNumber)].pointer;
    const size_t mask = index.size() - 1;
    size_t slot = h & mask;
    while (index[slot].entryPlusOne != 0) {
        const indexSlot& other = index[slot];
        if (other.hash == h && entries[other.entryPlusOne - 1].pointer == key) return;  // first one wins
        slot = (slot + 1) & mask;
    }
    index[slot] = indexSlot{h, static_cast<uint32_t>(entryNumber) + 1};
    entries[static_cast<size_t>(entryNumber)].firstOfKey = true;
    ++indexed;
}

int scriptObject::indexFind(std::string_view key) const
{
    if (indexed == 0) return -1;
    if (nextHint < entries.size() && entries[nextHint].firstOfKey && entries[nextHint].pointer == key)
        return static_cast<int>(nextHint++);
    const uint32_t h = hashKey(key);
    const size_t mask = index.size() - 1;
    size_t slot = h & mask;
    while (index[slot].entryPlusOne != 0) {
        const indexSlot& other = index[slot];
        if (other.hash == h && entries[other.entryPlusOne - 1].pointer == key) {
            nextHint = other.entryPlusOne;
            return static_cast<int>(other.entryPlusOne - 1);
        }
        slot = (slot + 1) & mask;
    }
    return -1;
}

float scriptObject::findLineF(std::string_view key) const
{
    const int i = indexFind(key);
    return i < 0 ? missingNumber : entries[static_cast<size_t>(i)].dataf;
}

std::string scriptObject::findLineS(std::string_view key) const
{
    const int i = indexFind(key);
    return i < 0 ? std::string("NULL") : std::string(entries[static_cast<size_t>(i)].datas);
}

bool scriptObject::hasKey(std::string_view key) const
{
    return indexFind(key) >= 0;
}

void scriptObject::clear()
{
    std::vector<entry>().swap(entries);
    std::vector<indexSlot>().swap(index);
    indexed = 0;
    nextHint = 0;
    std::vector<std::unique_ptr<char[]>>().swap(keptTexts);
    textNext = nullptr;
    textLeft = 0;
    lineAmount = 0;
}
