#pragma once
// Holds a list between BeginUpdate and EndUpdate for the length of a scope, so that the list
// tells its change once at the end, also when the scope is left by an exception.
template <class List>
class UpdateScope {
public:
    explicit UpdateScope(List& list) : FList(list) { FList.BeginUpdate(); }
    ~UpdateScope() { FList.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    List& FList;
};
