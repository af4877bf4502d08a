#include "image_drag_drop.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace kelvorn {

std::vector<std::string> localPathsOf(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) return {};
        // A folder named with a trailing "/" is still the folder, named by its own name.
        const QString path = QDir::cleanPath(url.toLocalFile());
        if (path.isEmpty()) return {};
        paths.push_back(QFile::encodeName(path).toStdString());
    }
    return paths;
}

ImageDragDrop::ImageDragDrop(const browser::ItemTree& tree, desktop::MessagePort& messages, Actions actions,
                             QObject* parent)
    : QObject(parent), tree_(tree), messages_(messages), actions_(std::move(actions)) {}

void ImageDragDrop::watch(QWidget* viewport) {
    viewport->installEventFilter(this);
}

bool ImageDragDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* offered = static_cast<QDropEvent*>(event);
    if (offered->possibleActions() == Qt::CopyAction) return false;
    if (!(offered->possibleActions() & Qt::CopyAction)) {
        offered->ignore();
        return true;
    }
    // The same event offering nothing but a copy, so the view can propose nothing else.
    const Qt::DropActions copy = Qt::CopyAction;
    const QPointF at = offered->position();
    std::unique_ptr<QDropEvent> asCopy;
    if (type == QEvent::DragEnter)
        asCopy = std::make_unique<QDragEnterEvent>(at.toPoint(), copy, offered->mimeData(),
                                                   offered->buttons(), offered->modifiers());
    else if (type == QEvent::DragMove)
        asCopy = std::make_unique<QDragMoveEvent>(at.toPoint(), copy, offered->mimeData(), offered->buttons(),
                                                  offered->modifiers());
    else
        asCopy = std::make_unique<QDropEvent>(at, copy, offered->mimeData(), offered->buttons(),
                                              offered->modifiers());
    QCoreApplication::sendEvent(watched, asCopy.get());
    offered->setDropAction(asCopy->isAccepted() ? Qt::CopyAction : Qt::IgnoreAction);
    offered->setAccepted(asCopy->isAccepted());
    return true;
}

bool ImageDragDrop::draggable(browser::ItemHandle item) const {
    return tree_.contains(item);
}

QStringList ImageDragDrop::dropFormats() const {
    return {QStringLiteral("text/uri-list")};
}

bool ImageDragDrop::canDrop(const QMimeData& data, browser::ItemHandle) const {
    // Quietly refused: drags of the tree's own items, URLs that name no local file, and any drop while no
    // image is open.
    return !tree_.children(browser::kNoItem).empty() && !data.hasFormat(kOwnFormat) &&
           !localPathsOf(data).empty();
}

bool ImageDragDrop::drop(const QMimeData& data, browser::ItemHandle target) {
    if (!canDrop(data, target)) return false;
    // After the drop has ended: the dragging program waits for its answer, not for the questions and the
    // copy that follow.
    QMetaObject::invokeMethod(
        this, [this, target, paths = localPathsOf(data)] { actions_.drop(target, paths); },
        Qt::QueuedConnection);
    return true;
}

QMimeData* ImageDragDrop::dragOut(const std::vector<browser::ItemHandle>& items) {
    // The tree selects one item at a time.
    if (items.size() != 1) return nullptr;
    QString error;
    const QString folder = folders_.make(error);
    if (folder.isEmpty()) {
        //: An item dragged out of the image could not be copied: no temporary folder (the reason follows).
        messages_.showMessage(QCoreApplication::translate("kelvorn::KelvornWindow",
                                                          "Pro přetažení nešlo vytvořit dočasnou složku: %1")
                                  .arg(error)
                                  .toStdString());
        return nullptr;
    }
    const auto made = actions_.copyOut(items.front(), QFile::encodeName(folder).toStdString());
    if (!made) {
        folders_.remove(folder);
        return nullptr;
    }
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QFile::decodeName(made->c_str()))});
    data->setData(QString::fromLatin1(kOwnFormat), {});
    return data;
}

}  // namespace kelvorn
