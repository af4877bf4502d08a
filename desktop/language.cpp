#include "desktop/language.h"

#include <cstdio>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace desktop {
namespace {

bool load(QTranslator& translator, const QString& name, const QString& folder) {
    if (translator.load(name, folder)) return QCoreApplication::installTranslator(&translator);
    std::fprintf(stderr, "%s: cannot load the translation %s from %s\n",
                 qPrintable(QCoreApplication::applicationName()), qPrintable(name), qPrintable(folder));
    return false;
}

}  // namespace

Language languageOf(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        if (name == QLatin1String("C") || name == QLatin1String("POSIX")) return Language::Czech;
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::Czech || language == QLocale::C) return Language::Czech;
        if (language == QLocale::English) return Language::English;
    }
    return uiLanguages.isEmpty() ? Language::Czech : Language::English;
}

Language desktopLanguage() {
    return languageOf(QLocale::system().uiLanguages());
}

std::optional<Language> languageNamed(const QString& name) {
    if (name == QLatin1String("cs")) return Language::Czech;
    if (name == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

bool Translations::use(Language language, const QString& program) {
    QCoreApplication::removeTranslator(&program_);
    QCoreApplication::removeTranslator(&qt_);
    if (language == Language::Czech) {
        // Our texts are Czech already; Qt's buttons are not.
        return load(qt_, QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    return load(program_, program + QStringLiteral("_en"), QStringLiteral(":/i18n"));
}

}  // namespace desktop
