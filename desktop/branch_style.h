#pragma once
// Trees drawn the way floppy tools always drew theirs: dotted lines joining each item to its parent and a
// boxed plus or minus on every item that has children. A style, so any QTreeView gets them, mirrored in
// right-to-left layouts and drawn with cosmetic pens at any device pixel ratio.
#include <QProxyStyle>

namespace desktop {

class BranchLineStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace desktop
