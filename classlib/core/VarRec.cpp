#include "VarRec.h"

#include <algorithm>
#include <cstring>

ShortString::ShortString(std::string_view text) {
    Length = static_cast<std::uint8_t>(std::min<std::size_t>(text.size(), sizeof Data));
    std::memcpy(Data, text.data(), Length);
}
