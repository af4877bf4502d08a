#pragma once
// The subcommands. Each is constant data, so nothing of them runs before main; main adds the options of the
// one command a command line names, and all of them only when it names none (for the help listing).
#include <CLI/CLI.hpp>
#include <array>
#include <functional>

#include "global_options.h"

namespace cli {

// What runs a command once its command line was parsed: the exit status.
using Runner = std::function<int()>;

struct CommandSpec {
    const char* name;
    const char* description;
    // Adds the command's options and arguments to its subcommand.
    Runner (*configure)(CLI::App* sub, const GlobalOptions& global);
};

extern const CommandSpec kInfoCommand;
extern const CommandSpec kLsCommand;
extern const CommandSpec kGetCommand;
extern const CommandSpec kPutCommand;
extern const CommandSpec kRmCommand;
extern const CommandSpec kMkdirCommand;
extern const CommandSpec kAttribCommand;
extern const CommandSpec kLabelCommand;
extern const CommandSpec kBootCommand;
extern const CommandSpec kNewCommand;
extern const CommandSpec kConvertCommand;
extern const CommandSpec kCheckCommand;
extern const CommandSpec kCheckCommand;
// The floppy drive commands, over the converter's actions.
extern const CommandSpec kDrivesCommand;
extern const CommandSpec kReadCommand;
extern const CommandSpec kWriteCommand;
extern const CommandSpec kFormatCommand;
extern const CommandSpec kRescueCommand;

// In the order orva --help lists them.
inline constexpr std::array kCommands{
    &kInfoCommand,  &kCheckCommand,  &kLsCommand,     &kGetCommand,     &kPutCommand,   &kRmCommand,
    &kMkdirCommand, &kAttribCommand, &kLabelCommand,  &kBootCommand,    &kNewCommand,   &kDrivesCommand,
    &kReadCommand,  &kWriteCommand,  &kFormatCommand, &kConvertCommand, &kRescueCommand};

}  // namespace cli
