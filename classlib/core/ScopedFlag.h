#pragma once
// Sets a flag for the length of a scope and puts its earlier value back at the end, also when the
// scope is left by an exception (so that a nested use leaves the outer one's value in place).
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~ScopedFlag() { FFlag = FOld; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& FFlag;
    const bool FOld;
};
