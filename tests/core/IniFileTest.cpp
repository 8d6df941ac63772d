// Settings files: reading with defaults, writing that replaces the file whole.
#include "support/TempFolder.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/IniFile.h"
#include "classlib/core/Stream.h"

#include <gtest/gtest.h>

namespace {

void WriteFileText(const AnsiString& path, const std::string& text) {
    TFileStream f(path, fmCreate);
    f.WriteBuffer(text.data(), text.size());
}

std::string ReadFileText(const AnsiString& path) {
    TMemoryStream m;
    m.LoadFromFile(path);
    return std::string(m.Memory(), static_cast<std::size_t>(m.Size()));
}

}  // namespace

TEST(IniFile, ReadIntegerGivesTheDefaultForMissingOrMalformedValues) {
    TempFolder dir;
    const AnsiString path = dir.Path("ZLV.ini");
    WriteFileText(path,
                  "; a comment\r\n"
                  "[ZLVSetting]\r\n"
                  "Top=120\r\n"
                  "Left = -30 \r\n"
                  "Hex=0x10\r\n"
                  "Text=12abc\r\n"
                  "Empty=\r\n"
                  "Big=2147483648\r\n"
                  "garbage line without equals\r\n"
                  "[Other]\r\n"
                  "Width=5\r\n");
    TIniFile ini(path);
    struct Case { const char* Section; const char* Key; int Expected; };
    const Case cases[] = {
        {"ZLVSetting", "Top", 120}, {"zlvsetting", "LEFT", -30}, {"ZLVSetting", "Hex", 16},
        {"ZLVSetting", "Text", -1}, {"ZLVSetting", "Empty", -1}, {"ZLVSetting", "Big", -1},
        {"ZLVSetting", "Missing", -1}, {"Missing", "Top", -1}, {"Other", "Width", 5}, {"Other", "Top", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Section << "/" << c.Key);
        EXPECT_EQ(ini.ReadInteger(c.Section, c.Key, -1), c.Expected);
    }
    TIniFile missing(dir.Path("none.ini"));
    EXPECT_EQ(missing.ReadInteger("ZLVSetting", "Top", 7), 7);
}

TEST(IniFile, WriteIntegerKeepsEverythingElse) {
    TempFolder dir;
    const AnsiString path = dir.Path("ZLV.ini");
    WriteFileText(path, "; keep me\r\n[ZLVSetting]\r\nTop=1\r\nOdd line\r\n\r\n[Other]\r\nX=y\r\n");
    TIniFile ini(path);
    ini.WriteInteger("ZLVSetting", "Top", 250);
    ini.WriteInteger("zlvsetting", "Left", -8);
    ini.WriteInteger("New", "A", 1);
    EXPECT_EQ(ReadFileText(path),
              "; keep me\r\n[ZLVSetting]\r\nTop=250\r\nOdd line\r\nLeft=-8\r\n\r\n[Other]\r\nX=y\r\n\r\n[New]\r\nA=1\r\n");
    EXPECT_EQ(ini.ReadInteger("ZLVSetting", "Top", 0), 250);
    EXPECT_EQ(ini.ReadInteger("ZLVSetting", "Left", 0), -8);
    EXPECT_EQ(ini.ReadString("Other", "X", ""), "y");

    TIniFile fresh(dir.Path("fresh.ini"));
    fresh.WriteInteger("ZLVSetting", "Top", 3);
    EXPECT_EQ(ReadFileText(dir.Path("fresh.ini")), "[ZLVSetting]\r\nTop=3\r\n");
}

TEST(IniFile, AFailedWriteRaisesNamesThePathAndLeavesTheFileAlone) {
    TempFolder dir;
    const AnsiString readOnly = dir.Path("ro.ini");
    WriteFileText(readOnly, "[S]\r\nK=1\r\n");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const AnsiString inMissingFolder = dir.Path("missing\\ZLV.ini");
    const AnsiString isFolder = dir.Root();

    for (const AnsiString& path : {readOnly, inMissingFolder, isFolder}) {
        SCOPED_TRACE(path);
        TIniFile ini(path);
        try {
            ini.WriteInteger("S", "K", 2);
            ADD_FAILURE() << "no error";
        } catch (const EIniFileError& e) {
            EXPECT_EQ(e.Message(), path + " に書き込めません");
        }
    }
    EXPECT_EQ(ReadFileText(readOnly), "[S]\r\nK=1\r\n");
    // Nothing was left behind besides the file itself.
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(dir.Path("*").c_str(), &data);
    int files = 0;
    do files += !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(find, &data));
    FindClose(find);
    EXPECT_EQ(files, 1);
}

TEST(IniFile, ValuesThatWouldBreakTheFileAreRefused) {
    TempFolder dir;
    TIniFile ini(dir.Path("x.ini"));
    EXPECT_THROW(ini.WriteString("S", "K", "a\r\nB=2"), EIniFileError);
    EXPECT_THROW(ini.WriteString("S", "K=1", "a"), EIniFileError);
    EXPECT_THROW(ini.WriteString("S]", "K", "a"), EIniFileError);
    EXPECT_THROW(ini.WriteString("S", "   ", "a"), EIniFileError);
    EXPECT_EQ(GetFileAttributesA(dir.Path("x.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(IniFile, ARelativeNameIsTakenFromTheCurrentFolder) {
    TempFolder dir;
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    SetCurrentDirectoryA(dir.Root().c_str());
    TIniFile ini("rel.ini");
    SetCurrentDirectoryA(old);
    EXPECT_EQ(ini.FileName(), dir.Path("rel.ini"));
    ini.WriteInteger("S", "K", 4);
    EXPECT_EQ(ReadFileText(dir.Path("rel.ini")), "[S]\r\nK=4\r\n");
}
