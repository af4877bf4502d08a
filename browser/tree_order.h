#pragma once
// The order in which both trees keep their items: by text, ignoring letter case (folders and files mixed).
#include <string_view>

namespace browser {

bool treeTextLess(std::string_view a, std::string_view b);

}  // namespace browser
