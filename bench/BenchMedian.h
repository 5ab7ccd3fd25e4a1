#pragma once
// The median of a benchmark's rounds: one slow round (another process busy) moves it little.
#include <windows.h>
#include <algorithm>
#include <vector>

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of nRounds runs of fn, in milliseconds.
template <class F> double MedianMilliseconds(int nRounds, F fn)
{
    LARGE_INTEGER frequency = {};
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < nRounds; ++i) {
        LARGE_INTEGER start = {}, end = {};
        ::QueryPerformanceCounter(&start);
        fn();
        ::QueryPerformanceCounter(&end);
        times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
    }
    return Median(times);
}
