// kelvorn [IMAGE] [/oN] [/eEXTS] [--lang cs|en]: the floppy image browser.
#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include "browser/browser_dialog.h"
#include "browser/command_line.h"
#include "browser/library_entries.h"
#include "browser/message_table.h"
#include "desktop/command_line.h"
#include "desktop/language.h"
#include "desktop/start_up.h"
#include "kelvorn_text.h"
#include "kelvorn_window.h"
#include "pictures.h"

namespace {

constexpr const char* kHelp =
    "Usage: kelvorn [IMAGE] [/oN] [/eEXTS] [--lang cs|en]\n"
    "Browse FAT12 floppy disk images and copy files between them and the host.\n"
    "\n"
    "  IMAGE          an image file to open at start, shown in its folder when that is on a listed drive\n"
    "  /oN            directory entry checks the image library runs at every open (N: 0 to 9, default 0)\n"
    "  /eEXTS         extensions the file filter offers, three letters each (default gvximgimdtd0cqmimz:\n"
    "                 .gvx, .img and the floppy containers .imd, .td0, .cqm, .imz)\n"
    "  --lang cs|en   the window's language: Czech or English (default: the desktop's language; Czech\n"
    "                 when it is Czech or none is set, English otherwise)\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "The options /o and /e are found anywhere in the arguments, case-sensitive, without separators:\n"
    "'kelvorn /eimgbin /o2' offers the filters .bin and .img and checks every entry it reads.\n";

constexpr const char* kVersion = "kelvorn 2.3\n";

using desktop::Parsed;

// Help and version are answered before any window system is touched, so they work without a display.
Parsed parseCommandLine(int argc, char** argv, browser::StartOptions& options,
                        std::optional<desktop::Language>& language) {
    QCommandLineParser parser;
    const QCommandLineOption lang = desktop::languageOption();
    parser.addOption(lang);
    Parsed parsed = desktop::parseWithHelpAndVersion(parser, desktop::argumentsOf(argc, argv), "kelvorn",
                                                     kHelp, kVersion);
    if (parsed == Parsed::Run) parsed = desktop::languageChosen(parser, lang, "kelvorn", language);
    if (parsed != Parsed::Run) return parsed;
    std::vector<std::string> positional;
    for (const QString& argument : parser.positionalArguments()) {
        positional.push_back(QFile::encodeName(argument).toStdString());
    }
    options = browser::parseArguments(positional, [](const std::string& path) {
        return QFileInfo(QFile::decodeName(path.c_str())).isFile();
    });
    return Parsed::Run;
}

}  // namespace

int main(int argc, char** argv) {
    browser::StartOptions options;
    std::optional<desktop::Language> language;
    if (const auto status = desktop::exitStatusOf(parseCommandLine(argc, argv, options, language)))
        return *status;

    QApplication app(argc, argv);
    desktop::nameApplication(QString::fromUtf8(browser::kProgramName), QStringLiteral("2.3"),
                             QStringLiteral("kelvorn"), kelvorn::programIcon());
    // A catalogue that cannot be loaded was named on stderr; the window then speaks what it has.
    desktop::Translations translations;
    translations.use(language.value_or(desktop::desktopLanguage()), QStringLiteral("kelvorn"));

    auto bound = browser::bindLibrary(browser::libraryCandidates());
    if (const auto* failure = std::get_if<browser::BindFailure>(&bound)) {
        std::fprintf(stderr, "kelvorn: %s\n", failure->message.c_str());
        QMessageBox::critical(nullptr, QString::fromUtf8(browser::kProgramName),
                              QString::fromStdString(failure->message));
        return 1;
    }

    kelvorn::KelvornWindow window(kelvorn::shownText(browser::messageText(browser::Message::AboutMenu)));
    browser::BrowserDialog dialog(window, std::get<browser::LibraryEntries>(bound), options);
    return desktop::runWindow(window, dialog, [&] {
        if (!options.imageToOpen.empty()) dialog.openImageAtStart(options.imageToOpen);
    });
}
