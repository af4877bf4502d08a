#pragma once
// --fat 1|2: which copy of the allocation table the library reads when it opens the image.
#include <CLI/CLI.hpp>
#include <cstdint>

#include "library_codes.h"

namespace cli {

inline void addTableCopyOption(CLI::App& command, int32_t& copy) {
    command
        .add_option("--fat", copy,
                    "Which copy of the allocation table to follow: 1 (the default) or 2, when the first one "
                    "is damaged")
        ->check(CLI::IsMember({orva::kFirstTableCopy, orva::kSecondTableCopy}));
}

}  // namespace cli
