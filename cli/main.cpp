// orva: reads and writes FAT12 floppy images through the ORVA library.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "command_choice.h"
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

struct Command {
    CLI::App* app;
    cli::Runner run;
};

// orva's own options and the given commands. Building a command costs more than running a small one, so a
// command line gets only the command it names.
class CommandLine {
  public:
    explicit CommandLine(std::span<const cli::CommandSpec* const> commands) {
        app_.require_subcommand(1);
        app_.fallthrough();
        app_.set_version_flag("--version", std::string("orva ") + ORVA_VERSION, "Show the version and exit");
        app_.add_option(cli::kCodePageOption, global_.codePage,
                        "DOS code page of the short names (iconv name)")
            ->check(checkCodePage)
            ->capture_default_str();
        app_.add_flag(cli::kCheckOption, global_.checkSlots,
                      "Check every directory slot read and warn about damaged ones");
        for (const cli::CommandSpec* spec : commands) {
            CLI::App* sub = app_.add_subcommand(spec->name, spec->description);
            commands_.push_back({sub, spec->configure(sub, global_)});
        }
    }
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    int parseAndRun(int argc, const char* const* argv) {
        try {
            app_.parse(argc, argv);
        } catch (const CLI::ParseError& e) {
            // Without a command there is nothing to complain about but the missing command: show what there
            // is.
            if (app_.get_subcommands().empty() && dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
                std::fputs(app_.help().c_str(), stderr);
                return cli::kExitUsage;
            }
            return app_.exit(e) == 0 ? cli::kExitOk : cli::kExitUsage;
        }
        int status = cli::kExitUsage;
        try {
            for (const Command& c : commands_) {
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

    // The answer to a command line that only asks for the version, which needs no command built.
    std::optional<int> versionOnly(int argc, const char* const* argv) {
        try {
            app_.parse(argc, argv);
        } catch (const CLI::CallForVersion& e) {
            return app_.exit(e);
        } catch (const CLI::ParseError&) {
            // Anything else is answered by the full command line.
        }
        return std::nullopt;
    }

  private:
    CLI::App app_{
        "orva: read and write FAT12 floppy images (long names included), and floppies in their drives",
        "orva"};
    cli::GlobalOptions global_;
    std::vector<Command> commands_;
};

}  // namespace

int main(int argc, char** argv) {
    if (const cli::CommandSpec* named = cli::namedCommand(argc, argv)) {
        return CommandLine(std::span(&named, 1)).parseAndRun(argc, argv);
    }
    if (const auto answer = CommandLine({}).versionOnly(argc, argv)) return *answer;
    return CommandLine(cli::kCommands).parseAndRun(argc, argv);
}
