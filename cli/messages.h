#pragma once
// English texts for the library's result codes, and the one place that writes diagnostics.
#include <cstdint>
#include <string>

#include "library_codes.h"

namespace cli {

namespace result = orva::result;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// Done, but the image is damaged: something was left out or cut short, and a warning said what.
inline constexpr int kExitPartial = 3;

// OpenFDImg: 1..5 still open the image, 6..10 do not (8 may leave it open; we close it all the same).
std::string openResultText(int32_t code);
inline bool openFailed(int32_t code) {
    return code >= result::OpenFDImg::kUnreadable;
}
std::string copyResultText(int32_t code);
// The writing functions: CopyT, MkDir, KillF, SetAttrib, WriteVol, WriteBoot.
std::string copyInResultText(int32_t code);
std::string mkDirResultText(int32_t code);
std::string killResultText(int32_t code);
std::string setAttribResultText(int32_t code);
std::string labelResultText(int32_t code);
std::string bootResultText(int32_t code);
// "<text> (<Function> result <code>)", how every failed library call is reported.
std::string withCode(const std::string& text, const char* function, int32_t code);
// The slot checks GetLastErr reports after a search that returned 2 or 3.
std::string checkCodeText(int32_t code);
std::string mediaTypeText(int32_t mediaType);

// "orva: <text>" on stderr.
void printError(const std::string& text);
void printWarning(const std::string& text);

}  // namespace cli
