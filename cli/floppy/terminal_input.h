#pragma once
// Questions put to a person at the terminal, for what the command line's options left open.
#include <optional>
#include <string>

namespace cli {

// Whether a person can answer: standard input is a terminal.
bool stdinIsTerminal();

// Shows the prompt on stderr and reads one line; nothing at the end of the input.
std::optional<std::string> readAnswer(const std::string& prompt);

// "y" or "yes" in any case.
bool isYes(const std::string& answer);

}  // namespace cli
