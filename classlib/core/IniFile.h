#pragma once
// Settings files in INI text: sections of key=value lines.
#include "Object.h"

class TIniFile : public TObject {
    ZL_CLASS(TIniFile)
public:
    // A relative name is taken from the current folder (not the system's Windows folder).
    explicit TIniFile(const AnsiString& fileName);

    const AnsiString& FileName() const { return FFileName; }

    // The value of the key, or defaultValue when the file, the section or the key is missing.
    AnsiString ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& defaultValue) const;
    // As ReadString, taken as an integer (decimal or 0x hexadecimal); a value that is not an
    // integer gives defaultValue.
    int ReadInteger(const AnsiString& section, const AnsiString& key, int defaultValue) const;

    // Writing replaces the whole file with a new one (written beside it, then moved over it), so
    // a failure never leaves it truncated. Raises EIniFileError "<path> に書き込めません" when the
    // file cannot be written; the old file then stays as it was.
    void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value);
    void WriteInteger(const AnsiString& section, const AnsiString& key, int value);

private:
    AnsiString FFileName;
};
