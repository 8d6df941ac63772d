// Component names as people write them (a word and a number): fresh names, their natural order,
// and sorting of string lists with such an order.
#include "ovk/Catools.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"

#include <string_view>

namespace Ovk {

AnsiString FindUniqueName(const TComponent* owner, const AnsiString& baseName) {
    for (std::uint64_t n = 1;; ++n) {
        AnsiString candidate = baseName + IntToStr(static_cast<std::int64_t>(n));
        if (!owner->FindComponent(candidate)) return candidate;
    }
}

int FirstNumPos(const AnsiString& text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] >= '0' && text[i] <= '9') return static_cast<int>(i + 1);
    return 0;
}

int CompareComponentNames(const AnsiString& a, const AnsiString& b) {
    const int pa = FirstNumPos(a);
    const int pb = FirstNumPos(b);
    if (pa != pb || pa == 0) return AnsiCompareStr(a, b);

    const std::size_t p = static_cast<std::size_t>(pa - 1);
    if (p > 0) {
        const int words = AnsiCompareStr(a.substr(0, p), b.substr(0, p));
        if (words != 0) return words;
    }
    std::int32_t na = 0, nb = 0;
    if (!TryStrToInt(std::string_view(a).substr(p), na) || !TryStrToInt(std::string_view(b).substr(p), nb))
        return AnsiCompareStr(a, b);
    return na == nb ? 0 : (na > nb ? 1 : -1);
}

namespace {

// Quicksort on the middle entry's string (a copy, so that moving its entry does not disturb the
// pass); recursion on the left part, a loop on the right part.
void QuickSort(TStrings& list, int l, int r, TStringsCompare compare) {
    do {
        int i = l;
        int j = r;
        const AnsiString pivot = list.Strings(l + (r - l) / 2);
        do {
            while (compare(list.Strings(i), pivot) < 0) ++i;
            while (compare(list.Strings(j), pivot) > 0) --j;
            if (i <= j) {
                list.Exchange(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) QuickSort(list, l, j, compare);
        l = i;
    } while (l < r);
}

}  // namespace

void SortStrings(TStrings* list, int first, int last, TStringsCompare compare) {
    // A range that does not lie in the list is refused before any entry is read or moved: a bound
    // outside the list by the list's own accessor, a range that ends before it starts likewise.
    const int count = list->Count();
    if (first < 0 || first >= count) (void)list->Get(first);
    if (last < 0 || last >= count) (void)list->Get(last);
    if (last < first)
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(last) + ")");
    QuickSort(*list, first, last, compare);
}

}  // namespace Ovk
