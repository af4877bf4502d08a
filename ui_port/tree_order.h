#pragma once
// The order in which both programs keep their trees: by text, ignoring letter case (folders and files
// mixed), with a fixed order for texts that differ only in case.
#include <string_view>

#include "ui_port/item_store.h"

namespace desktop {

bool treeTextLess(std::string_view a, std::string_view b);

inline bool faceTextLess(const ItemFace& a, const ItemFace& b) {
    return treeTextLess(a.text, b.text);
}

}  // namespace desktop
