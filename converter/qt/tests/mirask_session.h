#pragma once
// One Mirask window with its logic over an emulated drive a: (none for an empty scenario) and a scratch folder
// as the only file drive, shown, and closed at the end: what the Qt view tests drive.
#include <string>
#include <vector>

#include <QGroupBox>
#include <QListWidget>
#include <QStringList>

#include "converter/dialog/converter_dialog.h"
#include "drive_setup.h"
#include "mirask_window.h"

namespace mirask::testing {

struct Session {
    Session(const std::string& scenario, const std::string& folder)
        : drives(scenario.empty() ? converter::DriveSetup{}
                                  : converter::emulatedDrives({"a=" + scenario}, "")),
          dialog(window, services(folder), converter::dialog::parseConverterText("", drives.osKind)) {
        window.attach(&dialog);
        dialog.initialise();
        window.show();
    }
    ~Session() {
        window.close();
        window.attach(nullptr);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    converter::dialog::ConverterServices services(const std::string& folder) const {
        converter::dialog::ConverterServices result;
        result.floppies = drives.entries;
        result.listDrives = [folder] {
            return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
        };
        result.driveAccessible = [](const std::string&) { return true; };
        return result;
    }
    QStringList info() const {
        QStringList lines;
        for (int i = 0; i < window.infoList()->count(); ++i) lines << window.infoList()->item(i)->text();
        return lines;
    }
    QStringList groupTitles() const {
        QStringList titles;
        for (const QGroupBox* group : window.findChildren<QGroupBox*>()) titles << group->title();
        return titles;
    }

    converter::DriveSetup drives;
    MiraskWindow window;
    converter::dialog::ConverterDialog dialog;
};

}  // namespace mirask::testing
