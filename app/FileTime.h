#pragma once
// The time of a dropped file as the pickers take it: its last-write time in local time, packed
// as the file system's old directory entries keep it (two-second steps, 1980 to 2107).
#include "classlib/core/DateTime.h"
#include "classlib/core/Strings.h"
#include <cstdint>
#include <windows.h>

// The packed local date and time of the file's last write: the date in the high 16 bits (year
// since 1980, month, day), the time in the low 16 bits (hour, minute, seconds / 2); -1 when the
// path names no file, names a folder, or the time lies outside 1980 to 2107.
//
// The local time is the one in force at the file's time (the daylight-saving rule of that date,
// as the shell's own file windows show it), not today's bias. timeZone null means this machine's
// time zone.
std::int32_t PackedFileTime(const AnsiString& path, const TIME_ZONE_INFORMATION* timeZone = nullptr);

// The date-time of a packed value. -1 decodes to month 15, which raises the date conversion error
// ("日付に変換できない値が渡されました").
TDateTime PackedToDateTime(std::int32_t packed);
