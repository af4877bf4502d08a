#include "kelvorn_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "desktop/lined_tree.h"
#include "desktop/message_boxes.h"
#include "desktop/wait_cursor.h"
#include "new_dialogs.h"
#include "small_dialogs.h"

namespace kelvorn {

using browser::ItemHandle;
using browser::Tree;

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QToolButton* makeButton(QWidget* parent, const QIcon& icon, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setMinimumSize(QSize(34, 30));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (!name.isEmpty()) {
        // The resource's own caption: kept for assistive tools and tooltips, the icon is what shows.
        button->setText(name);
        button->setToolTip(name);
        button->setAccessibleName(name);
    }
    return button;
}

QTreeWidget* makeTree(QWidget* parent) {
    auto* tree = new desktop::LinedTree(parent);
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    tree->setIconSize(QSize(16, 16));
    tree->setSortingEnabled(false);  // the logic places every item itself
    // Long names scroll sideways instead of being cut short.
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(false);
    return tree;
}

// An editable box's drop-down packs its rows as tight as the font; give them the trees' breathing room.
class RoomyRows : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index)
            .expandedTo(QSize(0, option.fontMetrics.height() + 6));
    }
};

class WaitCursor : public browser::WaitCursorScope {
    desktop::WaitCursor cursor_;
};

QString programName() {
    return QString::fromUtf8(browser::kProgramName);
}

}  // namespace

KelvornWindow::KelvornWindow(const QString& aboutMenuText, QWidget* parent)
    : QWidget(parent), aboutMenuText_(aboutMenuText) {
    setWindowTitle(QString::fromUtf8(browser::kProgramName));
    setWindowIcon(programIcon());
    buildWidgets();
    hostItems_ = std::make_unique<ItemTree>(*hostTree_, images_);
    imageItems_ = std::make_unique<ItemTree>(*imageTree_, images_);
    connectSignals();
    resize(800, 560);
}

KelvornWindow::~KelvornWindow() = default;

void KelvornWindow::buildWidgets() {
    // Every widget is owned by this window through Qt's parent chain.
    driveList_ = new QComboBox(this);
    driveList_->setEditable(false);
    driveList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    driveList_->setMinimumContentsLength(18);
    driveList_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    extensionFilter_ = new QComboBox(this);
    extensionFilter_->setEditable(true);
    extensionFilter_->setInsertPolicy(QComboBox::NoInsert);  // the logic owns the entries
    extensionFilter_->setCompleter(nullptr);                 // typed text is read as typed
    extensionFilter_->lineEdit()->setMaxLength(6);
    extensionFilter_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    extensionFilter_->setMinimumContentsLength(7);
    extensionFilter_->setItemDelegate(new RoomyRows(extensionFilter_));

    copyToHost_ = makeButton(this, copyToHostIcon(), QStringLiteral("<---"));
    copyToImage_ = makeButton(this, copyToImageIcon(), QStringLiteral("--->"));
    delete_ = makeButton(this, deleteIcon(), QStringLiteral("×"));
    new_ = makeButton(this, newIcon(), QString());

    hostTree_ = makeTree(this);
    imageTree_ = makeTree(this);
    QPalette paper = imageTree_->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    imageTree_->setPalette(paper);

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addWidget(driveList_, 3);
    top->addWidget(extensionFilter_, 1);
    top->addSpacing(12);
    for (QToolButton* button : {copyToHost_, copyToImage_, delete_, new_}) top->addWidget(button);
    top->addStretch(2);

    auto* trees = new QHBoxLayout;
    trees->setSpacing(4);  // the halves meet 2 pixels either side of the middle
    trees->addWidget(hostTree_, 1);
    trees->addWidget(imageTree_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 12);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addLayout(trees, 1);
}

void KelvornWindow::connectSignals() {
    // Each notification goes to its handler as it stands; the logic decides what it means.
    connect(driveList_, &QComboBox::activated, this, [this](int index) {
        if (dialog_) dialog_->onDriveSelected(index);
    });
    connect(extensionFilter_, &QComboBox::activated, this, [this](int index) {
        if (dialog_) dialog_->onFilterSelected(index);
    });
    connect(extensionFilter_->lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (dialog_) dialog_->onFilterEdited();
    });
    connect(hostTree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (dialog_) dialog_->onHostItemExpanding(hostItems_->handleOf(item));
    });
    // Folders also expand or collapse as usual; the logic opens only file items.
    connect(hostTree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (dialog_) dialog_->onHostItemDoubleClicked(hostItems_->handleOf(item));
    });
    connect(copyToHost_, &QToolButton::clicked, this, [this] {
        if (dialog_) dialog_->onCopyToHost();
    });
    connect(copyToImage_, &QToolButton::clicked, this, [this] {
        if (dialog_) dialog_->onCopyToImage();
    });
    connect(delete_, &QToolButton::clicked, this, [this] {
        if (dialog_) dialog_->onDelete();
    });
    connect(new_, &QToolButton::clicked, this, [this] {
        if (dialog_) dialog_->onNew();
    });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        if (dialog_) dialog_->onAbout();
    });
}

// ---- Messages

void KelvornWindow::showMessage(const std::string& message) {
    desktop::tell(this, programName(), message);
}

bool KelvornWindow::askYesNo(const std::string& message) {
    return desktop::askYesNo(this, programName(), message);
}

bool KelvornWindow::askOkCancel(const std::string& message) {
    return desktop::askOkCancel(this, programName(), message);
}

std::unique_ptr<browser::WaitCursorScope> KelvornWindow::waitCursor() {
    return std::make_unique<WaitCursor>();
}

std::optional<browser::NewImageChoice> KelvornWindow::askNewImage(const std::string& presetName) {
    NewImageDialog box(presetName, this);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.choice();
}

std::optional<browser::NewItemChoice> KelvornWindow::askNewItem(const std::string& presetLabel,
                                                                bool offerLabel) {
    NewItemDialog box(presetLabel, offerLabel, this);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.choice();
}

void KelvornWindow::showAbout(const browser::AboutText& about) {
    makeAboutBox(about, this)->exec();
}

void KelvornWindow::showResultBox(const std::string& message, int closeAfterMs) {
    makeResultBox(message, closeAfterMs, this)->exec();
}

void KelvornWindow::closeWindow() {
    close();
}

// ---- Trees

ItemTree& KelvornWindow::items(Tree tree) {
    return tree == Tree::Host ? *hostItems_ : *imageItems_;
}
const ItemTree& KelvornWindow::items(Tree tree) const {
    return tree == Tree::Host ? *hostItems_ : *imageItems_;
}

QTreeWidget* KelvornWindow::treeWidget(Tree tree) const {
    return tree == Tree::Host ? hostTree_ : imageTree_;
}

QTreeWidgetItem* KelvornWindow::widgetItem(Tree tree, ItemHandle item) const {
    return items(tree).widgetItem(item);
}

ItemHandle KelvornWindow::insertItem(Tree tree, ItemHandle parent, const browser::TreeItem& item,
                                     browser::InsertAt at) {
    const ItemHandle inserted = items(tree).insert(lastHandle_ + 1, parent, item, at);
    if (inserted != browser::kNoItem) lastHandle_ = inserted;
    return inserted;
}

void KelvornWindow::deleteAllItems(Tree tree) {
    items(tree).clear();
}
void KelvornWindow::deleteItem(Tree tree, ItemHandle item) {
    items(tree).remove(item);
}
void KelvornWindow::setItemText(Tree tree, ItemHandle item, const std::string& value) {
    items(tree).setText(item, value);
}
void KelvornWindow::expandItem(Tree tree, ItemHandle item) {
    items(tree).expand(item);
}
void KelvornWindow::sortChildren(Tree tree, ItemHandle parent) {
    items(tree).sortChildren(parent);
}
std::vector<ItemHandle> KelvornWindow::children(Tree tree, ItemHandle parent) const {
    return items(tree).children(parent);
}
ItemHandle KelvornWindow::parentOf(Tree tree, ItemHandle item) const {
    return items(tree).parentOf(item);
}
ItemHandle KelvornWindow::selectedItem(Tree tree) const {
    return items(tree).selected();
}

void KelvornWindow::selectItem(Tree tree, ItemHandle item) {
    items(tree).select(item);
}
std::string KelvornWindow::itemText(Tree tree, ItemHandle item) const {
    return items(tree).text(item);
}
browser::ItemData KelvornWindow::itemData(Tree tree, ItemHandle item) const {
    return items(tree).data(item);
}

std::optional<int> KelvornWindow::addExtensionIcon(const std::string& extension) {
    return images_.addExtensionIcon(extension);
}

// ---- Drop-down lists

void KelvornWindow::setDriveEntries(const std::vector<std::string>& entries) {
    driveList_->clear();
    for (const std::string& entry : entries) driveList_->addItem(text(entry));
    driveList_->setCurrentIndex(-1);  // Qt picks the first entry by itself; choosing is the logic's business
}

void KelvornWindow::selectDrive(int index) {
    driveList_->setCurrentIndex(index);
}

void KelvornWindow::setFilterEntries(const std::vector<std::string>& entries) {
    extensionFilter_->clear();
    for (const std::string& entry : entries) extensionFilter_->addItem(text(entry));
    extensionFilter_->setCurrentIndex(-1);
}

void KelvornWindow::selectFilterEntry(int index) {
    extensionFilter_->setCurrentIndex(index);
    // Choosing the entry already current leaves the field as typed; the selection always shows its text.
    extensionFilter_->setEditText(index >= 0 ? extensionFilter_->itemText(index) : QString());
}

std::string KelvornWindow::filterEditText() const {
    return extensionFilter_->currentText().toStdString();
}

void KelvornWindow::setFilterEditText(const std::string& value) {
    extensionFilter_->setEditText(text(value));
}

// ---- The window itself

void KelvornWindow::closeEvent(QCloseEvent* event) {
    if (dialog_) dialog_->onClose();
    event->accept();
}

void KelvornWindow::keyPressEvent(QKeyEvent* event) {
    // No default button and no cancel: Enter and Escape do nothing here.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void KelvornWindow::contextMenuEvent(QContextMenuEvent* event) {
    // Stands in for the window menu entry a desktop on Linux does not let us add.
    if (aboutMenuText_.isEmpty()) {
        QWidget::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    const QAction* about = menu.addAction(aboutMenuText_);
    if (menu.exec(event->globalPos()) == about && dialog_) dialog_->onAbout();
}

}  // namespace kelvorn
