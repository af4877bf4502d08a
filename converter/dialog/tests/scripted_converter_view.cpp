#include "scripted_converter_view.h"

#include <gtest/gtest.h>

namespace converter::dialog::testing {

bool ScriptedConverterView::answer(const char* kind, const std::string& text) {
    messages.push_back(kind + text);
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text;
        return false;
    }
    const bool given = answers.front();
    answers.pop_front();
    return given;
}

void ScriptedConverterView::removeInfo(int index) {
    ASSERT_TRUE(index >= 0 && static_cast<size_t>(index) < info.size()) << index;
    info.erase(info.begin() + index);
}

ItemHandle ScriptedConverterView::find(const std::string& text) const {
    std::vector<ItemHandle> pending = children(kNoItem);
    while (!pending.empty()) {
        const ItemHandle h = pending.back();
        pending.pop_back();
        if (face(h).text == text) return h;
        for (ItemHandle child : children(h)) pending.push_back(child);
    }
    return kNoItem;
}

std::string ScriptedConverterView::dump() const {
    std::string out;
    dumpLevel(kNoItem, 0, out);
    return out;
}

void ScriptedConverterView::dumpLevel(ItemHandle parent, int depth, std::string& out) const {
    for (ItemHandle h : children(parent)) {
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + face(h).text + "\n";
        dumpLevel(h, depth + 1, out);
    }
}

}  // namespace converter::dialog::testing
