#pragma once
// Drags out of the host tree: its files and folders carry their paths (text/uri-list), so they can be
// dropped on the image tree beside it, or on any other program that takes files.
#include "browser/browser_view.h"
#include "desktop/tree_drag_drop.h"

namespace kelvorn {

class HostDrags final : public desktop::TreeDragDrop {
  public:
    explicit HostDrags(const browser::ItemTree& tree) : tree_(tree) {}

    bool draggable(browser::ItemHandle item) const override;
    // The host tree takes no drops: copies onto the host start from the image side.
    QStringList dropFormats() const override { return {}; }
    bool canDrop(const QMimeData&, browser::ItemHandle) const override { return false; }
    bool drop(const QMimeData&, browser::ItemHandle) override { return false; }
    QMimeData* dragOut(const std::vector<browser::ItemHandle>& items) override;

  private:
    const browser::ItemTree& tree_;
};

}  // namespace kelvorn
