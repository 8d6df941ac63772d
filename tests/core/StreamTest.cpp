// Memory and file streams, and the read error of a short read.
#include "classlib/core/Exceptions.h"
#include "classlib/core/Stream.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(MemoryStream, ReadsBackWhatWasWrittenAndRefusesShortReads) {
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Position(), 6);
    s.SetPosition(2);
    char buf[8] = {};
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "cde");
    EXPECT_EQ(s.Read(buf, 8), 1u);  // Read answers what there was
    s.SetPosition(4);
    EXPECT_THROW(s.ReadBuffer(buf, 3), EReadError);
    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
    s.Seek(2, soEnd);  // writing past the end leaves zeros in between
    s.WriteBuffer("z", 1);
    EXPECT_EQ(std::string(s.Memory(), 9), std::string("abcdef\0\0z", 9));
    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
}

TEST(FileStream, CreatesEmptiesAndOpens) {
    TempFolder dir;
    const AnsiString path = dir.Path("data.bin");
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("hello world", 11);
    }
    {
        TFileStream f(path, fmCreate);  // an existing file is emptied
        EXPECT_EQ(f.Size(), 0);
        f.WriteBuffer("hi", 2);
    }
    TFileStream f(path, fmOpenRead);
    EXPECT_EQ(f.Size(), 2);
    char buf[4];
    EXPECT_THROW(f.ReadBuffer(buf, 3), EReadError);
    EXPECT_THROW(f.WriteBuffer("x", 1), EStreamError);  // opened for reading only

    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(std::string(m.Memory(), 2), "hi");
}

TEST(FileStream, MissingOrUncreatableFilesRaise) {
    TempFolder dir;
    EXPECT_THROW(TFileStream(dir.Path("missing.bin"), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(dir.Path("no\\such\\folder.bin"), fmCreate), EFCreateError);
    try {
        TFileStream(dir.Path("missing.bin"), fmOpenRead);
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(dir.Path("missing.bin")), AnsiString::npos);
    }
}
