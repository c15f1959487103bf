// The median the benches that run fresh processes report: the middle of the
// sorted times (the upper one of an even count); 0 for none.
#pragma once
#include <algorithm>
#include <vector>

inline double median(std::vector<double> v)
{
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
