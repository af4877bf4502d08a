#include "desktop/command_line.h"

#include <cstdio>

namespace desktop {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QCommandLineOption languageOption() {
    return QCommandLineOption(QStringLiteral("lang"), QString(), QStringLiteral("cs|en"));
}

Parsed languageChosen(const QCommandLineParser& parser, const QCommandLineOption& option, const char* program,
                      std::optional<Language>& language) {
    if (!parser.isSet(option)) return Parsed::Run;
    language = languageNamed(parser.value(option));
    if (language) return Parsed::Run;
    std::fprintf(stderr, "%s: --lang takes cs or en, not '%s'\nTry '%s --help'.\n", program,
                 qPrintable(parser.value(option)), program);
    return Parsed::Fail;
}

Parsed parseWithHelpAndVersion(QCommandLineParser& parser, const QStringList& arguments, const char* program,
                               const char* help, const char* version) {
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", program, qPrintable(parser.errorText()), program);
        return Parsed::Fail;
    }
    if (parser.isSet(helpOption)) {
        std::fputs(help, stdout);
        return Parsed::Exit;
    }
    if (parser.isSet(versionOption)) {
        std::fputs(version, stdout);
        return Parsed::Exit;
    }
    return Parsed::Run;
}

}  // namespace desktop
