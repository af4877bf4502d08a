#include "new_dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "browser/message_table.h"
#include "kelvorn_text.h"

namespace kelvorn {
namespace {

QString text(const char* source) {
    return shownText(source);
}

// A folder's name may be as long as a new image's file name.
constexpr int kFolderNameLimit = browser::kNewImageNameLimit;

// Room for count characters of the field's font, plus its frame and padding.
int widthFor(const QLineEdit& field, int count) {
    return field.fontMetrics().horizontalAdvance(QString(count, QLatin1Char('M'))) + 12;
}

QVBoxLayout* dialogLayout(QDialog& dialog) {
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->setSpacing(10);
    // Neither dialog has anything that would use more room than it asks for.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return layout;
}

// The accepting button is the default one, so Enter in a field answers it; Escape rejects.
QDialogButtonBox* addButtons(QDialog& dialog, QLayout& layout, const char* accept, const char* reject,
                             QPushButton*& accepting, QPushButton*& rejecting) {
    auto* buttons = new QDialogButtonBox(&dialog);
    accepting = buttons->addButton(text(accept), QDialogButtonBox::AcceptRole);
    rejecting = buttons->addButton(text(reject), QDialogButtonBox::RejectRole);
    accepting->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
    return buttons;
}

}  // namespace

// ---- New image

NewImageDialog::NewImageDialog(const std::string& presetName, QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(browser::kNewImageCaption));
    auto* layout = dialogLayout(*this);

    layout->addWidget(new QLabel(text(browser::kNewImageQuestion), this));

    fileField_ = new QLineEdit(this);
    fileField_->setMaxLength(browser::kNewImageNameLimit);
    fileField_->setText(QString::fromStdString(presetName));
    fileField_->setMinimumWidth(widthFor(*fileField_, 24));

    labelField_ = new QLineEdit(this);
    labelField_->setMaxLength(browser::kLabelLimit);
    labelField_->setFixedWidth(widthFor(*labelField_, browser::kLabelLimit));

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setColumnStretch(2, 1);
    auto* fileCaption = new QLabel(text(browser::kNewImageFileField), this);
    fileCaption->setBuddy(fileField_);
    auto* labelCaption = new QLabel(text(browser::kNewImageLabelField), this);
    labelCaption->setBuddy(labelField_);
    fields->addWidget(fileCaption, 0, 0);
    fields->addWidget(fileField_, 0, 1, 1, 2);
    fields->addWidget(labelCaption, 1, 0);
    fields->addWidget(labelField_, 1, 1);
    layout->addLayout(fields);

    auto* group = new QGroupBox(text(browser::kNewImageTypeGroup), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setSpacing(2);
    types_ = new QButtonGroup(this);
    for (const browser::DiskTypeChoice& type : browser::kDiskTypeChoices) {
        auto* button = new QRadioButton(text(type.text), group);
        types_->addButton(button, static_cast<int>(type.templateId));
        groupLayout->addWidget(button);
    }
    typeButton(0)->setChecked(true);
    layout->addWidget(group);

    addButtons(*this, *layout, browser::kNewImageYes, browser::kNewImageNo, yes_, no_);
    fileField_->setFocus();
}

QRadioButton* NewImageDialog::typeButton(int index) const {
    return static_cast<QRadioButton*>(types_->buttons().at(index));
}

browser::NewImageChoice NewImageDialog::choice() const {
    browser::NewImageChoice choice;
    choice.templateId = static_cast<bootsectors::TemplateId>(types_->checkedId());
    choice.fileName = fileField_->text().toStdString();
    choice.label = labelField_->text().toStdString();
    return choice;
}

// ---- New folder or label

NewItemDialog::NewItemDialog(const std::string& presetLabel, bool offerLabel, QWidget* parent)
    : QDialog(parent), presetLabel_(QString::fromStdString(presetLabel)) {
    setWindowTitle(text(browser::kNewItemCaption));
    auto* layout = dialogLayout(*this);

    name_ = new QLineEdit(this);
    name_->setMinimumWidth(widthFor(*name_, 20));
    auto* prompt = new QLabel(text(browser::kNewItemPrompt), this);
    prompt->setBuddy(name_);
    auto* naming = new QVBoxLayout;
    naming->setSpacing(4);  // the prompt belongs to the field under it
    naming->addWidget(prompt);
    naming->addWidget(name_);
    layout->addLayout(naming);

    typeGroup_ = new QGroupBox(text(browser::kNewItemTypeGroup), this);
    auto* groupLayout = new QHBoxLayout(typeGroup_);
    subfolder_ = new QRadioButton(text(browser::kNewItemSubfolder), typeGroup_);
    label_ = new QRadioButton(text(browser::kNewItemLabel), typeGroup_);
    groupLayout->addWidget(subfolder_);
    groupLayout->addSpacing(12);
    groupLayout->addWidget(label_);
    groupLayout->addStretch(1);
    subfolder_->setChecked(true);
    // Clicking sets the field even when the radio was already checked.
    connect(subfolder_, &QRadioButton::clicked, this,
            [this] { showChoice(kFolderNameLimit, text(browser::kNewItemDefaultName)); });
    connect(label_, &QRadioButton::clicked, this, [this] { showChoice(browser::kLabelLimit, presetLabel_); });
    layout->addWidget(typeGroup_);
    // Only the image's root has a label; elsewhere the dialog is the smaller one that makes folders.
    typeGroup_->setVisible(offerLabel);

    addButtons(*this, *layout, browser::kNewItemOk, browser::kNewItemCancel, ok_, cancel_);

    showChoice(kFolderNameLimit, text(browser::kNewItemDefaultName));
    name_->setFocus();
}

void NewItemDialog::showChoice(int maxLength, const QString& value) {
    // setText() honours the limit in force, so the limit goes first.
    name_->setMaxLength(maxLength);
    name_->setText(value);
    // Selected, so whatever is typed next replaces the suggestion.
    name_->selectAll();
}

browser::NewItemChoice NewItemDialog::choice() const {
    browser::NewItemChoice choice;
    choice.volumeLabel = label_->isChecked();
    choice.name = name_->text().toStdString();
    return choice;
}

}  // namespace kelvorn
