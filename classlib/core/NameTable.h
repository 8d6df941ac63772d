#pragma once
// A fixed table from identifiers to values, looked up by names whose ASCII case may differ from
// the declared one. Lookups by name sit on the hot path of reflection (a property read by name
// should cost a small multiple of calling its getter), so a lookup is a few word operations:
//
//  - A name is read as two words, its first and its last eight bytes (four for names of four to
//    seven bytes; three bytes for shorter ones). For names of up to 16 bytes the two words and the
//    length are the name itself.
//  - The hash is taken from those words with ASCII case folded (bit 0x20 set in every byte), so
//    names that differ only in case land on the same slot.
//  - Each slot holds the declared name's words, so the usual hit (the caller wrote the declared
//    name) is decided by two word comparisons, without touching the name's characters. A name
//    written in another case, or longer than 16 bytes, is confirmed against the declared text.
#include "Strings.h"
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

template <class V>
class NameTable {
public:
    // An empty table has two free slots, so that a lookup never needs to test for no slots.
    NameTable() : FSlots(2) {}

    // Adds a name unless one equal to it (ASCII case ignored) is already there: the first
    // declaration added wins.
    void Add(std::string_view name, V value) {
        if (name.empty() || Find(name)) return;
        FEntries.push_back({AnsiString(name), value});
        if (FEntries.size() * 2 > FSlots.size()) Rehash(FSlots.size() < 16 ? 16 : FSlots.size() * 2);
        else Insert(FEntries.size() - 1);
    }

    // The value of that name, or V{} (a null pointer for pointer values). The usual lookup (the
    // declared spelling, found in its home slot) is decided here; the rest is out of line.
    V Find(std::string_view name) const {
        const std::size_t n = name.size();
        if (n - 1 < 16) [[likely]] {
            const Words w = WordsOf(name.data(), n);
            const Slot& s = FSlots[SlotOf(HashOf(w.Head | kFold, w.Tail | kFold, n))];
            if (s.Size == n && s.Head == w.Head && s.Tail == w.Tail) return s.Value;
        }
        return Probe(name);
    }

private:
    static constexpr std::uint64_t kFold = 0x2020202020202020ull;

    struct Words {
        std::uint64_t Head, Tail;
    };

    struct Slot {
        std::uint64_t Head = 0, Tail = 0;  // the declared name's words
        std::uint32_t Size = 0;            // its length; 0 for a free slot
        std::uint32_t Entry = 0;           // its index in FEntries
        V Value{};
    };

    // Every slot from the home slot on until the name or a free slot is found.
    [[gnu::noinline]] V Probe(std::string_view name) const {
        const std::size_t n = name.size();
        if (n == 0) return V{};
        const Words w = WordsOf(name.data(), n);
        const std::uint64_t fh = w.Head | kFold, ft = w.Tail | kFold;
        const std::size_t mask = FSlots.size() - 1;
        for (std::size_t i = SlotOf(HashOf(fh, ft, n));; i = (i + 1) & mask) {
            const Slot& s = FSlots[i];
            if (s.Size == n) {
                if (n <= 16 && s.Head == w.Head && s.Tail == w.Tail) return s.Value;  // the declared spelling
                if ((s.Head | kFold) == fh && (s.Tail | kFold) == ft && SameName(s, name)) return s.Value;
            } else if (s.Size == 0) {
                return V{};
            }
        }
    }

    // Another case, or a name too long for its words to be the whole name: compared as text. Kept
    // out of the lookup so that the usual path stays a few registers wide.
    [[gnu::noinline]] bool SameName(const Slot& s, std::string_view name) const {
        return SameTextAscii(FEntries[s.Entry].Name, name);
    }

    // Four 4-byte reads placed by the length, never outside the name: for eight bytes or more
    // the first and the last eight; for four to seven the first and the last four, twice. Names
    // of one to three bytes are read byte by byte.
    static Words WordsOf(const char* p, std::size_t n) {
        if (n < 4) [[unlikely]] {
            const auto byte = [p](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])); };
            return {byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16, 0};
        }
        const auto read4 = [](const char* q) {
            std::uint32_t v;
            std::memcpy(&v, q, 4);
            return static_cast<std::uint64_t>(v);
        };
        const bool wide = n >= 8;
        const std::uint64_t a = read4(p), b = read4(p + (wide ? 4 : n - 4));
        const std::uint64_t c = read4(p + (wide ? n - 8 : 0)), d = read4(p + n - 4);
        return {a | b << 32, c | d << 32};
    }

    // The top bits of a product depend on every bit of its factor, and the slot is taken from
    // them. The tail word is byte-swapped first so that the last characters, where names of one
    // family differ (Caption11, Caption31), sit in its low bits and so reach every bit above.
    static std::uint64_t HashOf(std::uint64_t foldedHead, std::uint64_t foldedTail, std::size_t n) {
        return (foldedHead ^ n) * 0x9E3779B97F4A7C15ull ^ __builtin_bswap64(foldedTail) * 0xC2B2AE3D27D4EB4Full;
    }

    std::size_t SlotOf(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> FShift); }

    void Insert(std::size_t entry) {
        const Entry& e = FEntries[entry];
        const Words w = WordsOf(e.Name.data(), e.Name.size());
        const std::size_t mask = FSlots.size() - 1;
        std::size_t i = SlotOf(HashOf(w.Head | kFold, w.Tail | kFold, e.Name.size()));
        while (FSlots[i].Size != 0) i = (i + 1) & mask;
        FSlots[i] = Slot{w.Head, w.Tail, static_cast<std::uint32_t>(e.Name.size()), static_cast<std::uint32_t>(entry), e.Value};
    }

    void Rehash(std::size_t size) {
        FSlots.assign(size, Slot{});
        FShift = 64;
        for (std::size_t s = size; s > 1; s >>= 1) --FShift;
        for (std::size_t e = 0; e < FEntries.size(); ++e) Insert(e);
    }

    struct Entry {
        AnsiString Name;
        V Value;
    };

    std::vector<Slot> FSlots;  // the size is a power of two, at least twice the number of names
    std::vector<Entry> FEntries;
    unsigned FShift = 63;  // 64 minus the base-2 logarithm of the number of slots
};
