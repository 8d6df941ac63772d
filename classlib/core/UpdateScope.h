#pragma once
// Holds a list between BeginUpdate and EndUpdate for the length of a scope, so that the list
// tells its change once at the end, also when the scope is left by an exception.
#include <exception>

template <class List>
class UpdateScope {
public:
    explicit UpdateScope(List& list) : FList(list), FUnwinding(std::uncaught_exceptions()) { FList.BeginUpdate(); }
    // The list's change notice may raise (a handler of its change event): that error passes on,
    // unless the scope is being left by an exception already, which then goes on alone.
    ~UpdateScope() noexcept(false) {
        if (std::uncaught_exceptions() == FUnwinding) {
            FList.EndUpdate();
            return;
        }
        try {
            FList.EndUpdate();
        } catch (...) {
        }
    }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    List& FList;
    const int FUnwinding;
};
