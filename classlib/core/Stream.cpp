#include "Stream.h"
#include "Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>

TClass TStream::StaticClass() {
    static const TClassInfo info = ClassBuilder<TStream, TObject>("TStream").Build();
    return &info;
}
TClass TMemoryStream::StaticClass() {
    static const TClassInfo info = ClassBuilder<TMemoryStream, TStream>("TMemoryStream").Build();
    return &info;
}
TClass TFileStream::StaticClass() {
    static const TClassInfo info = ClassBuilder<TFileStream, TStream>("TFileStream").Build();
    return &info;
}

AnsiString SysErrorMessage(DWORD error) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    AnsiString result = n && text ? AnsiString(text, n) : "エラー " + IntToStr(error);
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

// ---------------------------------------------------------------- TStream
std::int64_t TStream::Size() {
    std::int64_t position = Seek(0, soCurrent);
    std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("ストリームの読み込みエラー");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EStreamError("ストリームの書き込みエラー");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    char buffer[8192];
    std::int64_t done = 0;
    while (done < count) {
        std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - done, sizeof buffer));
        source.ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        done += static_cast<std::int64_t>(n);
    }
    return done;
}

// ---------------------------------------------------------------- TMemoryStream
std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (FPosition >= FData.size()) return 0;
    std::size_t n = std::min(count, FData.size() - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, n);
    FPosition += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (FPosition + count > FData.size()) FData.resize(FPosition + count);  // a gap after a far seek is zeros
    std::memcpy(FData.data() + FPosition, buffer, count);
    FPosition += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? static_cast<std::int64_t>(FPosition)
                                                                        : static_cast<std::int64_t>(FData.size());
    std::int64_t target = base + offset;
    if (target < 0) throw EStreamError("ストリームの位置が不正です");
    FPosition = static_cast<std::size_t>(target);
    return target;
}

void TMemoryStream::SetSize(std::int64_t size) {
    if (size < 0) throw EStreamError("ストリームの大きさが不正です");
    FData.resize(static_cast<std::size_t>(size));
    FPosition = std::min(FPosition, FData.size());
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    std::int64_t size = source.Size();
    SetSize(size);
    FPosition = 0;
    source.ReadBuffer(FData.data(), FData.size());
}

void TMemoryStream::SaveToStream(TStream& dest) { dest.WriteBuffer(FData.data(), FData.size()); }

void TMemoryStream::LoadFromFile(const AnsiString& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const AnsiString& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---------------------------------------------------------------- TFileStream
TFileStream::TFileStream(const AnsiString& fileName, unsigned mode) : FFileName(fileName) {
    if (mode == fmCreate) {
        FHandle = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE)
            throw EFCreateError("ファイル " + fileName + " を作成できません. " + SysErrorMessage(GetLastError()));
        return;
    }
    DWORD access = (mode & 3) == fmOpenWrite ? GENERIC_WRITE
                 : (mode & 3) == fmOpenReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    DWORD share = access == GENERIC_READ ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    FHandle = CreateFileA(fileName.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE)
        throw EFOpenError("ファイル " + fileName + " を開けません. " + SysErrorMessage(GetLastError()));
}

TFileStream::~TFileStream() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    std::size_t total = 0;
    while (total < count) {  // ReadFile takes at most 4 GB at a time
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - total, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(FHandle, static_cast<char*>(buffer) + total, chunk, &got, nullptr) || got == 0) break;
        total += got;
    }
    return total;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    std::size_t total = 0;
    while (total < count) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - total, 1u << 30));
        DWORD put = 0;
        if (!WriteFile(FHandle, static_cast<const char*>(buffer) + total, chunk, &put, nullptr) || put == 0) break;
        total += put;
    }
    return total;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(FHandle, distance, &result, methods[origin]))
        throw EStreamError("ストリームの位置が不正です");
    return result.QuadPart;
}

void TFileStream::SetSize(std::int64_t size) {
    std::int64_t position = Position();
    SetPosition(size);
    if (!SetEndOfFile(FHandle)) throw EStreamError("ファイル " + FFileName + " の大きさを変えられません");
    if (position < size) SetPosition(position);
}
