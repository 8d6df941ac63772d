// Form files: reading a component tree, writing it back, and refusing malformed files.
#include "TestClasses.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/FormFile.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Form files are UTF-8 while the program's own literals are Shift-JIS: the sample is a u8 literal.
const std::string SampleForm = reinterpret_cast<const char*>(u8R"(# a form with one of everything
TTestForm Form1 {
  Tag = 3
  TTestWidget Widget1 {
    Caption = "日付 \"quoted\"\tand\\more"
    Left = -12
    Visible = False
    Shade = shBlue
    Shades = [shRed, shBlue]
    Ratio = 2.5
    Letter = 65
    Buddy = Label1
    OnClick = WidgetClick
    Font.Height = -16
    Font.Name = "ＭＳ ゴシック"
    Items = "Alpha\r\nBeta\r\n"
    Columns = (
      { Caption = "a" Width = 10 Target = Label1 }
      { Caption = "b" }
    )
    TTestWidget Inner { Left = 0x10  Buddy = Form1 }
  }
  TTestWidget Label1 { Buddy = Widget1  OnValue = ValueChanged }
}
)");

class FormFiles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(TTestWidget::Live, 0);
        TTestWidget::LoadedLog.clear();
    }
    void TearDown() override { EXPECT_EQ(TTestWidget::Live, 0) << "widgets leaked"; }

    static TTestWidget* Widget(TComponent* root, const char* name) {
        return dynamic_cast<TTestWidget*>(root->FindComponent(name));
    }

    // The properties of a form read from SampleForm, checked one by one.
    static void ExpectSample(TTestForm& form) {
        EXPECT_EQ(form.Name(), "Form1");
        EXPECT_EQ(form.Tag(), 3);
        ASSERT_EQ(form.ComponentCount(), 3);
        TTestWidget* w = Widget(&form, "Widget1");
        TTestWidget* inner = Widget(&form, "Inner");
        TTestWidget* label = Widget(&form, "Label1");
        ASSERT_TRUE(w && inner && label);
        EXPECT_EQ(w->Caption(), "日付 \"quoted\"\tand\\more");
        EXPECT_EQ(w->Left, -12);
        EXPECT_FALSE(w->Visible);
        EXPECT_EQ(w->Shade, shBlue);
        EXPECT_EQ(w->Shades, (TShades{shRed, shBlue}));
        EXPECT_DOUBLE_EQ(w->Ratio, 2.5);
        EXPECT_EQ(w->Letter, 'A');
        EXPECT_EQ(w->Buddy, label);
        EXPECT_EQ(w->OnClick.Method(), (TMethod{TNotifyEvent::CodeOf<&TTestForm::WidgetClick>(), &form}));
        EXPECT_EQ(w->Font->Height, -16);
        EXPECT_EQ(w->Font->FaceName, "ＭＳ ゴシック");
        EXPECT_EQ(w->Names->Text(), "Alpha\r\nBeta\r\n");
        ASSERT_EQ(w->Items->Count(), 2);
        auto* a = static_cast<TTestItem*>(w->Items->Items(0));
        EXPECT_EQ(a->Caption, "a");
        EXPECT_EQ(a->Width, 10);
        EXPECT_EQ(a->Target, label);
        EXPECT_EQ(static_cast<TTestItem*>(w->Items->Items(1))->Caption, "b");
        EXPECT_EQ(inner->Left, 16);
        EXPECT_EQ(inner->Buddy, &form);
        EXPECT_EQ(inner->GetParentComponent(), w);
        EXPECT_EQ(inner->Owner(), &form);
        EXPECT_EQ(w->GetParentComponent(), &form);
        EXPECT_EQ(label->Buddy, w);
        EXPECT_EQ(label->OnValue.Method().Code, TEvent<int>::CodeOf<&TTestForm::ValueChanged>());
        EXPECT_EQ(form.Widget1, w);
        EXPECT_EQ(form.Label1, label);
    }
};

}  // namespace

TEST_F(FormFiles, ReadingSetsEverythingThenRunsLoadedOnceEach) {
    TTestForm form(nullptr);
    ReadComponentText(&form, SampleForm);
    ExpectSample(form);

    // Loaded ran once per component, after references, handlers and fields were all in place,
    // with reading over and loading not yet.
    EXPECT_EQ(form.LoadedCount, 1);
    ASSERT_EQ(TTestWidget::LoadedLog.size(), 3u);
    for (const TLoadedRecord& r : TTestWidget::LoadedLog) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.State & (csLoading | csReading), unsigned(csLoading));
        EXPECT_TRUE(r.FieldBound);
        EXPECT_EQ(Widget(&form, r.Name.c_str())->LoadedCount, 1);
    }
    EXPECT_EQ(TTestWidget::LoadedLog[0].Buddy, "Label1");
    EXPECT_TRUE(TTestWidget::LoadedLog[0].ClickAssigned);
    EXPECT_EQ(TTestWidget::LoadedLog[0].ItemCount, 2);
    EXPECT_EQ(TTestWidget::LoadedLog[2].Buddy, "Widget1");
    for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_EQ(form.Components(i)->ComponentState(), 0u);
    EXPECT_EQ(form.ComponentState(), 0u);

    // The handler that was bound by name calls the form.
    form.Widget1->OnClick(form.Widget1);
    EXPECT_EQ(form.Clicks, std::vector<TObject*>{form.Widget1});
}

TEST_F(FormFiles, WrittenFormsReadBackTheSame) {
    TTestForm original(nullptr);
    ReadComponentText(&original, SampleForm);
    const std::string text = WriteComponentText(&original);

    TTestForm copy(nullptr);
    ReadComponentText(&copy, text);
    ExpectSample(copy);
    EXPECT_EQ(WriteComponentText(&copy), text);  // and writing is stable
}

TEST_F(FormFiles, WritingStoresOnlyWhatDiffersFromTheDefault) {
    TTestForm form(nullptr);
    form.SetName("Form1");
    auto* w = new TTestWidget(&form);
    w->SetName("Plain");
    EXPECT_EQ(WriteComponentText(&form), "TTestForm Form1 {\n  TTestWidget Plain {\n  }\n}\n");
    w->Visible = false;
    w->Left = 5;
    w->Font->Height = -20;
    EXPECT_EQ(WriteComponentText(&form),
              "TTestForm Form1 {\n  TTestWidget Plain {\n    Left = 5\n    Visible = False\n"
              "    Font.Height = -20\n  }\n}\n");
}

TEST_F(FormFiles, AnEventBoundToAMethodOfAnotherSignatureIsRefused) {
    TTestForm form(nullptr);
    try {
        ReadComponentText(&form, "TTestForm F {\n TTestWidget W {\n  OnClick = ValueChanged\n }\n}\n");
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("3 行目"), AnsiString::npos) << e.Message();
        EXPECT_NE(e.Message().find("ValueChanged"), AnsiString::npos) << e.Message();
    }
    EXPECT_EQ(form.ComponentCount(), 0);  // the half-read widget is gone again
    EXPECT_EQ(form.Widget1, nullptr);
    EXPECT_FALSE(form.IsLoading());
}

TEST_F(FormFiles, MalformedFilesNameTheLineAndWhatWasExpected) {
    struct Case { const char* Text; int Line; const char* Says; };
    const Case cases[] = {
        {"TTestForm F {\n  Tag = 1\n", 3, "\"}\" が必要です"},
        {"TTestForm F {\n  TTestWidget W {\n", 3, "\"}\" が必要です"},
        {"TTestForm F {\n}\n}\n", 3, "ファイルの終わりが必要です"},
        {"TOther F {\n}\n", 1, "クラス TTestForm が必要です"},
        {"TTestForm F {\n  TNoSuch X { }\n}\n", 2, "クラス TNoSuch が見つかりません"},
        {"TTestForm F {\n  TTestPlain X { }\n}\n", 2, "コンポーネントではありません"},
        {"TTestForm F {\n  TTestWidget W {\n    Nope = 1\n  }\n}\n", 3, "プロパティ Nope がありません"},
        {"TTestForm F {\n  TTestWidget W { Left = \"x\" }\n}\n", 2, "Left の値が正しくありません"},
        {"TTestForm F {\n  TTestWidget W { Left = 2147483648 }\n}\n", 2, "Left の値が正しくありません"},
        {"TTestForm F {\n  TTestWidget W { Shade = shPink }\n}\n", 2, "shPink"},
        {"TTestForm F {\n  TTestWidget W { Shade = 7 }\n}\n", 2, "範囲外"},
        {"TTestForm F {\n  TTestWidget W { Shades = [shRed shBlue] }\n}\n", 2, "\"]\" が必要です"},
        {"TTestForm F {\n  TTestWidget W { Caption = \"abc\n }\n}\n", 2, "文字列が閉じられていません"},
        {"TTestForm F {\n  TTestWidget W { Caption = \"a\\q\" }\n}\n", 2, "エスケープ"},
        {"TTestForm F {\n  TTestWidget W { Caption = \"\xff\xfe\" }\n}\n", 2, "UTF-8"},
        {"TTestForm F {\n  TTestWidget W { Buddy = Nobody }\n}\n", 2, "Nobody が見つかりません"},
        {"TTestForm F {\n  TTestWidget W { OnClick = NoMethod }\n}\n", 2, "NoMethod がありません"},
        {"TTestForm F {\n  TTestWidget W { Font.Nope = 1 }\n}\n", 2, "プロパティ Nope がありません"},
        {"TTestForm F {\n  TTestWidget W { Caption.X = 1 }\n}\n", 2, "Caption"},
        {"TTestForm F {\n  TTestWidget W { Buddy.Left = 1 }\n}\n", 2, "Buddy"},
        {"TTestForm F {\n  TTestWidget W { Left = ( ) }\n}\n", 2, "Left の値が正しくありません"},
        {"TTestForm F {\n  TTestWidget W { Buddy = ( ) }\n}\n", 2, "コレクションではありません"},
        {"TTestForm F {\n  TTestWidget W { Columns = ( { Caption = 1 } ) }\n}\n", 2, "Caption の値"},
        {"TTestForm F {\n  TTestWidget W { Items = 5 }\n}\n", 2, "文字列が必要です"},
        {"TTestForm F {\n  TTestWidget W { }\n  TTestWidget w { }\n}\n", 3, "すでに存在します"},
        {"TTestForm F {\n  TTestWidget 1W { }\n}\n", 2, "が必要です"},
        {"TTestForm F {\n  TTestWidget W { Left 5 }\n}\n", 2, "\"=\" が必要です"},
        {"TTestForm F {\n  Tag = 1 ; \n}\n", 2, "使えない文字"},
        {"TTestForm F {\n  Tag = \x01\n}\n", 2, "使えない文字 (0x01)"},
        {"TTestForm F {\n  Widget1 = nil\n}\n", 2, "プロパティ Widget1 がありません"},
        {"TTestForm F {\n  TComponent Widget1 { }\n}\n", 0, "フィールド Widget1"},
        {"TTestForm F {\n  TTestWidget Label1 { }\n  TComponent Widget1 { }\n}\n", 0, "フィールド Widget1"},
        {"", 1, "名前 が必要です"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TTestForm form(nullptr);
        try {
            ReadComponentText(&form, c.Text);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            const AnsiString says = c.Says;
            if (c.Line > 0) {
                const AnsiString where = "フォームファイルの " + IntToStr(c.Line) + " 行目: ";
                EXPECT_EQ(e.Message().rfind(where, 0), 0u) << AnsiToUtf8(e.Message());
            }
            EXPECT_NE(e.Message().find(says), AnsiString::npos) << AnsiToUtf8(e.Message());
        }
        EXPECT_EQ(form.ComponentCount(), 0);
        EXPECT_EQ(form.Label1, nullptr);  // no field is left on a freed component
        EXPECT_EQ(form.Widget1, nullptr);
        EXPECT_FALSE(form.IsLoading());
        EXPECT_EQ(form.LoadedCount, 0);
    }
}

TEST_F(FormFiles, DeepNestingIsRefusedNotOverflowed) {
    std::string text = "TTestForm F {\n";
    for (int i = 0; i < 5000; ++i) text += "TTestWidget {\n";
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponentText(&form, text), EReadError);
    EXPECT_EQ(form.ComponentCount(), 0);
}

// Random bytes and random damage to a valid file either read or raise EReadError; they never
// crash, hang or leak a component.
TEST_F(FormFiles, DamagedFilesNeverCrashTheReader) {
    std::mt19937 random(20240601);
    const std::string valid = SampleForm;
    auto check = [](const std::string& text) {
        TTestForm form(nullptr);
        try {
            ReadComponentText(&form, text);
        } catch (const EReadError&) {
            EXPECT_EQ(form.ComponentCount(), 0);
        }
    };
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& b : bytes) b = static_cast<char>(random());
        check(bytes);
        check("TTestForm F {" + bytes);

        std::string damaged = valid;
        for (int k = 0, n = 1 + random() % 4; k < n; ++k) {
            std::size_t at = random() % damaged.size();
            switch (random() % 3) {
            case 0: damaged[at] = static_cast<char>(random()); break;
            case 1: damaged.erase(at, 1 + random() % 8); break;
            default: damaged.insert(at, 1, "{}()[]=,.\"\\#x0 \n"[random() % 16]); break;
            }
            if (damaged.empty()) damaged.push_back('x');
        }
        check(damaged);
        check(valid.substr(0, random() % valid.size()));  // truncated
    }
}
