#pragma once
// A component with 50 published properties over three ancestors (16 of its own on each level,
// Name and Tag of TComponent), integers and strings through getters and setters.
#include "classlib/core/Component.h"
#include <vector>

#define ZL_BENCH_INT(n)                                                   \
public:                                                                   \
    __attribute__((noinline)) int GetInt##n() const { return FInt##n; }  \
    __attribute__((noinline)) void SetInt##n(int v) { FInt##n = v; }      \
private:                                                                  \
    int FInt##n = n;

#define ZL_BENCH_STR(n)                                                                        \
public:                                                                                        \
    __attribute__((noinline)) AnsiString GetText##n() const { return FText##n; }               \
    __attribute__((noinline)) void SetText##n(const AnsiString& v) { FText##n = v; }           \
private:                                                                                       \
    AnsiString FText##n = "Text";

#define ZL_BENCH_LEVEL(a, b, c, d) ZL_BENCH_INT(a) ZL_BENCH_INT(b) ZL_BENCH_INT(c) ZL_BENCH_STR(d)

class TBenchBase : public TComponent {
    ZL_CLASS(TBenchBase)
public:
    explicit TBenchBase(TComponent* owner) : TComponent(owner) {}
    ZL_BENCH_LEVEL(0, 1, 2, 3) ZL_BENCH_LEVEL(4, 5, 6, 7) ZL_BENCH_LEVEL(8, 9, 10, 11) ZL_BENCH_LEVEL(12, 13, 14, 15)
};

class TBenchMiddle : public TBenchBase {
    ZL_CLASS(TBenchMiddle)
public:
    explicit TBenchMiddle(TComponent* owner) : TBenchBase(owner) {}
    ZL_BENCH_LEVEL(16, 17, 18, 19) ZL_BENCH_LEVEL(20, 21, 22, 23) ZL_BENCH_LEVEL(24, 25, 26, 27) ZL_BENCH_LEVEL(28, 29, 30, 31)
};

class TBenchLeaf : public TBenchMiddle {
    ZL_CLASS(TBenchLeaf)
public:
    explicit TBenchLeaf(TComponent* owner) : TBenchMiddle(owner) {}
    ZL_BENCH_LEVEL(32, 33, 34, 35) ZL_BENCH_LEVEL(36, 37, 38, 39) ZL_BENCH_LEVEL(40, 41, 42, 43) ZL_BENCH_LEVEL(44, 45, 46, 47)
};

// The published names and the direct accessors of the integer and the string properties.
struct TBenchAccess {
    std::vector<AnsiString> IntNames, TextNames;
    std::vector<int (TBenchLeaf::*)() const> IntGetters;
    std::vector<void (TBenchLeaf::*)(int)> IntSetters;
    std::vector<AnsiString (TBenchLeaf::*)() const> TextGetters;
    std::vector<void (TBenchLeaf::*)(const AnsiString&)> TextSetters;
};
const TBenchAccess& BenchAccess();
