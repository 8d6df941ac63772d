// The file drop component over real windows: real files and shortcuts, drop blocks delivered
// with WM_DROPFILES, several components on one snatcher, and blocks no shell would make.
#include "filedrop/DropParts.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/ObjectInstance.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Form.h"
#include "classlib/ui/GroupBox.h"
#include "classlib/ui/MessageBox.h"
#include "ovk/Snatchers.h"

#include <functional>
#include <memory>

using namespace Ovk;
using namespace drop_test;

namespace {

// A form whose layout places a group box and a file drop bound to it, as a form file does.
class TDropForm : public TForm {
    ZL_CLASS(TDropForm)
public:
    explicit TDropForm(TComponent* owner) : TForm(owner) {}

    TGroupBox* Box = nullptr;
    TFileDrop* Drop = nullptr;

    // What the drop event saw each time: the files and whether the block was still there.
    struct TSeen {
        std::vector<AnsiString> Files;
        bool BlockAlive = false;
    };
    std::vector<TSeen> Seen;
    HGLOBAL Block = nullptr;           // the block being delivered, for BlockAlive
    std::function<void()> WhenDropped;  // runs inside the event, after recording

    void BoxDrop(TObject* sender) {
        EXPECT_EQ(sender, Drop);
        Record(Drop);
        if (WhenDropped) WhenDropped();
    }
    void Record(TFileDrop* drop) {
        TSeen seen;
        for (int i = 0; i < drop->Files()->Count(); ++i) seen.Files.push_back(drop->Files()->Strings(i));
        seen.BlockAlive = Block && !Released(Block);
        Seen.push_back(seen);
    }
};

TClass TDropForm::StaticClass() {
    static const TClassInfo info = ClassBuilder<TDropForm, TForm>("TDropForm")
        .Field<&TDropForm::Box>("Box")
        .Field<&TDropForm::Drop>("Drop")
        .Method<&TDropForm::BoxDrop>("BoxDrop")
        .Build();
    return &info;
}

const char* const DropLayout = R"(
TDropForm DropForm {
  Left = 40  Top = 40  Width = 300  Height = 200
  Caption = "drop"
  TGroupBox Box {
    Left = 8  Top = 8  Width = 200  Height = 120
    Caption = "box"
  }
  TFileDrop Drop {
    Control = Box
    Active = True
    OnDropFiles = BoxDrop
  }
}
)";

// A handler for a second component, recording into the same form.
struct TOtherHandler {
    TDropForm* Form = nullptr;
    TFileDrop* Drop = nullptr;
    void Dropped(TObject*) { Form->Record(Drop); }
};

class FileDropTest : public testing::Test {
protected:
    void SetUp() override {
        FInstancesBefore = ObjectInstanceCount();
        FPreviousHook = SetMessageBoxHook([this](HWND, const AnsiString& text, const AnsiString&, UINT) {
            Boxes.push_back(text);
            return IDOK;
        });
        App = std::make_unique<TApplication>();
        Form = MakeForm();
    }
    void TearDown() override {
        App.reset();
        SetMessageBoxHook(std::move(FPreviousHook));
        EXPECT_EQ(ObjectInstanceCount(), FInstancesBefore) << "window procedures left alive";
    }

    TDropForm* MakeForm() {
        auto* form = new TDropForm(App.get());
        form->AfterConstruction(DropLayout);
        EXPECT_NE(form->Box->Handle(), nullptr);
        return form;
    }

    // Delivers a drop of Names to Window and checks that the block is released.
    void Drop(HWND window, const std::vector<AnsiString>& names, bool wide) {
        HGLOBAL block = MakeDropBlock(names, wide);
        Form->Block = block;
        DeliverDrop(window, block);
        EXPECT_TRUE(Released(block));
        Form->Block = nullptr;
    }
    std::vector<AnsiString> Files(TFileDrop* drop) const {
        std::vector<AnsiString> files;
        for (int i = 0; i < drop->Files()->Count(); ++i) files.push_back(drop->Files()->Strings(i));
        return files;
    }

    std::unique_ptr<TApplication> App;
    TDropForm* Form = nullptr;
    std::vector<AnsiString> Boxes;
    TempFolder Scratch;

private:
    int FInstancesBefore = 0;
    TMessageBoxHook FPreviousHook;
};

TEST_F(FileDropTest, PublishedDefaultsAndLoadedFromTheLayout) {
    TFileDrop fresh(nullptr);
    EXPECT_FALSE(fresh.Active());
    EXPECT_TRUE(fresh.ActivateWindow());
    EXPECT_TRUE(fresh.FollowLink());
    EXPECT_EQ(fresh.Files()->Count(), 0);
    const TClass cls = GetClass("TFileDrop");
    ASSERT_NE(cls, nullptr);
    for (const char* name : {"ActivateWindow", "FollowLink"}) {
        const TPropInfo* p = cls->FindProperty(name);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(p->HasDefault && p->Default == 1) << name;
    }
    EXPECT_NE(cls->FindProperty("OnDropFiles"), nullptr);
    EXPECT_NE(cls->FindProperty("Control"), nullptr);

    EXPECT_TRUE(Form->Drop->Active());
    EXPECT_EQ(Form->Drop->Control(), Form->Box);
    EXPECT_TRUE(GetWindowLongW(Form->Box->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(FileDropTest, ListsEveryPathInTheShellsOrder) {
    const AnsiString folder = Scratch.Path("フォルダ");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::vector<AnsiString> first = {Scratch.Path("b.txt"), Scratch.Path("日付表.txt"), folder, Scratch.Path("a.txt")};
    const std::vector<AnsiString> second = {Scratch.Path("c.dat")};
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "wide block" : "8-bit block");
        Form->Seen.clear();
        Drop(Form->Box->Handle(), first, wide);
        ASSERT_EQ(Form->Seen.size(), 1u);
        EXPECT_EQ(Form->Seen[0].Files, first);
        EXPECT_TRUE(Form->Seen[0].BlockAlive) << "released before the event";
        EXPECT_EQ(Form->Drop->DropPoint(), (TPoint{7, 9}));

        Drop(Form->Box->Handle(), second, wide);
        EXPECT_EQ(Files(Form->Drop), second);
        EXPECT_EQ(Form->Seen.size(), 2u);
    }
}

TEST_F(FileDropTest, FollowsShortcutsNamedLnk) {
    const AnsiString target = Scratch.Path("target.txt");
    const AnsiString folder = Scratch.Path("dir");
    const AnsiString gone = Scratch.Path("gone.txt");
    MakeFile(target, UtcFileTime(2020, 1, 2, 3, 4, 5));
    CreateDirectoryA(folder.c_str(), nullptr);
    MakeFile(gone, UtcFileTime(2020, 1, 2, 3, 4, 5));
    MakeShortcut(Scratch.Path("file.lnk"), target);
    MakeShortcut(Scratch.Path("dir.lnk"), folder);
    MakeShortcut(Scratch.Path("gone.lnk"), gone);
    DeleteFileA(gone.c_str());
    MakeShortcut(Scratch.Path("CAPS.LNK"), target);
    MakeShortcut(Scratch.Path("日本.lnk"), target);
    MakeFile(Scratch.Path("text.lnk"), UtcFileTime(2020, 1, 2, 3, 4, 5));  // carries the name only

    struct Case {
        const char* Name;
        bool FollowLink;
        AnsiString Expected;
    };
    const Case cases[] = {
        {"file.lnk", true, target},
        {"file.lnk", false, Scratch.Path("file.lnk")},
        {"CAPS.LNK", true, Scratch.Path("CAPS.LNK")},
        {"dir.lnk", true, folder},
        {"gone.lnk", true, Scratch.Path("gone.lnk")},
        {"text.lnk", true, Scratch.Path("text.lnk")},
        {"日本.lnk", true, target},
        {"missing.lnk", true, Scratch.Path("missing.lnk")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(AnsiToUtf8(c.Name));
        Form->Drop->SetFollowLink(c.FollowLink);
        const DWORD start = GetTickCount();
        Drop(Form->Box->Handle(), {Scratch.Path(c.Name)}, true);
        EXPECT_LT(GetTickCount() - start, 5000u) << "resolving took too long";
        EXPECT_EQ(Files(Form->Drop), std::vector<AnsiString>{c.Expected});
    }
    EXPECT_EQ(ResolveShortcutFile(Scratch.Path("gone.lnk")), Scratch.Path("gone.lnk"));
    EXPECT_EQ(ResolveShortcutFile(""), "");
}

TEST_F(FileDropTest, LongNamesArriveCut) {
    const AnsiString ascii = "C:\\" + AnsiString(300, 'x');
    AnsiString japanese = "C:\\";
    for (int i = 0; i < 150; ++i) japanese += "あ";  // two bytes each
    struct Case {
        AnsiString Name;
        bool Wide;
        AnsiString Expected;
    };
    const Case cases[] = {
        {ascii, false, ascii.substr(0, 254)},
        {ascii, true, ascii.substr(0, 254)},
        // 3 + 2 * 125 bytes: the next character would end past byte 254.
        {japanese, true, japanese.substr(0, 253)},
        {AnsiString("C:\\") + AnsiString(251, 'y'), true, AnsiString("C:\\") + AnsiString(251, 'y')},
    };
    for (const Case& c : cases) {
        Drop(Form->Box->Handle(), {c.Name, "C:\\second"}, c.Wide);
        EXPECT_EQ(Files(Form->Drop), (std::vector<AnsiString>{c.Expected, "C:\\second"}));
    }
}

TEST_F(FileDropTest, MalformedBlocksAreIgnored) {
    auto withTail = [](std::vector<unsigned char> bytes, std::initializer_list<unsigned char> tail) {
        bytes.insert(bytes.end(), tail);
        return bytes;
    };
    const DWORD header = sizeof(DROPFILES);
    struct Case {
        const char* What;
        std::vector<unsigned char> Bytes;
    };
    const Case cases[] = {
        {"shorter than the header", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"header only", HeaderBytes(header, false)},
        {"offset past the end", withTail(HeaderBytes(0x7FFFFFF0, false), {'a', 0, 0})},
        {"offset at the end", withTail(HeaderBytes(header + 3, false), {'a', 0, 0})},
        {"no closing zero", withTail(HeaderBytes(header, false), {'a', 0, 'b', 0})},
        {"no zero at all", withTail(HeaderBytes(header, false), {'a', 'b', 'c'})},
        {"wide, no closing zero", withTail(HeaderBytes(header, true), {'a', 0, 0, 0, 'b', 0})},
        {"wide, half a character left", withTail(HeaderBytes(header, true), {'a', 0, 0, 0, 0})},
        {"no names", withTail(HeaderBytes(header, false), {0})},
        {"wide, no names", withTail(HeaderBytes(header, true), {0, 0})},
    };
    int events = 0;
    Form->WhenDropped = [&] { ++events; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Drop(Form->Box->Handle(), {"C:\\before.txt"}, true);
        ASSERT_EQ(events, 1);
        HGLOBAL block = MakeRawBlock(c.Bytes);
        DeliverDrop(Form->Box->Handle(), block);
        EXPECT_EQ(events, 1);
        EXPECT_EQ(Form->Drop->Files()->Count(), 0);
        EXPECT_TRUE(Released(block));
        events = 0;
    }
    // No block at all.
    DeliverDrop(Form->Box->Handle(), nullptr);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(Form->Drop->Files()->Count(), 0);
    EXPECT_TRUE(Boxes.empty());

    // The list may start anywhere inside the block, unaligned too.
    HGLOBAL odd = MakeRawBlock(withTail(HeaderBytes(header + 1, true), {0xEE, 'a', 0, 0, 0, 0, 0}));
    DeliverDrop(Form->Box->Handle(), odd);
    EXPECT_EQ(Files(Form->Drop), std::vector<AnsiString>{"a"});
    EXPECT_TRUE(Released(odd));
}

TEST_F(FileDropTest, SharedWindowReleasesTheBlockOnceAfterEveryHandler) {
    // Two components on one snatcher: both read the block; it goes after the last of them.
    auto* snatcher = new TControlMessageSnatcher(Form);
    Form->Drop->SetActive(false);
    Form->Drop->SetControl(nullptr);
    int unhandled = 0;
    struct TUnhandled {
        int* Count;
        void Message(TObject*, TMessage& m, bool&) {
            if (m.Msg == WM_DROPFILES) ++*Count;
        }
    } watcher{&unhandled};
    snatcher->SetOnMessage(TMessageEvent::Bind<&TUnhandled::Message>(&watcher));
    snatcher->SetControl(Form->Box);
    Form->Drop->SetSnatcher(snatcher);
    Form->Drop->SetActive(true);

    auto* other = new TFileDrop(Form);
    other->SetSnatcher(snatcher);
    other->Loaded();
    other->SetActive(true);
    TOtherHandler handler{Form, other};
    other->SetOnDropFiles(TNotifyEvent::Bind<&TOtherHandler::Dropped>(&handler));
    other->SetActivateWindow(false);

    const std::vector<AnsiString> names = {"C:\\one.txt", "C:\\two.txt"};
    Drop(Form->Box->Handle(), names, true);
    ASSERT_EQ(Form->Seen.size(), 2u);
    for (const TDropForm::TSeen& seen : Form->Seen) {
        EXPECT_EQ(seen.Files, names);
        EXPECT_TRUE(seen.BlockAlive);
    }
    EXPECT_EQ(unhandled, 0) << "a handled drop went on";

    // The first handler raises: the exception display shows it, the second handler does not
    // run, and the block is released all the same.
    Form->Seen.clear();
    Form->WhenDropped = [] { throw Exception("落ちました."); };
    Drop(Form->Box->Handle(), names, true);
    EXPECT_EQ(Form->Seen.size(), 1u);
    EXPECT_EQ(Boxes, std::vector<AnsiString>{"落ちました."});
    EXPECT_EQ(unhandled, 0);

    // A handler that hands the same drop to the window again: the inner dispatch leaves the
    // block to the outer one.
    Form->Seen.clear();
    bool again = true;
    Form->WhenDropped = [&] {
        if (!std::exchange(again, false)) return;
        DeliverDrop(Form->Box->Handle(), Form->Block);
        EXPECT_FALSE(Released(Form->Block));
    };
    Drop(Form->Box->Handle(), names, false);
    EXPECT_EQ(Form->Seen.size(), 4u);
}

TEST_F(FileDropTest, ReleasedWhenTheHandlerRunsAlone) {
    HGLOBAL block = MakeDropBlock({"C:\\alone.txt"}, false);
    Form->Block = block;
    TMessage message{WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0, 0};
    bool handled = false;
    Form->Drop->DropHandler(nullptr, message, handled);
    EXPECT_TRUE(handled);
    ASSERT_EQ(Form->Seen.size(), 1u);
    EXPECT_TRUE(Form->Seen[0].BlockAlive);
    EXPECT_TRUE(Released(block));

    // Also when the event raises.
    block = MakeDropBlock({"C:\\alone.txt"}, false);
    message.WParam = reinterpret_cast<WPARAM>(block);
    Form->WhenDropped = [] { throw Exception("x."); };
    EXPECT_THROW(Form->Drop->DropHandler(nullptr, message, handled), Exception);
    EXPECT_TRUE(Released(block));
}

TEST_F(FileDropTest, AcceptanceFollowsActivation) {
    const HWND box = Form->Box->Handle();
    auto accepts = [](HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; };
    EXPECT_TRUE(accepts(box));
    Form->Drop->SetActive(false);
    EXPECT_FALSE(accepts(box));
    Form->Seen.clear();
    HGLOBAL block = MakeDropBlock({"C:\\x"}, true);
    DeliverDrop(box, block);  // an inactive component lets the window be
    EXPECT_TRUE(Form->Seen.empty());
    EXPECT_FALSE(Released(block));
    GlobalFree(block);
    Form->Drop->SetActive(true);
    EXPECT_TRUE(accepts(box));
    Drop(box, {"C:\\x"}, true);
    EXPECT_EQ(Form->Seen.size(), 1u) << "switched on again: one drop, one event";

    // In the design state the handler is there but the window is never told to accept files.
    auto* designed = new TGroupBox(Form);
    designed->SetParent(Form);
    auto* drop = new TFileDrop(Form);
    drop->SetDesigning(true);
    drop->BeginLoading();
    drop->SetControl(designed);
    drop->SetActive(true);
    drop->EndReading();
    drop->Loaded();
    EXPECT_TRUE(drop->Active());
    EXPECT_FALSE(accepts(designed->Handle()));

    // Freeing the component switches the window's acceptance off.
    delete Form->Drop;
    EXPECT_FALSE(accepts(box));
}

TEST_F(FileDropTest, ActivateWindowBringsTheWindowToTheFront) {
    TDropForm* other = MakeForm();
    Form->Show();
    other->Show();
    for (bool activate : {true, false}) {
        SCOPED_TRACE(activate ? "ActivateWindow" : "not ActivateWindow");
        SetForegroundWindow(other->Handle());
        SetActiveWindow(other->Handle());
        ASSERT_EQ(GetActiveWindow(), other->Handle());
        Form->Drop->SetActivateWindow(activate);
        Drop(Form->Box->Handle(), {"C:\\x"}, true);
        EXPECT_EQ(GetActiveWindow(), activate ? Form->Handle() : other->Handle());
    }
    // Unassigned event: the files are still listed and the window still comes to the front.
    SetActiveWindow(other->Handle());
    Form->Drop->SetActivateWindow(true);
    Form->Drop->SetOnDropFiles(TNotifyEvent());
    Drop(Form->Box->Handle(), {"C:\\y"}, true);
    EXPECT_EQ(Files(Form->Drop), std::vector<AnsiString>{"C:\\y"});
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
}

TEST_F(FileDropTest, FormSnatcherTakesDropsOnTheForm) {
    auto* snatcher = new TFormMessageSnatcher(Form);
    auto* drop = new TFileDrop(Form);
    drop->SetSnatcher(snatcher);
    drop->Loaded();
    drop->SetActive(true);
    TOtherHandler handler{Form, drop};
    drop->SetOnDropFiles(TNotifyEvent::Bind<&TOtherHandler::Dropped>(&handler));
    EXPECT_TRUE(GetWindowLongW(Form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Drop(Form->Handle(), {"C:\\form.txt"}, true);
    EXPECT_EQ(Files(drop), std::vector<AnsiString>{"C:\\form.txt"});
    EXPECT_EQ(Form->Seen.size(), 1u);
    EXPECT_TRUE(Files(Form->Drop).empty()) << "the box's component saw a drop on the form";
}

}  // namespace
