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
#include <fstream>
#include <functional>
#include <sstream>

#include "core/log.h"

scriptObject uiInfo;
scriptObject scriptUI;
scriptObject scriptHelp;
scriptObject scriptMap;
scriptObject scriptLogic;

namespace {

constexpr size_t storeBlockSize = 1u << 20;
constexpr size_t minIndexSlots = 64;

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
    scriptParser(scriptObject& table, const std::string& path, const std::string& text)
        : table(table), path(path), text(text) {}

    bool run();

private:
    scriptObject& table;
    const std::string& path;
    const std::string& text;
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
    return std::string_view(text).substr(start, pos - start);
}

void scriptParser::skipLine()
{
    const size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) {
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
    if (end == std::string::npos) {
        end = text.size();
        pos = end;
        good = false;
    } else {
        pos = end + 1;
    }
    if (end > start && text[end - 1] == '\r') --end;  // lines written on Windows
    return std::string_view(text).substr(start, end - start);
}

// Optional sign, digits with an optional fraction (at least one digit), and
// an optional exponent. Leaves pos after the number; false when none is there.
bool scriptParser::readNumber(float& value)
{
    skipBlanks();
    const size_t start = pos;
    size_t p = pos;
    auto digits = [&]() {
        const size_t from = p;
        while (p < text.size() && text[p] >= '0' && text[p] <= '9') ++p;
        return p - from;
    };
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
    size_t mantissa = digits();
    if (p < text.size() && text[p] == '.') {
        ++p;
        mantissa += digits();
    }
    if (mantissa == 0) {
        if (pos >= text.size()) good = false;
        return false;
    }
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        size_t q = p + 1;
        if (q < text.size() && (text[q] == '+' || text[q] == '-')) ++q;
        const size_t expStart = q;
        while (q < text.size() && text[q] >= '0' && text[q] <= '9') ++q;
        if (q > expStart) p = q;
    }
    const char* first = text.data() + start;
    if (*first == '+') ++first;
    float parsed = 0.0f;
    const auto result = std::from_chars(first, text.data() + p, parsed);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a float's range: saturate the way formatted input does.
        const double wide = std::strtod(std::string(first, text.data() + p).c_str(), nullptr);
        const double limit = std::numeric_limits<float>::max();
        parsed = static_cast<float>(std::clamp(wide, -limit, limit));
    }
    value = parsed;
    pos = p;
    if (pos >= text.size()) good = false;
    return true;
}

void scriptParser::addEntry(char kind, std::string_view key, std::string_view datas, float dataf)
{
    scriptObject::entry e;
    e.type = kind;
    e.pointer = table.store(key);
    e.datas = table.store(datas);
    e.dataf = dataf;
    table.entries.push_back(e);
    table.indexInsert(table.lineAmount);
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
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in) {
        systemMsg(QV_ERROR "Error loading/reading file ^y" + path);
        return false;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    scriptParser parser(*this, path, text);
    return parser.run();
}

std::string_view scriptObject::store(std::string_view text)
{
    if (text.empty()) return std::string_view();
    if (blockUsed + text.size() > blockSize) {
        blockSize = std::max(storeBlockSize, text.size());
        blocks.push_back(std::make_unique<char[]>(blockSize));
        blockUsed = 0;
    }
    char* at = blocks.back().get() + blockUsed;
    std::memcpy(at, text.data(), text.size());
    blockUsed += text.size();
    return std::string_view(at, text.size());
}

void scriptObject::indexGrow(int count)
{
    const size_t slots = std::max(minIndexSlots, index.size() * 2);
    index.assign(slots, 0);
    const size_t mask = slots - 1;
    for (int i = 0; i < count; ++i) {
        // Only first occurrences are indexed; later duplicates are skipped.
        const entry& e = entries[static_cast<size_t>(i)];
        const uint32_t h = hashes[static_cast<size_t>(i)];
        size_t slot = h & mask;
        bool duplicate = false;
        while (index[slot] != 0) {
            const uint32_t other = index[slot] - 1;
            if (hashes[other] == h && entries[other].pointer == e.pointer) {
                duplicate = true;
                break;
            }
            slot = (slot + 1) & mask;
        }
        if (!duplicate) index[slot] = static_cast<uint32_t>(i) + 1;
    }
}

void scriptObject::indexInsert(int entryNumber)
{
    const entry& e = entries[static_cast<size_t>(entryNumber)];
    const uint32_t h = hashKey(e.pointer);
    hashes.push_back(h);
    if ((static_cast<size_t>(entryNumber) + 1) * 2 > index.size()) {
        indexGrow(entryNumber + 1);  // re-indexes every entry, this one included
        return;
    }
    const size_t mask = index.size() - 1;
    size_t slot = h & mask;
    while (index[slot] != 0) {
        const uint32_t other = index[slot] - 1;
        if (hashes[other] == h && entries[other].pointer == e.pointer) return;  // first one wins
        slot = (slot + 1) & mask;
    }
    index[slot] = static_cast<uint32_t>(entryNumber) + 1;
}

int scriptObject::indexFind(std::string_view key) const
{
    if (index.empty() || lineAmount == 0) return -1;
    const uint32_t h = hashKey(key);
    const size_t mask = index.size() - 1;
    size_t slot = h & mask;
    while (index[slot] != 0) {
        const uint32_t other = index[slot] - 1;
        if (hashes[other] == h && entries[other].pointer == key) return static_cast<int>(other);
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
    hashes.clear();
    index.clear();
    blocks.clear();
    blockUsed = blockSize = 0;
    lineAmount = 0;
}
