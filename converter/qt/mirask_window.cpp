#include "mirask_window.h"

#include <algorithm>
#include <cstdint>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "desktop/about_box.h"
#include "desktop/tree_view.h"
#include "desktop/wait_cursor.h"
#include "mirask_text.h"

namespace mirask {

using converter::dialog::ItemHandle;
namespace text = converter::dialog::text;

namespace {

QString utf8(const char* value) {
    return QString::fromUtf8(value);
}
QString utf8(const std::string& value) {
    return QString::fromStdString(value);
}

QString programName() {
    return utf8(text::kProgramName);
}

QPushButton* makeActionButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(shownText(caption), parent);
    // Wide enough for every caption the arrows take, so the column does not jump when they change.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("<<====")) + 28);
    button->setEnabled(false);
    return button;
}

void fillList(QComboBox& list, const std::vector<std::string>& entries) {
    list.clear();
    for (const std::string& entry : entries) list.addItem(utf8(entry));
    list.setCurrentIndex(-1);  // Qt picks the first entry by itself; choosing is the logic's business
}

}  // namespace

MiraskWindow::MiraskWindow(QWidget* parent)
    : ProgramWindow(programName(), shownText(text::kAboutMenu), parent), icons_(treePictures()) {
    setWindowTitle(shownText(text::kWindowTitle));
    setWindowIcon(programIcon());
    buildWidgets();
    connectSignals();
    resize(820, 520);
}

MiraskWindow::~MiraskWindow() = default;

void MiraskWindow::buildWidgets() {
    // Every widget is owned by this window through Qt's parent chain.
    auto* floppySide = new QGroupBox(shownText(text::kFloppyGroup), this);
    floppySide_ = floppySide;
    floppyDrives_ = new QComboBox(floppySide);
    floppyDrives_->setEditable(false);
    info_ = new QListWidget(floppySide);
    info_->setSelectionMode(QAbstractItemView::NoSelection);
    info_->setFocusPolicy(Qt::NoFocus);
    // Shown only without floppy drives, in place of the information list, which has nothing to show then; the
    // commands in it can be copied.
    note_ = new QLabel(floppySide);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note_->hide();
    auto* floppyLayout = new QVBoxLayout(floppySide);
    floppyLayout->addWidget(floppyDrives_);
    floppyLayout->addWidget(note_, 1);
    floppyLayout->addWidget(info_, 1);

    auto* fileSide = new QGroupBox(shownText(text::kFileGroup), this);
    fileSide_ = fileSide;
    fileDrives_ = new QComboBox(fileSide);
    fileDrives_->setEditable(false);
    // Mount paths can be long; the list opens wide enough, the box itself follows the window.
    fileDrives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fileDrives_->setMinimumContentsLength(16);
    fileDrives_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    tree_ = desktop::makeTreeView(fileSide, nullptr);
    name_ = new QLineEdit(fileSide);
    name_->setMaxLength(255);
    auto* fileLayout = new QVBoxLayout(fileSide);
    fileLayout->addWidget(fileDrives_);
    fileLayout->addWidget(tree_, 1);
    fileLayout->addWidget(name_);
    // The rescue sits under the name it reads into; the read arrow does the one or the other.
    rescue_ = new QCheckBox(shownText(text::kRescueChoice), fileSide);
    rounds_ = new QSpinBox(fileSide);
    rounds_->setRange(0, 99);
    rounds_->setValue(static_cast<int>(converter::dialog::kDefaultRescueRounds));
    auto* roundsLabel = new QLabel(shownText(text::kRescueRounds), fileSide);
    roundsLabel->setBuddy(rounds_);
    auto* rescueRow = new QHBoxLayout;
    rescueRow->addWidget(rescue_);
    rescueRow->addSpacing(12);
    rescueRow->addWidget(roundsLabel);
    rescueRow->addWidget(rounds_);
    rescueRow->addStretch(1);
    fileLayout->addLayout(rescueRow);

    write_ = makeActionButton(text::kWriteButtonInitial, this);
    read_ = makeActionButton(text::kReadButtonInitial, this);
    format_ = makeActionButton(text::kFormatButton, this);
    about_ = new QPushButton(shownText(text::kAboutButton), this);
    about_->setMaximumWidth(about_->sizeHint().height() * 2);
    auto* picture = new QLabel(this);
    picture->setPixmap(programIcon().pixmap(32, 32));

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    arrowsGap_ = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    buttons->addSpacerItem(arrowsGap_);
    buttons->addWidget(write_);
    buttons->addWidget(read_);
    buttons->addSpacing(16);
    buttons->addWidget(format_);
    buttons->addStretch(1);
    buttons->addWidget(picture, 0, Qt::AlignHCenter);
    buttons->addWidget(about_, 0, Qt::AlignHCenter);

    auto* halves = new QHBoxLayout;
    halves->setSpacing(10);
    halves->addWidget(floppySide, 4);
    halves->addLayout(buttons);
    halves->addWidget(fileSide, 5);

    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(16);
    cylinder_ = new QLabel(this);
    cylinder_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for the widest count, so the bar keeps its length while the numbers change.
    cylinder_->setMinimumWidth(cylinder_->fontMetrics().horizontalAdvance(QStringLiteral("888/888")));
    auto* progressRow = new QHBoxLayout;
    progressRow->setSpacing(8);
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cylinder_);
    stop_ = new QPushButton(shownText(text::kStopButton), this);
    stop_->hide();
    progressRow->addWidget(stop_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(halves, 1);
    layout->addLayout(progressRow);
}

void MiraskWindow::connectSignals() {
    // Each notification goes to its handler as it stands; the logic decides what it means.
    connect(floppyDrives_, &QComboBox::activated, this, [this](int index) {
        if (dialog_) dialog_->onFloppyDriveSelected(index);
    });
    connect(fileDrives_, &QComboBox::activated, this, [this](int index) {
        if (dialog_) dialog_->onFileDriveSelected(index);
    });
    // A click on the item already current changes nothing in the tree, yet picks that file again.
    tree_->viewport()->installEventFilter(this);
    connect(tree_, &QTreeView::clicked, this, [this](const QModelIndex& clicked) {
        const bool again = clicked.isValid() && clicked == currentAtPress_;
        currentAtPress_ = QPersistentModelIndex();
        const ItemHandle handle = model_ ? model_->handleOf(clicked) : converter::dialog::kNoItem;
        if (dialog_ && again && handle != converter::dialog::kNoItem) dialog_->onFileItemSelected(handle);
    });
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& expanded) {
        if (dialog_ && model_) dialog_->onFileItemExpanding(model_->handleOf(expanded));
    });
    // Only typing raises the handler; setNameText goes through setText, which does not.
    connect(name_, &QLineEdit::textEdited, this, [this] {
        if (dialog_) dialog_->onNameEdited();
    });
    connect(write_, &QPushButton::clicked, this, [this] {
        if (dialog_) dialog_->onWriteImage();
    });
    connect(read_, &QPushButton::clicked, this, [this] {
        if (dialog_) dialog_->onReadFloppy();
    });
    connect(format_, &QPushButton::clicked, this, [this] {
        if (dialog_) dialog_->onFormat();
    });
    connect(rescue_, &QCheckBox::toggled, this, [this](bool on) {
        if (dialog_) dialog_->onRescueChosen(on);
    });
    connect(rounds_, &QSpinBox::valueChanged, this, [this](int rounds) {
        if (dialog_) dialog_->onRescueRounds(rounds);
    });
    connect(stop_, &QPushButton::clicked, this, [this] {
        if (dialog_) dialog_->onStopRescue();
    });
    connect(about_, &QPushButton::clicked, this, [this] {
        if (dialog_) dialog_->onAbout();
    });
}

void MiraskWindow::alignArrows() {
    // The arrows stand level with the tops of the two lists, whatever the style makes of the group's title.
    const QLayout* inside = floppySide_->layout();
    const int listTop = floppySide_->contentsRect().top() + inside->contentsMargins().top() +
                        floppyDrives_->sizeHint().height() + std::max(0, inside->spacing());
    if (arrowsGap_->sizeHint().height() == listTop) return;
    arrowsGap_->changeSize(0, listTop, QSizePolicy::Minimum, QSizePolicy::Fixed);
    layout()->invalidate();
}

void MiraskWindow::showEvent(QShowEvent* event) {
    alignArrows();
    QWidget::showEvent(event);
}

void MiraskWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) alignArrows();
    QWidget::changeEvent(event);
}

bool MiraskWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_->viewport() && event->type() == QEvent::MouseButtonPress) {
        currentAtPress_ = tree_->currentIndex();
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Messages

void MiraskWindow::showAbout() {
    const std::unique_ptr<QDialog> box = desktop::makeAboutBox(
        programName(), {programIcon(), floppyIcon()}, {programName(), shownText(text::kAboutVersion)}, this);
    box->exec();
}

// ---- The floppy side

void MiraskWindow::setFloppyDrives(const std::vector<std::string>& entries) {
    fillList(*floppyDrives_, entries);
}

void MiraskWindow::selectFloppyDrive(int index) {
    floppyDrives_->setCurrentIndex(index);
}

void MiraskWindow::clearInfo() {
    info_->clear();
}

void MiraskWindow::appendInfo(const std::string& line) {
    info_->addItem(shownText(line));
}

void MiraskWindow::removeInfo(int index) {
    if (index < 0 || index >= info_->count()) return;
    delete info_->takeItem(index);  // takeItem hands the row over to us
}

void MiraskWindow::repaintInfo() {
    // The line just added says what is running; it must be in sight even below a long list of types.
    info_->scrollToBottom();
    desktop::keepPainting();
}

void MiraskWindow::setFloppyNote(const std::string& text) {
    note_->setText(shownText(text));
    note_->setVisible(!text.empty());
    info_->setVisible(text.empty());
}

// ---- The file side

void MiraskWindow::setFileDrives(const std::vector<std::string>& entries) {
    fillList(*fileDrives_, entries);
}

void MiraskWindow::selectFileDrive(int index) {
    fileDrives_->setCurrentIndex(index);
}

void MiraskWindow::showFileTree(desktop::TreeSource& tree) {
    model_ = new desktop::TreeModel(tree, icons_, this);
    tree_->setModel(model_);
    // The current item changes with a click, the keys, or the logic's own selection.
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const ItemHandle handle = model_->handleOf(current);
                if (dialog_ && handle != converter::dialog::kNoItem) dialog_->onFileItemSelected(handle);
            });
}

QModelIndex MiraskWindow::indexOf(ItemHandle item) const {
    return model_ ? model_->indexOf(item) : QModelIndex();
}

void MiraskWindow::expandItem(ItemHandle item) {
    tree_->expand(indexOf(item));
}

std::string MiraskWindow::nameText() const {
    return name_->text().toStdString();
}

void MiraskWindow::setNameText(const std::string& value) {
    name_->setText(utf8(value));
}

// ---- Buttons

void MiraskWindow::setArrows(bool on) {
    arrowsOn_ = on;
    write_->setText(shownText(on ? text::kWriteArrowOn : text::kWriteArrowOff));
    read_->setText(shownText(on ? text::kReadArrowOn : text::kReadArrowOff));
    write_->setEnabled(on);
    read_->setEnabled(on);
}

void MiraskWindow::setFormatEnabled(bool on) {
    formatOn_ = on;
    format_->setEnabled(on);
}

// ---- Progress

void MiraskWindow::SetRange(uint32_t lower, uint32_t upper) {
    // Equal ends would turn the bar into a busy indicator; an empty range just shows nothing done.
    const int low = static_cast<int>(std::min<uint32_t>(lower, INT32_MAX - 1));
    const int high = std::max(low + 1, static_cast<int>(std::min<uint32_t>(upper, INT32_MAX)));
    progress_->setRange(low, high);
    // Qt empties the bar when the old position falls outside; the bar starts at the range's beginning.
    if (progress_->value() < low) progress_->setValue(low);
}

void MiraskWindow::SetStep(uint32_t step) {
    step_ = step;
}

void MiraskWindow::SetPos(uint32_t position) {
    progress_->setValue(std::clamp(static_cast<int>(std::min<uint32_t>(position, INT32_MAX)),
                                   progress_->minimum(), progress_->maximum()));
    desktop::keepPainting();
}

void MiraskWindow::StepIt() {
    // Past the end the bar starts over from the beginning, as a stepping progress bar does.
    const int64_t span = int64_t{progress_->maximum()} - progress_->minimum();
    int64_t next = int64_t{progress_->value()} + step_;
    if (next > progress_->maximum() && span > 0)
        next = progress_->minimum() + (next - progress_->minimum()) % span;
    progress_->setValue(static_cast<int>(next));
    desktop::keepPainting();
}

void MiraskWindow::setCylinderText(const std::string& text) {
    cylinder_->setText(utf8(text));
}

// ---- A rescue

void MiraskWindow::setRescueRunning(bool running) {
    rescueRunning_ = running;
    for (QWidget* control :
         std::initializer_list<QWidget*>{floppySide_, fileSide_, write_, read_, format_, about_})
        control->setEnabled(!running);
    // The buttons come back as the logic last set them.
    if (!running) {
        write_->setEnabled(arrowsOn_);
        read_->setEnabled(arrowsOn_);
        format_->setEnabled(formatOn_);
    }
    stop_->setVisible(running);
    stop_->setEnabled(running);
}

void MiraskWindow::letStopThrough() {
    // Every other control is off, so Stop is the only input that can do anything.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MiraskWindow::closeEvent(QCloseEvent* event) {
    // The logic is still on the stack under a rescue; closing asks it to stop, and the window stays.
    if (rescueRunning_) {
        event->ignore();
        if (dialog_) dialog_->onStopRescue();
        return;
    }
    QWidget::closeEvent(event);
}

// ---- The window itself

void MiraskWindow::aboutRequested() {
    if (dialog_) dialog_->onAbout();
}

}  // namespace mirask
