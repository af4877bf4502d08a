#pragma once
// English texts for the library's result codes, and the one place that writes diagnostics.
#include <cstdint>
#include <string>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// OpenFDImg: 1..5 still open the image, 6..10 do not (8 may leave it open; we close it all the same).
std::string openResultText(int32_t code);
inline bool openFailed(int32_t code) {
    return code >= 6;
}
std::string copyResultText(int32_t code);
// The slot checks GetLastErr reports after a search that returned 2 or 3.
std::string checkCodeText(int32_t code);
std::string mediaTypeText(int32_t mediaType);

// "orva: <text>" on stderr.
void printError(const std::string& text);
void printWarning(const std::string& text);

}  // namespace cli
