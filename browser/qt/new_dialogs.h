#pragma once
// The two "new" dialogs: a new empty image file, and a new folder or volume label inside the image.
// Built here and run modally by the window; tests and the screenshot tool build them directly.
#include <string>

#include <QDialog>

#include "browser/browser_view.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvorn {

class NewImageDialog : public QDialog {
    Q_OBJECT
  public:
    explicit NewImageDialog(const std::string& presetName, QWidget* parent = nullptr);

    // What the fields and the checked disk type say now; meaningful once accepted.
    browser::NewImageChoice choice() const;

    QLineEdit* fileField() const { return fileField_; }
    QLineEdit* labelField() const { return labelField_; }
    // In the order of kDiskTypeChoices.
    QRadioButton* typeButton(int index) const;
    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

  private:
    QLineEdit* fileField_ = nullptr;
    QLineEdit* labelField_ = nullptr;
    QButtonGroup* types_ = nullptr;
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
};

class NewItemDialog : public QDialog {
    Q_OBJECT
  public:
    // offerLabel: the image's root, where the volume label may be written instead of a folder made.
    NewItemDialog(const std::string& presetLabel, bool offerLabel, QWidget* parent = nullptr);

    browser::NewItemChoice choice() const;

    QLineEdit* nameField() const { return name_; }
    QGroupBox* typeGroup() const { return typeGroup_; }
    QRadioButton* subfolderButton() const { return subfolder_; }
    QRadioButton* labelButton() const { return label_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void showChoice(int maxLength, const QString& text);

    QString presetLabel_;
    QLineEdit* name_ = nullptr;
    QGroupBox* typeGroup_ = nullptr;
    QRadioButton* subfolder_ = nullptr;
    QRadioButton* label_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace kelvorn
