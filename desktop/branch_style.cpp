#include "desktop/branch_style.h"

#include <QPainter>
#include <QStyleOption>
#include <QTreeView>

namespace desktop {
namespace {

// The first item of the whole tree has nothing above it to join.
bool isFirstTopItem(const QRect& rect, const QWidget* widget) {
    const auto* view = qobject_cast<const QTreeView*>(widget);
    if (view == nullptr) return false;
    const QModelIndex index = view->indexAt(rect.center());
    return index.isValid() && index.row() == 0 && !index.parent().isValid();
}

}  // namespace

void BranchLineStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    if (element != PE_IndicatorBranch) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QRect& rect = option->rect;
    const bool rightToLeft = option->direction == Qt::RightToLeft;
    const int midX = rect.left() + rect.width() / 2;
    const int midY = rect.top() + rect.height() / 2;
    painter->save();
    QPen dotted(option->palette.color(QPalette::Dark), 0, Qt::DotLine);
    painter->setPen(dotted);
    if (option->state & State_Item) {
        // The item's own column: a line towards its text, and down to its next sibling when it has one.
        painter->drawLine(midX, midY, rightToLeft ? rect.left() + 1 : rect.right() - 1, midY);
        const int top = isFirstTopItem(rect, widget) ? midY : rect.top();
        painter->drawLine(midX, top, midX, (option->state & State_Sibling) ? rect.bottom() : midY);
    } else if (option->state & State_Sibling) {
        // An ancestor's column: its line passes by on the way to a later sibling.
        painter->drawLine(midX, rect.top(), midX, rect.bottom());
    }
    if (option->state & State_Children) {
        const int half = qMax(4, qMin(rect.width(), rect.height()) / 5);
        const QRect box(midX - half, midY - half, 2 * half, 2 * half);
        painter->setPen(QPen(option->palette.color(QPalette::Dark), 0));
        painter->fillRect(box, option->palette.color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(QPen(option->palette.color(QPalette::Text), 0));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!(option->state & State_Open)) painter->drawLine(midX, box.top() + 2, midX, box.bottom() - 2);
    }
    painter->restore();
}

}  // namespace desktop
