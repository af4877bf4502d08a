#include "floppy/terminal_input.h"

#include <cstdio>
#include <iostream>

#include "platform/host_extras.h"
#include "progress.h"

namespace cli {

bool stdinIsTerminal() {
    return platform::stdinIsTerminal();
}

std::optional<std::string> readAnswer(const std::string& prompt) {
    eraseProgressLine();
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    std::string line;
    if (!std::getline(std::cin, line)) {
        std::fputc('\n', stderr);
        return std::nullopt;
    }
    return line;
}

bool isYes(const std::string& answer) {
    std::string lower;
    for (char c : answer) lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lower == "y" || lower == "yes";
}

}  // namespace cli
