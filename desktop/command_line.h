#pragma once
// The start of both programs' command lines: their own options parsed before any window system is touched,
// so --help and --version work without a display.
#include <optional>

#include <QCommandLineParser>
#include <QStringList>

#include "desktop/language.h"

namespace desktop {

enum class Parsed { Run, Exit, Fail };

// The program's exit status when the command line ends it (0 after help or version, 2 after a mistake);
// nothing when the program runs.
inline std::optional<int> exitStatusOf(Parsed parsed) {
    switch (parsed) {
        case Parsed::Exit:
            return 0;
        case Parsed::Fail:
            return 2;
        case Parsed::Run:
            break;
    }
    return std::nullopt;
}

// The arguments as the C runtime got them.
QStringList argumentsOf(int argc, char** argv);

// --lang cs|en: the windows' language instead of the desktop's.
QCommandLineOption languageOption();
// The language --lang names, nothing when it is not given; Fail (with the complaint naming the program) for
// a name we do not speak.
Parsed languageChosen(const QCommandLineParser& parser, const QCommandLineOption& option, const char* program,
                      std::optional<Language>& language);

// Adds -h/--help and -v/--version to the parser's other options and parses; prints the help or the version
// (Exit), or the parser's complaint naming the program (Fail).
Parsed parseWithHelpAndVersion(QCommandLineParser& parser, const QStringList& arguments, const char* program,
                               const char* help, const char* version);

}  // namespace desktop
