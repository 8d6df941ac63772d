#pragma once
// Real parts for the drop tests: a scratch folder with files of chosen last-write times, shell
// shortcuts made with the shell link object, and drop blocks as the shell (or another process)
// hands them over with WM_DROPFILES. Header only, so that the application's tests use it too.
#include "classlib/core/Strings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace drop_test {

// Makes a file (or rewrites it) and gives it the last-write time Utc.
inline void MakeFile(const AnsiString& path, const FILETIME& utc) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, "zl", 2, &written, nullptr);
    const BOOL set = SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    ASSERT_TRUE(set) << path;
}

inline FILETIME ToFileTime(const SYSTEMTIME& st) {
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

// A UTC time of day, with milliseconds, as a file time.
inline FILETIME UtcFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms = 0) {
    SYSTEMTIME st{year, month, 0, day, hour, minute, second, ms};
    return ToFileTime(st);
}

// A local time of this machine's time zone (with the daylight-saving rule of that date), as the
// UTC file time a file of that local time carries.
inline FILETIME LocalFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms = 0) {
    SYSTEMTIME local{year, month, 0, day, hour, minute, second, ms};
    SYSTEMTIME utc{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    return ToFileTime(utc);
}

// A shell shortcut at LinkPath to Target, saved by the shell link object.
inline void MakeShortcut(const AnsiString& linkPath, const AnsiString& target) {
    IShellLinkA* link = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)), S_OK);
    IPersistFile* file = nullptr;
    HRESULT hr = link->SetPath(target.c_str());
    if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) hr = file->Save(ToWide(linkPath, CP_ACP).c_str(), TRUE);
    if (file) file->Release();
    link->Release();
    ASSERT_EQ(hr, S_OK) << linkPath;
}

// A drop block as the shell makes it: a DROPFILES header, then the names, each ended by a zero,
// and a closing zero. Wide blocks (what the shell sends) hold UTF-16 names, the others names in
// the ANSI code page.
inline HGLOBAL MakeDropBlock(const std::vector<AnsiString>& names, bool wide, POINT point = {7, 9}) {
    std::vector<unsigned char> list;
    for (const AnsiString& name : names) {
        if (wide) {
            const WideString w = ToWide(name, CP_ACP) + L'\0';
            const auto* bytes = reinterpret_cast<const unsigned char*>(w.data());
            list.insert(list.end(), bytes, bytes + w.size() * sizeof(wchar_t));
        } else {
            list.insert(list.end(), name.begin(), name.end());
            list.push_back(0);
        }
    }
    list.insert(list.end(), wide ? 2 : 1, 0);
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->pt = point;
    header->fNC = FALSE;
    header->fWide = wide;
    std::memcpy(reinterpret_cast<unsigned char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(block);
    return block;
}

// A block of exactly these bytes, for blocks no shell would make.
inline HGLOBAL MakeRawBlock(const std::vector<unsigned char>& bytes) {
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    return block;
}

// The bytes of a DROPFILES header with the given list offset and character width.
inline std::vector<unsigned char> HeaderBytes(DWORD offset, bool wide) {
    DROPFILES header{};
    header.pFiles = offset;
    header.fWide = wide;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&header);
    return std::vector<unsigned char>(bytes, bytes + sizeof header);
}

// Whether the drop block has been given back (the shell's DragFinish frees it).
inline bool Released(HGLOBAL block) { return GlobalSize(block) == 0; }

// Delivers a drop to a window as the shell does.
inline LRESULT DeliverDrop(HWND window, HGLOBAL block) {
    return SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

}  // namespace drop_test
