// Tables indexed by step id: each family of ids is one array of rows that
// starts at the family's first id; an id outside every family finds nothing.
#pragma once
#include <cstddef>

template <typename row>
struct stepFamily {
    int firstId;
    const row* rows;
    int count;
};

template <typename row, size_t N>
constexpr stepFamily<row> family(int firstId, const row (&rows)[N])
{
    return {firstId, rows, static_cast<int>(N)};
}

// The row of `id` among the families, or null.
template <typename row, size_t F>
const row* findInFamilies(const stepFamily<row> (&families)[F], int id)
{
    for (const stepFamily<row>& f : families)
        if (id >= f.firstId && id < f.firstId + f.count) return &f.rows[id - f.firstId];
    return nullptr;
}
