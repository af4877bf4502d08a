// The store every tree of both programs lives in: places, handles and what a listening view hears.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui_port/item_store.h"
#include "ui_port/tree_order.h"

namespace desktop {
namespace {

// Writes every notification as a line, checking on the way that a view could follow each one. Like a view's
// model it stops listening when it ends first, so a store that outlives it tells nobody.
class Recorder : public StoreListener {
  public:
    explicit Recorder(TreeSource& source) : source_(source) { source_.setListener(this); }
    ~Recorder() override {
        if (!gone_) source_.setListener(nullptr);
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    void beforeInsert(ItemHandle parent, size_t row) override { log("+" + name(parent), row); }
    void afterInsert() override {}
    void beforeRemove(ItemHandle parent, size_t row) override { log("-" + name(parent), row); }
    void afterRemove() override {}
    void beforeReset() override { lines.push_back("reset"); }
    void afterReset() override {}
    void beforeReorder(ItemHandle parent) override { lines.push_back("sort " + name(parent)); }
    void afterReorder(ItemHandle) override {}
    void faceChanged(ItemHandle item) override { lines.push_back("text " + source_.face(item).text); }
    void sourceGone() override {
        gone_ = true;
        lines.push_back("gone");
    }

    std::vector<std::string> lines;

  private:
    std::string name(ItemHandle item) const { return item == kNoItem ? "top" : source_.face(item).text; }
    void log(const std::string& what, size_t row) { lines.push_back(what + "@" + std::to_string(row)); }
    TreeSource& source_;
    bool gone_ = false;
};

using Store = ItemStore<int>;

ItemFace face(const char* text) {
    return {text, 0, 0, {}};
}

std::string texts(const Store& store, ItemHandle parent) {
    std::string out;
    for (ItemHandle child : store.children(parent)) {
        out += (out.empty() ? "" : " ") + store.text(child);
        EXPECT_EQ(store.childAt(parent, store.rowOf(child)), child);
        EXPECT_EQ(store.parentOf(child), parent);
    }
    return out;
}

TEST(ItemStore, SortedInsertsGoAfterEqualsAndSortingIsStable) {
    Store store(faceTextLess);
    const ItemHandle top = store.insert(kNoItem, face("root"), 0);
    for (const char* name : {"b", "A", "a", "C", "B2"}) store.insert(top, face(name), 1, true);
    EXPECT_EQ(texts(store, top), "A a b B2 C");

    const ItemHandle other = store.insert(kNoItem, face("other"), 0);
    for (const char* name : {"z", "Y", "x1", "x1"}) store.insert(other, face(name), 2);
    EXPECT_EQ(texts(store, other), "z Y x1 x1");
    store.sortChildren(other);
    EXPECT_EQ(texts(store, other), "x1 x1 Y z");
}

TEST(ItemStore, RemovingAnItemForgetsItsSubtreeAndHandlesAreNeverGivenTwice) {
    Store store(faceTextLess);
    const ItemHandle a = store.insert(kNoItem, face("a"), 1);
    const ItemHandle b = store.insert(a, face("b"), 2);
    const ItemHandle c = store.insert(b, face("c"), 3);
    const ItemHandle d = store.insert(kNoItem, face("d"), 4);
    store.remove(a);
    EXPECT_FALSE(store.contains(b));
    EXPECT_FALSE(store.contains(c));
    EXPECT_EQ(store.rowOf(d), 0u);
    EXPECT_EQ(store.size(), 1u);

    store.clear();
    const ItemHandle again = store.insert(kNoItem, face("a"), 1);
    EXPECT_GT(again, d);
    EXPECT_EQ(store.data(c), 0);  // a stale handle finds nothing
    EXPECT_EQ(store.face(c).text, "");
    EXPECT_EQ(store.insert(c, face("lost"), 5), kNoItem);
}

TEST(ItemStore, AListeningViewHearsOfEveryChangeBeforeItHappens) {
    Store store(faceTextLess);
    Recorder recorder(store);
    const ItemHandle root = store.insert(kNoItem, face("root"), 0);
    store.insert(root, face("b"), 0, true);
    const ItemHandle a = store.insert(root, face("a"), 0, true);
    store.setText(a, "c");
    store.sortChildren(root);
    store.remove(a);
    store.clear();
    EXPECT_EQ(recorder.lines, (std::vector<std::string>{"+top@0", "+root@0", "+root@0", "text c", "sort root",
                                                        "-root@1", "reset"}));
}

TEST(ItemStore, AListenerHearsWhenTheTreeGoesAway) {
    auto store = std::make_unique<Store>(faceTextLess);
    Recorder recorder(*store);
    store->insert(kNoItem, face("root"), 0);
    store.reset();
    EXPECT_EQ(recorder.lines, (std::vector<std::string>{"+top@0", "gone"}));
}

}  // namespace
}  // namespace desktop
