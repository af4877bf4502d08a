// mirask [--lang cs|en] [--emulate LETTER=SCENARIO]... [--platform 9x|nt] [.EXT ...] [/DN]: the floppy
// converter.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "desktop/command_line.h"
#include "desktop/language.h"
#include "desktop/start_up.h"
#include "drive_setup.h"
#include "mirask_icons.h"
#include "mirask_window.h"

namespace {

using converter::DriveSetup;
using converter::dialog::ConverterOptions;

constexpr const char* kHelp =
    "Usage: mirask [OPTION]... [.EXT [.EXT]...] [/DN]\n"
    "Read floppy disks into image files, write image files to floppies, format floppies.\n"
    "\n"
    "  .EXT ...                  the extensions of image files the file tree shows, the first one added to\n"
    "                            names typed without one (default .gvx .imd .td0 .cqm .imz);\n"
    "                            '.img .ima' shows both\n"
    "  /DN                       Windows 95/98 line only: on selecting a floppy drive, show what the drive\n"
    "                            reports first; N 1 asks about the floppy inserted, 0 (or none) about the\n"
    "                            drive's default medium\n"
    "  --emulate LETTER=SCENARIO an emulated floppy drive instead of this machine's drives (repeatable):\n"
    "                            SCENARIO is KIND[:MEDIUM][:OPTION]..., KIND one of 1.44M 720K 1.2M 360K\n"
    "                            2.88M, MEDIUM none, unformatted, blank, blank=FORMAT or an image file,\n"
    "                            OPTION wp, bad=C/H/S[@STATUS],..., locked, noanswer, short=BYTES,\n"
    "                            types=N or types=F,F,...\n"
    "  --platform 9x|nt          drive the emulated drives the way that Windows line does (default: the\n"
    "                            way this program drives real floppies on Linux)\n"
    "  --lang cs|en              the window's language: Czech or English (default: the desktop's\n"
    "                            language; Czech when it is Czech or none is set, English otherwise)\n"
    "  -h, --help                show this help and exit\n"
    "  -v, --version             show the version and exit\n"
    "\n"
    "The arguments that are not options are read as one text, joined with blanks: a text that begins with\n"
    "'.' is the extension list, and '/D' anywhere in it is the diagnostic switch with the character after\n"
    "it. Examples:\n"
    "  mirask .img .ima\n"
    "  mirask --emulate a=1.44M:disk.img --emulate b=1.2M:none\n"
    "  mirask --emulate a=1.44M:blank:bad=3/1/5 --platform 9x /D1\n";

constexpr const char* kVersion = "mirask 1.7\n";

using desktop::Parsed;

struct StartUp {
    DriveSetup drives;
    ConverterOptions options;
    std::optional<desktop::Language> language;
};

// Help, version and the drive setup are answered before any window system is touched, so they work
// without a display and a mistake on the command line shows where it was typed.
Parsed parseCommandLine(int argc, char** argv, StartUp& start) {
    QCommandLineParser parser;
    const QCommandLineOption emulate(QStringLiteral("emulate"), QString(), QStringLiteral("LETTER=SCENARIO"));
    const QCommandLineOption platform(QStringLiteral("platform"), QString(), QStringLiteral("9x|nt"));
    const QCommandLineOption lang = desktop::languageOption();
    parser.addOptions({emulate, platform, lang});
    Parsed parsed =
        desktop::parseWithHelpAndVersion(parser, desktop::argumentsOf(argc, argv), "mirask", kHelp, kVersion);
    if (parsed == Parsed::Run) parsed = desktop::languageChosen(parser, lang, "mirask", start.language);
    if (parsed != Parsed::Run) return parsed;

    if (parser.isSet(emulate)) {
        std::vector<std::string> drives;
        for (const QString& value : parser.values(emulate))
            drives.push_back(value.toLocal8Bit().toStdString());
        start.drives = converter::emulatedDrives(drives, parser.value(platform).toStdString());
    } else if (parser.isSet(platform)) {
        std::fputs("mirask: --platform works on emulated drives: add --emulate\n", stderr);
        return Parsed::Fail;
    } else {
        start.drives = converter::realDrives();
    }
    if (!start.drives.error.empty()) {
        std::fprintf(stderr, "mirask: %s\n", start.drives.error.c_str());
        return Parsed::Fail;
    }

    std::string rest;
    for (const QString& argument : parser.positionalArguments()) {
        if (!rest.empty()) rest += ' ';
        rest += argument.toLocal8Bit().toStdString();
    }
    start.options = converter::dialog::parseConverterText(rest, start.drives.osKind);
    return Parsed::Run;
}

}  // namespace

int main(int argc, char** argv) {
    StartUp start;
    if (const auto status = desktop::exitStatusOf(parseCommandLine(argc, argv, start))) return *status;

    QApplication app(argc, argv);
    desktop::nameApplication(QString::fromUtf8(converter::dialog::text::kProgramName), QStringLiteral("1.7"),
                             QStringLiteral("mirask"), mirask::programIcon());
    // A catalogue that cannot be loaded was named on stderr; the window then speaks what it has.
    desktop::Translations translations;
    translations.use(start.language.value_or(desktop::desktopLanguage()), QStringLiteral("mirask"));

    mirask::MiraskWindow window;
    converter::dialog::ConverterServices services;
    services.floppies = start.drives.entries;
    converter::dialog::ConverterDialog dialog(window, services, start.options);
    return desktop::runWindow(window, dialog);
}
