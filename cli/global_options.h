#pragma once
// Options every command shares.
#include <string>

namespace cli {

// Their names: main adds them, and looks past them for the command a command line names.
inline constexpr char kCodePageOption[] = "--codepage";
inline constexpr char kCheckOption[] = "--check";

struct GlobalOptions {
    std::string codePage = "CP852";  // how short names' bytes are shown
    bool checkSlots = false;         // let the library check every directory slot it reads
};

}  // namespace cli
