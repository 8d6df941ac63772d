#pragma once
// The benchmarks' small timing harness: runs a body a number of times per sample, takes several
// samples with QueryPerformanceCounter and reports the median time per run, so that one slow
// sample (a page fault, another process) does not decide.
#include <windows.h>
#include <algorithm>
#include <vector>

namespace bench {

inline double Now() {
    static const double freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / freq;
}

// Median nanoseconds per run of body over samples samples of runs runs each.
template <class Body>
double MedianNs(int samples, long runs, Body&& body) {
    body(runs / 10 + 1);  // warm up caches and lazily built indexes
    std::vector<double> ns;
    for (int s = 0; s < samples; ++s) {
        const double t0 = Now();
        body(runs);
        ns.push_back((Now() - t0) * 1e9 / static_cast<double>(runs));
    }
    std::nth_element(ns.begin(), ns.begin() + samples / 2, ns.end());
    return ns[static_cast<std::size_t>(samples / 2)];
}

// Keeps a value alive so that the compiler cannot drop the work that made it.
template <class T>
inline void Keep(const T& value) {
    asm volatile("" : : "r,m"(value) : "memory");
}

}  // namespace bench
