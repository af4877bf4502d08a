#pragma once
// The option every drive command shares.
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace cli {

// --emulate LETTER=SCENARIO, repeatable: each occurrence takes one value, so positionals can follow it.
inline void addEmulateOption(CLI::App& command, std::vector<std::string>& emulate) {
    command
        .add_option(
            "--emulate", emulate,
            "An emulated drive instead of this machine's (repeatable): LETTER=KIND[:MEDIUM][:OPTION]..., "
            "as in mirask (a=1.44M:disk.img:bad=3/1/5)")
        ->type_size(1)
        ->allow_extra_args(false);
}

}  // namespace cli
