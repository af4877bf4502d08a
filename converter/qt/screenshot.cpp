// mirask_screenshot [--lang cs|en] OUT_DIR [SCENARIO]: renders Mirask's window over an emulated drive a:
// (default 1.44M:blank) and a scratch folder as the only file drive: once with the medium listed, once in the
// middle of reading it into an image, the about box, a rescue and its end, a rescue refused for a container
// name, and the window of a machine without floppy drives;
// offscreen unless told otherwise.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
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
#include "mirask_text.h"
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

    // A rescue's picture: from inside, a third of the way through its first pass, Stop showing.
    bool rescueShot() const { return rescueShot_; }
    void startShootingRescue() { shootingRescue_ = true; }
    void letStopThrough() override {
        mirask::MiraskWindow::letStopThrough();
        const QProgressBar* bar = progressBar();
        if (shootingRescue_ && !rescueShot_ && bar->value() * 3 >= bar->maximum() - bar->minimum()) {
            settle();
            rescueShot_ = out_.save(grab(), "mirask-rescuing.png");
        }
    }

  private:
    const desktop::PictureFolder& out_;
    bool shooting_ = false;
    bool shot_ = false;
    bool shootingRescue_ = false;
    bool rescueShot_ = false;
};

// The names on the sample drive, in the pictures' language: a person's own folders speak it too.
struct SampleNames {
    const char* drive;
    const char* archive;
    const char* games;
    const char* backups;
    const char* accounts;
    const char* notes;
    const char* drivers;
    const char* fresh;
    const char* newImage;
};
constexpr SampleNames kCzechNames{"Diskety",      "Archiv",       "Hry",  "Zálohy",     "účetnictví 1998.gvx",
                                  "poznámky.txt", "ovladače.gvx", "Nové", "zaloha-2024"};
constexpr SampleNames kEnglishNames{"Floppies",  "Archive",     "Games", "Backups",    "accounts 1998.gvx",
                                    "notes.txt", "drivers.gvx", "New",   "backup-2024"};

QString joined(const char* folder, const char* name) {
    return QString::fromUtf8(folder) + QLatin1Char('/') + QString::fromUtf8(name);
}

// A drive with a few folders and images, so the tree has something to show.
bool prepareDrive(const QString& drive, const SampleNames& names) {
    const struct {
        QString path;
        qint64 size;
    } files[] = {
        {joined(names.archive, "dos622-1.gvx"), 1474560}, {joined(names.archive, "dos622-2.gvx"), 1474560},
        {joined(names.archive, "dos622-3.gvx"), 1474560}, {joined(names.games, "prince.gvx"), 737280},
        {joined(names.backups, names.accounts), 1474560}, {joined(names.backups, names.notes), 1200},
        {QString::fromUtf8(names.drivers), 1228800},
    };
    for (const auto& file : files) {
        const QString path = QDir(drive).filePath(file.path);
        QFile made(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !made.open(QIODevice::WriteOnly) ||
            !made.resize(file.size)) {
            return false;
        }
    }
    return QDir().mkpath(QDir(drive).filePath(QString::fromUtf8(names.fresh)));
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

// The rescue chosen beside the read, the rescue under way, and what it says at its end.
bool shootRescue(ShootingWindow& window, converter::dialog::ConverterDialog& dialog,
                 const desktop::PictureFolder& out, const SampleNames& names) {
    namespace text = converter::dialog::text;
    window.rescueChoice()->setChecked(true);
    window.nameBox()->clear();
    QTest::keyClicks(window.nameBox(), QString::fromUtf8(names.newImage) + QStringLiteral("-2"));
    settle();
    bool ok = out.save(window.grab(), "mirask-rescue-choice.png");
    QStringList messages;
    {
        desktop::ModalAnswerer answerer([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (box == nullptr) return;
            messages << box->text();
            // The end is pictured with the window behind it; a question (a map there already) is answered no.
            if (box->text().startsWith(mirask::shownText(text::kRescueDone)) ||
                box->text().startsWith(mirask::shownText(text::kRescueStopped))) {
                settle();
                ok = out.save(box->grab(), "mirask-rescue-end.png") && ok;
            }
            QAbstractButton* answer = box->button(QMessageBox::No);
            if (answer == nullptr) answer = box->button(QMessageBox::Ok);
            if (answer != nullptr) answer->click();
        });
        window.startShootingRescue();
        dialog.onReadFloppy();
    }
    if (messages.isEmpty() || !messages.last().startsWith(mirask::shownText(text::kRescueDone))) {
        std::fprintf(stderr, "%s: the rescue did not end as it should: %s\n", kTool,
                     qPrintable(messages.join(u'|')));
        ok = false;
    }
    if (!window.rescueShot()) {
        std::fprintf(stderr, "%s: no picture was taken during the rescue\n", kTool);
        ok = false;
    }
    window.rescueChoice()->setChecked(false);
    return ok;
}

// A rescue asked to write into a container it would write over: the refusal, before the drive is touched.
bool shootRescueRefused(ShootingWindow& window, converter::dialog::ConverterDialog& dialog,
                        const desktop::PictureFolder& out, const SampleNames& names) {
    window.rescueChoice()->setChecked(true);
    window.nameBox()->clear();
    QTest::keyClicks(window.nameBox(), QString::fromUtf8(names.newImage) + QStringLiteral("-3.td0"));
    settle();
    bool shot = false;
    {
        desktop::ModalAnswerer answerer([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (box == nullptr) return;
            settle();
            shot = !shot && out.save(box->grab(), "mirask-rescue-refused.png");
            if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
        });
        dialog.onReadFloppy();
    }
    window.rescueChoice()->setChecked(false);
    if (!shot) std::fprintf(stderr, "%s: the rescue into a container was not refused\n", kTool);
    return shot;
}

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const std::optional<desktop::Language> language = desktop::takeLanguage(arguments);
    if (!language || arguments.empty() || arguments.size() > 2) {
        std::fputs("usage: mirask_screenshot [--lang cs|en] OUT_DIR [SCENARIO]\n", stderr);
        return 2;
    }
    desktop::useOffscreenUnlessTold();

    QApplication app(argc, argv);
    desktop::useScreenshotLook();
    QApplication::setWindowIcon(mirask::programIcon());
    desktop::Translations translations;
    if (!translations.use(*language, QStringLiteral("mirask"))) return 1;
    const SampleNames& names = *language == desktop::Language::English ? kEnglishNames : kCzechNames;

    const QDir outFolder(QString::fromStdString(arguments[0]));
    if (!outFolder.exists() && !QDir().mkpath(outFolder.path())) {
        std::fprintf(stderr, "%s: cannot create %s\n", kTool, arguments[0].c_str());
        return 1;
    }
    const desktop::PictureFolder out(QDir(outFolder.absolutePath()), kTool);
    const std::string scenario = arguments.size() == 2 ? arguments[1] : "1.44M:blank";

    const converter::DriveSetup drives = converter::emulatedDrives({"a=" + scenario}, "");
    if (!drives.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", kTool, drives.error.c_str());
        return 2;
    }
    QTemporaryDir scratch(QDir::temp().filePath(QStringLiteral("mirask-XXXXXX")));
    const QString drive = scratch.filePath(QString::fromUtf8(names.drive));
    if (!scratch.isValid() || !prepareDrive(drive, names)) {
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
    const ItemHandle archive = roots.empty() ? kNoItem
                                             : childEndingWith(tree, roots.front(), ItemKind::Folder,
                                                               std::string("/") + names.archive);
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
    const ItemHandle backups =
        childEndingWith(tree, roots.front(), ItemKind::Folder, std::string("/") + names.backups);
    window.fileTree()->setCurrentIndex(window.indexOf(backups));
    window.nameBox()->clear();
    QTest::keyClicks(window.nameBox(), QString::fromUtf8(names.newImage));
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
    const QString image =
        QDir(drive).filePath(joined(names.backups, names.newImage) + QStringLiteral(".gvx"));
    if (messages.isEmpty() || messages.last() != mirask::shownText(converter::dialog::text::kReadDone) ||
        !QFileInfo(image).isFile()) {
        std::fprintf(stderr, "%s: the read did not end as it should: %s\n", kTool,
                     qPrintable(messages.join(u'|')));
        ok = false;
    }
    if (!window.shot()) {
        std::fprintf(stderr, "%s: no picture was taken during the read\n", kTool);
        ok = false;
    }
    ok = shootRescue(window, dialog, out, names) && ok;
    ok = shootRescueRefused(window, dialog, out, names) && ok;
    window.close();
    window.attach(nullptr);
    return shootWithoutDrives(out, drive.toStdString()) && ok ? 0 : 1;
}
