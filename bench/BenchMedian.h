#pragma once
// Timing for the benchmarks, and the median of their rounds: one slow round (another
// process busy) moves it little.
#include <windows.h>
#include <algorithm>
#include <vector>

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The performance counter now, for MillisecondsSince.
inline LARGE_INTEGER BenchNow()
{
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    return now;
}

inline double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER frequency = {};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(BenchNow().QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The time of one run of fn, in milliseconds.
template <class F> double Milliseconds(F fn)
{
    const LARGE_INTEGER start = BenchNow();
    fn();
    return MillisecondsSince(start);
}

// The median time of nRounds runs of fn, in milliseconds.
template <class F> double MedianMilliseconds(int nRounds, F fn)
{
    std::vector<double> times;
    for (int i = 0; i < nRounds; ++i)
        times.push_back(Milliseconds(fn));
    return Median(times);
}
