// The property serializer: its stream format, its round trips and its errors.
#include "Samples.h"
#include "catools/RaiseCheck.h"
#include "classlib/core/FormFile.h"
#include "classlib/core/Stream.h"
#include "classlib/ui/Button.h"
#include "classlib/ui/ControlClasses.h"
#include "classlib/ui/Form.h"

#include <cstring>
#include <memory>
#include <random>
#include <string>

using namespace Ovk;

namespace {

std::string Bytes(TMemoryStream& s) { return std::string(s.Memory(), static_cast<std::size_t>(s.Size())); }

// A record as the format stores it.
std::string Str(const std::string& s) { return std::string(1, static_cast<char>(s.size() + 1)) + s + '\0'; }
std::string Record(const std::string& c, const std::string& p, const std::string& v) { return Str(c) + Str(p) + Str(v); }

std::unique_ptr<TMemoryStream> StreamOf(const std::string& bytes) {
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(bytes.data(), bytes.size());
    s->SetPosition(0);
    return s;
}

struct PropertySerializer : testing::Test {
    static void SetUpTestSuite() { RegisterControlClasses(); }

    std::unique_ptr<TForm> form = [] {
        auto f = std::make_unique<TForm>(nullptr);
        f->SetName("Form1");
        return f;
    }();
    TButton* button = Named<TButton>("Button1");
    TSample* sample = Named<TSample>("Sample1");
    TPropertySerializer* serializer = Named<TPropertySerializer>("Serializer1");

    template <class T>
    T* Named(const char* name) {
        auto* c = new T(form.get());
        c->SetName(name);
        return c;
    }
    void List(std::initializer_list<const char*> lines) {
        serializer->Items()->Clear();
        for (const char* line : lines) serializer->Items()->Add(line);
    }
    std::string Save() {
        TMemoryStream s;
        serializer->SaveToStream(s);
        return Bytes(s);
    }
};

TEST_F(PropertySerializer, WritesTheRecordsByteForByte) {
    button->SetCaption("OK");
    button->SetTag(-5);
    List({"Button1", "\tCaption", "\tTag"});
    const unsigned char expected[] = {
        0x08, 0x42, 0x75, 0x74, 0x74, 0x6F, 0x6E, 0x31, 0x00, 0x08, 0x43, 0x61, 0x70, 0x74, 0x69, 0x6F, 0x6E, 0x00,
        0x03, 0x4F, 0x4B, 0x00,
        0x08, 0x42, 0x75, 0x74, 0x74, 0x6F, 0x6E, 0x31, 0x00, 0x04, 0x54, 0x61, 0x67, 0x00, 0x03, 0x2D, 0x35, 0x00};
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(expected), sizeof expected), Save());

    button->SetCaption("");
    List({"Button1", "\tCaption"});
    EXPECT_EQ(Record("Button1", "Caption", ""), Save());  // the empty value is 01 00
}

TEST_F(PropertySerializer, LoadsWhatItSaved) {
    button->SetCaption("OK");
    sample->FText = "";
    sample->FFlag = true;
    sample->FRatio = 2.5;
    sample->FCount = -7;
    sample->FLink = button;
    List({"Button1", "\tCaption", "Sample1", "\tText", "\tFlag", "\tRatio", "\tCount", "\tLink"});
    const std::string saved = Save();
    EXPECT_NE(std::string::npos, saved.find(Record("Sample1", "Flag", "1")));
    EXPECT_NE(std::string::npos, saved.find(Record("Sample1", "Ratio", "2")));  // floats as truncated integers

    button->SetCaption("changed");
    sample->FText = "changed";
    sample->FFlag = false;
    sample->FRatio = 9;
    sample->FCount = 0;
    sample->FLink = nullptr;
    auto s = StreamOf(saved + "trailing bytes");
    serializer->LoadFromStream(*s);
    EXPECT_EQ("OK", button->Caption());
    EXPECT_EQ("", sample->FText);
    EXPECT_TRUE(sample->FFlag);
    EXPECT_EQ(2.0, sample->FRatio);
    EXPECT_EQ(-7, sample->FCount);
    EXPECT_EQ(button, sample->FLink);
    EXPECT_EQ(static_cast<std::int64_t>(saved.size()), s->Position());  // the rest stays unread
}

TEST_F(PropertySerializer, FilesHoldTheSameRecords) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const AnsiString file = AnsiString(dir) + "zl_serializer_test.bin";
    sample->FCount = 12;
    List({"Sample1", "\tCount"});
    serializer->SaveToFile(file);
    sample->FCount = 0;
    serializer->LoadFromFile(file);
    EXPECT_EQ(12, sample->FCount);

    // A save that is refused leaves the file it would have replaced.
    sample->FCount = 5;
    sample->FText = std::string(127, 'x');
    List({"Sample1", "\tCount", "\tText"});
    EXPECT_THROW(serializer->SaveToFile(file), Exception);
    List({"Sample1", "\tCount"});
    sample->FCount = 0;
    serializer->LoadFromFile(file);
    EXPECT_EQ(12, sample->FCount);
    DeleteFileA(file.c_str());
    EXPECT_THROW(serializer->LoadFromFile(file), EFOpenError);
}

TEST_F(PropertySerializer, NamesMustMatchTheListInOrderAndCase) {
    sample->FCount = 1;
    sample->FText = "a";
    List({"Sample1", "\tCount", "\tText"});
    const std::string saved = Save();
    sample->FCount = 0;
    sample->FText = "";

    struct Case { std::initializer_list<const char*> list; };
    // Reordered pairs, and a component name that differs in case only.
    List({"Sample1", "\tText", "\tCount"});
    auto reordered = StreamOf(saved);
    EXPECT_RAISES(serializer->LoadFromStream(*reordered), Exception, "read error!!");
    List({"sample1", "\tCount"});
    auto cased = StreamOf(saved);
    EXPECT_RAISES(serializer->LoadFromStream(*cased), Exception, "read error!!");
    EXPECT_EQ(0, sample->FCount);

    // Reordered after the first pair: the first is loaded.
    List({"Sample1", "\tCount", "\tFlag"});
    auto second = StreamOf(saved);
    EXPECT_RAISES(serializer->LoadFromStream(*second), Exception, "read error!!");
    EXPECT_EQ(1, sample->FCount);

    // Pairs appended: the stream ends inside the third record, the two before are loaded.
    sample->FCount = 0;
    List({"Sample1", "\tCount", "\tText", "\tFlag"});
    auto appended = StreamOf(saved);
    EXPECT_THROW(serializer->LoadFromStream(*appended), EReadError);
    EXPECT_EQ(1, sample->FCount);
    EXPECT_EQ("a", sample->FText);
}

TEST_F(PropertySerializer, ValuesThatDoNotConvertRaiseTheVariantError) {
    List({"Sample1", "\tCount"});
    auto s = StreamOf(Record("Sample1", "Count", "abc"));
    EXPECT_THROW(serializer->LoadFromStream(*s), EVariantError);
}

TEST_F(PropertySerializer, EmptyListsAndEmptyLines) {
    List({"Sample1", "Button1"});  // no property lines
    EXPECT_EQ("", Save());
    TMemoryStream nothing;
    serializer->LoadFromStream(nothing);

    List({"Sample1", "\tCount", "", "\tText"});
    std::string partial;
    TMemoryStream s;
    EXPECT_THROW(serializer->SaveToStream(s), ERangeError);
    EXPECT_EQ(Record("Sample1", "Count", "0"), Bytes(s));  // stops before the pair after it
}

TEST_F(PropertySerializer, UnsupportedAndMissingPropertiesAfterTheirNames) {
    List({"Sample1", "\tOnChange"});
    TMemoryStream s;
    EXPECT_RAISES(serializer->SaveToStream(s), Exception, "このプロパティは扱えません. [TSample::OnChange");
    EXPECT_EQ(Str("Sample1") + Str("OnChange"), Bytes(s));

    List({"Sample1", "\tColour"});
    TMemoryStream t;
    EXPECT_RAISES(serializer->SaveToStream(t), Exception, "クラス\"TSample\"のプロパティ\"Colour\"が取得できません.");
}

TEST_F(PropertySerializer, StringsOf127BytesOrMoreAreRefusedBeforeTheyAreWritten) {
    const std::string fits(126, 'x');
    sample->FText = fits;
    List({"Sample1", "\tText"});
    EXPECT_EQ(Record("Sample1", "Text", fits), Save());  // count byte 127

    const AnsiString refused = "コンポーネント\"Sample1\"のプロパティ\"Text\"の文字列が127バイト以上あるため保存できません.";
    sample->FText = fits + "x";
    TMemoryStream s;
    EXPECT_RAISES(serializer->SaveToStream(s), Exception, refused);
    EXPECT_EQ(Str("Sample1") + Str("Text"), Bytes(s));

    // A property name that long: the component name stays written.
    const std::string longName(127, 'P');
    serializer->Items()->Clear();
    serializer->Items()->Add("Sample1");
    serializer->Items()->Add("\t" + longName);
    TMemoryStream t;
    EXPECT_THROW(serializer->SaveToStream(t), Exception);
    EXPECT_EQ(Str("Sample1"), Bytes(t));
}

TEST_F(PropertySerializer, CorruptCountsStopTheReaderAtOnce) {
    List({"Sample1", "\tCount"});
    for (unsigned char bad : {0x00, 0x80, 0xFF}) {
        auto s = StreamOf(std::string(1, static_cast<char>(bad)) + std::string(300, 'A'));
        SCOPED_TRACE(int(bad));
        EXPECT_RAISES(serializer->LoadFromStream(*s), Exception, "read error!!");
        EXPECT_EQ(1, s->Position()) << "nothing read after the count";
    }
    // The stream ends inside a string, or right after a count.
    for (const std::string& cut : {Str("Sample1").substr(0, 4), std::string("\x08"), Record("Sample1", "Count", "5").substr(0, 18)}) {
        auto s = StreamOf(cut);
        EXPECT_THROW(serializer->LoadFromStream(*s), EReadError);
    }
}

TEST_F(PropertySerializer, PairsOfMissingComponentsStopThePassBeforeAnything) {
    const struct { std::initializer_list<const char*> list; const char* missing; } cases[] = {
        {{"\tCount"}, ""},  // before the first component line
        {{"Nobody", "\tCount"}, "Nobody"},
    };
    for (const auto& c : cases) {
        List(c.list);
        const AnsiString message = AnsiString("コンポーネント\"") + c.missing + "\"が見つかりません.";
        TMemoryStream out;
        EXPECT_RAISES(serializer->SaveToStream(out), Exception, message);
        EXPECT_EQ(0, out.Size());
        auto in = StreamOf(Record(c.missing, "Count", "1"));
        EXPECT_RAISES(serializer->LoadFromStream(*in), Exception, message);
        EXPECT_EQ(0, in->Position());
    }
    // A serializer without an owner finds no component at all.
    TPropertySerializer lone(nullptr);
    lone.Items()->Add("Sample1");
    lone.Items()->Add("\tCount");
    TMemoryStream out;
    EXPECT_RAISES(lone.SaveToStream(out), Exception, "コンポーネント\"Sample1\"が見つかりません.");
}

TEST_F(PropertySerializer, ReferencesAreRestoredOnlyToTheOwnersComponents) {
    List({"Sample1", "\tLink"});
    auto load = [&](const std::string& value) {
        auto s = StreamOf(Record("Sample1", "Link", value));
        serializer->LoadFromStream(*s);
    };
    const auto address = [](const void* p) { return std::to_string(reinterpret_cast<std::intptr_t>(p)); };

    load(address(static_cast<TObject*>(button)));
    EXPECT_EQ(button, sample->FLink);
    load("0");
    EXPECT_EQ(nullptr, sample->FLink);

    TComponent stranger(nullptr);  // alive, but not the form's
    const AnsiString refused = "コンポーネント\"Sample1\"のプロパティ\"Link\"の値はオーナーのコンポーネントを指していません.";
    for (const std::string& bad : {address(&stranger), address(form.get()), std::string("12345"),
                                   address(static_cast<TObject*>(button)) + "0"}) {
        SCOPED_TRACE(bad);
        EXPECT_RAISES(load(bad), Exception, refused);
        EXPECT_EQ(nullptr, sample->FLink);
    }
}

TEST_F(PropertySerializer, TheListTravelsThroughTheFormFile) {
    EXPECT_EQ(std::string::npos, WriteComponentText(form.get()).find("Items")) << "an empty list writes nothing";

    List({"Sample1", "\tCount", "Button1", "\tCaption"});
    const std::string text = WriteComponentText(form.get());
    EXPECT_NE(std::string::npos, text.find("Items = \"Sample1\\r\\n\\tCount\\r\\nButton1\\r\\n\\tCaption\\r\\n\""))
        << text;
    auto copy = std::make_unique<TForm>(nullptr);
    ReadComponentText(copy.get(), text);
    auto* read = static_cast<TPropertySerializer*>(copy->FindComponent("Serializer1"));
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(serializer->Items()->Text(), read->Items()->Text());
}

// Many damaged and random streams: the reader stops with a class-library error every time, and
// never crashes.
TEST_F(PropertySerializer, SurvivesCorruptAndRandomStreams) {
    sample->FText = "text";
    sample->FFlag = true;
    sample->FCount = 42;
    sample->FLink = button;
    List({"Sample1", "\tText", "\tFlag", "\tRatio", "\tCount", "\tLink", "Button1", "\tCaption", "\tTag"});
    const std::string good = Save();

    std::mt19937 rng(20240611u);
    int loaded = 0, refused = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        switch (round % 4) {
        case 0:  // flip a few bytes
            bytes = good;
            for (int n = 1 + static_cast<int>(rng() % 4); n > 0; --n)
                bytes[rng() % bytes.size()] = static_cast<char>(rng());
            break;
        case 1:  // cut short
            bytes = good.substr(0, rng() % good.size());
            break;
        case 2:  // random bytes
            bytes.resize(rng() % 200);
            for (char& b : bytes) b = static_cast<char>(rng());
            break;
        case 3:  // random bytes behind a valid prefix
            bytes = good.substr(0, rng() % good.size());
            for (int n = static_cast<int>(rng() % 64); n > 0; --n) bytes += static_cast<char>(rng());
            break;
        }
        auto s = StreamOf(bytes);
        try {
            serializer->LoadFromStream(*s);
            ++loaded;
        } catch (const Exception&) {
            ++refused;
        }
        ASSERT_LE(s->Position(), static_cast<std::int64_t>(bytes.size()));
        // Whatever was stored is a value of the property's own kind.
        ASSERT_TRUE(sample->FLink == nullptr || sample->FLink == button);
    }
    EXPECT_EQ(4000, loaded + refused);
    EXPECT_GT(refused, 3000);
}

}  // namespace
