#pragma once
// Kelvorn's window: the widgets that render BrowserView and pass every notification to BrowserDialog.
#include <QString>
#include <QWidget>

#include "browser/browser_view.h"
#include "image_list.h"
#include "item_tree.h"

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;

namespace browser {
class BrowserDialog;
}

namespace kelvorn {

class KelvornWindow : public QWidget, public browser::BrowserView {
    Q_OBJECT
  public:
    // aboutMenuText: the context menu's entry that opens the about box; none when empty.
    explicit KelvornWindow(const QString& aboutMenuText, QWidget* parent = nullptr);
    ~KelvornWindow() override;

    // The logic is made after its view; notifications reach it from here on (nullptr: nobody listens).
    void attach(browser::BrowserDialog* dialog) { dialog_ = dialog; }

    // BrowserView.
    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    std::unique_ptr<browser::WaitCursorScope> waitCursor() override;

    browser::ItemHandle insertItem(browser::Tree tree, browser::ItemHandle parent,
                                   const browser::TreeItem& item, browser::InsertAt at) override;
    void deleteAllItems(browser::Tree tree) override;
    void deleteItem(browser::Tree tree, browser::ItemHandle item) override;
    void setItemText(browser::Tree tree, browser::ItemHandle item, const std::string& text) override;
    void expandItem(browser::Tree tree, browser::ItemHandle item) override;
    void sortChildren(browser::Tree tree, browser::ItemHandle parent) override;
    std::vector<browser::ItemHandle> children(browser::Tree tree, browser::ItemHandle parent) const override;
    browser::ItemHandle parentOf(browser::Tree tree, browser::ItemHandle item) const override;
    browser::ItemHandle selectedItem(browser::Tree tree) const override;
    void selectItem(browser::Tree tree, browser::ItemHandle item) override;
    std::string itemText(browser::Tree tree, browser::ItemHandle item) const override;
    browser::ItemData itemData(browser::Tree tree, browser::ItemHandle item) const override;

    std::optional<int> addExtensionIcon(const std::string& extension) override;

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

    // The widgets, for tests and the screenshot tool.
    QComboBox* driveList() const { return driveList_; }
    QComboBox* extensionFilter() const { return extensionFilter_; }
    QTreeWidget* treeWidget(browser::Tree tree) const;
    QTreeWidgetItem* widgetItem(browser::Tree tree, browser::ItemHandle item) const;
    QToolButton* copyToHostButton() const { return copyToHost_; }
    QToolButton* copyToImageButton() const { return copyToImage_; }
    QToolButton* deleteButton() const { return delete_; }
    QToolButton* newButton() const { return new_; }
    const ImageList& images() const { return images_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void buildWidgets();
    void connectSignals();
    ItemTree& items(browser::Tree tree);
    const ItemTree& items(browser::Tree tree) const;

    browser::BrowserDialog* dialog_ = nullptr;
    QString aboutMenuText_;
    ImageList images_;
    browser::ItemHandle lastHandle_ = browser::kNoItem;  // handles grow and are never given twice

    QComboBox* driveList_ = nullptr;
    QComboBox* extensionFilter_ = nullptr;
    QToolButton* copyToHost_ = nullptr;
    QToolButton* copyToImage_ = nullptr;
    QToolButton* delete_ = nullptr;
    QToolButton* new_ = nullptr;
    QTreeWidget* hostTree_ = nullptr;
    QTreeWidget* imageTree_ = nullptr;
    std::unique_ptr<ItemTree> hostItems_;
    std::unique_ptr<ItemTree> imageItems_;
};

}  // namespace kelvorn
