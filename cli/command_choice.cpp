#include "command_choice.h"

#include <string_view>

namespace cli {

const CommandSpec* namedCommand(int argc, const char* const* argv) {
    constexpr std::string_view codePage = kCodePageOption;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == kCheckOption) continue;
        if (arg == codePage) {
            ++i;  // its value, whatever it looks like
            continue;
        }
        if (arg.size() > codePage.size() && arg.starts_with(codePage) && arg[codePage.size()] == '=')
            continue;
        for (const CommandSpec* command : kCommands) {
            if (arg == command->name) return command;
        }
        return nullptr;
    }
    return nullptr;
}

}  // namespace cli
