#include "desktop/tree_view.h"

#include <QHeaderView>
#include <QTreeView>

#include "desktop/branch_style.h"
#include "desktop/tree_model.h"

namespace desktop {

QTreeView* makeTreeView(QWidget* parent, TreeModel* model) {
    auto* tree = new QTreeView(parent);
    auto* style = new BranchLineStyle;
    style->setParent(tree);  // a widget does not own its style
    tree->setStyle(style);
    tree->setModel(model);
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    tree->setIconSize(QSize(16, 16));
    tree->setSortingEnabled(false);  // the logic places every item itself
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(false);
    return tree;
}

}  // namespace desktop
