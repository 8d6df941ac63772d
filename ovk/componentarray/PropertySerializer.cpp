// TPropertySerializer: chosen published properties of a form's components saved to a stream as
// records of three counted strings (component name, property name, value text) and loaded back.
#include "ovk/ComponentArray.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/Stream.h"

#include <cstdint>

namespace Ovk {

namespace {

const char* const kReadError = "read error!!";

// A count byte holds the length plus the terminating zero, at most 127.
constexpr std::size_t kMaxStoredLength = 126;

[[noreturn]] void RaiseTooLong(const AnsiString& componentName, const AnsiString& propertyName) {
    throw Exception("コンポーネント\"" + componentName + "\"のプロパティ\"" + propertyName +
                    "\"の文字列が127バイト以上あるため保存できません.");
}

void CheckStorable(const AnsiString& s, const AnsiString& componentName, const AnsiString& propertyName) {
    if (s.size() > kMaxStoredLength) RaiseTooLong(componentName, propertyName);
}

// Whether address is that of a component the owner owns now (the class property values that
// mean something when loaded).
bool OwnsComponentAt(const TComponent* owner, std::intptr_t address) {
    if (!owner) return false;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (reinterpret_cast<std::intptr_t>(static_cast<const TObject*>(owner->Components(i))) == address) return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------- property list
TClass TComponentPropertyList::StaticClass() {
    static const TClassInfo info = ClassBuilder<TComponentPropertyList, TStringList>("TComponentPropertyList").Build();
    return &info;
}

void TComponentPropertyList::GetComponentProperties(TComponentPropertyProc proc) const {
    const int count = Count();
    AnsiString component;
    for (int i = 0; i < count; ++i) {
        const AnsiString line = Strings(i);
        if (line.empty()) throw ERangeError("範囲チェックエラー: " + IntToStr(i + 1) + "行目が空です");
        if (line[0] == '\t') proc(component, line.substr(1));
        else component = line;
    }
}

// ---------------------------------------------------------------- filers
void TComponentPropertyFiler::WriteStr(const AnsiString& s) {
    if (s.size() > kMaxStoredLength) throw Exception("127バイト以上の文字列は保存できません.");
    const auto count = static_cast<std::uint8_t>(s.size() + 1);
    FStream->WriteBuffer(&count, 1);
    FStream->WriteBuffer(s.c_str(), count);  // the bytes and the terminating zero
}

AnsiString TComponentPropertyFiler::ReadStr() {
    std::uint8_t count = 0;
    FStream->ReadBuffer(&count, 1);
    // A count the writer never makes means a stream that is not ours or is damaged.
    if (count == 0 || count > kMaxStoredLength + 1) throw Exception(kReadError);
    char buffer[kMaxStoredLength + 1];
    FStream->ReadBuffer(buffer, count);
    return AnsiString(buffer, count - 1u);
}

void TComponentPropertyWriter::TransferProperty(ObjectAttributes& object, const AnsiString& componentName,
                                                const AnsiString& propertyName) {
    CheckStorable(componentName, componentName, propertyName);
    WriteStr(componentName);
    CheckStorable(propertyName, componentName, propertyName);
    WriteStr(propertyName);
    const AnsiString value = object.GetProperties(propertyName).AsString();
    CheckStorable(value, componentName, propertyName);
    WriteStr(value);
}

void TComponentPropertyReader::TransferProperty(ObjectAttributes& object, const AnsiString& componentName,
                                                const AnsiString& propertyName) {
    if (AnsiCompareStr(ReadStr(), componentName) != 0) throw Exception(kReadError);
    if (AnsiCompareStr(ReadStr(), propertyName) != 0) throw Exception(kReadError);
    const Variant value(ReadStr());

    // An object's address means something only in the run that saved it: a reference is
    // restored only to a component the owner owns now.
    const TObject* target = object;
    if (!target) throw Exception("コンポーネント\"" + componentName + "\"が見つかりません.");
    const TPropInfo* prop = target->ClassType()->FindProperty(propertyName);
    if (prop && prop->Kind == tkClass) {
        const std::intptr_t address = value.AsPointerInt();
        if (address != 0 && !OwnsComponentAt(FOwner, address))
            throw Exception("コンポーネント\"" + componentName + "\"のプロパティ\"" + propertyName +
                            "\"の値はオーナーのコンポーネントを指していません.");
    }
    object.SetProperties(propertyName, value);
}

// ---------------------------------------------------------------- serializer
TClass TPropertySerializer::StaticClass() {
    static const TClassInfo info = ClassBuilder<TPropertySerializer, TComponent>("TPropertySerializer").Build();
    return &info;
}
ZL_REGISTER_CLASS(TPropertySerializer)

TPropertySerializer::TPropertySerializer(TComponent* owner)
    : TComponent(owner), FItems(std::make_unique<TComponentPropertyList>()) {}

TPropertySerializer::~TPropertySerializer() = default;

namespace {

// Hands each pair of the list to the filer with the owner's component of that name.
class TSerializerPass {
public:
    TSerializerPass(TComponent* owner, TComponentPropertyFiler& filer) : FOwner(owner), FFiler(filer) {}

    void Transfer(const AnsiString& componentName, const AnsiString& propertyName) {
        // The component found for the previous pair serves again while the name is the same and
        // it is still one of the owner's.
        if (!FLooked || componentName != FName || !TObject::IsLiveObject(FComponent) ||
            FComponent->Owner() != FOwner) {
            FComponent = FOwner ? FOwner->FindComponent(componentName) : nullptr;
            FName = componentName;
            FLooked = true;
        }
        if (!FComponent) throw Exception("コンポーネント\"" + componentName + "\"が見つかりません.");
        ObjectAttributes object(FComponent);
        FFiler.TransferProperty(object, componentName, propertyName);
    }

private:
    TComponent* FOwner;
    TComponentPropertyFiler& FFiler;
    TComponent* FComponent = nullptr;
    AnsiString FName;
    bool FLooked = false;
};

}  // namespace

void TPropertySerializer::Pass(TComponentPropertyFiler& filer) {
    TSerializerPass pass(Owner(), filer);
    FItems->GetComponentProperties(TComponentPropertyProc::Bind<&TSerializerPass::Transfer>(&pass));
}

void TPropertySerializer::SaveToStream(TStream& stream) {
    TComponentPropertyWriter writer(Owner(), &stream);
    Pass(writer);
}

void TPropertySerializer::LoadFromStream(TStream& stream) {
    TComponentPropertyReader reader(Owner(), &stream);
    Pass(reader);
}

void TPropertySerializer::SaveToFile(const AnsiString& fileName) {
    // Every record is made before the file is opened: a refused value leaves the file as it was.
    TMemoryStream records;
    SaveToStream(records);
    records.SaveToFile(fileName);
}

void TPropertySerializer::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TPropertySerializer::DefineProperties(TFiler* filer) {
    filer->DefineProperty("Items", [this](TReader& r) { ReadItems(r); }, [this](TWriter& w) { WriteItems(w); },
                          FItems->Count() > 0);
    TComponent::DefineProperties(filer);
}

void TPropertySerializer::ReadItems(TReader& reader) { FItems->SetText(reader.ReadString()); }

void TPropertySerializer::WriteItems(TWriter& writer) { writer.WriteString(FItems->Text()); }

}  // namespace Ovk
