// The `.cfg` reader. The whole file is read into memory and parsed by hand with
// the semantics of word-by-word stream extraction: words cross line ends, a
// number is read as the longest valid prefix of the next word and reading goes
// on right after it, a string entry takes the rest of its line.
#include "core/script.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/file_kind.h"
#include "core/log.h"

scriptObject uiInfo;
scriptObject scriptUI;
scriptObject scriptHelp;
scriptObject scriptMap;
scriptObject scriptLogic;

namespace {

constexpr size_t minIndexSlots = 64;
constexpr size_t typicalLineLength = 24;  // to size the tables before a read

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

uint32_t hashKey(std::string_view key)
{
    return static_cast<uint32_t>(std::hash<std::string_view>{}(key));
}

}  // namespace

// One pass over one file's text. `good` mirrors a stream's good state: it
// drops when a read runs into the end of the text.
class scriptParser {
public:
    scriptParser(scriptObject& table, const std::string& path, std::string_view text)
        : table(table), path(path), text(text) {}

    bool run();

private:
    scriptObject& table;
    const std::string& path;
    std::string_view text;
    size_t pos = 0;
    bool good = true;

    void skipBlanks();
    std::string_view readWord();
    void skipLine();
    std::string_view readRestOfLine();
    bool readNumber(float& value);
    void addNumber(char kind, std::string_view key);
    void addString(char kind, std::string_view key);
    void addEntry(char kind, std::string_view key, std::string_view datas, float dataf);
};

void scriptParser::skipBlanks()
{
    while (pos < text.size() && isBlank(text[pos])) ++pos;
}

std::string_view scriptParser::readWord()
{
    skipBlanks();
    const size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos])) ++pos;
    if (pos >= text.size()) good = false;
    return text.substr(start, pos - start);
}

void scriptParser::skipLine()
{
    const size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) {
        pos = text.size();
        good = false;
    } else {
        pos = nl + 1;
    }
}

std::string_view scriptParser::readRestOfLine()
{
    const size_t start = pos;
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) {
        end = text.size();
        pos = end;
        good = false;
    } else {
        pos = end + 1;
    }
    if (end > start && text[end - 1] == '\r') --end;  // lines written on Windows
    return text.substr(start, end - start);
}

// Optional sign, digits with an optional fraction (at least one digit), and
// an optional exponent. Leaves pos after the number; false when none is there.
bool scriptParser::readNumber(float& value)
{
    skipBlanks();
    const size_t length = decimalPrefixLength(text.substr(pos));
    if (length == 0) {
        if (pos >= text.size()) good = false;
        return false;
    }
    value = decimalPrefixToFloat(text.substr(pos, length));
    pos += length;
    if (pos >= text.size()) good = false;
    return true;
}

void scriptParser::addEntry(char kind, std::string_view key, std::string_view datas, float dataf)
{
    scriptObject::entry e;
    e.type = kind;
    e.pointer = key;
    e.datas = datas;
    e.dataf = dataf;
    e.firstOfKey = false;
    table.entries.push_back(e);
    ++table.lineAmount;
}

void scriptParser::addNumber(char kind, std::string_view key)
{
    float value = 0.0f;
    if (readNumber(value)) {
        addEntry(kind, key, std::string_view(), value);
        return;
    }
    addEntry(kind, key, std::string_view(), 0.0f);
    std::ostringstream warning;
    warning << QV_WARNING "Unreadable number for key ^y" << key << "^w in ^y" << path
            << "^w; the rest of the line is skipped.";
    systemMsg(warning.str());
    if (good) skipLine();
}

void scriptParser::addString(char kind, std::string_view key)
{
    std::string_view rest = readRestOfLine();
    if (rest.size() > scriptObject::maxLineRemainder) {
        rest = rest.substr(0, scriptObject::maxLineRemainder);
        std::ostringstream warning;
        warning << QV_WARNING "The text of key ^y" << key << "^w in ^y" << path << "^w is longer than "
                << scriptObject::maxLineRemainder - 1 << " characters; the rest of the line is skipped.";
        systemMsg(warning.str());
    }
    if (!rest.empty()) rest.remove_prefix(1);  // the separating blank
    addEntry(kind, key, rest, 0.0f);
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
        const bool number = kind == "f" || kind == "F";
        const bool string = kind == "s" || kind == "S";
        if (!number && !string) {
            if (good) skipLine();
            continue;
        }
        const std::string_view key = good ? readWord() : std::string_view();
        if (key.empty() || key == "//") {
            if (good) skipLine();
            continue;
        }
        if (number) addNumber(kind[0], key);
        else addString(kind[0], key);
    }
    systemMsg("^y" + path + " ^whas been successfully loaded");
    return true;
}

size_t decimalPrefixLength(std::string_view text)
{
    auto isDigit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (isDigit(i)) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (isDigit(i)) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (isDigit(e)) {
            while (isDigit(e)) ++e;
            i = e;
        }
    }
    return i;
}

double decimalPrefixToDouble(std::string_view text)
{
    const size_t length = decimalPrefixLength(text);
    if (length == 0) return 0.0;
    return std::strtod(std::string(text.substr(0, length)).c_str(), nullptr);
}

float decimalPrefixToFloat(std::string_view text)
{
    const size_t length = decimalPrefixLength(text);
    if (length == 0) return 0.0f;
    const char* first = text.data();
    const char* last = text.data() + length;
    if (*first == '+') ++first;
    float value = 0.0f;
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

bool scriptObject::readFile(const std::string& path)
{
    // Looked at before the open: opening a named pipe would wait for a writer for good.
    const fileKind kind = fileKindOf(path);
    if (kind != fileKindRegular) {
        const std::string what = kind == fileKindMissing ? "" : std::string("^w: it is ") + fileKindText(kind);
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path + what);
        return false;
    }
    try {
        return readRegularFile(path);
    } catch (const std::exception& e) {
        // Memory ran out part way: the table answers nothing rather than part of a file.
        clear();
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path + "^w: " + e.what());
        return false;
    }
}

bool scriptObject::readRegularFile(const std::string& path)
{
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in) {
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path);
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    const size_t size = end > 0 ? static_cast<size_t>(end) : 0;
    fileTexts.push_back(std::make_unique<char[]>(size + 1));
    char* buffer = fileTexts.back().get();
    if (size > 0) in.read(buffer, static_cast<std::streamsize>(size));
    const std::string_view text(buffer, static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    in.close();
    reserveFor(text.size() / typicalLineLength);
    const int firstNew = lineAmount;
    scriptParser parser(*this, path, text);
    const bool result = parser.run();
    indexEntries(firstNew);
    return result;
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
    hashes.reserve(static_cast<size_t>(lineAmount - from));
    for (int i = from; i < lineAmount; ++i) hashes.push_back(hashKey(entries[static_cast<size_t>(i)].pointer));
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
    entries.clear();
    index.clear();
    indexed = 0;
    nextHint = 0;
    fileTexts.clear();
    lineAmount = 0;
}
