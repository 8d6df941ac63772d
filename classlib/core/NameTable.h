#pragma once
// A fixed table from identifiers to values, looked up by names whose ASCII case may differ from
// the declared one. Lookups by name sit on the hot path of reflection (a property read by name
// should cost a small multiple of calling its getter), so the table avoids what a general hash
// map costs: the hash reads four characters and the length, the probe compares lengths first,
// then the bytes exactly (the common case: the caller wrote the declared name), and only then
// ignoring ASCII case.
#include "Strings.h"
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

template <class V>
class NameTable {
public:
    // Adds a name unless one equal to it (ASCII case ignored) is already there: the first
    // declaration added wins.
    void Add(std::string_view name, V value) {
        if (Find(name)) return;
        FEntries.push_back({AnsiString(name), value});
        if (FEntries.size() * 2 > FSlots.size()) Rehash(FSlots.empty() ? 16 : FSlots.size() * 2);
        else Insert(FEntries.size() - 1);
    }

    // The value of that name, or V{} (a null pointer for pointer values).
    V Find(std::string_view name) const {
        if (FSlots.empty() || name.empty()) return V{};
        const std::size_t mask = FSlots.size() - 1;
        for (std::size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
            const int slot = FSlots[i];
            if (slot < 0) return V{};
            const Entry& e = FEntries[static_cast<std::size_t>(slot)];
            if (e.Name.size() == name.size() &&
                (SameBytes(e.Name.data(), name.data(), name.size()) || SameTextAscii(e.Name, name)))
                return e.Value;
        }
    }

private:
    struct Entry {
        AnsiString Name;
        V Value;
    };

    // Byte equality inlined in words: the C runtime's memcmp is an out-of-line call (and a byte
    // loop under some runtimes), which would cost more than the rest of the lookup.
    static bool SameBytes(const char* a, const char* b, std::size_t n) {
        std::uint64_t x, y;
        for (; n >= 8; n -= 8, a += 8, b += 8) {
            std::memcpy(&x, a, 8);
            std::memcpy(&y, b, 8);
            if (x != y) return false;
        }
        for (; n; --n)
            if (*a++ != *b++) return false;
        return true;
    }

    static std::size_t Hash(std::string_view s) {
        const auto fold = [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return static_cast<std::size_t>(static_cast<unsigned>(u - 'A') < 26u ? u + 32 : u);
        };
        // Names of one family differ mostly in their last two characters (Caption11, Caption31).
        const std::size_t n = s.size();
        return n * 0x9E3779B1u ^ fold(s[0]) * 0x85EBCA77u ^ fold(s[n - 1]) * 0xC2B2AE3Du ^
               fold(s[n / 2]) * 0x27D4EB2Fu ^ fold(s[n > 1 ? n - 2 : 0]) * 0x165667B1u;
    }

    void Insert(std::size_t entry) {
        const std::size_t mask = FSlots.size() - 1;
        std::size_t i = Hash(FEntries[entry].Name) & mask;
        while (FSlots[i] >= 0) i = (i + 1) & mask;
        FSlots[i] = static_cast<int>(entry);
    }

    void Rehash(std::size_t size) {
        FSlots.assign(size, -1);
        for (std::size_t e = 0; e < FEntries.size(); ++e) Insert(e);
    }

    std::vector<Entry> FEntries;
    std::vector<int> FSlots;  // indexes into FEntries, -1 for free; the size is a power of two
};
