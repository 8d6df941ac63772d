// Reflection by name against direct calls, and the growth of sorting component names.
//
//  - GetProperty / SetProperty by name on a component with 50 published properties over three
//    ancestors, against a direct call of the same getter or setter through a member pointer that
//    produces or consumes the same value (goal: at most 3 times); the samples of the two
//    alternate;
//  - SortStrings with CompareComponentNames over 10,000 and 100,000 names (goal: the time per
//    name grows by less than 1.5 times).
#include "BenchComponents.h"
#include "bench/Harness.h"
#include "classlib/core/StringList.h"
#include "ovk/Catools.h"

#include <cstdio>
#include <random>

namespace {

constexpr int kSamples = 9;
constexpr long kRuns = 200000;

// Measures a direct call and the same access by name side by side and prints their ratio.
template <class Direct, class ByName>
void Compare(const char* what, Direct&& direct, ByName&& byName) {
    constexpr double goal = 3.0;
    const bench::PairNs ns = bench::MedianPairNs(kSamples, kRuns, direct, byName);
    const double ratio = ns.Second / ns.First;
    std::printf("%-34s direct %7.1f ns   by name %7.1f ns   ratio %5.2f  (goal <= %.1f) %s\n", what, ns.First,
                ns.Second, ratio, goal, ratio <= goal ? "ok" : "MISSED");
}

// Calls body(i, k) runs times, k going round 0..count-1. A wrapping counter rather than i % count:
// a division per call would cost as much as the getter call being measured.
template <class Body>
void RoundRobin(long runs, std::size_t count, Body&& body) {
    std::size_t k = 0;
    for (long i = 0; i < runs; ++i) {
        body(i, k);
        if (++k == count) k = 0;
    }
}

void PropertyAccess() {
    TBenchLeaf leaf(nullptr);
    const TBenchAccess& a = BenchAccess();
    const std::size_t ni = a.IntNames.size(), nt = a.TextNames.size();

    Compare("GetProperty, integer",
        [&](long runs) {
            RoundRobin(runs, ni, [&](long, std::size_t k) { bench::Keep((leaf.*a.IntGetters[k])()); });
        },
        [&](long runs) {
            RoundRobin(runs, ni, [&](long, std::size_t k) { bench::Keep(Ovk::GetProperty(&leaf, a.IntNames[k])); });
        });

    Compare("SetProperty, integer",
        [&](long runs) {
            RoundRobin(runs, ni, [&](long i, std::size_t k) { (leaf.*a.IntSetters[k])(static_cast<int>(i)); });
        },
        [&](long runs) {
            RoundRobin(runs, ni, [&](long i, std::size_t k) { Ovk::SetProperty(&leaf, a.IntNames[k], Variant(static_cast<int>(i))); });
        });

    Compare("GetProperty, string",
        [&](long runs) {
            RoundRobin(runs, nt, [&](long, std::size_t k) { bench::Keep((leaf.*a.TextGetters[k])()); });
        },
        [&](long runs) {
            RoundRobin(runs, nt, [&](long, std::size_t k) { bench::Keep(Ovk::GetProperty(&leaf, a.TextNames[k])); });
        });

    const AnsiString text = "A caption of some length";  // longer than the short-string buffer
    const Variant textValue(text);
    Compare("SetProperty, string",
        [&](long runs) {
            RoundRobin(runs, nt, [&](long, std::size_t k) { (leaf.*a.TextSetters[k])(text); });
        },
        [&](long runs) {
            RoundRobin(runs, nt, [&](long, std::size_t k) { Ovk::SetProperty(&leaf, a.TextNames[k], textValue); });
        });

    // Where the time of the integer read goes: the name lookup, then the accessor and the variant.
    const double lookup = bench::MedianNs(kSamples, kRuns, [&](long runs) {
        RoundRobin(runs, ni, [&](long, std::size_t k) { bench::Keep(leaf.ClassType()->FindProperty(a.IntNames[k])); });
    });
    std::vector<const TPropInfo*> props;
    for (const AnsiString& name : a.IntNames) props.push_back(leaf.ClassType()->FindProperty(name));
    const double accessor = bench::MedianNs(kSamples, kRuns, [&](long runs) {
        RoundRobin(runs, ni, [&](long, std::size_t k) { bench::Keep(Variant(props[k]->GetOrd32(&leaf))); });
    });
    std::printf("  of the integer read: name lookup %.1f ns, accessor and variant %.1f ns\n", lookup, accessor);
}

// Names as a form has them: a few words, numbers up to 100 times the count.
void FillNames(TStringList& list, int count, unsigned seed) {
    static const char* const words[] = {"Button", "Edit", "Label", "Panel", "CheckBox", "Item"};
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> word(0, 5), number(0, count * 100);
    for (int i = 0; i < count; ++i) list.Add(AnsiString(words[word(rng)]) + IntToStr(number(rng)));
}

double SortNsPerName(int count) {
    std::vector<double> ns;
    for (int s = 0; s < 5; ++s) {
        TStringList list;
        FillNames(list, count, 1234u + static_cast<unsigned>(s));
        const double t0 = bench::Now();
        Ovk::SortStrings(&list, 0, list.Count() - 1, Ovk::CompareComponentNames);
        ns.push_back((bench::Now() - t0) * 1e9 / count);
    }
    std::nth_element(ns.begin(), ns.begin() + 2, ns.end());
    return ns[2];
}

void Sorting() {
    const double small = SortNsPerName(10000);
    const double large = SortNsPerName(100000);
    const double growth = large / small;
    std::printf("SortStrings per name: 10,000 names %.0f ns, 100,000 names %.0f ns, growth %.2f (goal < 1.5) %s\n",
                small, large, growth, growth < 1.5 ? "ok" : "MISSED");
}

}  // namespace

int main() {
    PropertyAccess();
    Sorting();
    return 0;
}
