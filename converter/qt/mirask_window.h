#pragma once
// Mirask's window: the widgets that render ConverterView and pass every notification to ConverterDialog.
#include <memory>

#include <QPersistentModelIndex>

#include "converter/dialog/converter_view.h"
#include "desktop/icon_cache.h"
#include "desktop/program_window.h"
#include "desktop/tree_model.h"
#include "mirask_icons.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpacerItem;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeView;

namespace converter::dialog {
class ConverterDialog;
}

namespace mirask {

class MiraskWindow : public desktop::ProgramWindow<converter::dialog::ConverterView> {
    Q_OBJECT
  public:
    explicit MiraskWindow(QWidget* parent = nullptr);
    ~MiraskWindow() override;

    // The logic is made after its view; notifications reach it from here on (nullptr: nobody listens).
    void attach(converter::dialog::ConverterDialog* dialog) { dialog_ = dialog; }

    // ConverterView (message boxes and the wait cursor come with the program window).
    void setFloppyDrives(const std::vector<std::string>& entries) override;
    void selectFloppyDrive(int index) override;
    void clearInfo() override;
    void appendInfo(const std::string& line) override;
    void removeInfo(int index) override;
    void repaintInfo() override;
    void setFloppyNote(const std::string& text) override;

    void setFileDrives(const std::vector<std::string>& entries) override;
    void selectFileDrive(int index) override;
    void showFileTree(desktop::TreeSource& tree) override;
    void expandItem(converter::dialog::ItemHandle item) override;
    std::string nameText() const override;
    void setNameText(const std::string& text) override;

    void setArrows(bool on) override;
    void setFormatEnabled(bool on) override;
    void showAbout() override;

    // ProgressPort: the progress bar.
    void SetRange(uint32_t lower, uint32_t upper) override;
    void SetStep(uint32_t step) override;
    void SetPos(uint32_t position) override;
    void StepIt() override;
    void setCylinderText(const std::string& text) override;
    void setRescueRunning(bool running) override;
    void letStopThrough() override;

    // The widgets, for tests and the screenshot tool.
    QComboBox* floppyDriveList() const { return floppyDrives_; }
    QListWidget* infoList() const { return info_; }
    QComboBox* fileDriveList() const { return fileDrives_; }
    QTreeView* fileTree() const { return tree_; }
    desktop::TreeModel* fileModel() const { return model_; }
    QLineEdit* nameBox() const { return name_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* readButton() const { return read_; }
    QPushButton* formatButton() const { return format_; }
    QPushButton* aboutButton() const { return about_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* cylinderLabel() const { return cylinder_; }
    QLabel* floppyNote() const { return note_; }
    QCheckBox* rescueChoice() const { return rescue_; }
    QSpinBox* rescueRounds() const { return rounds_; }
    QPushButton* stopButton() const { return stop_; }
    // Invalid for an item the tree does not hold.
    QModelIndex indexOf(converter::dialog::ItemHandle item) const;
    const desktop::IconCache& treeIcons() const { return icons_; }

  protected:
    void aboutRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWidgets();
    void connectSignals();
    void alignArrows();

    converter::dialog::ConverterDialog* dialog_ = nullptr;
    desktop::IconCache icons_;
    desktop::TreeModel* model_ = nullptr;  // owned by the window, made when the logic shows its tree
    uint32_t step_ = 10;                   // what the progress bar steps by until told otherwise
    // The tree's current item when the mouse went down: a click on it selects nothing new, yet still counts.
    QPersistentModelIndex currentAtPress_;

    bool rescueRunning_ = false;
    bool arrowsOn_ = false, formatOn_ = false;  // as the logic last set them
    QGroupBox* floppySide_ = nullptr;
    QGroupBox* fileSide_ = nullptr;
    QSpacerItem* arrowsGap_ = nullptr;  // owned by the buttons' layout
    QComboBox* floppyDrives_ = nullptr;
    QListWidget* info_ = nullptr;
    QComboBox* fileDrives_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* format_ = nullptr;
    QPushButton* about_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* cylinder_ = nullptr;
    QLabel* note_ = nullptr;
    QCheckBox* rescue_ = nullptr;
    QSpinBox* rounds_ = nullptr;
    QPushButton* stop_ = nullptr;
};

}  // namespace mirask
