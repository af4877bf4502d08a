#pragma once
// Kelvorn's Czech messages by their string ids, and which message a library result code selects.
#include <cstdint>
#include <optional>
#include <string>

namespace browser {

// The text of a message id (101 to 171); empty for an id the program does not have.
std::string messageText(int id);

// The message for a result code of a library function (the table row, not the two rules common to all
// functions); nothing when the pair has no row.
std::optional<int> messageIdFor(int function, int32_t code);

// printf-style fill of a message's "%s", "%d" and "%c" places; arguments are taken as text in order.
std::string formatMessage(int id, std::initializer_list<std::string> arguments);

}  // namespace browser

namespace browser {

inline constexpr const char* kProgramName = "Kelvorn";
inline constexpr const char* kAboutCaption = "Kelvorn - o programu";
inline constexpr const char* kAboutVersion = "Kelvorn verze 2.3";
inline constexpr const char* kAboutHint = "Image otevřete poklepáním souboru v levém seznamu.";
inline constexpr const char* kResultText = "Akce dokončena bez chyb.";
inline constexpr const char* kResultGroup = "Výsledek:";
inline constexpr int kResultBoxCloseMs = 2000;

}  // namespace browser
