#include "app/FileTime.h"

#include <memory>

namespace {

struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

}  // namespace

std::int32_t PackedFileTime(const AnsiString& path, const TIME_ZONE_INFORMATION* timeZone) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    FindHandle closer(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;

    // UTC to the local time of that date: the rule in force then, not the bias of today.
    SYSTEMTIME utc{}, local{};
    FILETIME localTime{};
    WORD date = 0, time = 0;
    if (!FileTimeToSystemTime(&found.ftLastWriteTime, &utc) ||
        !SystemTimeToTzSpecificLocalTime(timeZone, &utc, &local) || !SystemTimeToFileTime(&local, &localTime) ||
        !FileTimeToDosDateTime(&localTime, &date, &time))
        return -1;
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(date) << 16) | time);
}

TDateTime PackedToDateTime(std::int32_t packed) {
    const auto bits = static_cast<std::uint32_t>(packed);
    const unsigned high = bits >> 16, low = bits & 0xFFFF;
    return EncodeDate((high >> 9) + 1980, (high >> 5) & 15, high & 31) +
           EncodeTime(low >> 11, (low >> 5) & 63, (low & 31) * 2, 0);
}
