#include "desktop/about_box.h"

#include <algorithm>

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace desktop {

std::unique_ptr<QDialog> makeAboutBox(const QString& title, const QList<QIcon>& pictures,
                                      const QStringList& lines, QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(title);

    // The pieces are handed to Qt's parent ownership as soon as they are made.
    auto* layout = new QGridLayout(dialog.get());
    layout->setContentsMargins(18, 18, 18, 12);
    layout->setHorizontalSpacing(16);
    layout->setVerticalSpacing(8);

    const int rows = std::max(1, static_cast<int>(lines.size()));
    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->setSpacing(8);
    for (const QIcon& icon : pictures) {
        auto* picture = new QLabel(dialog.get());
        picture->setPixmap(icon.pixmap(48, 48));
        picture->setAlignment(Qt::AlignTop);
        pictureColumn->addWidget(picture);
    }
    pictureColumn->addStretch(1);
    layout->addLayout(pictureColumn, 0, 0, rows, 1);

    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        auto* line = new QLabel(lines[row], dialog.get());
        if (row == 0) {
            QFont bold = line->font();
            bold.setBold(true);
            line->setFont(bold);
        }
        layout->addWidget(line, row, 1);
    }

    auto* buttonRow = new QVBoxLayout;
    buttonRow->setContentsMargins(0, 8, 0, 0);
    layout->addLayout(buttonRow, rows, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog.get());
    buttons->setCenterButtons(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    buttonRow->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    dialog->setSizeGripEnabled(false);
    dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return dialog;
}

}  // namespace desktop
