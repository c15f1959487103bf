// scriptObject: an in-memory table of one or more `.cfg` files, queried by key
// as a number (findLineF) or a text (findLineS). The `.cfg` line format:
//   f <key> <number>      number entry ("F" too)
//   s <key> <text...>     string entry ("S" too): the rest of the line, less its
//                         first character (the separating blank)
//   anything else         comment, up to the line end
// The first entry with a key answers. Lookups go through an index from key to
// first entry, so they answer exactly what a linear first-match scan would.
#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The number syntax of the `.cfg` files: [sign] digits [. digits] [e [sign]
// digits], at least one digit. The length of the longest such prefix of
// `text` (0 when there is none), and its value (0 when there is none; a float
// saturates at its range).
size_t decimalPrefixLength(std::string_view text);
double decimalPrefixToDouble(std::string_view text);
float decimalPrefixToFloat(std::string_view text);

// A number setting truncated toward zero, saturated to the int range.
int truncateNumber(float value);

enum lineType { lineTypeNumber = 0, lineTypeString = 1, lineTypeComment = 2 };

class scriptObject {
public:
    static constexpr int maxEntries = 4000000;
    static constexpr size_t maxLineRemainder = 255;  // separator included
    // The largest file read. The largest game the program can load needs
    // less: a file gives at most maxEntries entries, and the longest entry
    // line the program writes is "s", a blank, a key of at most 32
    // characters (such as map1022object1023sentence3999999), a blank, a text
    // of 254 and a CR LF line end: 291 bytes. With the comment and blank
    // lines written between entries, 320 bytes an entry covers every file.
    static constexpr unsigned long long maxEntryBytes = 320;
    static constexpr unsigned long long maxFileBytes = maxEntries * maxEntryBytes;
    static constexpr float missingNumber = -1.0f;

    scriptObject();
    ~scriptObject();
    scriptObject(const scriptObject&) = delete;
    scriptObject& operator=(const scriptObject&) = delete;

    // Appends the entries of a regular file. False with an error line for
    // anything else and for a file larger than maxFileBytes (neither is
    // opened), for a file that cannot be opened or read to its end (none of
    // its entries is kept), and at the entry limit; when memory runs out the
    // table is left empty.
    // A reader that keeps some entries in a form of its own takes them while
    // the file is read: `take` sees every entry in file order with its key and
    // the number findLineF would answer for it (0 for a text entry). An entry
    // it takes (returns true) counts toward the file's entries but is not kept
    // in the table, so no lookup finds it.
    using entryTaker = std::function<bool(std::string_view key, float number)>;
    bool readFile(const std::string& path, const entryTaker& take = nullptr);
    float findLineF(std::string_view key) const;
    std::string findLineS(std::string_view key) const;
    // True when some entry has this key (tells a stored -1 / "NULL" from none).
    bool hasKey(std::string_view key) const;
    // Empties the table and gives its memory back.
    void clear();
    int getLineAmount() const { return lineAmount; }

private:
    struct entry {
        char type;               // 'f', 'F', 's' or 'S'
        std::string_view pointer;  // the key
        std::string_view datas;    // text of a string entry
        float dataf;               // number of a number entry
        bool firstOfKey;           // no earlier entry has this key
    };
    std::vector<entry> entries;
    int lineAmount = 0;

    // The keys and texts of the entries, copied into blocks; entries view
    // them, so an entry costs no allocation of its own.
    static constexpr size_t textBlockSize = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> keptTexts;
    char* textNext = nullptr;
    size_t textLeft = 0;
    std::string_view keepText(std::string_view text);

    // Open-addressing index of the first entry of each key; a slot holds the
    // key's hash and the entry number + 1 (0 = empty slot).
    struct indexSlot {
        uint32_t hash;
        uint32_t entryPlusOne;
    };
    std::vector<indexSlot> index;
    size_t indexed = 0;  // keys in the index
    // Readers look keys up mostly in the order they were written, so the entry
    // after the last one found is tried before the index.
    mutable size_t nextHint = 0;
    bool readRegularFile(const std::string& path, unsigned long long size, const entryTaker& take);
    // What a reader's taker threw, passed on to the reader's caller as it was
    // rather than reported as a file that cannot be read.
    struct takerFailure {
        std::exception_ptr cause;
    };
    void reserveFor(size_t moreEntries);
    void indexEntries(int from);
    void indexInsert(int entryNumber, uint32_t hash);
    void indexRebuild(size_t slots);
    int indexFind(std::string_view key) const;

    friend class scriptParser;
};

// The tables of the system besides scriptSys (core/system.h): the editor panel
// texts, the loaded menu system, a help file being parsed, and a game's map
// and logic files.
extern scriptObject uiInfo;
extern scriptObject scriptUI;
extern scriptObject scriptHelp;
extern scriptObject scriptMap;
extern scriptObject scriptLogic;
