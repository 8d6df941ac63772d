#include "Designer.h"
#include "Exceptions.h"

#include <algorithm>

TTypeKinds AllTypeKinds() {
    TTypeKinds kinds;
    kinds.Bits = (1u << (tkDynArray + 1)) - 1;
    return kinds;
}

TTypeKinds PropertyTypeKinds() {
    return AllTypeKinds().Exclude(tkMethod);
}

// ---------------------------------------------------------------- selection
int TDesignerSelectionList::Add(TPersistent* item) {
    FItems.push_back(item);
    return Count() - 1;
}

TPersistent* TDesignerSelectionList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("リストのインデックスが範囲を超えています (" + IntToStr(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

bool TDesignerSelectionList::Contains(const TPersistent* item) const {
    return std::find(FItems.begin(), FItems.end(), item) != FItems.end();
}

// ---------------------------------------------------------------- editors
TPropertyEditor::TPropertyEditor(const TDesignerSelectionList& selection, const TPropInfo& prop,
                                 IFormDesigner* designer)
    : FSelection(&selection), FProp(&prop), FDesigner(designer) {}

namespace {

// Reads the property the way its kind is read, discarding the value.
void ReadOnce(const TPropInfo& prop, const TObject* object) {
    if (prop.GetOrd) (void)prop.GetOrd(object);
    else if (prop.GetFloat) (void)prop.GetFloat(object);
    else if (prop.GetStr) (void)prop.GetStr(object);
    else if (prop.GetMethod) (void)prop.GetMethod(object);
}

// Arrays, records and dynamic arrays have no editor; neither has a property of no kind.
bool HasEditorFor(TTypeKind kind) {
    switch (kind) {
    case tkUnknown: case tkArray: case tkRecord: case tkDynArray: return false;
    default: return kind <= tkDynArray;
    }
}

bool Listable(const TPropInfo& prop) {
    if (!HasEditorFor(prop.Kind) || !prop.Readable()) return false;
    return prop.Kind == tkClass || prop.Writable();
}

// Orders names ignoring the case of ASCII letters, then by their bytes.
bool NameLess(const TPropInfo* a, const TPropInfo* b) {
    const AnsiString& x = a->Name;
    const AnsiString& y = b->Name;
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto cx = static_cast<unsigned char>(AsciiLower(x[i]));
        const auto cy = static_cast<unsigned char>(AsciiLower(y[i]));
        if (cx != cy) return cx < cy;
    }
    if (x.size() != y.size()) return x.size() < y.size();
    return x < y;
}

}  // namespace

bool TPropertyEditor::ValueAvailable() const {
    for (int i = 0; i < PropCount(); ++i) {
        // Each component is read through its own class's description of the property.
        const TObject* component = GetComponent(i);
        const TPropInfo* own = component->ClassType()->FindProperty(FProp->Name);
        if (!own) return false;
        try {
            ReadOnce(*own, component);
        } catch (...) {
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------- enumeration
void GetComponentProperties(const TDesignerSelectionList& selection, TTypeKinds filter,
                            IFormDesigner* designer, const TGetPropEditProc& proc) {
    if (selection.Count() == 0) return;
    TClass first = selection.Items(0)->ClassType();

    // The properties the first component shows (a redeclared property hides the ancestor's),
    // kept when every other selected component has one of the same name and kind.
    std::vector<const TPropInfo*> props;
    for (const TPropInfo* p : first->AllProperties()) {
        if (first->FindProperty(p->Name) != p) continue;
        if (!filter.Contains(p->Kind) || !Listable(*p)) continue;
        bool common = true;
        for (int i = 1; i < selection.Count() && common; ++i) {
            const TPropInfo* other = selection.Items(i)->ClassType()->FindProperty(p->Name);
            common = other && other->Kind == p->Kind && Listable(*other);
        }
        if (common) props.push_back(p);
    }
    std::stable_sort(props.begin(), props.end(), NameLess);

    for (const TPropInfo* p : props) {
        TPropertyEditor editor(selection, *p, designer);
        if (editor.ValueAvailable()) proc(editor);
    }
}
