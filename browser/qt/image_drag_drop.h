#pragma once
// Drags and drops of the image tree. Files and folders of another program (local files, text/uri-list)
// dropped on a folder or the root go in as "--->" copies them; an item dragged out is copied out first, as
// "<---" copies it, into a fresh temporary folder, and the drag carries that copy.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "browser/browser_view.h"
#include "desktop/tree_drag_drop.h"
#include "drag_folders.h"

namespace kelvorn {

class ImageDragDrop final : public QObject, public desktop::TreeDragDrop {
  public:
    // Marks what this tree's own drags carry: a drop of it back onto the image would copy a file onto
    // itself.
    static constexpr const char* kOwnFormat = "application/x-kelvorn-image-item";

    // What the window does with a drop (host paths into the target item) and for a drag (an item copied
    // into a folder: the host path made, or nothing).
    struct Actions {
        std::function<void(browser::ItemHandle, const std::vector<std::string>&)> drop;
        std::function<std::optional<std::string>(browser::ItemHandle, const std::string&)> copyOut;
    };

    ImageDragDrop(const browser::ItemTree& tree, desktop::MessagePort& messages, Actions actions,
                  QObject* parent = nullptr);
    // Drops on the view come in as copies only, whatever the dragging program proposes: it would delete
    // its files after a move.
    void watch(QWidget* viewport);

    bool draggable(browser::ItemHandle item) const override;
    QStringList dropFormats() const override;
    bool canDrop(const QMimeData& data, browser::ItemHandle target) const override;
    bool drop(const QMimeData& data, browser::ItemHandle target) override;
    QMimeData* dragOut(const std::vector<browser::ItemHandle>& items) override;

    const DragFolders& folders() const { return folders_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const browser::ItemTree& tree_;
    desktop::MessagePort& messages_;
    Actions actions_;
    DragFolders folders_;
};

// The host paths of a drop: every URL a local file, or nothing at all (other programs' URLs are refused).
std::vector<std::string> localPathsOf(const QMimeData& data);

}  // namespace kelvorn
