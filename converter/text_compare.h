#pragma once
// Drive letters, device names and format names compare without regard to ASCII letter case, as Windows does.
#include <algorithm>
#include <cctype>
#include <string_view>

namespace converter {

inline bool sameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace converter
