#pragma once
// The trees of both programs as their logic holds them: items with a face (what a view shows) and data of
// the program's own (kind, paths, cluster ...), set when inserted and never read back from a view. A view
// shows a store through TreeSource and hears of each change through StoreListener, in the order a Qt item
// model needs (before and after every structural change).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui_port/shown_text.h"

namespace desktop {

// An item of a tree; 0 is no item (as a parent: the tree's top level). Handles grow and are never reused,
// so a handle kept across a rebuild finds nothing rather than another item.
using ItemHandle = uint64_t;
inline constexpr ItemHandle kNoItem = 0;

// What a view shows of an item. Icons are indices into the program's fixed pictures; an item with an
// extension shows the system's picture for it where the system has one, else its icon.
struct ItemFace {
    std::string text;  // as the logic made it: label bytes need not be valid UTF-8
    int icon = 0;
    int selectedIcon = 0;   // shown while the item is selected
    std::string extension;  // ".txt", lower case; empty for none
};

// What the logic warns of at an item: a view shows a mark over its picture, and why in its tooltip.
struct ItemWarning {
    ShownText why;  // empty: nothing to warn of

    bool shown() const { return !why.empty(); }
};

class StoreListener {
  public:
    virtual ~StoreListener() = default;
    virtual void beforeInsert(ItemHandle parent, size_t row) = 0;
    virtual void afterInsert() = 0;
    virtual void beforeRemove(ItemHandle parent, size_t row) = 0;  // the item with everything below it
    virtual void afterRemove() = 0;
    virtual void beforeReset() = 0;
    virtual void afterReset() = 0;
    virtual void beforeReorder(ItemHandle parent) = 0;
    virtual void afterReorder(ItemHandle parent) = 0;
    virtual void faceChanged(ItemHandle item) = 0;
    // The tree is going away (its logic ends before its window): nothing may ask it anything afterwards.
    virtual void sourceGone() = 0;
};

// The read side every view uses, whatever data the program keeps with its items.
class TreeSource {
  public:
    virtual ~TreeSource() {
        if (listener_) listener_->sourceGone();
    }
    virtual bool contains(ItemHandle item) const = 0;
    virtual size_t childCount(ItemHandle parent) const = 0;
    virtual ItemHandle childAt(ItemHandle parent, size_t row) const = 0;  // kNoItem outside the range
    virtual ItemHandle parentOf(ItemHandle item) const = 0;
    virtual size_t rowOf(ItemHandle item) const = 0;
    virtual const ItemFace& face(ItemHandle item) const = 0;  // an empty face for an unknown handle
    virtual const ItemWarning& warning(ItemHandle item) const = 0;  // none for an unknown handle

    // The parent's children in their order (none for an unknown parent).
    std::vector<ItemHandle> children(ItemHandle parent) const {
        std::vector<ItemHandle> out;
        for (size_t row = 0; row < childCount(parent); ++row) out.push_back(childAt(parent, row));
        return out;
    }

    // One listener (the view's model); nullptr: nobody listens.
    void setListener(StoreListener* listener) { listener_ = listener; }

  protected:
    StoreListener* listener_ = nullptr;
};

template <typename Data>
class ItemStore final : public TreeSource {
  public:
    // Orders siblings for sorted inserts and sorts.
    using Less = std::function<bool(const ItemFace&, const ItemFace&)>;

    explicit ItemStore(Less less) : less_(std::move(less)) { nodes_[kNoItem]; }

    // Appends, or with sorted set places the item after every sibling that does not sort behind it.
    // Nothing (kNoItem) is inserted under a parent the store does not hold.
    ItemHandle insert(ItemHandle parent, ItemFace face, Data data, bool sorted = false) {
        const auto into = nodes_.find(parent);
        if (into == nodes_.end()) return kNoItem;
        std::vector<ItemHandle>& level = into->second.children;
        size_t row = level.size();
        if (sorted) {
            row = 0;
            while (row < level.size() && !less_(face, nodes_.at(level[row]).face)) ++row;
        }
        const ItemHandle handle = ++lastHandle_;
        if (listener_) listener_->beforeInsert(parent, row);
        level.insert(level.begin() + static_cast<std::ptrdiff_t>(row), handle);
        nodes_.emplace(handle, Node{std::move(face), std::move(data), parent, row, {}, {}});
        renumber(level, row + 1);
        if (listener_) listener_->afterInsert();
        return handle;
    }

    void clear() {
        if (listener_) listener_->beforeReset();
        nodes_.clear();
        nodes_[kNoItem];
        if (listener_) listener_->afterReset();
    }

    void remove(ItemHandle item) {
        const auto found = nodes_.find(item);
        if (item == kNoItem || found == nodes_.end()) return;
        const ItemHandle parent = found->second.parent;
        const size_t row = found->second.row;
        if (listener_) listener_->beforeRemove(parent, row);
        forget(item);
        std::vector<ItemHandle>& level = nodes_.at(parent).children;
        level.erase(level.begin() + static_cast<std::ptrdiff_t>(row));
        renumber(level, row);
        if (listener_) listener_->afterRemove();
    }

    void setText(ItemHandle item, std::string text) {
        const auto found = nodes_.find(item);
        if (item == kNoItem || found == nodes_.end()) return;
        found->second.face.text = std::move(text);
        if (listener_) listener_->faceChanged(item);
    }

    // An empty text takes the warning away.
    void setWarning(ItemHandle item, ShownText why) {
        const auto found = nodes_.find(item);
        if (item == kNoItem || found == nodes_.end()) return;
        found->second.warning.why = std::move(why);
        if (listener_) listener_->faceChanged(item);
    }

    // Stable: items that sort alike keep their order.
    void sortChildren(ItemHandle parent) {
        const auto into = nodes_.find(parent);
        if (into == nodes_.end()) return;
        if (listener_) listener_->beforeReorder(parent);
        std::vector<ItemHandle>& level = into->second.children;
        std::stable_sort(level.begin(), level.end(), [this](ItemHandle a, ItemHandle b) {
            return less_(nodes_.at(a).face, nodes_.at(b).face);
        });
        renumber(level, 0);
        if (listener_) listener_->afterReorder(parent);
    }

    // The data of an unknown handle is a default one.
    const Data& data(ItemHandle item) const {
        const auto found = nodes_.find(item);
        return found == nodes_.end() || item == kNoItem ? empty_.data : found->second.data;
    }
    const std::string& text(ItemHandle item) const { return face(item).text; }
    size_t size() const { return nodes_.size() - 1; }

    // TreeSource.
    bool contains(ItemHandle item) const override { return item != kNoItem && nodes_.count(item) != 0; }
    size_t childCount(ItemHandle parent) const override {
        const auto found = nodes_.find(parent);
        return found == nodes_.end() ? 0 : found->second.children.size();
    }
    ItemHandle childAt(ItemHandle parent, size_t row) const override {
        const auto found = nodes_.find(parent);
        if (found == nodes_.end() || row >= found->second.children.size()) return kNoItem;
        return found->second.children[row];
    }
    ItemHandle parentOf(ItemHandle item) const override {
        const auto found = nodes_.find(item);
        return found == nodes_.end() ? kNoItem : found->second.parent;
    }
    size_t rowOf(ItemHandle item) const override {
        const auto found = nodes_.find(item);
        return found == nodes_.end() ? 0 : found->second.row;
    }
    const ItemFace& face(ItemHandle item) const override {
        const auto found = nodes_.find(item);
        return found == nodes_.end() || item == kNoItem ? empty_.face : found->second.face;
    }
    const ItemWarning& warning(ItemHandle item) const override {
        const auto found = nodes_.find(item);
        return found == nodes_.end() || item == kNoItem ? empty_.warning : found->second.warning;
    }

  private:
    struct Node {
        ItemFace face;
        Data data{};
        ItemHandle parent = kNoItem;
        size_t row = 0;  // kept current, so a view finds an item's place without a search
        std::vector<ItemHandle> children;
        ItemWarning warning{};
    };

    void renumber(const std::vector<ItemHandle>& level, size_t from) {
        for (size_t i = from; i < level.size(); ++i) nodes_.at(level[i]).row = i;
    }

    // Drops the item and everything below it, without a recursion as deep as the tree.
    void forget(ItemHandle item) {
        std::vector<ItemHandle> pending{item};
        while (!pending.empty()) {
            const ItemHandle at = pending.back();
            pending.pop_back();
            const auto found = nodes_.find(at);
            pending.insert(pending.end(), found->second.children.begin(), found->second.children.end());
            nodes_.erase(found);
        }
    }

    Less less_;
    std::unordered_map<ItemHandle, Node> nodes_;  // kNoItem holds the top level
    ItemHandle lastHandle_ = kNoItem;
    Node empty_{};
};

}  // namespace desktop
