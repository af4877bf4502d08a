#include "scripted_converter_view.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text_codec.h"

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

ItemHandle ScriptedConverterView::insertItem(ItemHandle parent, const FileItem& item) {
    const ItemHandle handle = next_++;
    nodes[handle] = Node{parent, item, {}, false};
    (parent == kNoItem ? tops : nodes.at(parent).children).push_back(handle);
    return handle;
}

void ScriptedConverterView::deleteAllItems() {
    nodes.clear();
    tops.clear();
}

void ScriptedConverterView::sortChildren(ItemHandle parent) {
    auto& level = parent == kNoItem ? tops : nodes.at(parent).children;
    std::stable_sort(level.begin(), level.end(), [&](ItemHandle a, ItemHandle b) {
        return platform::lowerCaseUtf8(nodes.at(a).item.text) <
               platform::lowerCaseUtf8(nodes.at(b).item.text);
    });
}

std::vector<ItemHandle> ScriptedConverterView::children(ItemHandle parent) const {
    return parent == kNoItem ? tops : nodes.at(parent).children;
}

ItemHandle ScriptedConverterView::find(const std::string& text) const {
    for (const auto& [handle, node] : nodes) {
        if (node.item.text == text) return handle;
    }
    return kNoItem;
}

std::string ScriptedConverterView::dump() const {
    std::string out;
    dumpLevel(tops, 0, out);
    return out;
}

void ScriptedConverterView::dumpLevel(const std::vector<ItemHandle>& level, int depth,
                                      std::string& out) const {
    for (ItemHandle h : level) {
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + nodes.at(h).item.text + "\n";
        dumpLevel(nodes.at(h).children, depth + 1, out);
    }
}

}  // namespace converter::dialog::testing
