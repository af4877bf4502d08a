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

}  // namespace cli
