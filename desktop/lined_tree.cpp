#include "desktop/lined_tree.h"

#include <QPainter>

namespace desktop {
namespace {

bool hasNextSibling(const QModelIndex& index) {
    return index.row() + 1 < index.model()->rowCount(index.parent());
}

}  // namespace

void LinedTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    const int indent = indentation();
    const int midY = rect.top() + rect.height() / 2;
    painter->save();
    QPen dotted(palette().color(QPalette::Dark));
    dotted.setStyle(Qt::DotLine);
    painter->setPen(dotted);

    // The item's own column is the rightmost one; its ancestors' columns lie to the left.
    int column = rect.right() + 1 - indent;
    const int midX = column + indent / 2;
    painter->drawLine(midX, midY, column + indent - 2, midY);
    const bool first = index.row() == 0 && !index.parent().isValid();
    painter->drawLine(midX, first ? midY : rect.top(), midX, hasNextSibling(index) ? rect.bottom() : midY);
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) {
        column -= indent;
        if (hasNextSibling(up))
            painter->drawLine(column + indent / 2, rect.top(), column + indent / 2, rect.bottom());
    }

    if (model()->hasChildren(index)) {
        const QRect box(midX - 4, midY - 4, 8, 8);
        painter->setPen(palette().color(QPalette::Dark));
        painter->fillRect(box, palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!isExpanded(index)) painter->drawLine(midX, box.top() + 2, midX, box.bottom() - 2);
    }
    painter->restore();
}

}  // namespace desktop
