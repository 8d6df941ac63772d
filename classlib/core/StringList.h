#pragma once
// Lists of strings, each with an object attached: TStrings is the interface the components
// share, TStringList the list that holds them.
#include "Component.h"
#include <utility>
#include <vector>

class TStrings : public TPersistent {
    ZL_CLASS(TStrings)
public:
    virtual int Count() const = 0;
    // Element access; an index outside 0..Count()-1 raises EListError.
    virtual AnsiString Get(int index) const = 0;
    virtual void Put(int index, const AnsiString& s) = 0;
    virtual TObject* ObjectAt(int index) const = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    virtual void Insert(int index, const AnsiString& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int index1, int index2) = 0;

    AnsiString Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return ObjectAt(index); }
    int Add(const AnsiString& s) { return AddObject(s, nullptr); }
    int AddObject(const AnsiString& s, TObject* object);
    void InsertObject(int index, const AnsiString& s, TObject* object);
    // The first string equal to s, case ignored by the user's locale; -1 when there is none.
    int IndexOf(const AnsiString& s) const;
    int IndexOfObject(const TObject* object) const;

    // Every string followed by CR LF. Setting it splits at CR LF, LF or CR; a last line without
    // a line break counts, objects become null.
    AnsiString Text() const;
    void SetText(const AnsiString& text);

    // Copies the strings and their objects of another TStrings.
    void Assign(TPersistent* source) override;

    // While the update count is above zero, Changed does not tell anyone.
    void BeginUpdate();
    void EndUpdate();

protected:
    // Stores the list in form files as its text ("Strings").
    void DefineProperties(TFiler* filer) override;
    virtual void Changed() {}
    int UpdateCount() const { return FUpdateCount; }
    void CheckIndex(int index, int count) const;

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
    ZL_CLASS(TStringList)
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FItems.size()); }
    AnsiString Get(int index) const override;
    void Put(int index, const AnsiString& s) override;
    TObject* ObjectAt(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;

    // Called after every change (outside BeginUpdate/EndUpdate, once at the end of those).
    TNotifyEvent OnChange;

protected:
    void Changed() override;

private:
    std::vector<std::pair<AnsiString, TObject*>> FItems;  // the objects are not owned
};
