#pragma once
// What kelvorn reads from its command line before the window opens.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace browser {

struct StartOptions {
    std::string extensionList = "gvximgimdtd0cqmimz";  // three letters per extension
    int entryCheckFlags = 0;               // handed to the library at every image open
    std::string imageToOpen;               // empty: none
};

// The options "/o" and "/e" searched anywhere in one argument text.
StartOptions parseArgumentText(std::string_view text);

// Separate arguments: one naming an existing file is the image to open and is never searched for options;
// the others are joined with blanks and read by parseArgumentText.
StartOptions parseArguments(const std::vector<std::string>& arguments,
                            const std::function<bool(const std::string&)>& isExistingFile);

}  // namespace browser
