#include "host_drags.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace kelvorn {

bool HostDrags::draggable(browser::ItemHandle item) const {
    // A drive root is no file to hand over.
    const browser::ItemKind kind = tree_.data(item).kind;
    return tree_.contains(item) && (kind == browser::ItemKind::File || kind == browser::ItemKind::Folder);
}

QMimeData* HostDrags::dragOut(const std::vector<browser::ItemHandle>& items) {
    QList<QUrl> urls;
    for (const browser::ItemHandle item : items) {
        if (draggable(item)) urls << QUrl::fromLocalFile(QFile::decodeName(tree_.data(item).path.c_str()));
    }
    if (urls.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

}  // namespace kelvorn
