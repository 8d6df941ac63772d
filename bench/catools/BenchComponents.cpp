#include "BenchComponents.h"

// The published properties, listed once and expanded both into the type information and into
// the table of direct accessors the benchmark compares against. Each group of eight is named
// Width, Height, Margin, Caption, Spacing, Border, Offset, Caption after its numbers; the two
// captions are strings, the rest integers.
#define ZL_BENCH_EIGHT(I, S, a, b, c, d, e, f, g, h) \
    I(a, Width) I(b, Height) I(c, Margin) S(d, Caption) I(e, Spacing) I(f, Border) I(g, Offset) S(h, Caption)
#define ZL_BENCH_BASE_PROPERTIES(I, S) \
    ZL_BENCH_EIGHT(I, S, 0, 1, 2, 3, 4, 5, 6, 7) ZL_BENCH_EIGHT(I, S, 8, 9, 10, 11, 12, 13, 14, 15)
#define ZL_BENCH_MIDDLE_PROPERTIES(I, S) \
    ZL_BENCH_EIGHT(I, S, 16, 17, 18, 19, 20, 21, 22, 23) ZL_BENCH_EIGHT(I, S, 24, 25, 26, 27, 28, 29, 30, 31)
#define ZL_BENCH_LEAF_PROPERTIES(I, S) \
    ZL_BENCH_EIGHT(I, S, 32, 33, 34, 35, 36, 37, 38, 39) ZL_BENCH_EIGHT(I, S, 40, 41, 42, 43, 44, 45, 46, 47)

#define ZL_PUBLISH_INT(n, word) .Property<&Self::GetInt##n, &Self::SetInt##n>(#word #n)
#define ZL_PUBLISH_TEXT(n, word) .Property<&Self::GetText##n, &Self::SetText##n>(#word #n)

TClass TBenchBase::StaticClass() {
    using Self = TBenchBase;
    static const TClassInfo info = ClassBuilder<TBenchBase, TComponent>("TBenchBase")
        ZL_BENCH_BASE_PROPERTIES(ZL_PUBLISH_INT, ZL_PUBLISH_TEXT)
        .Build();
    return &info;
}

TClass TBenchMiddle::StaticClass() {
    using Self = TBenchMiddle;
    static const TClassInfo info = ClassBuilder<TBenchMiddle, TBenchBase>("TBenchMiddle")
        ZL_BENCH_MIDDLE_PROPERTIES(ZL_PUBLISH_INT, ZL_PUBLISH_TEXT)
        .Build();
    return &info;
}

TClass TBenchLeaf::StaticClass() {
    using Self = TBenchLeaf;
    static const TClassInfo info = ClassBuilder<TBenchLeaf, TBenchMiddle>("TBenchLeaf")
        ZL_BENCH_LEAF_PROPERTIES(ZL_PUBLISH_INT, ZL_PUBLISH_TEXT)
        .Build();
    return &info;
}

#define ZL_ACCESS_INT(n, word)                            \
    a.IntNames.push_back(#word #n);                       \
    a.IntGetters.push_back(&TBenchLeaf::GetInt##n);       \
    a.IntSetters.push_back(&TBenchLeaf::SetInt##n);
#define ZL_ACCESS_TEXT(n, word)                           \
    a.TextNames.push_back(#word #n);                      \
    a.TextGetters.push_back(&TBenchLeaf::GetText##n);     \
    a.TextSetters.push_back(&TBenchLeaf::SetText##n);

const TBenchAccess& BenchAccess() {
    static const TBenchAccess access = [] {
        TBenchAccess a;
        ZL_BENCH_BASE_PROPERTIES(ZL_ACCESS_INT, ZL_ACCESS_TEXT)
        ZL_BENCH_MIDDLE_PROPERTIES(ZL_ACCESS_INT, ZL_ACCESS_TEXT)
        ZL_BENCH_LEAF_PROPERTIES(ZL_ACCESS_INT, ZL_ACCESS_TEXT)
        return a;
    }();
    return access;
}
