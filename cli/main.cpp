// orva: reads and writes FAT12 floppy images through the ORVA library.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "global_options.h"
#include "messages.h"
#include "orva_version.h"
#include "platform/text_codec.h"

namespace {

// iconv gives no answer for an unknown code page; it shows up as every high byte turning into "?".
std::string checkCodePage(const std::string& codePage) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
    if (platform::codePageToUtf8(high, codePage) == std::string(high.size(), '?')) {
        return "unknown code page: " + codePage;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "orva: read and write FAT12 floppy images (long names included), and floppies in their drives",
        "orva"};
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", std::string("orva ") + ORVA_VERSION, "Show the version and exit");
    cli::GlobalOptions global;
    app.add_option("--codepage", global.codePage, "DOS code page of the short names (iconv name)")
        ->check(checkCodePage)
        ->capture_default_str();
    app.add_flag("--check", global.checkSlots, "Check every directory slot read and warn about damaged ones");

    const std::vector<cli::Command> commands{
        cli::addInfoCommand(app, global),    cli::addLsCommand(app, global),
        cli::addGetCommand(app, global),     cli::addPutCommand(app, global),
        cli::addRmCommand(app, global),      cli::addMkdirCommand(app, global),
        cli::addAttribCommand(app, global),  cli::addLabelCommand(app, global),
        cli::addBootCommand(app, global),    cli::addNewCommand(app, global),
        cli::addDrivesCommand(app, global),  cli::addReadCommand(app, global),
        cli::addWriteCommand(app, global),   cli::addFormatCommand(app, global),
        cli::addConvertCommand(app, global), cli::addRescueCommand(app, global)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Without a command there is nothing to complain about but the missing command: show what there is.
        if (app.get_subcommands().empty() && dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
            std::fputs(app.help().c_str(), stderr);
            return cli::kExitUsage;
        }
        return app.exit(e) == 0 ? cli::kExitOk : cli::kExitUsage;
    }
    int status = cli::kExitUsage;
    try {
        for (const cli::Command& c : commands) {
            if (c.app->parsed()) status = c.run();
        }
    } catch (const std::exception& e) {
        cli::printError(e.what());
        return cli::kExitFailure;
    }
    // A listing cut short by a full disk or a closed pipe must not look like success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        cli::printError("cannot write the output");
        return cli::kExitFailure;
    }
    return status;
}
