#include "kelvorn_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "desktop/tree_view.h"
#include "new_dialogs.h"
#include "pictures.h"
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

// An editable box's drop-down packs its rows as tight as the font; give them the trees' breathing room.
class RoomyRows : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index)
            .expandedTo(QSize(0, option.fontMetrics.height() + 6));
    }
};

}  // namespace

KelvornWindow::KelvornWindow(const QString& aboutMenuText, QWidget* parent)
    : ProgramWindow(QString::fromUtf8(browser::kProgramName), aboutMenuText, parent), icons_(treeIcons()) {
    setWindowTitle(QString::fromUtf8(browser::kProgramName));
    setWindowIcon(programIcon());
    buildWidgets();
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

    hostTree_ = desktop::makeTreeView(this, nullptr);
    imageTree_ = desktop::makeTreeView(this, nullptr);
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
    connect(hostTree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (dialog_) dialog_->onHostItemExpanding(handleOf(Tree::Host, index));
    });
    // Folders also expand or collapse as usual; the logic opens only file items.
    connect(hostTree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (dialog_) dialog_->onHostItemDoubleClicked(handleOf(Tree::Host, index));
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

void KelvornWindow::showTrees(desktop::TreeSource& host, desktop::TreeSource& image) {
    hostModel_ = new desktop::TreeModel(host, icons_, this);
    imageModel_ = new desktop::TreeModel(image, icons_, this);
    hostTree_->setModel(hostModel_);
    imageTree_->setModel(imageModel_);
}

ItemHandle KelvornWindow::handleOf(Tree tree, const QModelIndex& index) const {
    const desktop::TreeModel* model = treeModel(tree);
    return model ? model->handleOf(index) : browser::kNoItem;
}

QModelIndex KelvornWindow::indexOf(Tree tree, ItemHandle item) const {
    const desktop::TreeModel* model = treeModel(tree);
    return model ? model->indexOf(item) : QModelIndex();
}

void KelvornWindow::expandItem(Tree tree, ItemHandle item) {
    treeView(tree)->expand(indexOf(tree, item));
}

ItemHandle KelvornWindow::selectedItem(Tree tree) const {
    const QModelIndexList selection = treeView(tree)->selectionModel()
                                          ? treeView(tree)->selectionModel()->selectedIndexes()
                                          : QModelIndexList();
    return selection.isEmpty() ? browser::kNoItem : handleOf(tree, selection.first());
}

void KelvornWindow::selectItem(Tree tree, ItemHandle item) {
    const QModelIndex index = indexOf(tree, item);
    if (!index.isValid()) return;
    treeView(tree)->setCurrentIndex(index);
    treeView(tree)->scrollTo(index);
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

void KelvornWindow::aboutRequested() {
    if (dialog_) dialog_->onAbout();
}

}  // namespace kelvorn
