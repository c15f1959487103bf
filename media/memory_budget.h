// A budget of memory that loading a game counts against: what is charged
// stays within the limit. Each game's load starts the count afresh, and what
// was charged for something not kept after all is given back.
#pragma once
#include <algorithm>

constexpr unsigned long long mebibyte = 1ull << 20;

class memoryBudget {
public:
    explicit constexpr memoryBudget(unsigned long long limit) : limit(limit) {}
    // Nothing is counted.
    void start() { counted = 0; }
    // Counts `bytes`; when they would pass the limit, counts nothing and
    // returns false.
    bool charge(unsigned long long bytes)
    {
        if (bytes > limit - counted) return false;
        counted += bytes;
        return true;
    }
    void refund(unsigned long long bytes) { counted -= std::min(bytes, counted); }

private:
    unsigned long long limit;
    unsigned long long counted = 0;
};
