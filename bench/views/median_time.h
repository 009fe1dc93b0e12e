#pragma once
// The median wall time of repeated runs, after one run that warms caches and fonts.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

inline double medianMs(const std::function<void()>& run, int repeats) {
    run();
    std::vector<double> t;
    for (int i = 0; i < repeats; ++i) {
        const auto a = std::chrono::steady_clock::now();
        run();
        const auto b = std::chrono::steady_clock::now();
        t.push_back(std::chrono::duration<double, std::milli>(b - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}
