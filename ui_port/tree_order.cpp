#include "ui_port/tree_order.h"

#include <string>

#include "platform/text_codec.h"

namespace desktop {
namespace {

std::string folded(std::string_view text) {
    if (!platform::isAscii(text)) return platform::lowerCaseUtf8(text);
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

bool treeTextLess(std::string_view a, std::string_view b) {
    const std::string fa = folded(a);
    const std::string fb = folded(b);
    // Names that differ only in case still get a fixed order.
    return fa != fb ? fa < fb : a < b;
}

}  // namespace desktop
