#include "IniFile.h"
#include "Exceptions.h"

#include <memory>
#include <vector>
#include <windows.h>

TClass TIniFile::StaticClass() {
    static const TClassInfo info = ClassBuilder<TIniFile, TObject>("TIniFile").Build();
    return &info;
}

namespace {

AnsiString FullPath(const AnsiString& name) {
    if (name.empty()) return name;
    DWORD n = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (n == 0) return name;
    AnsiString path(n, '\0');
    n = GetFullPathNameA(name.c_str(), n, path.data(), nullptr);
    if (n == 0 || n >= path.size()) return name;
    path.resize(n);
    return path;
}

struct HandleCloser {
    void operator()(HANDLE h) const { if (h != INVALID_HANDLE_VALUE) CloseHandle(h); }
};
using UniqueFile = std::unique_ptr<void, HandleCloser>;

UniqueFile OpenFile(const AnsiString& path, DWORD access, DWORD disposition) {
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// The bytes of the file; false when it exists but cannot be read (a missing file is empty).
bool ReadWholeFile(const AnsiString& path, std::string& content) {
    content.clear();
    UniqueFile file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file) {
        DWORD e = GetLastError();
        return e == ERROR_FILE_NOT_FOUND;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (64 << 20)) return false;
    content.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    if (!content.empty() && (!ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &got, nullptr) ||
                             got != content.size()))
        return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Names compare as the system's own profile functions compare them: case ignored.
bool SameName(std::string_view a, std::string_view b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The text with key=value set in the section: the first such key of the first such section is
// replaced, or the key is added at the end of the section, or the section at the end of the file.
std::string WithValue(const std::string& text, const AnsiString& section, const AnsiString& key, const AnsiString& value) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    const std::string entry = key + "=" + value;
    bool inSection = false;
    std::ptrdiff_t sectionEnd = -1;  // the line after the section's last non-blank line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view t = Trim(lines[i]);
        if (!t.empty() && t.front() == '[') {
            if (inSection) break;  // only the first section of that name counts
            std::size_t close = t.find(']');
            std::string_view name = Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            inSection = SameName(name, section);
            if (inSection) sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
            continue;
        }
        if (!inSection) continue;
        if (!t.empty()) sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
        std::size_t eq = t.find('=');
        if (eq != std::string_view::npos && SameName(Trim(t.substr(0, eq)), key)) {
            lines[i] = entry;
            sectionEnd = -2;
            break;
        }
    }
    if (sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd, entry);
    } else if (sectionEnd == -1) {
        while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
        if (!lines.empty()) lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace

TIniFile::TIniFile(const AnsiString& fileName) : FFileName(FullPath(fileName)) {}

AnsiString TIniFile::ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue) const {
    // A unique marker default tells "missing" apart from a value equal to the default.
    std::vector<char> buffer(2048);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x01", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), FFileName.c_str());
        if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
            AnsiString value(buffer.data(), n);
            return value == "\x01" ? defaultValue : value;
        }
        buffer.resize(buffer.size() * 4);
    }
}

int TIniFile::ReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const {
    AnsiString text = ReadString(section, key, AnsiString());
    std::int32_t value;
    return TryStrToInt(Trim(text), value) ? value : defaultValue;
}

void TIniFile::WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value) {
    const auto fail = [this] { return EIniFileError(FFileName + " に書き込めません"); };
    // Line breaks or a leading bracket would change the file's structure; a key of blanks alone
    // would be no key when read back.
    if (Trim(key).empty() || key.find_first_of("=\r\n") != AnsiString::npos || Trim(key).front() == '[' ||
        section.find_first_of("]\r\n") != AnsiString::npos || value.find_first_of("\r\n") != AnsiString::npos)
        throw fail();

    // A read-only file is one its user wants left alone; moving a new file over it would
    // otherwise succeed on some systems.
    DWORD attributes = GetFileAttributesA(FFileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw fail();
    std::string text;
    if (!ReadWholeFile(FFileName, text)) throw fail();
    const std::string content = WithValue(text, section, key, value);

    std::size_t slash = FFileName.find_last_of("\\/");
    AnsiString folder = slash == AnsiString::npos ? AnsiString(".") : FFileName.substr(0, slash + 1);
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "ini", 0, temp)) throw fail();
    bool moved = false;
    {
        UniqueFile file = OpenFile(temp, GENERIC_WRITE, CREATE_ALWAYS);
        DWORD put = 0;
        bool written = file && WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &put, nullptr) &&
                       put == content.size() && FlushFileBuffers(file.get());
        file.reset();
        moved = written && MoveFileExA(temp, FFileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!moved) {
        DeleteFileA(temp);
        throw fail();
    }
}

void TIniFile::WriteInteger(const AnsiString& section, const AnsiString& key, int value) {
    WriteString(section, key, IntToStr(value));
}
