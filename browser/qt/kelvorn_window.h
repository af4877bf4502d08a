#pragma once
// Kelvorn's window: the widgets that render BrowserView and pass every notification to BrowserDialog.
#include <functional>
#include <memory>

#include <QString>

#include "browser/browser_view.h"
#include "desktop/icon_cache.h"
#include "desktop/program_window.h"
#include "desktop/tree_model.h"

class QComboBox;
class QTreeView;
class QToolButton;

namespace browser {
class BrowserDialog;
}

namespace kelvorn {

class HostDrags;
class ImageColumns;
class ImageDragDrop;

class KelvornWindow : public desktop::ProgramWindow<browser::BrowserView> {
    Q_OBJECT
  public:
    // aboutMenuText: the context menu's entry that opens the about box; none when empty.
    explicit KelvornWindow(const QString& aboutMenuText, QWidget* parent = nullptr);
    ~KelvornWindow() override;

    // The logic is made after its view; notifications reach it from here on (nullptr: nobody listens).
    void attach(browser::BrowserDialog* dialog) { dialog_ = dialog; }

    // BrowserView (message boxes and the wait cursor come with the program window).
    void showTrees(desktop::TreeSource& host, desktop::TreeSource& image) override;
    void expandItem(browser::Tree tree, browser::ItemHandle item) override;
    browser::ItemHandle selectedItem(browser::Tree tree) const override;
    void selectItem(browser::Tree tree, browser::ItemHandle item) override;

    void setDriveEntries(const std::vector<std::string>& entries) override;
    void selectDrive(int index) override;

    void setFilterEntries(const std::vector<std::string>& entries) override;
    void selectFilterEntry(int index) override;
    std::string filterEditText() const override;
    void setFilterEditText(const std::string& text) override;

    std::optional<browser::NewImageChoice> askNewImage(const std::string& presetName) override;
    std::optional<browser::NewItemChoice> askNewItem(const std::string& presetLabel,
                                                     bool offerLabel) override;

    void showAbout(const browser::AboutText& about) override;
    void showResultBox(const std::string& text, int closeAfterMs) override;
    void closeWindow() override;
    void showOpenImage(const std::string& path) override;

    // The widgets, for tests and the screenshot tool.
    QComboBox* driveList() const { return driveList_; }
    QComboBox* extensionFilter() const { return extensionFilter_; }
    QTreeView* treeView(browser::Tree tree) const {
        return tree == browser::Tree::Host ? hostTree_ : imageTree_;
    }
    desktop::TreeModel* treeModel(browser::Tree tree) const {
        return tree == browser::Tree::Host ? hostModel_ : imageModel_;
    }
    // Invalid for an item the tree does not hold.
    QModelIndex indexOf(browser::Tree tree, browser::ItemHandle item) const;
    QToolButton* copyToHostButton() const { return copyToHost_; }
    QToolButton* copyToImageButton() const { return copyToImage_; }
    QToolButton* deleteButton() const { return delete_; }
    QToolButton* newButton() const { return new_; }
    const desktop::IconCache& icons() const { return icons_; }
    ImageDragDrop* imageDragDrop() const { return imageDragDrop_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void aboutRequested() override;

  private:
    void buildWidgets();
    void connectSignals();
    void connectKeys();
    browser::ItemHandle handleOf(browser::Tree tree, const QModelIndex& index) const;
    // Runs a handler that may rebuild the trees, and gives the person back the folders they had open, the
    // selection and the scroll position in each tree rebuilt.
    void keepingTrees(const std::function<void()>& handler);
    std::string pathOf(browser::Tree tree, browser::ItemHandle item) const;
    // Enter on the host tree: a file opens as the double-click opens it, a folder opens or closes.
    void openSelectedHostItem();

    browser::BrowserDialog* dialog_ = nullptr;
    desktop::IconCache icons_;

    QComboBox* driveList_ = nullptr;
    QComboBox* extensionFilter_ = nullptr;
    QToolButton* copyToHost_ = nullptr;
    QToolButton* copyToImage_ = nullptr;
    QToolButton* delete_ = nullptr;
    QToolButton* new_ = nullptr;
    QTreeView* hostTree_ = nullptr;
    QTreeView* imageTree_ = nullptr;
    desktop::TreeModel* hostModel_ = nullptr;  // owned by the window, made when the logic shows its trees
    desktop::TreeModel* imageModel_ = nullptr;
    const browser::ItemTree* hostItems_ = nullptr;  // the trees the models show, for their items' paths
    const browser::ItemTree* imageItems_ = nullptr;
    std::unique_ptr<HostDrags> hostDrags_;
    std::unique_ptr<ImageColumns> imageColumns_;
    ImageDragDrop* imageDragDrop_ = nullptr;  // owned by the window
};

}  // namespace kelvorn
