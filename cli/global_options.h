#pragma once
// Options every command shares.
#include <string>

namespace cli {

struct GlobalOptions {
    std::string codePage = "CP852";  // how short names' bytes are shown
    bool checkSlots = false;         // let the library check every directory slot it reads
};

}  // namespace cli
