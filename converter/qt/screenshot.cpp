// mirask_screenshot OUT_DIR [SCENARIO]: renders Mirask's window over an emulated drive a: (default
// 1.44M:blank) and a scratch folder as the only file drive: once with the medium listed, once in the middle
// of reading it into an image, the about box, and the window of a machine without floppy drives; offscreen
// unless told otherwise.
#include <cstdio>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "desktop/modal_answerer.h"
#include "desktop/screenshots.h"
#include "drive_setup.h"
#include "mirask_icons.h"
#include "mirask_window.h"

namespace {

using converter::dialog::ItemHandle;
using converter::dialog::ItemKind;
using converter::dialog::kNoItem;
using desktop::settle;

constexpr const char* kTool = "mirask_screenshot";

// The window that takes its picture from inside the read, once, about a third of the way through.
class ShootingWindow : public mirask::MiraskWindow {
  public:
    explicit ShootingWindow(const desktop::PictureFolder& out) : out_(out) {}

    bool shot() const { return shot_; }

    void StepIt() override {
        mirask::MiraskWindow::StepIt();
        const QProgressBar* bar = progressBar();
        if (shooting_ && !shot_ && bar->value() * 8 >= (bar->maximum() - bar->minimum()) * 3) {
            settle();
            shot_ = out_.save(grab(), "mirask-reading.png");
        }
    }

    void startShooting() { shooting_ = true; }

  private:
    const desktop::PictureFolder& out_;
    bool shooting_ = false;
    bool shot_ = false;
};

// A drive with a few folders and images, so the tree has something to show.
bool prepareDrive(const QString& drive) {
    const struct {
        const char* path;
        qint64 size;
    } files[] = {
        {"Archiv/dos622-1.gvx", 1474560},
        {"Archiv/dos622-2.gvx", 1474560},
        {"Archiv/dos622-3.gvx", 1474560},
        {"Hry/prince.gvx", 737280},
        {"Zálohy/účetnictví 1998.gvx", 1474560},
        {"Zálohy/poznámky.txt", 1200},
        {"ovladače.gvx", 1228800},
    };
    for (const auto& file : files) {
        const QString path = QDir(drive).filePath(QString::fromUtf8(file.path));
        QFile made(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !made.open(QIODevice::WriteOnly) ||
            !made.resize(file.size)) {
            return false;
        }
    }
    return QDir().mkpath(QDir(drive).filePath(QStringLiteral("Nové")));
}

converter::dialog::ConverterServices onlyDrive(const std::string& folder,
                                               const converter::DriveSetup& drives) {
    converter::dialog::ConverterServices services;
    services.floppies = drives.entries;
    services.listDrives = [folder] {
        return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
    };
    services.driveAccessible = [](const std::string&) { return true; };
    return services;
}

// The child of parent with that kind whose path ends with suffix; kNoItem when none.
ItemHandle childEndingWith(const converter::dialog::FileTree& tree, ItemHandle parent, ItemKind kind,
                           const std::string& suffix) {
    for (const ItemHandle item : tree.children(parent)) {
        const converter::dialog::FileData& data = tree.data(item);
        if (data.kind == kind && data.path.ends_with(suffix)) return item;
    }
    return kNoItem;
}

// The window on a machine without floppy drives, where it says how to try it with an emulated one.
bool shootWithoutDrives(const desktop::PictureFolder& out, const std::string& folder) {
    const converter::DriveSetup none;
    mirask::MiraskWindow window;
    converter::dialog::ConverterDialog dialog(window, onlyDrive(folder, none),
                                              converter::dialog::parseConverterText("", none.osKind));
    window.attach(&dialog);
    dialog.initialise();
    window.show();
    settle();
    const bool ok = out.save(window.grab(), "mirask-no-drive.png");
    window.close();
    window.attach(nullptr);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: mirask_screenshot OUT_DIR [SCENARIO]\n", stderr);
        return 2;
    }
    desktop::useOffscreenUnlessTold();

    QApplication app(argc, argv);
    desktop::useScreenshotLook();
    QApplication::setWindowIcon(mirask::programIcon());

    const QDir outFolder(QString::fromLocal8Bit(argv[1]));
    if (!outFolder.exists() && !QDir().mkpath(outFolder.path())) {
        std::fprintf(stderr, "%s: cannot create %s\n", kTool, argv[1]);
        return 1;
    }
    const desktop::PictureFolder out(QDir(outFolder.absolutePath()), kTool);
    const std::string scenario = argc == 3 ? argv[2] : "1.44M:blank";

    const converter::DriveSetup drives = converter::emulatedDrives({"a=" + scenario}, "");
    if (!drives.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", kTool, drives.error.c_str());
        return 2;
    }
    QTemporaryDir scratch(QDir::temp().filePath(QStringLiteral("mirask-XXXXXX")));
    const QString drive = scratch.filePath(QStringLiteral("Diskety"));
    if (!scratch.isValid() || !prepareDrive(drive)) {
        std::fprintf(stderr, "%s: cannot prepare a scratch drive\n", kTool);
        return 1;
    }

    ShootingWindow window(out);
    converter::dialog::ConverterDialog dialog(window, onlyDrive(drive.toStdString(), drives),
                                              converter::dialog::parseConverterText("", drives.osKind));
    window.attach(&dialog);
    dialog.initialise();
    window.show();
    settle();

    // One image picked in an opened folder: its name in the box, and the arrows on.
    const converter::dialog::FileTree& tree = dialog.fileTree();
    const std::vector<ItemHandle> roots = tree.children(kNoItem);
    const ItemHandle archive =
        roots.empty() ? kNoItem : childEndingWith(tree, roots.front(), ItemKind::Folder, "/Archiv");
    const ItemHandle picked = childEndingWith(tree, archive, ItemKind::ImageFile, "/dos622-2.gvx");
    if (picked == kNoItem) {
        std::fprintf(stderr, "%s: the scratch drive did not show in the tree\n", kTool);
        window.attach(nullptr);
        return 1;
    }
    window.fileTree()->setCurrentIndex(window.indexOf(picked));
    settle();
    bool ok = out.save(window.grab(), "mirask-window.png");
    ok = out.saveModal("mirask-about.png", [&] { dialog.onAbout(); }) && ok;

    // A new name typed in another folder, then the read, its picture taken from within.
    const ItemHandle backups = childEndingWith(tree, roots.front(), ItemKind::Folder, "/Zálohy");
    window.fileTree()->setCurrentIndex(window.indexOf(backups));
    window.nameBox()->clear();
    QTest::keyClicks(window.nameBox(), QStringLiteral("zaloha-2024"));
    settle();
    QStringList messages;
    {
        desktop::ModalAnswerer answerer([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (box == nullptr) return;
            // Yes to everything once (a bad sector is skipped); a question asked again is answered no, so a
            // drive without a medium cannot keep the tool asking for one.
            const bool again = messages.contains(box->text());
            messages << box->text();
            QAbstractButton* answer = nullptr;
            for (const auto which : {QMessageBox::Yes, QMessageBox::Ok}) {
                if (answer == nullptr && !again) answer = box->button(which);
            }
            for (const auto which : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok}) {
                if (answer == nullptr) answer = box->button(which);
            }
            answer->click();
        });
        window.startShooting();
        dialog.onReadFloppy();
    }
    const QString image = QDir(drive).filePath(QStringLiteral("Zálohy/zaloha-2024.gvx"));
    if (messages.isEmpty() || messages.last() != QString::fromUtf8(converter::dialog::text::kReadDone) ||
        !QFileInfo(image).isFile()) {
        std::fprintf(stderr, "%s: the read did not end as it should: %s\n", kTool,
                     qPrintable(messages.join(u'|')));
        ok = false;
    }
    if (!window.shot()) {
        std::fprintf(stderr, "%s: no picture was taken during the read\n", kTool);
        ok = false;
    }
    window.close();
    window.attach(nullptr);
    return shootWithoutDrives(out, drive.toStdString()) && ok ? 0 : 1;
}
