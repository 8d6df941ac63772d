#include "FormFile.h"
#include "Collection.h"
#include "Exceptions.h"
#include "UpdateScope.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <windows.h>

namespace {

// Nesting deeper than this (components, collections, sub-objects) is refused, so that a hostile
// file cannot exhaust the stack.
constexpr int MaxDepth = 64;

// ---------------------------------------------------------------- tokens
enum class Tok { End, Ident, String, Number, LBrace, RBrace, LParen, RParen, LBracket, RBracket, Equals, Comma, Dot };

struct Token {
    Tok Kind = Tok::End;
    std::string Text;  // identifier, the string's decoded bytes (still UTF-8), or the number's text
    int Line = 1;
};

AnsiString LineError(int line, const AnsiString& what) {
    return "フォームファイルの " + IntToStr(line) + " 行目: " + what;
}

[[noreturn]] void Fail(int line, const AnsiString& what) { throw EReadError(LineError(line, what)); }

const char* TokenName(Tok kind) {
    switch (kind) {
    case Tok::End: return "ファイルの終わり";
    case Tok::Ident: return "名前";
    case Tok::String: return "文字列";
    case Tok::Number: return "数値";
    case Tok::LBrace: return "\"{\"";
    case Tok::RBrace: return "\"}\"";
    case Tok::LParen: return "\"(\"";
    case Tok::RParen: return "\")\"";
    case Tok::LBracket: return "\"[\"";
    case Tok::RBracket: return "\"]\"";
    case Tok::Equals: return "\"=\"";
    case Tok::Comma: return "\",\"";
    case Tok::Dot: return "\".\"";
    }
    return "";
}

AnsiString Describe(const Token& t) {
    switch (t.Kind) {
    case Tok::Ident: return "\"" + t.Text + "\"";
    case Tok::Number: return t.Text;
    case Tok::String: return "文字列";
    default: return TokenName(t.Kind);
    }
}

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

class Lexer {
public:
    explicit Lexer(std::string_view text) : FText(text) {
        if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;  // a UTF-8 byte order mark
        Advance();
    }

    const Token& Peek() const { return FCurrent; }
    const Token& PeekNext() {
        if (!FNext) {
            std::size_t pos = FPos;
            int line = FLine;
            FNext = Scan();
            FAfterNextPos = FPos;
            FAfterNextLine = FLine;
            FPos = pos;
            FLine = line;
        }
        return *FNext;
    }
    Token Take() {
        Token t = std::move(FCurrent);
        Advance();
        return t;
    }
    Token Expect(Tok kind) {
        if (FCurrent.Kind != kind) Fail(FCurrent.Line, AnsiString(TokenName(kind)) + " が必要です (" + Describe(FCurrent) + " があります)");
        return Take();
    }

private:
    void Advance() {
        if (FNext) {
            FCurrent = std::move(*FNext);
            FNext.reset();
            FPos = FAfterNextPos;
            FLine = FAfterNextLine;
        } else {
            FCurrent = Scan();
        }
    }

    Token Scan() {
        // Blanks and comments.
        for (;;) {
            if (FPos >= FText.size()) return Token{Tok::End, {}, FLine};
            char c = FText[FPos];
            if (c == '\n') { ++FLine; ++FPos; }
            else if (c == ' ' || c == '\t' || c == '\r') ++FPos;
            else if (c == '#') { while (FPos < FText.size() && FText[FPos] != '\n') ++FPos; }
            else break;
        }
        Token t;
        t.Line = FLine;
        const char c = FText[FPos];
        static const std::pair<char, Tok> punctuation[] = {
            {'{', Tok::LBrace}, {'}', Tok::RBrace}, {'(', Tok::LParen}, {')', Tok::RParen}, {'[', Tok::LBracket},
            {']', Tok::RBracket}, {'=', Tok::Equals}, {',', Tok::Comma}, {'.', Tok::Dot}};
        for (auto [ch, kind] : punctuation)
            if (c == ch) {
                ++FPos;
                t.Kind = kind;
                return t;
            }
        if (IsIdentStart(c)) {
            std::size_t start = FPos;
            while (FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos]))) ++FPos;
            t.Kind = Tok::Ident;
            t.Text = FText.substr(start, FPos - start);
            return t;
        }
        if (IsDigit(c) || (c == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) {
            std::size_t start = FPos++;
            while (FPos < FText.size() && (IsHexDigit(FText[FPos]) || FText[FPos] == 'x' || FText[FPos] == 'X' ||
                                           FText[FPos] == '.' || FText[FPos] == '+' || FText[FPos] == '-'))
                ++FPos;
            t.Kind = Tok::Number;
            t.Text = FText.substr(start, FPos - start);
            return t;
        }
        if (c == '"') return ScanString();
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            Fail(FLine, "使えない文字 (0x" + Hex(static_cast<unsigned char>(c)) + ") があります");
        Fail(FLine, "使えない文字 \"" + std::string(1, c) + "\" があります");
    }

    static AnsiString Hex(unsigned v) {
        const char* digits = "0123456789ABCDEF";
        return {digits[(v >> 4) & 15], digits[v & 15]};
    }

    Token ScanString() {
        Token t;
        t.Kind = Tok::String;
        t.Line = FLine;
        ++FPos;  // the opening quote
        for (;;) {
            if (FPos >= FText.size() || FText[FPos] == '\n') Fail(t.Line, "文字列が閉じられていません");
            char c = FText[FPos++];
            if (c == '"') break;
            if (c != '\\') {
                t.Text += c;
                continue;
            }
            if (FPos >= FText.size()) Fail(t.Line, "文字列が閉じられていません");
            char e = FText[FPos++];
            switch (e) {
            case '\\': t.Text += '\\'; break;
            case '"': t.Text += '"'; break;
            case 'r': t.Text += '\r'; break;
            case 'n': t.Text += '\n'; break;
            case 't': t.Text += '\t'; break;
            case 'x':
                if (FPos + 2 > FText.size() || !IsHexDigit(FText[FPos]) || !IsHexDigit(FText[FPos + 1]))
                    Fail(t.Line, "\\x の後に 16 進数 2 桁が必要です");
                t.Text += static_cast<char>(std::stoi(std::string(FText.substr(FPos, 2)), nullptr, 16));
                FPos += 2;
                break;
            default: Fail(t.Line, "文字列に使えないエスケープ \\" + std::string(1, e) + " があります");
            }
        }
        // The text must be UTF-8: the conversion to Shift-JIS would otherwise guess.
        if (!t.Text.empty() && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, t.Text.data(),
                                                   static_cast<int>(t.Text.size()), nullptr, 0) == 0)
            Fail(t.Line, "文字列が UTF-8 ではありません");
        return t;
    }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
    Token FCurrent;
    std::optional<Token> FNext;
    std::size_t FAfterNextPos = 0;
    int FAfterNextLine = 1;
};

// ---------------------------------------------------------------- numbers
bool ParseInteger(const std::string& text, std::int64_t& value, bool wide) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint64_t bits = 0;
        if (text.size() - 2 > (wide ? 16u : 8u)) return false;
        auto [p, ec] = std::from_chars(text.data() + 2, text.data() + text.size(), bits, 16);
        if (ec != std::errc() || p != text.data() + text.size()) return false;
        value = wide ? static_cast<std::int64_t>(bits) : static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        return true;
    }
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || p != text.data() + text.size()) return false;
    return wide || (value >= INT32_MIN && value <= INT32_MAX);
}

bool ParseFloat(const std::string& text, double& value) {
    std::int64_t i;
    if (text.size() > 2 && (text[1] == 'x' || text[1] == 'X')) {
        if (!ParseInteger(text, i, true)) return false;
        value = static_cast<double>(i);
        return true;
    }
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && p == text.data() + text.size() && std::isfinite(value);
}

// ---------------------------------------------------------------- defined properties
struct DefinedProperty {
    AnsiString Name;
    TFiler::TReaderProc Read;
    TFiler::TWriterProc Write;
    bool HasData;
};

class CollectingFiler : public TFiler {
public:
    std::vector<DefinedProperty> Properties;
    void DefineProperty(const AnsiString& name, TReaderProc read, TWriterProc write, bool hasData) override {
        Properties.push_back({name, std::move(read), std::move(write), hasData});
    }
};

class StringReader : public TReader {
public:
    explicit StringReader(AnsiString value) : FValue(std::move(value)) {}
    AnsiString ReadString() override { return FValue; }
private:
    AnsiString FValue;
};

class StringWriter : public TWriter {
public:
    AnsiString Value;
    bool Written = false;
    void WriteString(const AnsiString& value) override { Value = value; Written = true; }
};

AnsiString ClassNameOf(TClass cls) { return cls ? AnsiString(cls->Name) : AnsiString("?"); }

}  // namespace

// ---------------------------------------------------------------- reading
class TFormReader {
public:
    TFormReader(TComponent* root, std::string_view text) : FRoot(root), FLex(text) {}

    void Read();

private:
    struct Fixup {
        TObject* Object;
        const TPropInfo* Prop;
        AnsiString Name;
        int Line;
    };

    void ReadRoot();
    void ReadBody(TComponent* component, int depth);
    void ReadComponent(TComponent* parent, int depth);
    void ReadProperty(TPersistent* object, int depth);
    void ReadValue(TPersistent* object, const TPropInfo* prop, int line, int depth);
    void ReadCollection(TCollection* collection, int depth);
    std::intptr_t ReadOrdinal(const TPropInfo* prop);
    std::intptr_t ReadSet(const TPropInfo* prop);
    void ResolveFixups();
    void BindFields();
    void Undo();
    static void DefinedProperties(TPersistent* object, CollectingFiler& filer) { object->DefineProperties(&filer); }

    TComponent* FRoot;
    Lexer FLex;
    std::vector<TComponent*> FCreated;
    std::vector<Fixup> FReferences;
    std::vector<Fixup> FHandlers;
};

void TFormReader::Read() {
    FRoot->BeginLoading();
    try {
        ReadRoot();
        ResolveFixups();
        BindFields();
    } catch (...) {
        Undo();
        throw;
    }
    for (TComponent* c : FCreated) c->EndReading();
    FRoot->EndReading();
    // Each component's Loaded runs once; one that raises does not keep the others from theirs,
    // and the first error is passed on afterwards.
    std::exception_ptr first;
    auto load = [&](TComponent* c) {
        if (!TObject::IsLiveObject(c)) return;
        try {
            c->Loaded();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
        c->SetState(csLoading, false);
    };
    for (TComponent* c : FCreated) load(c);
    load(FRoot);
    if (first) std::rethrow_exception(first);
}

// The components this read made are freed again, the root's fields bound to them are cleared,
// and the root leaves the loading state.
void TFormReader::Undo() {
    const auto created = [this](const TObject* o) { return std::find(FCreated.begin(), FCreated.end(), o) != FCreated.end(); };
    for (TClass c = FRoot->ClassType(); c; c = c->Parent)
        for (const TFieldInfo& field : c->Fields)
            if (field.Get && field.Set && field.Get(FRoot) && created(field.Get(FRoot))) field.Set(FRoot, nullptr);
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
        if (TObject::IsLiveObject(*it)) delete *it;
    FCreated.clear();
    FRoot->SetState(csLoading | csReading, false);
}

void TFormReader::ReadRoot() {
    Token cls = FLex.Expect(Tok::Ident);
    bool matches = false;
    for (TClass c = FRoot->ClassType(); c && !matches; c = c->Parent) matches = SameTextAscii(c->Name, cls.Text);
    if (!matches) Fail(cls.Line, "クラス " + FRoot->ClassName() + " が必要です (" + cls.Text + " があります)");
    if (FLex.Peek().Kind == Tok::Ident) {
        Token name = FLex.Take();
        try {
            FRoot->SetName(name.Text);
        } catch (const Exception& e) {
            Fail(name.Line, e.Message());
        }
    }
    FLex.Expect(Tok::LBrace);
    ReadBody(FRoot, 1);
    FLex.Expect(Tok::RBrace);
    if (FLex.Peek().Kind != Tok::End) Fail(FLex.Peek().Line, "ファイルの終わりが必要です (" + Describe(FLex.Peek()) + " があります)");
}

// Properties and nested components up to the closing brace (which is left to the caller).
void TFormReader::ReadBody(TComponent* component, int depth) {
    for (;;) {
        const Token& t = FLex.Peek();
        if (t.Kind == Tok::RBrace || t.Kind == Tok::End) return;
        if (t.Kind != Tok::Ident) Fail(t.Line, "プロパティ名かクラス名が必要です (" + Describe(t) + " があります)");
        Tok next = FLex.PeekNext().Kind;
        if (next == Tok::Ident || next == Tok::LBrace) ReadComponent(component, depth + 1);
        else ReadProperty(component, depth);
    }
}

void TFormReader::ReadComponent(TComponent* parent, int depth) {
    Token cls = FLex.Take();
    if (depth > MaxDepth) Fail(cls.Line, "入れ子が深すぎます");
    TClass info = GetClass(cls.Text);
    if (!info) Fail(cls.Line, "クラス " + cls.Text + " が見つかりません");
    if (!info->Create) Fail(cls.Line, "クラス " + cls.Text + " はコンポーネントではありません");
    Token name;
    if (FLex.Peek().Kind == Tok::Ident) name = FLex.Take();
    FLex.Expect(Tok::LBrace);

    TComponent* component = nullptr;
    try {
        component = info->Create(FRoot);
    } catch (const Exception& e) {
        Fail(cls.Line, e.Message());
    }
    // Owned by the root from here on: a later failure frees it through Undo.
    if (component->Owner() != FRoot) {
        std::unique_ptr<TComponent> stray(component);
        Fail(cls.Line, "クラス " + cls.Text + " のコンポーネントを作れません");
    }
    FCreated.push_back(component);
    component->BeginLoading();
    try {
        if (!name.Text.empty()) component->SetName(name.Text);
        component->SetParentComponent(parent);
    } catch (const Exception& e) {
        Fail(name.Text.empty() ? cls.Line : name.Line, e.Message());
    }
    ReadBody(component, depth);
    FLex.Expect(Tok::RBrace);
}

void TFormReader::ReadProperty(TPersistent* object, int depth) {
    Token name = FLex.Take();
    AnsiString path = name.Text;
    // A dotted name walks through the persistent objects that class-kind properties hold.
    int hops = 0;
    while (FLex.Peek().Kind == Tok::Dot) {
        FLex.Take();
        if (++hops > MaxDepth) Fail(name.Line, "入れ子が深すぎます");
        const TPropInfo* prop = object->ClassType()->FindProperty(name.Text);
        if (!prop || prop->Kind != tkClass || !prop->GetOrd)
            Fail(name.Line, object->ClassName() + " に持ち物のプロパティ " + name.Text + " がありません");
        auto* inner = reinterpret_cast<TObject*>(prop->GetOrd(object));
        auto* persistent = dynamic_cast<TPersistent*>(inner);
        if (!persistent || dynamic_cast<TComponent*>(inner))
            Fail(name.Line, "プロパティ " + path + " は持ち物のオブジェクトではありません");
        object = persistent;
        name = FLex.Expect(Tok::Ident);
        path += "." + name.Text;
    }
    FLex.Expect(Tok::Equals);

    // A value the object defines itself (DefineProperties) comes first, as a string.
    CollectingFiler filer;
    try {
        DefinedProperties(object, filer);
    } catch (const Exception& e) {
        Fail(name.Line, e.Message());
    }
    for (DefinedProperty& d : filer.Properties) {
        if (!SameTextAscii(d.Name, name.Text)) continue;
        Token value = FLex.Take();
        if (value.Kind != Tok::String) Fail(value.Line, "プロパティ " + path + " には文字列が必要です");
        if (!d.Read) Fail(name.Line, "プロパティ " + path + " は読み込めません");
        StringReader reader(Utf8ToAnsi(value.Text));
        try {
            d.Read(reader);
        } catch (const Exception& e) {
            Fail(name.Line, "プロパティ " + path + ": " + e.Message());
        }
        return;
    }

    const TPropInfo* prop = object->ClassType()->FindProperty(name.Text);
    if (!prop) Fail(name.Line, object->ClassName() + " にプロパティ " + name.Text + " がありません");
    ReadValue(object, prop, name.Line, depth);
}

void TFormReader::ReadValue(TPersistent* object, const TPropInfo* prop, int line, int depth) {
    const AnsiString& name = prop->Name;
    auto badValue = [&](const Token& t) {
        Fail(t.Line, "プロパティ " + name + " の値が正しくありません (" + Describe(t) + ")");
    };
    // A collection is filled in place; its holder's setter is not called.
    if (prop->Kind == tkClass && FLex.Peek().Kind == Tok::LParen) {
        auto* collection = prop->GetOrd ? dynamic_cast<TCollection*>(reinterpret_cast<TObject*>(prop->GetOrd(object))) : nullptr;
        if (!collection) Fail(line, "プロパティ " + name + " はコレクションではありません");
        ReadCollection(collection, depth + 1);
        return;
    }
    if (prop->Kind == tkClass || prop->Kind == tkMethod) {
        Token t = FLex.Take();
        if (t.Kind != Tok::Ident) badValue(t);
        if (!(prop->Kind == tkClass ? prop->SetOrd != nullptr : prop->SetMethod != nullptr))
            Fail(line, "プロパティ " + name + " は読み取り専用です");
        (prop->Kind == tkClass ? FReferences : FHandlers).push_back(Fixup{object, prop, t.Text, t.Line});
        return;
    }
    try {
        switch (prop->Kind) {
        case tkInteger: case tkChar: case tkWChar: case tkInt64: case tkEnumeration: case tkSet: {
            if (!prop->SetOrd) Fail(line, "プロパティ " + name + " は読み取り専用です");
            std::intptr_t v = prop->Kind == tkSet ? ReadSet(prop) : ReadOrdinal(prop);
            prop->SetOrd(object, v);
            return;
        }
        case tkFloat: {
            if (!prop->SetFloat) Fail(line, "プロパティ " + name + " は読み取り専用です");
            Token t = FLex.Take();
            double v;
            if (t.Kind != Tok::Number || !ParseFloat(t.Text, v)) badValue(t);
            prop->SetFloat(object, v);
            return;
        }
        case tkString: case tkLString: case tkWString: {
            if (!prop->SetStr) Fail(line, "プロパティ " + name + " は読み取り専用です");
            Token t = FLex.Take();
            if (t.Kind != Tok::String) badValue(t);
            prop->SetStr(object, Utf8ToAnsi(t.Text));
            return;
        }
        default: Fail(line, "プロパティ " + name + " の種類 (" + IntToStr(prop->Kind) + ") は読み込めません");
        }
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {  // a setter that refused the value
        Fail(line, "プロパティ " + name + ": " + e.Message());
    }
}

std::intptr_t TFormReader::ReadOrdinal(const TPropInfo* prop) {
    Token t = FLex.Take();
    if (t.Kind == Tok::Ident && !prop->EnumNames.empty()) {
        for (std::size_t i = 0; i < prop->EnumNames.size(); ++i)
            if (SameTextAscii(prop->EnumNames[i], t.Text)) return static_cast<std::intptr_t>(i);
        Fail(t.Line, "プロパティ " + prop->Name + " に " + t.Text + " という値はありません");
    }
    if (t.Kind == Tok::String && (prop->Kind == tkChar) && t.Text.size() == 1)
        return static_cast<unsigned char>(t.Text[0]);
    std::int64_t v;
    if (t.Kind != Tok::Number || !ParseInteger(t.Text, v, prop->Kind == tkInt64 && sizeof(std::intptr_t) == 8))
        Fail(t.Line, "プロパティ " + prop->Name + " の値が正しくありません (" + Describe(t) + ")");
    if (prop->Kind == tkEnumeration && !prop->EnumNames.empty() &&
        (v < 0 || v >= static_cast<std::int64_t>(prop->EnumNames.size())))
        Fail(t.Line, "プロパティ " + prop->Name + " の値が範囲外です");
    return static_cast<std::intptr_t>(v);
}

std::intptr_t TFormReader::ReadSet(const TPropInfo* prop) {
    if (FLex.Peek().Kind == Tok::Number) {
        Token t = FLex.Take();
        std::int64_t v;
        if (!ParseInteger(t.Text, v, false)) Fail(t.Line, "プロパティ " + prop->Name + " の値が正しくありません");
        return static_cast<std::intptr_t>(static_cast<std::uint32_t>(v));
    }
    FLex.Expect(Tok::LBracket);
    std::uint32_t bits = 0;
    if (FLex.Peek().Kind != Tok::RBracket) {
        for (;;) {
            Token t = FLex.Expect(Tok::Ident);
            std::size_t i = 0;
            while (i < prop->EnumNames.size() && !SameTextAscii(prop->EnumNames[i], t.Text)) ++i;
            if (i >= prop->EnumNames.size() || i >= 32)
                Fail(t.Line, "プロパティ " + prop->Name + " に " + t.Text + " という要素はありません");
            bits |= 1u << i;
            if (FLex.Peek().Kind != Tok::Comma) break;
            FLex.Take();
        }
    }
    FLex.Expect(Tok::RBracket);
    return static_cast<std::intptr_t>(bits);
}

void TFormReader::ReadCollection(TCollection* collection, int depth) {
    Token open = FLex.Expect(Tok::LParen);
    if (depth > MaxDepth) Fail(open.Line, "入れ子が深すぎます");
    UpdateScope update(*collection);
    collection->Clear();
    while (FLex.Peek().Kind == Tok::LBrace) {
        Token brace = FLex.Take();
        TCollectionItem* item = nullptr;
        try {
            item = collection->Add();
        } catch (const Exception& e) {
            Fail(brace.Line, e.Message());
        }
        while (FLex.Peek().Kind == Tok::Ident) ReadProperty(item, depth);
        FLex.Expect(Tok::RBrace);
    }
    FLex.Expect(Tok::RParen);
}

void TFormReader::ResolveFixups() {
    for (const Fixup& f : FReferences) {
        if (!TObject::IsLiveObject(f.Object)) continue;  // its holder went away while reading (a collection refilled)
        TComponent* target = nullptr;
        if (!SameTextAscii(f.Name, "nil")) {
            target = SameTextAscii(f.Name, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.Name);
            if (!target) Fail(f.Line, "コンポーネント " + f.Name + " が見つかりません");
            TClass wanted = f.Prop->PropClass();
            if (wanted && !target->InheritsFrom(wanted))
                Fail(f.Line, "プロパティ " + f.Prop->Name + " には " + ClassNameOf(wanted) + " が必要です (" + f.Name +
                                 " は " + target->ClassName() + " です)");
        }
        try {
            f.Prop->SetOrd(f.Object, reinterpret_cast<std::intptr_t>(static_cast<TObject*>(target)));
        } catch (const Exception& e) {
            Fail(f.Line, "プロパティ " + f.Prop->Name + ": " + e.Message());
        }
    }
    for (const Fixup& f : FHandlers) {
        if (!TObject::IsLiveObject(f.Object)) continue;
        TMethod method;
        if (!SameTextAscii(f.Name, "nil")) {
            const TMethodInfo* m = FRoot->ClassType()->FindMethod(f.Name);
            if (!m) Fail(f.Line, FRoot->ClassName() + " にメソッド " + f.Name + " がありません");
            // The handler must take what the event passes; calling it otherwise would corrupt the stack.
            if (m->Signature != f.Prop->Signature || SignatureOfCode(m->Code) != f.Prop->Signature)
                Fail(f.Line, "メソッド " + f.Name + " の引数がイベント " + f.Prop->Name + " と合いません");
            method = TMethod{m->Code, static_cast<TObject*>(FRoot)};
        }
        try {
            f.Prop->SetMethod(f.Object, method);
        } catch (const Exception& e) {
            Fail(f.Line, "プロパティ " + f.Prop->Name + ": " + e.Message());
        }
    }
}

void TFormReader::BindFields() {
    for (TComponent* c : FCreated) {
        if (c->Name().empty()) continue;
        const TFieldInfo* field = FRoot->ClassType()->FindField(c->Name());
        if (!field || !field->Set) continue;
        TClass wanted = field->FieldClassFn ? field->FieldClassFn() : nullptr;
        if (wanted && !c->InheritsFrom(wanted))
            throw EReadError("フォームファイル: フィールド " + field->Name + " には " + ClassNameOf(wanted) + " が必要です (" +
                             c->Name() + " は " + c->ClassName() + " です)");
        field->Set(FRoot, c);
    }
}

void ReadComponentText(TComponent* root, std::string_view text) {
    if (!root) throw EReadError("フォームファイルを読み込む先がありません");
    TFormReader(root, text).Read();
}

// ---------------------------------------------------------------- writing
namespace {

std::string Quote(const AnsiString& ansi) {
    std::string utf8 = AnsiToUtf8(ansi);
    std::string out = "\"";
    for (char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                const char* digits = "0123456789ABCDEF";
                out += "\\x";
                out += digits[(static_cast<unsigned char>(c) >> 4) & 15];
                out += digits[c & 15];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string FloatText(double v) {
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    std::string s(buf, p);
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

}  // namespace

class TFormWriter {
public:
    explicit TFormWriter(TComponent* root) : FRoot(root) {}

    std::string Write() {
        SetWriting(true);
        try {
            WriteComponent(FRoot, 0);
        } catch (...) {
            SetWriting(false);
            throw;
        }
        SetWriting(false);
        return std::move(FOut);
    }

private:
    void SetWriting(bool on) {
        FRoot->SetState(csWriting, on);
        for (int i = 0; i < FRoot->ComponentCount(); ++i) FRoot->Components(i)->SetState(csWriting, on);
    }

    void Line(int depth, const std::string& text) {
        FOut.append(static_cast<std::size_t>(depth) * 2, ' ');
        FOut += text;
        FOut += '\n';
    }

    // The component under which c is written: its parent component when the root owns that,
    // else the root itself.
    TComponent* Enclosing(TComponent* c) const {
        TComponent* p = c->GetParentComponent();
        return p && p != c && p->Owner() == FRoot ? p : FRoot;
    }

    void WriteComponent(TComponent* c, int depth) {
        if (depth > MaxDepth) throw EStreamError("フォームファイルに書けない深さの入れ子です");
        std::string header = c->ClassName();
        if (!c->Name().empty()) header += " " + c->Name();
        Line(depth, header + " {");
        WriteProperties(c, "", depth + 1, 0);
        for (int i = 0; i < FRoot->ComponentCount(); ++i) {
            TComponent* child = FRoot->Components(i);
            if (Enclosing(child) == c && child != c) WriteComponent(child, depth + 1);
        }
        Line(depth, "}");
    }

    // Name of a component that a reading of this file can find again, or empty.
    AnsiString ReferenceName(TComponent* target) const {
        if (target == FRoot || target->Owner() == FRoot) return target->Name();
        return {};
    }

    AnsiString MethodName(const TMethod& m) const {
        if (m.Data != static_cast<void*>(static_cast<TObject*>(FRoot))) return {};
        for (TClass c = FRoot->ClassType(); c; c = c->Parent)
            for (const TMethodInfo& info : c->Methods)
                if (info.Code == m.Code) return info.Name;
        return {};
    }

    void WriteProperties(TPersistent* object, const std::string& prefix, int depth, int hops) {
        if (hops > MaxDepth) throw EStreamError("フォームファイルに書けない深さの入れ子です");
        CollectingFiler filer;
        object->DefineProperties(&filer);
        const bool isComponent = dynamic_cast<TComponent*>(object) != nullptr;
        for (const TPropInfo* prop : object->ClassType()->AllProperties()) {
            if (!prop->Stored || !prop->Readable()) continue;
            if (isComponent && SameTextAscii(prop->Name, "Name")) continue;  // in the header
            bool shadowed = false;
            for (const DefinedProperty& d : filer.Properties) shadowed = shadowed || SameTextAscii(d.Name, prop->Name);
            if (shadowed) continue;
            WriteProperty(object, prop, prefix, depth, hops);
        }
        for (DefinedProperty& d : filer.Properties) {
            if (!d.HasData || !d.Write) continue;
            StringWriter writer;
            d.Write(writer);
            if (writer.Written) Line(depth, prefix + d.Name + " = " + Quote(writer.Value));
        }
    }

    void WriteProperty(TPersistent* object, const TPropInfo* prop, const std::string& prefix, int depth, int hops) {
        const std::string name = prefix + prop->Name;
        switch (prop->Kind) {
        case tkInteger: case tkChar: case tkWChar: case tkInt64: case tkEnumeration: case tkSet: {
            if (!prop->GetOrd || !prop->SetOrd) return;
            std::intptr_t v = prop->GetOrd(object);
            if (prop->HasDefault && v == prop->Default) return;
            Line(depth, name + " = " + OrdinalText(prop, v));
            return;
        }
        case tkFloat: {
            if (!prop->GetFloat || !prop->SetFloat) return;
            double v = prop->GetFloat(object);
            if (v == 0.0 || !std::isfinite(v)) return;  // zero is the default of every float
            Line(depth, name + " = " + FloatText(v));
            return;
        }
        case tkString: case tkLString: case tkWString: {
            if (!prop->GetStr || !prop->SetStr) return;
            AnsiString v = prop->GetStr(object);
            if (!v.empty()) Line(depth, name + " = " + Quote(v));
            return;
        }
        case tkMethod: {
            if (!prop->GetMethod || !prop->SetMethod) return;
            AnsiString method = MethodName(prop->GetMethod(object));
            if (!method.empty()) Line(depth, name + " = " + method);
            return;
        }
        case tkClass: {
            if (!prop->GetOrd) return;
            auto* value = reinterpret_cast<TObject*>(prop->GetOrd(object));
            if (!value) return;
            if (auto* component = dynamic_cast<TComponent*>(value)) {
                AnsiString ref = prop->SetOrd ? ReferenceName(component) : AnsiString();
                if (!ref.empty()) Line(depth, name + " = " + ref);
            } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
                if (collection->Count() == 0) return;
                Line(depth, name + " = (");
                for (int i = 0; i < collection->Count(); ++i) {
                    Line(depth + 1, "{");
                    WriteProperties(collection->Items(i), "", depth + 2, hops + 1);
                    Line(depth + 1, "}");
                }
                Line(depth, ")");
            } else if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
                if (persistent != object) WriteProperties(persistent, name + ".", depth, hops + 1);
            }
            return;
        }
        default: return;  // kinds that form files do not carry
        }
    }

    static std::string OrdinalText(const TPropInfo* prop, std::intptr_t v) {
        if (prop->Kind == tkEnumeration && v >= 0 && static_cast<std::size_t>(v) < prop->EnumNames.size())
            return prop->EnumNames[static_cast<std::size_t>(v)];
        if (prop->Kind == tkSet) {
            auto bits = static_cast<std::uint32_t>(v);
            std::string text = "[";
            for (unsigned i = 0; i < 32; ++i) {
                if (!(bits & (1u << i))) continue;
                if (i >= prop->EnumNames.size()) return std::to_string(bits);  // bits without names: the mask
                if (text.size() > 1) text += ", ";
                text += prop->EnumNames[i];
            }
            return text + "]";
        }
        return std::to_string(static_cast<long long>(v));
    }

    TComponent* FRoot;
    std::string FOut;
};

std::string WriteComponentText(TComponent* root) {
    if (!root) return {};
    return TFormWriter(root).Write();
}
