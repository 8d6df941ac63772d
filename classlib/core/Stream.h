#pragma once
// Streams of bytes: the abstract stream, one in memory and one over a file.
#include "Object.h"
#include <cstdint>
#include <vector>
#include <windows.h>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
    ZL_CLASS(TStream)
public:
    // Reads or writes up to count bytes and returns how many were transferred.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Moves the position and returns the new one; a position before the start raises EStreamError.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }

    // As Read and Write, but all or nothing: a short read raises EReadError, a short write
    // EStreamError.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
    // Copies count bytes from the source's position (the whole source from its start when count
    // is 0); returns the number copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
    ZL_CLASS(TMemoryStream)
public:
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t size) override;

    const char* Memory() const { return FData.data(); }
    void Clear() { FData.clear(); FPosition = 0; }
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest);
    void LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName);

private:
    std::vector<char> FData;
    std::size_t FPosition = 0;
};

// Modes of TFileStream: create (or empty) a file, or open an existing one.
enum : unsigned {
    fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
    ZL_CLASS(TFileStream)
public:
    // fmCreate makes the file, or empties the existing one (EFCreateError when it cannot);
    // the open modes need an existing file (EFOpenError). Other programs may read it meanwhile.
    TFileStream(const AnsiString& fileName, unsigned mode);
    ~TFileStream() override;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;

    const AnsiString& FileName() const { return FFileName; }
    HANDLE Handle() const { return FHandle; }

private:
    AnsiString FFileName;
    HANDLE FHandle = INVALID_HANDLE_VALUE;
};

// The system's text for an error code (GetLastError), without the trailing line break.
AnsiString SysErrorMessage(DWORD error);
