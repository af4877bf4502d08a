#pragma once
// The subcommands: each registers its options and returns what runs it once it was chosen.
#include <CLI/CLI.hpp>
#include <functional>

#include "global_options.h"

namespace cli {

struct Command {
    CLI::App* app;
    std::function<int()> run;  // the exit status
};

Command addInfoCommand(CLI::App& app, const GlobalOptions& global);
Command addLsCommand(CLI::App& app, const GlobalOptions& global);
Command addGetCommand(CLI::App& app, const GlobalOptions& global);
Command addPutCommand(CLI::App& app, const GlobalOptions& global);
Command addRmCommand(CLI::App& app, const GlobalOptions& global);
Command addMkdirCommand(CLI::App& app, const GlobalOptions& global);
Command addAttribCommand(CLI::App& app, const GlobalOptions& global);
Command addLabelCommand(CLI::App& app, const GlobalOptions& global);
Command addBootCommand(CLI::App& app, const GlobalOptions& global);
Command addNewCommand(CLI::App& app, const GlobalOptions& global);
Command addConvertCommand(CLI::App& app, const GlobalOptions& global);
// The floppy drive commands, over the converter's actions.
Command addDrivesCommand(CLI::App& app, const GlobalOptions& global);
Command addReadCommand(CLI::App& app, const GlobalOptions& global);
Command addWriteCommand(CLI::App& app, const GlobalOptions& global);
Command addFormatCommand(CLI::App& app, const GlobalOptions& global);
Command addRescueCommand(CLI::App& app, const GlobalOptions& global);

}  // namespace cli
