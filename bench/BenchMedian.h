#pragma once
// The median of a benchmark's rounds: one slow round (another process busy) moves it little.
#include <algorithm>
#include <vector>

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
