#include "StringList.h"
#include "Exceptions.h"
#include "UpdateScope.h"

#include <windows.h>

TClass TStrings::StaticClass() {
    static const TClassInfo info = ClassBuilder<TStrings, TPersistent>("TStrings").Build();
    return &info;
}

TClass TStringList::StaticClass() {
    static const TClassInfo info = ClassBuilder<TStringList, TStrings>("TStringList").Build();
    return &info;
}
ZL_REGISTER_CLASS(TStringList)

void TStrings::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
}

int TStrings::AddObject(const AnsiString& s, TObject* object) {
    int index = Count();
    InsertObject(index, s, object);
    return index;
}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* object) {
    UpdateScope update(*this);
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::IndexOf(const AnsiString& s) const {
    for (int i = 0, n = Count(); i < n; ++i) {
        AnsiString item = Get(i);
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.data(), static_cast<int>(item.size()),
                           s.data(), static_cast<int>(s.size())) == CSTR_EQUAL)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (ObjectAt(i) == object) return i;
    return -1;
}

AnsiString TStrings::Text() const {
    AnsiString text;
    for (int i = 0, n = Count(); i < n; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const AnsiString& text) {
    UpdateScope update(*this);
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == AnsiString::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}

void TStrings::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TStrings*>(source)) {
        if (other == this) return;
        UpdateScope update(*this);
        Clear();
        for (int i = 0, n = other->Count(); i < n; ++i) AddObject(other->Get(i), other->ObjectAt(i));
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::BeginUpdate() { ++FUpdateCount; }

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TStrings::DefineProperties(TFiler* filer) {
    filer->DefineProperty(
        "Strings", [this](TReader& r) { SetText(r.ReadString()); },
        [this](TWriter& w) { w.WriteString(Text()); }, Count() > 0);
}

// ---------------------------------------------------------------- TStringList
TStringList::~TStringList() = default;

AnsiString TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return FItems[static_cast<std::size_t>(index)].first;
}

void TStringList::Put(int index, const AnsiString& s) {
    CheckIndex(index, Count());
    FItems[static_cast<std::size_t>(index)].first = s;
    Changed();
}

TObject* TStringList::ObjectAt(int index) const {
    CheckIndex(index, Count());
    return FItems[static_cast<std::size_t>(index)].second;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index, Count());
    FItems[static_cast<std::size_t>(index)].second = object;
    Changed();
}

void TStringList::Insert(int index, const AnsiString& s) {
    CheckIndex(index, Count() + 1);  // inserting at Count() appends
    FItems.insert(FItems.begin() + index, {s, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    std::swap(FItems[static_cast<std::size_t>(index1)], FItems[static_cast<std::size_t>(index2)]);
    Changed();
}

void TStringList::Changed() {
    if (UpdateCount() == 0) OnChange(this);
}
