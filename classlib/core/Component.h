#pragma once
// Persistent objects and components: ownership, names, state, removal notices, loading.
#include "Object.h"
#include <functional>
#include <vector>

class TFiler;
class TReader;
class TWriter;

// ---------------------------------------------------------------- TPersistent
class TPersistent : public TObject {
    ZL_CLASS(TPersistent)
public:
    // Copies the source's contents into this object; raises EConvertError when neither side
    // knows how.
    virtual void Assign(TPersistent* source);
    // The object that owns this one in the sense of the component model (for name paths and
    // collections); null by default.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* dest);
    // Declares values that are stored in form files besides the published properties
    // (TFiler::DefineProperty).
    virtual void DefineProperties(TFiler* filer);
    friend class TFormReader;
    friend class TFormWriter;
};

// ---------------------------------------------------------------- TComponent
enum TOperation { opInsert, opRemove };

// State flags (ComponentState is a bit mask of these).
enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,     // being read from a form file; Loaded has not run yet
    csReading = 1u << 1,     // its properties are being read now
    csWriting = 1u << 2,
    csDestroying = 1u << 3,  // its destructor has begun
    csDesigning = 1u << 4,   // inside a form designer: stays passive
};

class TComponent : public TPersistent {
    ZL_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    // The owned component of that name (ASCII case ignored), or null. Only direct children.
    TComponent* FindComponent(std::string_view name) const;

    const AnsiString& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier, or is taken by another
    // component of the same owner (ASCII case ignored). The empty name is allowed.
    virtual void SetName(const AnsiString& name);

    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t tag) { FTag = tag; }

    unsigned ComponentState() const { return FState; }
    bool IsLoading() const { return FState & csLoading; }
    bool IsDesigning() const { return FState & csDesigning; }
    bool IsDestroying() const { return FState & csDestroying; }
    // Puts this component and, with children, every component it owns into or out of the design
    // state.
    void SetDesigning(bool designing, bool children = true);
    // Marks the start of loading (csLoading | csReading); Loaded clears csLoading.
    void BeginLoading();
    void EndReading();
    // Called once after the whole form file it came from has been read and resolved.
    virtual void Loaded();

    // Asks this component to tell the other one when it is destroyed (both ways).
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();
    // Sets csDestroying on this component and everything it owns.
    void Destroying();

    TPersistent* GetOwner() const override { return FOwner; }

    // The component under which a form file nests this one (a control's parent window, a menu
    // item's parent item); null for components that stand directly under the root.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }

protected:
    // Told of components inserted into or removed from the owner, and of the destruction of
    // components this one asked to be told about.
    virtual void Notification(TComponent* component, TOperation operation);
    void SetState(unsigned flags, bool on);

private:
    friend class TFormReader;  // clears the loading state of a form file that failed to read
    friend class TFormWriter;
    void NotifyAll(TComponent* component, TOperation operation);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    AnsiString FName;
    std::intptr_t FTag = 0;
    unsigned FState = 0;
};

// A component class whose constructor takes an owner: CreateComponent-style creation.
template <class T>
T* NewComponent(TComponent* owner) { return new T(owner); }

// ---------------------------------------------------------------- defined properties
// Form files store, besides published properties, values that a component defines itself.
// Here they are single string values (lists written as their text).
class TReader {
public:
    virtual ~TReader() = default;
    virtual AnsiString ReadString() = 0;
};

class TWriter {
public:
    virtual ~TWriter() = default;
    virtual void WriteString(const AnsiString& value) = 0;
};

class TFiler {
public:
    virtual ~TFiler() = default;
    using TReaderProc = std::function<void(TReader&)>;
    using TWriterProc = std::function<void(TWriter&)>;
    // hasData: whether the writer should store the value at all.
    virtual void DefineProperty(const AnsiString& name, TReaderProc read, TWriterProc write, bool hasData) = 0;
};
