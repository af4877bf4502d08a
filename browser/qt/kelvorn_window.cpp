#include "kelvorn_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
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
#include "host_drags.h"
#include "image_columns.h"
#include "image_drag_drop.h"
#include "kept_tree_state.h"
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

QToolButton* makeButton(QWidget* parent, const QIcon& icon, const QString& name, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setMinimumSize(QSize(34, 30));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (!name.isEmpty()) {
        // The resource's own caption: kept for assistive tools, the icon is what shows.
        button->setText(name);
        button->setAccessibleName(name);
    }
    // An arrow or a cross alone does not say which way or what: the tooltip says it in words.
    button->setToolTip(tip);
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

KelvornWindow::~KelvornWindow() {
    // The models outlive this window's members (Qt deletes children last): they must not ask them anything.
    if (hostModel_) hostModel_->setDragDrop(nullptr);
    if (imageModel_) {
        imageModel_->setDragDrop(nullptr);
        imageModel_->setColumns(nullptr);
    }
}

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

    copyToHost_ = makeButton(this, copyToHostIcon(), QStringLiteral("<---"),
                             tr("Zkopíruje označený soubor nebo adresář obrazu (i celou disketu) do označené "
                                "složky vlevo"));
    copyToImage_ =
        makeButton(this, copyToImageIcon(), QStringLiteral("--->"),
                   tr("Zkopíruje označený soubor nebo složku vlevo do označeného adresáře obrazu"));
    delete_ = makeButton(this, deleteIcon(), QStringLiteral("×"),
                         tr("Smaže z obrazu označený soubor nebo prázdný adresář (klávesa Delete)"));
    new_ = makeButton(this, newIcon(), QString(),
                      tr("Bez otevřeného obrazu vytvoří nový prázdný obraz diskety, jinak v obrazu nový "
                         "adresář nebo návěští disku"));

    hostTree_ = desktop::makeTreeView(this, nullptr);
    imageTree_ = desktop::makeTreeView(this, nullptr);
    QPalette paper = imageTree_->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    imageTree_->setPalette(paper);
    // Host files and folders may be dragged onto the image, or to other programs.
    hostTree_->setDragDropMode(QAbstractItemView::DragOnly);
    // Names, sizes and dates under a header, as a file manager shows them.
    imageTree_->setHeaderHidden(false);
    imageTree_->header()->setSectionsClickable(false);  // the logic keeps the order
    // Files come in from other programs and go out to them; a drop on a file goes into its folder.
    imageTree_->setDragDropMode(QAbstractItemView::DragDrop);
    imageTree_->viewport()->setAcceptDrops(true);
    imageTree_->setDragDropOverwriteMode(true);
    imageTree_->setDropIndicatorShown(true);
    imageTree_->setDefaultDropAction(Qt::CopyAction);

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
    connect(extensionFilter_, &QComboBox::activated, this,
            [this](int index) { keepingTrees([this, index] { dialog_->onFilterSelected(index); }); });
    connect(extensionFilter_->lineEdit(), &QLineEdit::textEdited, this,
            [this] { keepingTrees([this] { dialog_->onFilterEdited(); }); });
    connect(hostTree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (dialog_) dialog_->onHostItemExpanding(handleOf(Tree::Host, index));
    });
    // Folders also expand or collapse as usual; the logic opens only file items.
    connect(hostTree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (dialog_) dialog_->onHostItemDoubleClicked(handleOf(Tree::Host, index));
    });
    connect(copyToHost_, &QToolButton::clicked, this,
            [this] { keepingTrees([this] { dialog_->onCopyToHost(); }); });
    connect(copyToImage_, &QToolButton::clicked, this,
            [this] { keepingTrees([this] { dialog_->onCopyToImage(); }); });
    connect(delete_, &QToolButton::clicked, this, [this] { keepingTrees([this] { dialog_->onDelete(); }); });
    connect(new_, &QToolButton::clicked, this, [this] { keepingTrees([this] { dialog_->onNew(); }); });
    connectKeys();
}

void KelvornWindow::connectKeys() {
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        if (dialog_) dialog_->onAbout();
    });
    auto* reread = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(reread, &QShortcut::activated, this, [this] { keepingTrees([this] { dialog_->onReread(); }); });
    // Delete acts on the image only while the image tree has the focus, as "×" acts on its selection.
    auto* remove = new QShortcut(QKeySequence(QKeySequence::Delete), imageTree_, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(remove, &QShortcut::activated, this, [this] { keepingTrees([this] { dialog_->onDelete(); }); });
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* open =
            new QShortcut(QKeySequence(key), hostTree_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(open, &QShortcut::activated, this, &KelvornWindow::openSelectedHostItem);
    }
}

void KelvornWindow::openSelectedHostItem() {
    const ItemHandle item = selectedItem(Tree::Host);
    const QModelIndex index = indexOf(Tree::Host, item);
    if (!dialog_ || !index.isValid()) return;
    if (hostModel_->hasChildren(index)) {
        hostTree_->setExpanded(index, !hostTree_->isExpanded(index));
        return;
    }
    dialog_->onHostItemDoubleClicked(item);
}

void KelvornWindow::keepingTrees(const std::function<void()>& handler) {
    if (!dialog_) return;
    const auto hostPath = [this](ItemHandle item) { return pathOf(Tree::Host, item); };
    const auto imagePath = [this](ItemHandle item) { return pathOf(Tree::Image, item); };
    const KeptTreeState host = KeptTreeState::take(*hostTree_, hostPath);
    const KeptTreeState image = KeptTreeState::take(*imageTree_, imagePath);
    bool hostRebuilt = false;
    bool imageRebuilt = false;
    const QMetaObject::Connection hostReset =
        connect(hostModel_, &QAbstractItemModel::modelReset, this, [&] { hostRebuilt = true; });
    const QMetaObject::Connection imageReset =
        connect(imageModel_, &QAbstractItemModel::modelReset, this, [&] { imageRebuilt = true; });
    handler();
    disconnect(hostReset);
    disconnect(imageReset);
    if (hostRebuilt) host.restore(*hostTree_, hostPath);
    if (imageRebuilt) image.restore(*imageTree_, imagePath);
}

std::string KelvornWindow::pathOf(Tree tree, ItemHandle item) const {
    const browser::ItemTree* items = tree == Tree::Host ? hostItems_ : imageItems_;
    return items ? items->data(item).path : std::string();
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

void KelvornWindow::showOpenImage(const std::string& path) {
    const QString program = QString::fromUtf8(browser::kProgramName);
    if (path.empty()) {
        setWindowTitle(program);
        return;
    }
    setWindowTitle(
        QStringLiteral("%1 – %2").arg(program, QFileInfo(QFile::decodeName(path.c_str())).fileName()));
}

// ---- Trees

void KelvornWindow::showTrees(desktop::TreeSource& host, desktop::TreeSource& image) {
    hostModel_ = new desktop::TreeModel(host, icons_, this);
    imageModel_ = new desktop::TreeModel(image, icons_, this, browser::kProgramName);
    // The logic's own trees, whose items know their paths, sizes and dates.
    hostItems_ = dynamic_cast<const browser::ItemTree*>(&host);
    imageItems_ = dynamic_cast<const browser::ItemTree*>(&image);
    if (hostItems_) {
        hostDrags_ = std::make_unique<HostDrags>(*hostItems_);
        hostModel_->setDragDrop(hostDrags_.get());
    }
    if (imageItems_) {
        imageColumns_ = std::make_unique<ImageColumns>(*imageItems_);
        imageModel_->setColumns(imageColumns_.get());
        imageDragDrop_ = new ImageDragDrop(
            *imageItems_, *this,
            {[this](ItemHandle target, const std::vector<std::string>& paths) {
                 keepingTrees([&] { dialog_->onDropToImage(target, paths); });
             },
             [this](ItemHandle item, const std::string& folder) -> std::optional<std::string> {
                 if (!dialog_) return std::nullopt;
                 return dialog_->copyOutForDrag(item, folder);
             }},
            this);
        imageModel_->setDragDrop(imageDragDrop_);
        imageDragDrop_->watch(imageTree_->viewport());
    }
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
