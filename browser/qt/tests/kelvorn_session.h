#pragma once
// One Kelvorn window with its logic over a folder standing as the only drive, shown, and closed (its image
// with it) at the end: what the Qt view tests drive.
#include <string>
#include <vector>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "kelvorn_window.h"

namespace kelvorn::testing {

struct Session {
    Session(const browser::LibraryEntries& library, const std::string& folder,
            const browser::StartOptions& options = {})
        : window(QString::fromStdString(browser::messageText(101))),
          dialog(window, library, options, scratchHost(folder)) {
        window.attach(&dialog);
        dialog.initialise();
        window.show();
    }
    ~Session() {
        window.close();
        window.attach(nullptr);
    }
    static browser::HostServices scratchHost(const std::string& folder) {
        browser::HostServices host;
        host.listDrives = [folder] {
            return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
        };
        host.driveAccessible = [](const std::string&) { return true; };
        return host;
    }
    // A host item of the drive's top level by the end of its path (kind: File or Folder).
    QModelIndex hostItem(const std::string& name, browser::ItemKind kind = browser::ItemKind::File) const {
        const browser::ItemTree& tree = dialog.tree(browser::Tree::Host);
        const std::vector<browser::ItemHandle> roots = tree.children(browser::kNoItem);
        if (roots.empty()) return {};
        for (const browser::ItemHandle item : tree.children(roots.front())) {
            const browser::ItemData& data = tree.data(item);
            if (data.kind == kind && data.path.ends_with("/" + name))
                return window.indexOf(browser::Tree::Host, item);
        }
        return {};
    }
    QModelIndex hostFile(const std::string& name) const { return hostItem(name); }
    // An image item by its path inside the image ("\\" the root, "\\DOCS\\A.TXT").
    QModelIndex imageItem(const std::string& path) const {
        const browser::ItemTree& tree = dialog.tree(browser::Tree::Image);
        std::vector<browser::ItemHandle> pending = tree.children(browser::kNoItem);
        while (!pending.empty()) {
            const browser::ItemHandle item = pending.back();
            pending.pop_back();
            if (tree.data(item).path == path) return window.indexOf(browser::Tree::Image, item);
            const auto below = tree.children(item);
            pending.insert(pending.end(), below.begin(), below.end());
        }
        return {};
    }

    KelvornWindow window;
    browser::BrowserDialog dialog;
};

}  // namespace kelvorn::testing
