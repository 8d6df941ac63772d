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

// Nanoseconds per run of one sample of runs runs.
template <class Body>
double SampleNs(long runs, Body& body) {
    const double t0 = Now();
    body(runs);
    return (Now() - t0) * 1e9 / static_cast<double>(runs);
}

inline double Median(std::vector<double> ns) {
    const auto mid = ns.begin() + static_cast<std::ptrdiff_t>(ns.size() / 2);
    std::nth_element(ns.begin(), mid, ns.end());
    return *mid;
}

// Median nanoseconds per run of body over samples samples of runs runs each.
template <class Body>
double MedianNs(int samples, long runs, Body&& body) {
    body(runs / 10 + 1);  // warm up caches and lazily built indexes
    std::vector<double> ns;
    for (int s = 0; s < samples; ++s) ns.push_back(SampleNs(runs, body));
    return Median(ns);
}

// The medians of two bodies measured side by side: their samples alternate, so that a change of
// the machine's pace during the run (another process, a busy neighbour core) falls on both.
struct PairNs {
    double First, Second;
};
template <class A, class B>
PairNs MedianPairNs(int samples, long runs, A&& first, B&& second) {
    first(runs / 10 + 1);
    second(runs / 10 + 1);
    std::vector<double> a, b;
    for (int s = 0; s < samples; ++s) {
        a.push_back(SampleNs(runs, first));
        b.push_back(SampleNs(runs, second));
    }
    return {Median(a), Median(b)};
}

// Keeps a value alive so that the compiler cannot drop the work that made it.
template <class T>
inline void Keep(const T& value) {
    asm volatile("" : : "r,m"(value) : "memory");
}

}  // namespace bench
