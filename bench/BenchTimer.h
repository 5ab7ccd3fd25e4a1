#pragma once
// Timing for the benchmarks: the median of several runs, in milliseconds.
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

template <class F> double MedianMs(int nRuns, F fn)
{
    LARGE_INTEGER frequency = {};
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < nRuns; ++i) {
        LARGE_INTEGER start = {}, end = {};
        ::QueryPerformanceCounter(&start);
        fn();
        ::QueryPerformanceCounter(&end);
        times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A path of the source tree (given at compile time) as this program sees it under Wine.
inline std::string SourcePath(const char* pszRelative)
{
    std::string strPath = std::string("Z:") + KELO_SOURCE_DIR + "/" + pszRelative;
    std::replace(strPath.begin(), strPath.end(), '/', '\\');
    return strPath;
}
