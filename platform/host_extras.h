#pragma once
// Smaller host facts the command line needs: whether messages go to a terminal, and the DOS attributes
// Samba keeps in an extended attribute.
#include <optional>
#include <string>

namespace platform {

bool stderrIsTerminal();
bool stdinIsTerminal();

// The value of the extended attribute user.DOSATTRIB, when the file has one.
std::optional<std::string> dosAttributeText(const std::string& path);

}  // namespace platform
