#pragma once
// The trees both windows show: one column without a header, single selection, dotted branch lines, and
// long names scrolling sideways instead of being cut short.
class QTreeView;
class QWidget;

namespace desktop {

class TreeModel;

QTreeView* makeTreeView(QWidget* parent, TreeModel* model);

}  // namespace desktop
