#include "kept_tree_state.h"

#include <QScrollBar>
#include <QTreeView>

#include "desktop/tree_model.h"

namespace kelvorn {
namespace {

const desktop::TreeModel* modelOf(const QTreeView& view) {
    return dynamic_cast<const desktop::TreeModel*>(view.model());
}

// Whether path lies inside folder (host paths use "/", image paths "\").
bool holds(const std::string& folder, const std::string& path) {
    if (path.size() <= folder.size() || !path.starts_with(folder)) return false;
    const char after = path[folder.size()];
    const char last = folder.back();
    return after == '/' || after == '\\' || last == '/' || last == '\\';
}

}  // namespace

KeptTreeState KeptTreeState::take(const QTreeView& view, const PathOf& pathOf) {
    KeptTreeState kept;
    const desktop::TreeModel* model = modelOf(view);
    if (!model) return kept;
    const std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex item = model->index(row, 0, parent);
            if (!view.isExpanded(item)) continue;
            kept.expanded_.insert(pathOf(model->handleOf(item)));
            walk(item);
        }
    };
    walk({});
    if (const QModelIndex current = view.currentIndex(); current.isValid())
        kept.selected_ = pathOf(model->handleOf(current));
    if (const QModelIndex top = view.indexAt(QPoint(1, 1)); top.isValid())
        kept.top_ = pathOf(model->handleOf(top));
    kept.vertical_ = view.verticalScrollBar()->value();
    kept.horizontal_ = view.horizontalScrollBar()->value();
    return kept;
}

void KeptTreeState::restore(QTreeView& view, const PathOf& pathOf) const {
    const desktop::TreeModel* model = modelOf(view);
    if (!model) return;
    QModelIndex selected;
    size_t selectedDepth = 0;  // how much of the selected path the item found so far covers
    QModelIndex top;
    // Indices are looked up again after each expansion: a tree listed on demand adds rows as it opens.
    const std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex item = model->index(row, 0, parent);
            const std::string path = pathOf(model->handleOf(item));
            if (path == top_) top = item;
            if (!selected_.empty() && (path == selected_ || holds(path, selected_)) &&
                path.size() >= selectedDepth) {
                selected = item;
                selectedDepth = path.size();
            }
            if (expanded_.count(path) == 0) continue;
            view.expand(item);
            walk(model->index(row, 0, parent));
        }
    };
    walk({});

    const QModelIndex chosen = view.currentIndex();
    if (!chosen.isValid() && selected.isValid()) view.setCurrentIndex(selected);
    if (top.isValid()) {
        view.scrollTo(top, QAbstractItemView::PositionAtTop);
    } else {
        view.doItemsLayout();
        view.verticalScrollBar()->setValue(vertical_);
    }
    view.horizontalScrollBar()->setValue(horizontal_);
    if (chosen.isValid()) view.scrollTo(chosen, QAbstractItemView::EnsureVisible);
}

}  // namespace kelvorn
