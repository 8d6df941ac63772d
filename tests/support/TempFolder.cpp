#include "support/TempFolder.h"

#include <stdexcept>

namespace {

void RemoveTree(const AnsiString& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            AnsiString name = data.cFileName;
            if (name == "." || name == "..") continue;
            AnsiString path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        FRoot = AnsiString(base) + "zltest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        if (CreateDirectoryA(FRoot.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot make a temporary folder");
    }
}

TempFolder::~TempFolder() { RemoveTree(FRoot); }
