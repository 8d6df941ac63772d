// Files dropped onto the main window's target-time group: their last-write time goes into the
// pickers. Real files with chosen times, real shortcuts, real drop blocks sent to the real window.
#include "MainWindowFixture.h"
#include "app/FileTime.h"
#include "classlib/core/Exceptions.h"
#include "classlib/ui/GroupBox.h"
#include "filedrop/DropParts.h"
#include "ovk/Snatchers.h"

#include <cmath>

using namespace drop_test;

namespace {

// Central European time: UTC+1 in winter, UTC+2 from the last Sunday of March (02:00) to the
// last Sunday of October (03:00).
TIME_ZONE_INFORMATION CentralEurope() {
    TIME_ZONE_INFORMATION tz{};
    tz.Bias = -60;
    tz.StandardDate = SYSTEMTIME{0, 10, 0, 5, 3, 0, 0, 0};
    tz.StandardBias = 0;
    tz.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
    tz.DaylightBias = -60;
    return tz;
}

TDateTime DateOf(TDateTime v) { return std::floor(v); }
TDateTime TimeOf(TDateTime v) { return v - std::floor(v); }

}  // namespace

// The packed time takes the daylight-saving rule of the file's own date, and its two-second steps.
TEST(FileTime, LocalTimeOfTheFilesOwnDate) {
    TempFolder folder;
    const TIME_ZONE_INFORMATION tz = CentralEurope();
    struct Case { const char* name; FILETIME utc; TDateTime expected; };
    const Case cases[] = {
        {"winter", UtcFileTime(2024, 1, 15, 9, 15, 37, 800), At(2024, 1, 15, 10, 15, 36)},
        {"summer", UtcFileTime(2024, 7, 15, 8, 15, 37, 800), At(2024, 7, 15, 10, 15, 36)},
        {"first of the year", UtcFileTime(2023, 12, 31, 23, 0, 1), At(2024, 1, 1, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AnsiString path = folder.Path(AnsiString(c.name) + ".txt");
        MakeFile(path, c.utc);
        EXPECT_NEAR(PackedToDateTime(PackedFileTime(path, &tz)), c.expected, 0.5 / MSecsPerDay);
    }
}

TEST(FileTime, NoTimeToBeHad) {
    TempFolder folder;
    MakeFile(folder.Path("old.txt"), UtcFileTime(1975, 6, 1, 12, 0, 0));
    EXPECT_EQ(PackedFileTime(folder.Root()), -1) << "a folder";
    EXPECT_EQ(PackedFileTime(folder.Path("gone.txt")), -1) << "no such file";
    EXPECT_EQ(PackedFileTime(folder.Path("old.txt")), -1) << "before 1980";
    try {
        PackedToDateTime(-1);
        FAIL() << "month 15 must not make a date";
    } catch (const EDateConvertError& e) {
        EXPECT_EQ(e.Message(), "日付に変換できない値が渡されました");
    }
}

class MainWindowDropTest : public MainWindowTest {
public:
    TempFolder folder;
    TZLVFm* form = nullptr;
    const TDateTime before = At(2019, 9, 9, 9, 9, 8);

    void SetUp() override {
        MainWindowTest::SetUp();
        form = Make();
        SetPickers(form, DateOf(before), TimeOf(before));
        boxes.clear();
    }

    // Sends a drop of names to a window as the shell does; true when the block was given back.
    bool DropOn(TWinControl* target, const std::vector<AnsiString>& names, bool wide = true) {
        HGLOBAL block = MakeDropBlock(names, wide);
        DeliverDrop(target->Handle(), block);
        Pump();
        if (Released(block)) return true;
        GlobalFree(block);
        return false;
    }

    void ExpectPickers(TDateTime expected) {
        EXPECT_NEAR(DateOf(form->DatePicker->DateTime()), DateOf(expected), 1e-9);
        EXPECT_NEAR(TimeOf(form->TimePicker->DateTime()), TimeOf(expected), 0.5 / MSecsPerDay);
    }
};

// The first file's local time, its seconds cut to an even number, from wide and 8-bit blocks;
// the offset and the clock stay as they were.
TEST_F(MainWindowDropTest, FirstFilesTimeGoesIntoThePickers) {
    MakeFile(folder.Path("first.txt"), LocalFileTime(2021, 3, 4, 10, 15, 37, 800));
    MakeFile(folder.Path("second.txt"), LocalFileTime(2022, 8, 9, 11, 12, 14));
    MakeFile(folder.Path("summer.txt"), LocalFileTime(2021, 7, 4, 22, 30, 59));
    for (bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "wide block" : "8-bit block");
        SetPickers(form, DateOf(before), TimeOf(before));
        EXPECT_TRUE(DropOn(form->GroupBox3, {folder.Path("first.txt"), folder.Path("second.txt")}, wide));
        ExpectPickers(At(2021, 3, 4, 10, 15, 36));
        EXPECT_TRUE(DropOn(form->GroupBox3, {folder.Path("summer.txt")}, wide));
        ExpectPickers(At(2021, 7, 4, 22, 30, 58));
    }
    EXPECT_EQ(form->ClockOffset(), 0.0);
    EXPECT_TRUE(clock.Writes.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowDropTest, ShortcutGivesItsTargetsTime) {
    MakeFile(folder.Path("target.txt"), LocalFileTime(2020, 2, 29, 23, 59, 59));
    MakeShortcut(folder.Path("target.lnk"), folder.Path("target.txt"));
    EXPECT_TRUE(DropOn(form->GroupBox3, {folder.Path("target.lnk")}));
    ExpectPickers(At(2020, 2, 29, 23, 59, 58));
}

// A folder has no time: the date conversion error reaches the exception display and the pickers
// keep their values.
TEST_F(MainWindowDropTest, FolderShowsTheDateErrorAndLeavesThePickers) {
    EXPECT_TRUE(DropOn(form->GroupBox3, {folder.Root()}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "日付に変換できない値が渡されました.");
    EXPECT_EQ(boxes[0].Caption, "Zelvano");
    EXPECT_TRUE(boxes[0].Flags & MB_ICONERROR);
    ExpectPickers(before);
    EXPECT_TRUE(IsWindow(form->Handle()));
}

// Only the target-time group takes files: drops elsewhere are not read.
TEST_F(MainWindowDropTest, OtherGroupsTakeNoFiles) {
    MakeFile(folder.Path("file.txt"), LocalFileTime(2021, 3, 4, 10, 15, 37));
    for (TWinControl* other : {static_cast<TWinControl*>(form->GroupBox1), static_cast<TWinControl*>(form->GroupBox2)}) {
        EXPECT_FALSE(DropOn(other, {folder.Path("file.txt")}));
        EXPECT_FALSE(GetWindowLongW(other->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    }
    EXPECT_TRUE(GetWindowLongW(form->GroupBox3->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    ExpectPickers(before);
}

// With FollowLink off a shortcut gives its own time; with ActivateWindow off the window that is
// in front stays there. A long path arrives cut and names no file.
TEST_F(MainWindowDropTest, SwitchesOfTheDropComponent) {
    MakeFile(folder.Path("target.txt"), LocalFileTime(2020, 2, 29, 23, 59, 59));
    MakeShortcut(folder.Path("target.lnk"), folder.Path("target.txt"));
    HANDLE link = CreateFileA((folder.Path("target.lnk")).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(link, INVALID_HANDLE_VALUE);
    const FILETIME linkTime = LocalFileTime(2018, 6, 7, 8, 9, 10);
    SetFileTime(link, nullptr, nullptr, &linkTime);
    CloseHandle(link);

    form->FileDrop->SetFollowLink(false);
    EXPECT_TRUE(DropOn(form->GroupBox3, {folder.Path("target.lnk")}));
    ExpectPickers(At(2018, 6, 7, 8, 9, 10));

    {  // another window, destroyed here also when a check fails
        const UniqueWindow otherWindow(CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                                       100, 100, nullptr, nullptr, nullptr, nullptr));
        const HWND other = otherWindow.get();
        ASSERT_NE(other, nullptr);
        for (bool activate : {false, true}) {
            SCOPED_TRACE(activate ? "ActivateWindow" : "not ActivateWindow");
            SetForegroundWindow(other);
            SetActiveWindow(other);
            ASSERT_EQ(GetActiveWindow(), other);
            form->FileDrop->SetActivateWindow(activate);
            EXPECT_TRUE(DropOn(form->GroupBox3, {folder.Path("target.txt")}));
            EXPECT_EQ(GetActiveWindow(), activate ? form->Handle() : other);
        }
    }

    // The pickers keep the last time: a cut path names no file, and the error is shown.
    const AnsiString longPath = folder.Path(AnsiString(300, 'x'));
    EXPECT_TRUE(DropOn(form->GroupBox3, {longPath}));
    EXPECT_EQ(form->FileDrop->Files()->Strings(0), longPath.substr(0, 254));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "日付に変換できない値が渡されました.");
    ExpectPickers(At(2020, 2, 29, 23, 59, 58));
}

// Blocks no shell would make (another process may hand them to the elevated program) are
// ignored: no error, no change, the block given back.
TEST_F(MainWindowDropTest, MalformedBlocksChangeNothing) {
    const DWORD header = sizeof(DROPFILES);
    auto with = [](std::vector<unsigned char> bytes, std::initializer_list<unsigned char> tail) {
        bytes.insert(bytes.end(), tail);
        return bytes;
    };
    const std::vector<unsigned char> blocks[] = {
        {1, 2, 3, 4},
        with(HeaderBytes(0x10000, true), {'a', 0, 0, 0, 0, 0}),
        with(HeaderBytes(header, false), {'C', ':', '\\', 'x'}),
        with(HeaderBytes(header, true), {'C', 0, ':', 0}),
    };
    for (const auto& bytes : blocks) {
        HGLOBAL block = MakeRawBlock(bytes);
        DeliverDrop(form->GroupBox3->Handle(), block);
        Pump();
        EXPECT_TRUE(Released(block));
    }
    EXPECT_TRUE(boxes.empty());
    ExpectPickers(before);
    EXPECT_EQ(form->ClockOffset(), 0.0);
}
